// The run time's life: start-up, fatal errors, the message loop, properties and event delivery.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "encoding.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"
#include "runtime_state.h"

Runtime runtime;

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Qt's own fatal errors (no display to open, for one) end the process like ours do.
void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        fatalError(qPrintable(message));
    }
    if (qtMessageHandler) {
        qtMessageHandler(type, context, message);
    }
}

void onAllocationFailure() { fatalError("out of memory"); }

// Faces that the layout names, and the installed faces that can stand in for them.
void mapLayoutFaces() {
    const QStringList songFaces = {
        QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Serif CJK")};
    runtime.faceStandIns = {{QStringLiteral(u"宋体"), songFaces, {}},
                            {QStringLiteral("SimSun"), songFaces, {}}};
}

// Every result line costs its handler two copies of the whole log, its read and its joined text,
// both freed again before the click ends. glibc serves a block above its mmap threshold by a
// fresh mapping, and gives the heap's free top back to the system once it passes the trim
// threshold (about twice the mmap threshold); either way the next click faults every page of its
// copies in again, some 4,500 pages per copy of a 1,000,000-line log. Once a box holds a large
// text, blocks of its size come from the heap and a free top of several of them is kept, so that
// the copies reuse pages already in memory. The peak stays as it was; what goes is only the
// return of those pages between two clicks. Beyond glibc's largest mmap threshold (32 MiB on 64
// bits) copies are fresh mappings again.
void keepHeapRoomForCopiesOf(std::size_t textBytes) {
#if defined(__GLIBC__)
    constexpr std::size_t largeText = std::size_t{1} << 20;
    constexpr std::size_t largestMmapThreshold = std::size_t{32} << 20;
    static std::size_t kept = 0;  // the free top that is kept, only ever raised
    if (textBytes < largeText || 4 * textBytes <= kept) {
        return;
    }
    kept = std::min<std::size_t>(8 * textBytes, INT_MAX);
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(std::min(2 * textBytes, largestMmapThreshold)));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kept));
#else
    static_cast<void>(textBytes);
#endif
}

// The heap that the window and its logs left free goes back to the system, wherever it lies: the
// trim threshold that keepHeapRoomForCopiesOf raised, and blocks freed below the heap's top, keep
// it resident otherwise.
void giveFreeHeapBack() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// A program write of a multi-line box. When the new text is the box's text with a prefix put in
// front of it, as every result line is, only the prefix is inserted, into the document and into
// the cached bytes; the box's view and the bytes that a read returns are the same as after
// replacing the whole text.
void writeBoxText(LiveControl& control, std::string_view bytes) {
    QPlainTextEdit* box = control.box;
    const std::string_view current = boxBytesView(control.boxBytes);
    const bool prefixOnly = control.boxBytesValid && !current.empty() && bytes.ends_with(current);
    const std::string_view prefix = bytes.substr(0, bytes.size() - current.size());
    ++control.writing;
    {
        const QSignalBlocker blocker(box);
        QTextDocument* document = box->document();
        if (prefixOnly && isWholeBoxText(prefix) &&
            !(prefix.ends_with('\r') && current.starts_with('\n'))) {
            // Program writes are not undoable, like a whole-text replacement.
            document->setUndoRedoEnabled(false);
            QTextCursor cursor(document);
            cursor.movePosition(QTextCursor::Start);
            cursor.insertText(decodeBoxText(prefix));
            document->setUndoRedoEnabled(true);
            box->moveCursor(QTextCursor::Start);
        } else {
            box->setPlainText(decodeBoxText(bytes));
        }
    }
    if (prefixOnly) {
        prependBoxBytes(control.boxBytes, prefix);
    } else {
        setBoxBytes(control.boxBytes, bytes);
    }
    control.boxBytesValid = true;
    keepHeapRoomForCopiesOf(boxBytesView(control.boxBytes).size());
    --control.writing;
}

std::string_view boxText(LiveControl& control) {
    if (!control.boxBytesValid) {
        setBoxBytes(control.boxBytes, encodeBoxText(control.box->document()->toRawText()));
        control.boxBytesValid = true;
    }
    return boxBytesView(control.boxBytes);
}

LiveControl& checkedControl(WindowNumber window, ControlNumber control) {
    if (!runtime.start.layout || runtime.start.layout->number != window) {
        fatalError("no such window");
    }
    return liveControl(control);
}

}  // namespace

[[noreturn]] void fatalError(const char* what) {
    std::fprintf(stderr, "novel-helper: fatal error: %s\n", what);
    std::fflush(stderr);
    std::_Exit(-1);
}

void initRuntime() {
    std::set_new_handler(onAllocationFailure);
    qtMessageHandler = qInstallMessageHandler(onQtMessage);
    // The program takes no command line: Qt sees only the program's name.
    static int argc = 1;
    static char name[] = "novel-helper";
    static char* argv[] = {name, nullptr};
    QApplication::setDesktopSettingsAware(true);
    runtime.application = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    mapLayoutFaces();
    runtime.delivering = true;
}

void registerExitRoutine(void (*routine)()) { runtime.exitRoutine = routine; }

int runMessageLoop() {
    try {
        QApplication::exec();
    } catch (const std::bad_alloc&) {
        fatalError("out of memory");
    }
    runtime.delivering = false;
    if (void (*routine)() = runtime.exitRoutine) {
        runtime.exitRoutine = nullptr;
        routine();
    }
    releaseRuntime();
    return 0;
}

void releaseRuntime() {
    runtime.delivering = false;
    destroyStartWindow();
    runtime.faceStandIns.clear();
    runtime.application.reset();
    giveFreeHeapBack();
}

ExitRoutine registeredExitRoutine() { return runtime.exitRoutine; }

LiveControl& liveControl(ControlNumber number) {
    for (LiveControl& control : runtime.start.controls) {
        if (control.entry->number == number) {
            return control;
        }
    }
    fatalError("no such control in the start window");
}

void deliver(EventHandler handler) {
    if (handler && runtime.delivering) {
        handler();
    }
}

void deliverRelease(ReleaseHandler handler, std::int32_t x, std::int32_t y, std::uint32_t flags) {
    if (handler && runtime.delivering) {
        handler(x, y, flags);
    }
}

std::string readProperty(WindowNumber window, ControlNumber control, TextProperty) {
    LiveControl& live = checkedControl(window, control);
    if (live.box) {
        return std::string(boxText(live));
    }
    if (live.line) {
        return encodeGbk(live.line->text());
    }
    return std::string(live.entry->text);
}

bool readProperty(WindowNumber window, ControlNumber control, FlagProperty property) {
    const LiveControl& live = checkedControl(window, control);
    if (property == FlagProperty::disabled) {
        return !live.widget->isEnabled();
    }
    return live.button && live.button->isChecked();
}

void writeProperty(WindowNumber window, ControlNumber control, TextProperty,
                   std::string_view value) {
    LiveControl& live = checkedControl(window, control);
    if (live.box) {
        writeBoxText(live, value);
    } else if (live.line) {
        const QSignalBlocker blocker(live.line);
        live.line->setText(decodeGbk(value));
    } else if (live.button) {
        live.button->setText(decodeGbk(value));
        return;
    } else {
        return;
    }
    deliver(live.onTextChange);
}

void writeProperty(WindowNumber window, ControlNumber control, FlagProperty property, bool value) {
    LiveControl& live = checkedControl(window, control);
    if (property == FlagProperty::disabled) {
        const bool hadFocus = live.widget->hasFocus();
        live.widget->setEnabled(!value);
        if (value && hadFocus) {
            moveTabFocus(true);
        }
        return;
    }
    if (!live.button) {
        return;
    }
    QButtonGroup* group = live.button->group();
    if (group && group->exclusive()) {
        // A write sets this radio only: an exclusive group would uncheck the others, and refuses
        // to uncheck its only checked button.
        group->setExclusive(false);
        live.button->setChecked(value);
        group->setExclusive(true);
    } else {
        live.button->setChecked(value);
    }
}
