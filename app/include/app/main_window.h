// The main window as data, and the names by which the handlers address its controls.
#pragma once

#include "platform/window_layout.h"

inline constexpr WindowNumber mainWindow = 0x52010001;

// Controls, named as in the layout. Their numbers are their identities within the window.
inline constexpr ControlNumber 选择夹1 = 0x16010238;
inline constexpr ControlNumber 按钮1 = 0x1601023B;    // "武器", page 1
inline constexpr ControlNumber 按钮2 = 0x1601023E;    // "功法", page 1
inline constexpr ControlNumber 编辑框1 = 0x1601023F;  // result box, page 1
inline constexpr ControlNumber 按钮3 = 0x16010240;    // "男名", page 2
inline constexpr ControlNumber 按钮4 = 0x16010241;    // "女名", page 2
inline constexpr ControlNumber 编辑框2 = 0x16010242;  // result box, page 2
inline constexpr ControlNumber 单选框1 = 0x16010245;  // "二字名", page 2
inline constexpr ControlNumber 单选框2 = 0x16010246;  // "复姓", page 2
inline constexpr ControlNumber 单选框3 = 0x16010260;  // "三字名", page 2
inline constexpr ControlNumber 编辑框3 = 0x1601026E;  // result box, page 3
inline constexpr ControlNumber 按钮5 = 0x1601026F;    // "男名", page 3
inline constexpr ControlNumber 按钮6 = 0x16010270;    // "女名", page 3
inline constexpr ControlNumber 编辑框4 = 0x16010272;  // the surname box, page 3
inline constexpr ControlNumber 标签1 = 0x16010273;    // the surname box's caption, page 3
inline constexpr ControlNumber 单选框4 = 0x16010275;  // "二字名", page 3
inline constexpr ControlNumber 单选框5 = 0x16010276;  // "三字名", page 3
inline constexpr ControlNumber 单选框6 = 0x16010280;  // "复姓名", page 3
inline constexpr ControlNumber 标签2 = 0x160102C0;    // the description, page 4

// The window's settings and its nineteen controls in list order.
extern const WindowLayout mainWindowLayout;
