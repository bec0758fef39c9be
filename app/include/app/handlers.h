// The event handlers of the main window, and the result log that the generator pages share.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_layout.h"

// Puts label + result + CR LF at the top of a result box, above its whole old text.
void prependResultLine(ControlNumber box, std::string_view label, std::string_view result);

// The window and all its controls exist: the initial modes "三字名" (page 2), "二字名" (page 3).
void onWindowCreated();

// Page 1: a weapon name, a technique name, into 编辑框1.
void on按钮1Click();
void on按钮2Click();

// Page 2: one male or female name per checked mode radio, into 编辑框2.
void on按钮3Click();
void on按钮4Click();

// Page 3: the surname box and its modes.
void on编辑框4TextChange();
void on编辑框4LeftButtonRelease(std::int32_t x, std::int32_t y, std::uint32_t keyFlags);
void on单选框4Click();
void on单选框5Click();
void on按钮5Click();
void on按钮6Click();
