// Start-up and shutdown of the program.
#pragma once

// Brings up the main window and serves it until it is closed; returns 0 then. A fatal error
// ends the process with exit code -1 instead.
int runApplication();

// Releases the owned texts of the shared state, in declaration order. Run once by the window
// run time after the message loop has returned.
void releaseSharedState();
