// The program's own start-up path, reporting its first idle frame to the start-up benchmark.
#include "app/application.h"
#include "app/main_window.h"
#include "idle_frame.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

// As runApplication, with the watch put in between the run time's start and the window's build.
int main() {
    initRuntime();
    registerExitRoutine(releaseSharedState);
    reportFirstIdleFrame(startWindowWidget);
    loadStartWindow(mainWindowLayout);
    return runMessageLoop();
}
