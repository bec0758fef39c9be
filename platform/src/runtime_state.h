// The run time's own state: the application object, the live start window and its controls.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "box_bytes.h"
#include "platform/window_layout.h"

class QApplication;
class QButtonGroup;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QAbstractButton;
class QTabWidget;
class QWidget;

// One live control of the start window.
struct LiveControl {
    const ControlSpec* entry = nullptr;
    QWidget* widget = nullptr;
    QPlainTextEdit* box = nullptr;      // multi-line edit box
    QLineEdit* line = nullptr;          // single-line edit box
    QAbstractButton* button = nullptr;  // push button or radio button
    EventHandler onClick = nullptr;
    EventHandler onTextChange = nullptr;
    ReleaseHandler onLeftButtonRelease = nullptr;
    bool fontSet = false;  // the layout's font, set once the control's page is first shown
    // A multi-line box's text as the bytes that a read returns, kept while only the program
    // writes the box; a user's edit invalidates it.
    BoxBytes boxBytes;
    bool boxBytesValid = true;
    // Depth of program writes into this box in progress (its own change signals are ignored).
    int writing = 0;
};

struct StartWindow {
    const WindowLayout* layout = nullptr;
    std::unique_ptr<QWidget> window;
    QTabWidget* tabs = nullptr;
    // In list order: controls[i] is the control at list position i + 1.
    std::vector<LiveControl> controls;
    // One exclusive group per page that holds radio buttons, indexed by page.
    std::vector<QButtonGroup*> radioGroups;
    QObject* keyboard = nullptr;  // the key and mouse filter of this window
    bool frameCorrected = false;
};

// A face that the layout names and the faces that can stand in for it, in order of preference;
// installed is the one drawn, found on first use.
struct FaceStandIn {
    QString face;
    QStringList candidates;
    QString installed;
};

struct Runtime {
    std::unique_ptr<QApplication> application;
    void (*exitRoutine)() = nullptr;
    bool delivering = false;  // false once the loop has returned: no event reaches a handler
    StartWindow start;
    // Set with the application object: the fonts installed can change with the next one.
    std::vector<FaceStandIn> faceStandIns;
};

extern Runtime runtime;

// The live control with this number, or a fatal error.
LiveControl& liveControl(ControlNumber number);

// Handler delivery; nothing is delivered once the loop has returned.
void deliver(EventHandler handler);
void deliverRelease(ReleaseHandler handler, std::int32_t x, std::int32_t y, std::uint32_t flags);

// Page switching and keyboard order over the live window.
void showPage(int page);
void focusFirstControlOfPage(int page);
void moveTabFocus(bool forward);
void moveRadioCheck(LiveControl& from, int step);

// Whether the control can take the keyboard focus now (shown, enabled, not a label).
bool canTakeFocus(const LiveControl& control);
