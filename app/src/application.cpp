// Start-up and shutdown: the frame of the program's whole life.
#include "app/application.h"

#include "app/main_window.h"
#include "generators/composers.h"
#include "generators/table_pick.h"
#include "platform/runtime.h"

namespace {

void releaseOwned(std::string& text) { releaseText(text); }

// A slot refers to a constant table entry: releasing it does nothing.
void releaseOwned(std::string_view&) {}

}  // namespace

void releaseSharedState() {
    releaseOwned(nameResult);
    releaseOwned(surnameSlot);
    releaseOwned(femaleCharSlot);
    releaseOwned(compoundSurnameSlot);
    releaseOwned(techniqueResult);
    releaseOwned(raceSlot);
    releaseOwned(rankSlot);
    releaseOwned(epithetSlot);
    releaseOwned(techniqueKindSlot);
    releaseOwned(customSurname);
    releaseOwned(maleCharSlot);
    releaseOwned(weaponResult);
    releaseOwned(weaponKindSlot);
}

int runApplication() {
    initRuntime();
    // The shared state needs no work: every text is empty, lastDraw and seedCounter are 0.
    registerExitRoutine(releaseSharedState);
    loadStartWindow(mainWindowLayout);
    return runMessageLoop();
}
