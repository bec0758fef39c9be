// The nine constant word tables, held as GBK byte strings. Row k of a table is element k - 1.
#pragma once

#include <span>
#include <string_view>

// A constant, ordered list of GBK texts. A text may stand in several rows; each row is a
// candidate of its own.
using WordTable = std::span<const std::string_view>;

// Weapon and technique syllables.
extern const WordTable raceTable;           // 11 rows, one character each
extern const WordTable rankTable;           // 4 rows, one character each
extern const WordTable epithetTable;        // 26 rows, two characters each
extern const WordTable weaponKindTable;     // 26 rows, one character each
extern const WordTable techniqueKindTable;  // 4 rows, one character each

// Personal-name characters.
extern const WordTable surnameTable;          // 110 rows, one character each
extern const WordTable compoundSurnameTable;  // 82 rows, two characters each
extern const WordTable maleCharTable;         // 130 rows, one character each
extern const WordTable femaleCharTable;       // 130 rows, one character each
