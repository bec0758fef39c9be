// Statistical checks of the table picks: uniform rows, repeated texts in proportion to their rows,
// independent consecutive picks, on the real clock and on a fixed one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "chi_square.h"
#include "generator_state.h"
#include "generators/composers.h"
#include "generators/table_pick.h"
#include "generators/word_tables.h"

namespace {

// A correct generator fails each test below with probability under alarmLevel: a test that makes
// several checks splits the level evenly between them.
constexpr double alarmLevel = 1e-6;

// Draws per table in the row-uniformity tests, so that the smallest cell expectation
// (130-row tables) is about 1500.
constexpr std::int64_t drawsPerTable = 200'000;

struct TableCase {
    const char* name;
    void (*pick)();
    const WordTable* table;
    const std::string_view* slot;
};

const std::array<TableCase, 9> tables = {{
    {"race", pickRace, &raceTable, &raceSlot},
    {"rank", pickRank, &rankTable, &rankSlot},
    {"epithet", pickEpithet, &epithetTable, &epithetSlot},
    {"weaponKind", pickWeaponKind, &weaponKindTable, &weaponKindSlot},
    {"techniqueKind", pickTechniqueKind, &techniqueKindTable, &techniqueKindSlot},
    {"surname", pickSurname, &surnameTable, &surnameSlot},
    {"compoundSurname", pickCompoundSurname, &compoundSurnameTable, &compoundSurnameSlot},
    {"maleChar", pickMaleChar, &maleCharTable, &maleCharSlot},
    {"femaleChar", pickFemaleChar, &femaleCharTable, &femaleCharSlot},
}};

std::size_t rows(const WordTable& table) { return table.size(); }

// The cell of row k (1-based) of a table, from lastDraw; throws when lastDraw is out of range.
std::size_t drawnCell(const WordTable& table) {
    const auto k = static_cast<std::size_t>(lastDraw);
    if (lastDraw < 1 || k > table.size()) {
        throw std::out_of_range("lastDraw outside the table");
    }
    return k - 1;
}

// The 0-based row of a text in a table whose texts are all distinct; throws when it is absent.
std::size_t rowOfDistinctText(const WordTable& table, std::string_view text) {
    const auto at = std::find(table.begin(), table.end(), text);
    if (at == table.end()) {
        throw std::out_of_range("text not in the table");
    }
    return static_cast<std::size_t>(at - table.begin());
}

bool textsAreDistinct(const WordTable& table) {
    for (auto at = table.begin(); at != table.end(); ++at) {
        if (std::find(at + 1, table.end(), *at) != table.end()) {
            return false;
        }
    }
    return true;
}

// How often each row of the table came up in draws picks, with beforePick() called before each.
template <class BeforePick>
std::vector<std::int64_t> countRows(const TableCase& t, std::int64_t draws, BeforePick beforePick) {
    std::vector<std::int64_t> counts(rows(*t.table), 0);
    for (std::int64_t i = 0; i < draws; ++i) {
        beforePick();
        t.pick();
        ++counts[drawnCell(*t.table)];
    }
    return counts;
}

// Every table's rows, drawn drawsPerTable times, fit the uniform distribution.
template <class BeforePick>
void expectUniformRows(BeforePick beforePick) {
    for (const TableCase& t : tables) {
        const std::vector<std::int64_t> counts = countRows(t, drawsPerTable, beforePick);
        const double p = uniformFitPValue(counts);
        EXPECT_GE(p, alarmLevel / static_cast<double>(tables.size()))
            << t.name << ": chi-square " << uniformChiSquare(counts) << " on " << counts.size() - 1
            << " degrees of freedom";
    }
}

// Counts over the cells of a rows x columns grid, row-major.
struct Grid {
    std::size_t columns;
    std::vector<std::int64_t> counts;

    Grid(std::size_t rowCount, std::size_t columnCount)
        : columns(columnCount), counts(rowCount * columnCount, 0) {}
    void add(std::size_t row, std::size_t column) { ++counts[row * columns + column]; }
};

// composeWeapon 100'000 times; race x rank (44 cells), rank x epithet and epithet x weapon kind
// of each weapon, rows read from the texts, fit the uniform distribution over their grids.
void expectIndependentWeaponParts() {
    constexpr std::int64_t weapons = 100'000;
    const std::array<const TableCase*, 4> parts = {&tables[0], &tables[1], &tables[2], &tables[3]};
    for (const TableCase* part : parts) {
        ASSERT_TRUE(textsAreDistinct(*part->table)) << part->name << ": rows read from the text";
    }
    std::vector<Grid> grids;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        grids.emplace_back(rows(*parts[i]->table), rows(*parts[i + 1]->table));
    }
    for (std::int64_t n = 0; n < weapons; ++n) {
        composeWeapon();
        std::array<std::size_t, 4> row{};
        for (std::size_t i = 0; i < parts.size(); ++i) {
            row[i] = rowOfDistinctText(*parts[i]->table, *parts[i]->slot);
        }
        for (std::size_t i = 0; i < grids.size(); ++i) {
            grids[i].add(row[i], row[i + 1]);
        }
    }
    for (std::size_t i = 0; i < grids.size(); ++i) {
        const double p = uniformFitPValue(grids[i].counts);
        EXPECT_GE(p, alarmLevel / static_cast<double>(grids.size()))
            << parts[i]->name << " x " << parts[i + 1]->name << ": chi-square "
            << uniformChiSquare(grids[i].counts) << " on " << grids[i].counts.size() - 1
            << " degrees of freedom";
    }
}

}  // namespace

using RealClockStatistics = RealClockTest;

// Picks as fast as the loop allows, thousands per millisecond: within a millisecond each seed is
// 100 to 355 above the last, and 256 above once the counter has settled (after 8 reseeds at most).
TEST_F(RealClockStatistics, EveryTableDrawsItsRowsUniformly) {
    expectUniformRows([] {});
}

// The slot's text, not only the row number: a text standing in m of a table's N rows comes up
// with probability m / N, twice (路, and the doubled male characters) or three times (拓跋) as
// often as a text in one row.
TEST_F(RealClockStatistics, RepeatedTextsComeUpInProportionToTheirRows) {
    constexpr std::int64_t draws = 200'000;
    struct Repeated {
        const TableCase* table;
        std::string_view text;
        std::int64_t rowsHolding;
        std::int64_t hits;
    };
    std::vector<Repeated> repeated;
    for (const TableCase& t : tables) {
        std::map<std::string_view, std::int64_t> rowsOf;
        for (const std::string_view text : *t.table) {
            ++rowsOf[text];
        }
        std::unordered_map<std::string_view, std::int64_t> hits;
        for (std::int64_t i = 0; i < draws; ++i) {
            t.pick();
            ++hits[*t.slot];
        }
        for (const auto& [text, rowCount] : rowsOf) {
            if (rowCount > 1) {
                repeated.push_back({&t, text, rowCount, hits[text]});
            }
        }
    }
    // The tables are known to repeat 路 (surnames 33, 53), 拓跋 (compound surnames 45-47) and
    // several male characters; a test that found none would prove nothing.
    ASSERT_GE(repeated.size(), 5u);
    ASSERT_TRUE(std::any_of(repeated.begin(), repeated.end(),
                            [](const Repeated& r) { return r.rowsHolding == 3; }));
    for (const Repeated& r : repeated) {
        const double share =
            static_cast<double>(r.rowsHolding) / static_cast<double>(rows(*r.table->table));
        const double p = binomialTwoSidedPValue(r.hits, draws, share);
        EXPECT_GE(p, alarmLevel / static_cast<double>(repeated.size()))
            << r.table->name << ": a text in " << r.rowsHolding << " rows came up " << r.hits
            << " times in " << draws << ", expected " << share * static_cast<double>(draws);
    }
}

// Each pair of successive picks of one composeWeapon covers its grid of rows uniformly.
TEST_F(RealClockStatistics, SuccessivePicksOfOneWeaponAreIndependent) {
    expectIndependentWeaponParts();
}

// The picks of composeRandomName(sex, threeChar), made in its order with the rows read from
// lastDraw: surname x first given character and first x second given character are uniform.
TEST_F(RealClockStatistics, TheCharactersOfOneThreeCharNameAreIndependent) {
    struct Case {
        const char* sex;
        void (*pickGiven)();
        const WordTable* given;
    };
    const Case cases[] = {{"male", pickMaleChar, &maleCharTable},
                          {"female", pickFemaleChar, &femaleCharTable}};
    constexpr int checks = 4;
    // About 20 names for each of the 130 x 130 cells of the given characters.
    constexpr std::int64_t names = 338'000;
    for (const Case& c : cases) {
        Grid surnameFirst(rows(surnameTable), rows(*c.given));
        Grid firstSecond(rows(*c.given), rows(*c.given));
        for (std::int64_t n = 0; n < names; ++n) {
            pickSurname();
            const std::size_t surname = drawnCell(surnameTable);
            c.pickGiven();
            const std::size_t first = drawnCell(*c.given);
            c.pickGiven();
            const std::size_t second = drawnCell(*c.given);
            surnameFirst.add(surname, first);
            firstSecond.add(first, second);
        }
        EXPECT_GE(uniformFitPValue(surnameFirst.counts), alarmLevel / checks)
            << c.sex << ": surname x first given, chi-square "
            << uniformChiSquare(surnameFirst.counts);
        EXPECT_GE(uniformFitPValue(firstSecond.counts), alarmLevel / checks)
            << c.sex << ": first x second given, chi-square "
            << uniformChiSquare(firstSecond.counts);
    }
}

// On a fixed clock the seeds of a run depend only on where it starts, so these tests pass or fail
// for good; they pin down the generator's mixing of the seed sequences the real clock produces.
using FixedClockStatistics = FixedClockTest;

// Every pick of a long run in one millisecond: after a few reseeds the seeds settle 256 apart.
TEST_F(FixedClockStatistics, EveryTableDrawsItsRowsUniformlyWithTheClockStopped) {
    fixedTickValue = 0x5EED'0000u;
    expectUniformRows([] {});
}

// The clock moves on by 1 to 1000 ms before each pick, as between clicks: seeds 100 to 355 apart
// plus the jump, first draws after reseeds from every phase of the counter.
TEST_F(FixedClockStatistics, EveryTableDrawsItsRowsUniformlyWhenTheClockJumps) {
    std::minstd_rand jumps(12345);
    expectUniformRows(
        [&jumps] { fixedTickValue += static_cast<std::uint32_t>(jumps() % 1000u) + 1u; });
}

// The same pairs with the clock stopped: the picks of a weapon come from seeds 256 apart.
TEST_F(FixedClockStatistics, SuccessivePicksOfOneWeaponAreIndependentWithTheClockStopped) {
    fixedTickValue = 0x5EED'0000u;
    expectIndependentWeaponParts();
}

// The p-values themselves, against quantiles of the chi-square distribution and exact values.
TEST(ChiSquareUpperTail, MatchesKnownValues) {
    struct Case {
        std::int64_t degrees;
        double statistic;
        double p;          // the upper tail, computed to 30 digits elsewhere
        double tolerance;  // relative
    };
    const Case cases[] = {
        // Table quantiles, rounded to three decimals, hence the loose tolerance.
        {1, 3.841, 0.05, 1e-3},
        {4, 9.488, 0.05, 1e-3},
        {10, 23.209, 0.01, 1e-3},
        {100, 135.807, 0.01, 1e-3},
        {1000, 1106.969, 0.01, 1e-3},
        // Exact tails, on both sides of x = a + 1 where the expansion changes.
        {2, 27.631021115928547, 1e-6, 1e-10},  // exp(-x / 2)
        {1, 23.928, 1.00006595810368623e-6, 1e-9},
        {3, 0.01, 0.999734834941344390, 1e-12},
        {50, 10.0, 0.99999999984004136, 1e-12},
        {43, 80.0, 5.22926477524697353e-4, 1e-9},
        {129, 200.0, 6.17827680779887720e-5, 1e-9},
        {16899, 16899.0, 0.498553316289342765, 1e-9},
        {16899, 17800.0, 7.17571349465323980e-7, 1e-8},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(chiSquareUpperTail(c.statistic, c.degrees), c.p, c.p * c.tolerance)
            << c.degrees << " degrees, statistic " << c.statistic;
    }
    EXPECT_EQ(chiSquareUpperTail(0.0, 7), 1.0);
    EXPECT_THROW(chiSquareUpperTail(1.0, 0), std::domain_error);
    EXPECT_THROW(chiSquareUpperTail(-1.0, 3), std::domain_error);
}

TEST(ChiSquareUpperTail, UniformFitAndBinomialTestsReadTheirCounts) {
    const std::int64_t even[] = {250, 250, 250, 250};
    EXPECT_EQ(uniformChiSquare(even), 0.0);
    EXPECT_EQ(uniformFitPValue(even), 1.0);
    // Expectation 25 each: (10^2 + 10^2) / 25 = 8 on one degree of freedom.
    const std::int64_t skewed[] = {35, 15};
    EXPECT_DOUBLE_EQ(uniformChiSquare(skewed), 8.0);
    EXPECT_NEAR(uniformFitPValue(skewed), 4.677734981047266e-3, 1e-12);
    // z = (5200 - 5000) / 50 = 4 either way.
    EXPECT_NEAR(binomialTwoSidedPValue(5200, 10'000, 0.5), 6.334248366623996e-5, 1e-15);
    EXPECT_NEAR(binomialTwoSidedPValue(4800, 10'000, 0.5), 6.334248366623996e-5, 1e-15);
    EXPECT_EQ(binomialTwoSidedPValue(5000, 10'000, 0.5), 1.0);
}
