// Costs of the table picks and the composers on the real clock, against the clock read itself.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "generators/composers.h"
#include "generators/table_pick.h"
#include "generators/word_tables.h"

namespace {

// SplitMix64's output function on x, the mix a pick applies once after its clock read: clock
// read plus this is the floor for what one pick can cost.
std::uint64_t splitMix64(std::uint64_t x) {
    std::uint64_t z = x + 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

void BM_reference_clockRead(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(systemTick());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_reference_clockReadAndHash(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(splitMix64(systemTick()));
    }
    state.SetItemsProcessed(state.iterations());
}

// One pick of one table per iteration; items are picks.
void BM_pick(benchmark::State& state, void (*pick)()) {
    tickSource = systemTick;
    for (auto _ : state) {
        pick();
        benchmark::DoNotOptimize(lastDraw);
    }
    state.SetItemsProcessed(state.iterations());
}

// One composed name per iteration; items are names.
template <class Compose>
void BM_compose(benchmark::State& state, Compose compose) {
    tickSource = systemTick;
    customSurname = std::string(surnameTable[0]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(compose().data());
    }
    state.SetItemsProcessed(state.iterations());
}

const char* modeName(NameMode mode) {
    switch (mode) {
        case NameMode::twoChar:
            return "twoChar";
        case NameMode::threeChar:
            return "threeChar";
        case NameMode::compound:
            return "compound";
    }
    return "?";
}

}  // namespace

BENCHMARK(BM_reference_clockRead)->Name("BM_reference/clockRead");
BENCHMARK(BM_reference_clockReadAndHash)->Name("BM_reference/clockReadAndHash");

BENCHMARK_CAPTURE(BM_pick, race, pickRace);
BENCHMARK_CAPTURE(BM_pick, rank, pickRank);
BENCHMARK_CAPTURE(BM_pick, epithet, pickEpithet);
BENCHMARK_CAPTURE(BM_pick, weaponKind, pickWeaponKind);
BENCHMARK_CAPTURE(BM_pick, techniqueKind, pickTechniqueKind);
BENCHMARK_CAPTURE(BM_pick, surname, pickSurname);
BENCHMARK_CAPTURE(BM_pick, compoundSurname, pickCompoundSurname);
BENCHMARK_CAPTURE(BM_pick, maleChar, pickMaleChar);
BENCHMARK_CAPTURE(BM_pick, femaleChar, pickFemaleChar);

BENCHMARK_CAPTURE(BM_compose, weapon, composeWeapon)->Name("BM_composeWeapon");
BENCHMARK_CAPTURE(BM_compose, technique, composeTechnique)->Name("BM_composeTechnique");

namespace {

// BM_composeRandomName/<mode>/<sex>, then BM_composeCustomName/<mode>/<sex>.
const bool namesRegistered = [] {
    struct NameComposer {
        const char* name;
        const std::string& (*compose)(NameSex, NameMode);
    };
    for (const NameComposer composer : {NameComposer{"BM_composeRandomName", composeRandomName},
                                        NameComposer{"BM_composeCustomName", composeCustomName}}) {
        for (const NameMode mode : {NameMode::twoChar, NameMode::threeChar, NameMode::compound}) {
            for (const NameSex sex : {NameSex::male, NameSex::female}) {
                const std::string name = std::string(composer.name) + "/" + modeName(mode) +
                                         (sex == NameSex::male ? "/male" : "/female");
                benchmark::RegisterBenchmark(
                    name.c_str(), [compose = composer.compose, mode, sex](benchmark::State& state) {
                        BM_compose(state, [compose, mode, sex] { return compose(sex, mode); });
                    });
            }
        }
    }
    return true;
}();

}  // namespace
