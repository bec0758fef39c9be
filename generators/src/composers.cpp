// Weapon, technique and personal names. Every join is plain byte concatenation.
#include "generators/composers.h"

#include <string_view>

#include "generators/table_pick.h"

namespace {

// A new text made of a followed by b, then stored in target (replacing what it held).
void storeJoined(std::string& target, std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    target = std::move(joined);
}

void storeJoined(std::string& target, std::string_view a, std::string_view b, std::string_view c,
                 std::string_view d) {
    std::string joined;
    joined.reserve(a.size() + b.size() + c.size() + d.size());
    joined.append(a).append(b).append(c).append(d);
    target = std::move(joined);
}

void pickGivenChar(NameSex sex) {
    if (sex == NameSex::male) {
        pickMaleChar();
    } else {
        pickFemaleChar();
    }
}

std::string_view givenCharSlot(NameSex sex) {
    return sex == NameSex::male ? maleCharSlot : femaleCharSlot;
}

// The given characters after the surname: one for twoChar, two for the other modes. The second
// is joined onto nameResult.
void addGivenChars(NameSex sex, NameMode mode, std::string_view surname) {
    pickGivenChar(sex);
    storeJoined(nameResult, surname, givenCharSlot(sex));
    if (mode != NameMode::twoChar) {
        pickGivenChar(sex);
        storeJoined(nameResult, nameResult, givenCharSlot(sex));
    }
}

}  // namespace

const std::string& composeWeapon() {
    pickRace();
    pickRank();
    pickEpithet();
    pickWeaponKind();
    storeJoined(weaponResult, raceSlot, rankSlot, epithetSlot, weaponKindSlot);
    return weaponResult;
}

const std::string& composeTechnique() {
    pickRace();
    pickRank();
    pickEpithet();
    pickTechniqueKind();
    storeJoined(techniqueResult, raceSlot, rankSlot, epithetSlot, techniqueKindSlot);
    return techniqueResult;
}

const std::string& composeRandomName(NameSex sex, NameMode mode) {
    if (mode == NameMode::compound) {
        pickCompoundSurname();
        addGivenChars(sex, mode, compoundSurnameSlot);
    } else {
        pickSurname();
        addGivenChars(sex, mode, surnameSlot);
    }
    return nameResult;
}

const std::string& composeCustomName(NameSex sex, NameMode mode) {
    addGivenChars(sex, mode, customSurname);
    return nameResult;
}
