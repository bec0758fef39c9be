// A child process for the shutdown tests: the program's start-up, one scripted action, and a
// report on standard output of what the run time did at the end.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "generators/composers.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Makes the window the active one, as a window manager does, so that its shortcuts work.
QWidget* activeStartWindow() {
    QWidget* window = startWindowWidget();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) {
        say("the window did not become active");
    }
    return window;
}

// Closes the window and says so if the way chosen did not close it.
void closeBy(bool escape) {
    QWidget* window = activeStartWindow();
    if (escape) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(target, Qt::Key_Escape);
    } else {
        window->close();
    }
    if (window->isVisible()) {
        say("the window is still open");
        window->close();
    }
}

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

const char* mode = "";

// Runs once the message loop is up: the mode's action while the window is shown.
void actWhileShown() {
    const std::string action = mode;
    if (action == "weapons-then-close") {
        activeStartWindow();
        QWidget* button = controlWidget(按钮1);
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        std::printf("lines %zu\n",
                    lineCount(readProperty(mainWindow, 编辑框1, TextProperty::text)));
    } else if (action == "check-exit-routine") {
        say(registeredExitRoutine() == &releaseSharedState ? "exit routine is releaseSharedState"
                                                           : "exit routine is something else");
    }
    closeBy(action == "esc");
}

void startActingOnceTheLoopRuns() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), actWhileShown, Qt::QueuedConnection);
}

int exitRoutineRuns = 0;

// The exit routine of the counting mode: it counts, and tries to get handlers delivered.
void countingExitRoutine() {
    ++exitRoutineRuns;
    std::printf("exit routine ran %d\n", exitRoutineRuns);
    if (startWindowWidget()) {
        auto* button = qobject_cast<QAbstractButton*>(controlWidget(按钮1));
        button->click();
        say(weaponResult.empty() ? "click delivered: no" : "click delivered: yes");
        writeProperty(mainWindow, 编辑框4, TextProperty::text, "\xC5\xB7\xD1\xF4");  // 欧阳
        say(readProperty(mainWindow, 单选框6, FlagProperty::disabled)
                ? "text change delivered: no"
                : "text change delivered: yes");
    }
    std::fflush(stdout);
}

void announcingExitRoutine() { say("exit routine ran"); }

// The main window's layout with one fault put in.
std::vector<ControlSpec> faultyControls;
WindowLayout faultyLayout(const std::string& fault) {
    faultyControls.assign(mainWindowLayout.controls.begin(), mainWindowLayout.controls.end());
    if (fault == "bad-layout") {
        faultyControls[1].number = faultyControls[0].number;  // a repeated control number
    } else if (fault == "bad-page") {
        faultyControls[0].page = 9;  // the tab control has four pages
    } else {
        faultyControls[0].parent = 0x16019999;  // a parent that is not in the list
    }
    WindowLayout layout = mainWindowLayout;
    layout.controls = faultyControls;
    return layout;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MODE\n", argv[0]);
        return 2;
    }
    mode = argv[1];
    const std::string action = mode;

    if (action == "count") {
        initRuntime();
        registerExitRoutine(countingExitRoutine);
        loadStartWindow(mainWindowLayout);
        QMetaObject::invokeMethod(
            qApp, [] { closeBy(false); }, Qt::QueuedConnection);
        const int result = runMessageLoop();
        std::printf("loop returned %d after %d run(s) of the exit routine\n", result,
                    exitRoutineRuns);
        return result;
    }
    if (action == "bad-layout" || action == "bad-page" || action == "bad-parent") {
        initRuntime();
        registerExitRoutine(announcingExitRoutine);
        const WindowLayout layout = faultyLayout(action);
        loadStartWindow(layout);
        say("loaded");
        return runMessageLoop();
    }

    qAddPreRoutine(startActingOnceTheLoopRuns);
    const int result = runApplication();
    say(weaponResult.empty() && techniqueResult.empty() && nameResult.empty() &&
                customSurname.empty()
            ? "shared texts released"
            : "shared texts still held");
    say(registeredExitRoutine() == nullptr ? "exit routine cleared after the loop"
                                           : "exit routine still registered");
    std::printf("runApplication returned %d\n", result);
    return result;
}
