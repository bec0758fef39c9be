// Test fixtures for the generators.
#include "generator_state.h"

#include "generators/composers.h"
#include "generators/table_pick.h"

std::uint32_t fixedTickValue = 0;
std::uint32_t fixedTick() { return fixedTickValue; }

void resetGeneratorState() {
    seedCounter = 0;
    lastDraw = 0;
    for (std::string_view* slot :
         {&raceSlot, &rankSlot, &epithetSlot, &weaponKindSlot, &techniqueKindSlot, &surnameSlot,
          &compoundSurnameSlot, &maleCharSlot, &femaleCharSlot}) {
        *slot = {};
    }
    for (std::string* text : {&nameResult, &weaponResult, &techniqueResult, &customSurname}) {
        text->clear();
    }
}

void FixedClockTest::SetUp() {
    resetGeneratorState();
    fixedTickValue = 0;
    tickSource = fixedTick;
}

void FixedClockTest::TearDown() { tickSource = systemTick; }

void RealClockTest::SetUp() {
    resetGeneratorState();
    tickSource = systemTick;
}
