// Weapon, technique and personal names, composed from table picks.
#pragma once

#include <string>

enum class NameSex { male, female };
enum class NameMode { twoChar, threeChar, compound };

// The composed texts (GBK), each owned by its variable. Empty at program start.
extern std::string weaponResult;     // the weapon name composed last
extern std::string techniqueResult;  // the technique name composed last
extern std::string nameResult;       // the personal name composed last, of either kind and sex
// The surname of the last custom request; the custom-names page stores it before it calls
// composeCustomName, which joins it unchanged whatever its length.
extern std::string customSurname;

// Race, rank, epithet and weapon kind, joined (10 bytes). Stored in weaponResult and returned.
const std::string& composeWeapon();

// Race, rank, epithet and technique kind, joined (10 bytes). Stored in techniqueResult.
const std::string& composeTechnique();

// A drawn surname (single for twoChar and threeChar, compound for compound) followed by one
// (twoChar) or two given characters of the sex. Stored in nameResult and returned.
const std::string& composeRandomName(NameSex sex, NameMode mode);

// customSurname followed by one (twoChar) or two (threeChar, compound) given characters of the
// sex. Stored in nameResult and returned.
const std::string& composeCustomName(NameSex sex, NameMode mode);
