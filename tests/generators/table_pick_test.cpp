// The table pick: seed arithmetic, the draw, and what one pick may touch.
#include "generators/table_pick.h"

#include <gtest/gtest.h>
#include <time.h>

#include <array>
#include <string_view>
#include <vector>

#include "generator_state.h"
#include "generators/word_tables.h"

namespace {

struct PickCase {
    const char* name;
    void (*pick)();
    const WordTable* table;
    std::string_view* slot;
};

const std::array<PickCase, 9> picks = {{
    {"pickRace", pickRace, &raceTable, &raceSlot},
    {"pickRank", pickRank, &rankTable, &rankSlot},
    {"pickEpithet", pickEpithet, &epithetTable, &epithetSlot},
    {"pickWeaponKind", pickWeaponKind, &weaponKindTable, &weaponKindSlot},
    {"pickTechniqueKind", pickTechniqueKind, &techniqueKindTable, &techniqueKindSlot},
    {"pickSurname", pickSurname, &surnameTable, &surnameSlot},
    {"pickCompoundSurname", pickCompoundSurname, &compoundSurnameTable, &compoundSurnameSlot},
    {"pickMaleChar", pickMaleChar, &maleCharTable, &maleCharSlot},
    {"pickFemaleChar", pickFemaleChar, &femaleCharTable, &femaleCharSlot},
}};

}  // namespace

using SeedArithmetic = FixedClockTest;

TEST_F(SeedArithmetic, CounterMovesBySeedModulo256Plus100) {
    struct Case {
        std::uint32_t tick;
        std::uint32_t counter;
        std::uint32_t counterAfter;
    };
    const Case cases[] = {
        {0, 0, 100},               // seed 0
        {255, 0, 355},             // seed 255
        {256, 0, 100},             // seed 256
        {1000, 23, 378},           // seed 1023: 23 + 255 + 100
        {0xFFFFFFFFu, 1, 101},     // the seed wraps to 0
        {0xFFFFFFF0u, 0x20, 148},  // the seed wraps to 16
        {7, 0xFFFFFFC0u, 235},     // seed 0xFFFFFFC7; the counter wraps past 2^32
    };
    for (const Case& c : cases) {
        fixedTickValue = c.tick;
        seedCounter = c.counter;
        reseedFromClock();
        EXPECT_EQ(seedCounter, c.counterAfter) << "tick " << c.tick << " counter " << c.counter;
    }
}

TEST_F(SeedArithmetic, ConsecutiveReseedsInOneMillisecondDifferBy100To355) {
    fixedTickValue = 123456;
    std::uint32_t previousSeed = fixedTickValue + seedCounter;
    for (int i = 0; i < 10000; ++i) {
        reseedFromClock();
        const std::uint32_t seed = fixedTickValue + seedCounter;
        const std::uint32_t step = seed - previousSeed;
        ASSERT_GE(step, 100u);
        ASSERT_LE(step, 355u);
        EXPECT_EQ(step, previousSeed % 256u + 100u);
        previousSeed = seed;
    }
}

TEST_F(SeedArithmetic, TheGeneratorIsSeededWithTickPlusCounterModulo2To32) {
    // The same sum, reached through different ticks and counters (one of them wrapping), must
    // give the same draws; a different sum must not, for these fixed values.
    const auto drawsAfterReseed = [](std::uint32_t tick, std::uint32_t counter) {
        fixedTickValue = tick;
        seedCounter = counter;
        reseedFromClock();
        std::array<std::int32_t, 4> draws{};
        for (std::int32_t& draw : draws) {
            draw = drawInRange(1, 1'000'000);
        }
        return draws;
    };
    const auto reference = drawsAfterReseed(4, 0);
    EXPECT_EQ(drawsAfterReseed(0, 4), reference);
    EXPECT_EQ(drawsAfterReseed(0xFFFFFFFFu, 5), reference);
    EXPECT_EQ(drawsAfterReseed(0x80000000u, 0x80000004u), reference);
    EXPECT_NE(drawsAfterReseed(5, 0), reference);
}

TEST_F(SeedArithmetic, TheSystemTickIsMillisecondsOfTheBootClock) {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto expected =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                   static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u);
    const std::uint32_t tick = systemTick();
    EXPECT_LE(tick - expected, 50u);
}

TEST(DrawInRange, StaysWithinItsBoundsAndReachesBoth) {
    struct Range {
        std::int32_t low;
        std::int32_t high;
    };
    for (const Range r : {Range{1, 4}, Range{1, 130}, Range{-3, 3}, Range{5, 5}}) {
        bool sawLow = false;
        bool sawHigh = false;
        for (int i = 0; i < 20000; ++i) {
            const std::int32_t k = drawInRange(r.low, r.high);
            ASSERT_GE(k, r.low);
            ASSERT_LE(k, r.high);
            sawLow = sawLow || k == r.low;
            sawHigh = sawHigh || k == r.high;
        }
        EXPECT_TRUE(sawLow && sawHigh) << r.low << ".." << r.high;
    }
}

using TablePick = FixedClockTest;

TEST_F(TablePick, StoresTheDrawnRowInLastDrawAndItsTextInTheSlot) {
    for (const PickCase& p : picks) {
        SCOPED_TRACE(p.name);
        for (std::uint32_t tick = 0; tick < 500; ++tick) {
            fixedTickValue = tick * 7919u;
            p.pick();
            ASSERT_GE(lastDraw, 1);
            ASSERT_LE(lastDraw, static_cast<std::int32_t>(p.table->size()));
            ASSERT_EQ(*p.slot, (*p.table)[static_cast<std::size_t>(lastDraw - 1)]);
        }
    }
}

TEST_F(TablePick, FillsOnlyItsOwnSlotAndStartsFromAnEmptyOne) {
    for (const PickCase& p : picks) {
        SCOPED_TRACE(p.name);
        resetGeneratorState();
        p.pick();
        EXPECT_FALSE(p.slot->empty()) << "the first pick fills an empty slot";
        EXPECT_GE(seedCounter, 100u);
        EXPECT_LE(seedCounter, 355u);
        for (const PickCase& other : picks) {
            if (other.slot != p.slot) {
                EXPECT_TRUE(other.slot->empty()) << other.name << " was touched";
            }
        }
    }
}

TEST_F(TablePick, EveryRowCanComeUpIncludingTheLast) {
    for (const PickCase& p : picks) {
        SCOPED_TRACE(p.name);
        std::vector<bool> seen(p.table->size() + 1, false);
        for (std::uint32_t tick = 0; tick < 20000; ++tick) {
            fixedTickValue = tick;
            p.pick();
            seen[static_cast<std::size_t>(lastDraw)] = true;
        }
        for (std::size_t k = 1; k <= p.table->size(); ++k) {
            EXPECT_TRUE(seen[k]) << "row " << k << " never drawn";
        }
    }
}
