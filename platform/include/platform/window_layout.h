// A window described as data: the schema that loadStartWindow builds a window from.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

using WindowNumber = std::uint32_t;
using ControlNumber = std::uint32_t;

// No parent: the control sits directly in the window.
inline constexpr ControlNumber noParent = 0;

enum class ControlKind { tabControl, editBox, button, radioButton, label };

enum class EventKind {
    click,              // a button pressed, or a radio button checked by the user
    textChange,         // an edit box's text changed, by the user or by a program write
    leftButtonRelease,  // the left mouse button released over an edit box
    windowCreated,      // the window and all its controls exist; not yet shown
};

// Modifier keys given to a left-button release.
enum KeyFlag : std::uint32_t { keyCtrl = 1, keyShift = 2, keyAlt = 4 };

using EventHandler = void (*)();
// x, y: the pointer in the control's client coordinates; keyFlags: a combination of KeyFlag.
using ReleaseHandler = void (*)(std::int32_t x, std::int32_t y, std::uint32_t keyFlags);

// One (event, handler) pair. A left-button release names a ReleaseHandler, every other event an
// EventHandler.
struct EventBinding {
    EventKind event;
    EventHandler handler = nullptr;
    ReleaseHandler releaseHandler = nullptr;
};

// A face name and a character height in pixels (the em size, without extra line spacing).
// An empty face is the platform's standard dialog font.
struct FontSpec {
    std::string_view face;
    std::int32_t pixelHeight = 0;
    std::int32_t weight = 400;
};
inline constexpr FontSpec systemFont{};

// A colour as 0xRRGGBB, or the platform's standard colour for that role.
struct Colour {
    bool platformStandard = true;
    std::uint32_t rgb = 0;
};
inline constexpr Colour standardColour{};
constexpr Colour rgbColour(std::uint32_t rgb) { return Colour{false, rgb}; }

enum class EditBorder { flatLine, sunken };

// The settings that only some kinds of control read.
struct KindSettings {
    // Edit boxes.
    bool multiLine = false;  // Enter starts a new line; long lines wrap at the right edge
    bool verticalScrollBar = false;
    EditBorder border = EditBorder::sunken;
    std::int32_t byteLimit = 0;  // the most GBK bytes the user may enter; 0: no limit
    // Buttons.
    bool defaultButtonLook = false;  // drawn with a default button's heavier outline
    // Labels.
    bool wrapLines = false;  // break at CR LF and wrap wide lines; else one line
    // Tab controls: the captions of the pages, in page order, and the height of the tabs in
    // pixels (0: the platform's own).
    std::span<const std::string_view> pageCaptions;
    std::int32_t tabHeight = 0;
};

struct ControlSpec {
    ControlNumber number;
    std::string_view name;
    ControlKind kind;
    ControlNumber parent;  // noParent, or the tab control
    std::int32_t page;     // 1-based page of the tab control; 0 for the tab control itself
    std::int32_t left;     // relative to the parent's client area (the tab control's own corner)
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    bool visible;
    bool disabled;
    bool tabStop;
    std::string_view text;  // GBK
    FontSpec font;
    Colour textColour;
    Colour backgroundColour;
    KindSettings settings;
    std::span<const EventBinding> events;
};

struct WindowSettings {
    std::string_view title;  // GBK
    std::int32_t width;      // outer size, frame and title bar included
    std::int32_t height;
    std::int32_t storedLeft;  // not used: the window opens centred on the screen
    std::int32_t storedTop;
    bool systemMenu;
    bool closeButton;
    bool minimiseButton;
    bool maximiseButton;
    bool resizable;
    bool escapeCloses;
    bool alwaysOnTop;
    std::string_view iconResource;  // the name of the program icon among the resources
    FontSpec font;
    std::span<const EventBinding> events;
};

struct WindowLayout {
    WindowNumber number;
    WindowSettings window;
    // In list order: created from the last to the first, stacked first above later, and Tab
    // visits them in creation order.
    std::span<const ControlSpec> controls;
};
