// Drives the real main window with real mouse and key events, and reads it back through the
// window's own property services.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QString>
#include <string>

#include "platform/window_layout.h"

class QWidget;

// The main window loaded as at start-up, with the generators' state as at program start;
// destroyed after the test.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

QWidget* widgetOf(ControlNumber control);

// A left click in the middle of the control (press and release).
void clickControl(ControlNumber control);
// A left click at a point of the widget.
void clickAt(QWidget* widget, QPoint at);
// Selects page 1 to 4 by a click on its tab.
void clickTab(int page);

// A key press and release delivered to the focused widget.
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types each character of text into the focused widget as a key event carrying that character.
void typeText(const QString& text);
// The focused widget's control number, or 0.
ControlNumber focusedControl();

// Through readProperty / writeProperty of the main window.
std::string textOf(ControlNumber control);
void setTextOf(ControlNumber control, std::string_view gbk);
bool isChecked(ControlNumber control);
bool isDisabled(ControlNumber control);
void setChecked(ControlNumber control, bool checked);

// The text of a box as UTF-8, for readable assertions.
std::string utf8TextOf(ControlNumber control);
