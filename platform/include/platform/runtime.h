// The window run time: start-up, the message loop, properties, events and text services.
// Everything runs on the one user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/window_layout.h"

// Must be the program's first call. A platform that cannot start (no display) is a fatal error.
void initRuntime();

// routine runs once at normal shutdown: after the message loop has returned, when no event is
// delivered any more; never after a fatal error.
void registerExitRoutine(void (*routine)());

// Builds the window from layout: controls created with their layout properties, only page 1's
// controls shown, the window-created event delivered, then the window shown and focused.
// Returns only on success; a window that cannot be built is a fatal error.
void loadStartWindow(const WindowLayout& layout);

// Delivers events until the program's last window has closed, then shuts down: no event reaches
// a handler any more, the exit routine runs, the run time releases its resources. Returns 0.
int runMessageLoop();

// Ends the process at once with exit code -1; the exit routine does not run.
[[noreturn]] void fatalError(const char* what);

// Properties, addressed by window and control number.
enum class TextProperty : std::uint32_t { text = 8 };
enum class FlagProperty : std::uint32_t { disabled = 6, checked = 18 };

// The control's text (GBK): a new copy for the caller. An empty text comes back as "".
std::string readProperty(WindowNumber window, ControlNumber control, TextProperty property);
// The checked or disabled state as shown.
bool readProperty(WindowNumber window, ControlNumber control, FlagProperty property);

// Copies the text into the control. An edit box's text-change event then fires exactly once,
// inside this call, also for an unchanged text. Not limited by the box's byte limit.
void writeProperty(WindowNumber window, ControlNumber control, TextProperty property,
                   std::string_view value);
// checked true checks the radio button; false unchecks it even if no radio of its page stays
// checked. disabled true greys the control and keeps its check; false enables it. No click fires.
void writeProperty(WindowNumber window, ControlNumber control, FlagProperty property, bool value);

// Text services over GBK byte strings. "No text" is the empty string.
std::size_t textLength(std::string_view text);                         // in bytes
std::string joinTexts(std::initializer_list<std::string_view> texts);  // a new text
int compareTexts(std::string_view a, std::string_view b);              // -1, 0, 1 by unsigned bytes
void releaseText(std::string& text);                                   // frees what text owned
