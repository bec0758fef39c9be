// The table pick family, its clock and its random source.
#include "generators/table_pick.h"

#include <time.h>

#include "generators/word_tables.h"

namespace {

// SplitMix64: reseeding is a plain store, and its output function is a full-avalanche mix, so the
// first output after a reseed is well spread even for seeds that differ by only 100 to 355.
std::uint64_t generatorState = 0;

void reseedGenerator(std::uint32_t seed) { generatorState = seed; }

std::uint64_t nextRandom() {
    std::uint64_t z = (generatorState += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

void pickInto(WordTable table, std::string_view& slot) {
    reseedFromClock();
    const std::int32_t k = drawInRange(1, static_cast<std::int32_t>(table.size()));
    lastDraw = k;
    slot = table[static_cast<std::size_t>(k - 1)];
}

}  // namespace

std::uint32_t systemTick() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
    return static_cast<std::uint32_t>(ms);
}

TickSource tickSource = systemTick;

void reseedFromClock() {
    const std::uint32_t seed = tickSource() + seedCounter;
    seedCounter = seedCounter + seed % 256u + 100u;
    reseedGenerator(seed);
}

std::int32_t drawInRange(std::int32_t low, std::int32_t high) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
    return static_cast<std::int32_t>(low + static_cast<std::int64_t>(nextRandom() % span));
}

void pickRace() { pickInto(raceTable, raceSlot); }
void pickRank() { pickInto(rankTable, rankSlot); }
void pickEpithet() { pickInto(epithetTable, epithetSlot); }
void pickWeaponKind() { pickInto(weaponKindTable, weaponKindSlot); }
void pickTechniqueKind() { pickInto(techniqueKindTable, techniqueKindSlot); }
void pickSurname() { pickInto(surnameTable, surnameSlot); }
void pickCompoundSurname() { pickInto(compoundSurnameTable, compoundSurnameSlot); }
void pickMaleChar() { pickInto(maleCharTable, maleCharSlot); }
void pickFemaleChar() { pickInto(femaleCharTable, femaleCharSlot); }
