// Test fixtures for the generators: a clock the test sets, and the shared state put back to its
// program-start values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

// The tick that fixedTick returns.
extern std::uint32_t fixedTickValue;
std::uint32_t fixedTick();

// Every slot, result and counter as at program start; the clock is left as it is.
void resetGeneratorState();

// Program-start state with the clock fixed at fixedTickValue; the real clock again afterwards.
class FixedClockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Program-start state on the real clock.
class RealClockTest : public ::testing::Test {
protected:
    void SetUp() override;
};
