// Drives the real main window with real mouse and key events.
#include "window_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include "app/main_window.h"
#include "gbk.h"
#include "generator_state.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

void MainWindowTest::SetUp() {
    resetGeneratorState();
    loadStartWindow(mainWindowLayout);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(startWindowWidget()));
    QApplication::setActiveWindow(startWindowWidget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(startWindowWidget()));
}

void MainWindowTest::TearDown() { destroyStartWindow(); }

QWidget* widgetOf(ControlNumber control) { return controlWidget(control); }

void clickAt(QWidget* widget, QPoint at) { QTest::mouseClick(widget, Qt::LeftButton, {}, at); }

void clickControl(ControlNumber control) {
    QWidget* widget = widgetOf(control);
    clickAt(widget, widget->rect().center());
}

void clickTab(int page) {
    auto* tabs = qobject_cast<QTabWidget*>(widgetOf(选择夹1));
    QTabBar* bar = tabs->tabBar();
    clickAt(bar, bar->tabRect(page - 1).center());
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target =
        QApplication::focusWidget() ? QApplication::focusWidget() : startWindowWidget();
    QTest::keyClick(target, key, modifiers);
}

void typeText(const QString& text) {
    // QTest's own key clicks only know ASCII; a key event carrying the text is what an input
    // method or a keyboard layout delivers for other characters.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QWidget* target = QApplication::focusWidget();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

ControlNumber focusedControl() {
    QWidget* focused = QApplication::focusWidget();
    for (const ControlSpec& entry : mainWindowLayout.controls) {
        if (controlWidget(entry.number) == focused) {
            return entry.number;
        }
    }
    return 0;
}

std::string textOf(ControlNumber control) {
    return readProperty(mainWindow, control, TextProperty::text);
}

void setTextOf(ControlNumber control, std::string_view gbk) {
    writeProperty(mainWindow, control, TextProperty::text, gbk);
}

bool isChecked(ControlNumber control) {
    return readProperty(mainWindow, control, FlagProperty::checked);
}

bool isDisabled(ControlNumber control) {
    return readProperty(mainWindow, control, FlagProperty::disabled);
}

void setChecked(ControlNumber control, bool checked) {
    writeProperty(mainWindow, control, FlagProperty::checked, checked);
}

std::string utf8TextOf(ControlNumber control) {
    const std::string bytes = textOf(control);
    return gbkToUtf8(bytes);
}
