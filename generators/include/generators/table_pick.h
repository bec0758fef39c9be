// The table pick: reseed from the millisecond clock, draw a row uniformly, store it in a slot.
#pragma once

#include <cstdint>
#include <string_view>

// Milliseconds since the system started, as an unsigned 32-bit number that wraps around.
using TickSource = std::uint32_t (*)();

// The clock that every reseed reads. It is systemTick unless a test puts a fixed clock here.
extern TickSource tickSource;

// Milliseconds since boot (suspended time included), wrapping at 2^32.
std::uint32_t systemTick();

// Advanced by every reseed by 100 to 355, modulo 2^32. 0 at program start.
extern std::uint32_t seedCounter;

// The row number drawn by the last pick of any table. 0 at program start.
extern std::int32_t lastDraw;

// One slot per word table: the text of the row that the last pick of that table drew. Empty at
// program start. A slot refers to the constant table entry; it owns nothing.
extern std::string_view raceSlot;
extern std::string_view rankSlot;
extern std::string_view epithetSlot;
extern std::string_view weaponKindSlot;
extern std::string_view techniqueKindSlot;
extern std::string_view surnameSlot;
extern std::string_view compoundSurnameSlot;
extern std::string_view maleCharSlot;
extern std::string_view femaleCharSlot;

// Reseeds the generator with tick + seedCounter (mod 2^32) and advances seedCounter by
// (seed mod 256) + 100.
void reseedFromClock();

// The generator's next output r, as low + (r mod (high - low + 1)). Needs low <= high.
std::int32_t drawInRange(std::int32_t low, std::int32_t high);

// The nine picks. Each reseeds, draws a row k from 1 to N of its table, stores k in lastDraw and
// row k's text in its own slot; nothing else changes.
void pickRace();
void pickRank();
void pickEpithet();
void pickWeaponKind();
void pickTechniqueKind();
void pickSurname();
void pickCompoundSurname();
void pickMaleChar();
void pickFemaleChar();
