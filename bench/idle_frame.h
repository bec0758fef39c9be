// Start-up probes: tell the parent process when a window's first frame is painted and idle.
#pragma once

class QWidget;

// Watches the application from now on. Once window() has received its first paint event and
// then a whole pass of the event loop has delivered nothing else, writes one byte to the file
// descriptor named by NOVEL_READY_FD (nothing if unset) and closes the window, so that the
// program shuts down its normal way. window() may return nullptr until the window exists.
// Needs the application object; call before the window is built.
void reportFirstIdleFrame(QWidget* (*window)());
