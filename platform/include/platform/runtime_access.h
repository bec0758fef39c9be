// Access to the live window for tests and benchmarks that drive it with real events.
#pragma once

#include "platform/window_layout.h"

class QWidget;

// The top-level window of the start window, or nullptr before loadStartWindow.
QWidget* startWindowWidget();

// The widget built for a control of the start window. Unknown numbers are a fatal error.
QWidget* controlWidget(ControlNumber control);

// The current page of the tab control, 1-based.
int currentPage();

// Closes and destroys the start window without running the exit routine or leaving the run
// time, so that another window can be loaded in the same process.
void destroyStartWindow();

// Destroys the start window and the application object, as the end of runMessageLoop does,
// without running the exit routine.
void releaseRuntime();

// The routine that registerExitRoutine stored, or nullptr.
using ExitRoutine = void (*)();
ExitRoutine registeredExitRoutine();
