// The main of the widget tests: the window run time is started once, as the program does.
#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "platform/runtime_access.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    initRuntime();
    const int status = RUN_ALL_TESTS();
    releaseRuntime();
    return status;
}
