// Weapon, technique and personal names: the joins, the shapes and the tables they draw from.
#include "generators/composers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gbk.h"
#include "generator_state.h"
#include "generators/table_pick.h"
#include "generators/word_tables.h"
#include "table_text.h"

namespace {

// Rows k (1-based) of the tables that the composer read, by the slots it left.
std::size_t rowOf(const WordTable& table, std::string_view slot) {
    return static_cast<std::size_t>(std::find(table.begin(), table.end(), slot) - table.begin()) +
           1;
}

// Searches the fixed clock for a tick at which compose() draws the given rows; the state is reset
// before each try, as at program start.
template <class Compose, class Matches>
bool findTick(Compose compose, Matches matches) {
    for (std::uint32_t tick = 0; tick < 2'000'000; ++tick) {
        resetGeneratorState();
        fixedTickValue = tick;
        compose();
        if (matches()) {
            return true;
        }
    }
    return false;
}

}  // namespace

using Composers = FixedClockTest;

TEST_F(Composers, WeaponJoinsRaceRankEpithetAndKindInThatOrder) {
    ASSERT_TRUE(findTick(composeWeapon, [] {
        return rowOf(raceTable, raceSlot) == 3 && rowOf(rankTable, rankSlot) == 3 &&
               rowOf(epithetTable, epithetSlot) == 19 &&
               rowOf(weaponKindTable, weaponKindSlot) == 10;
    }));
    EXPECT_EQ(weaponResult, utf8ToGbk("仙帝轮回剑"));
    EXPECT_TRUE(techniqueResult.empty());
}

TEST_F(Composers, TechniqueJoinsRaceRankEpithetAndTechniqueKind) {
    ASSERT_TRUE(findTick(composeTechnique, [] {
        return rowOf(raceTable, raceSlot) == 1 && rowOf(rankTable, rankSlot) == 1 &&
               rowOf(epithetTable, epithetSlot) == 1 &&
               rowOf(techniqueKindTable, techniqueKindSlot) == 1;
    }));
    EXPECT_EQ(techniqueResult, utf8ToGbk("人王混沌经"));
    EXPECT_TRUE(weaponResult.empty());
}

TEST_F(Composers, WeaponAndTechniqueNamesHaveFiveCharactersFromTheirTables) {
    for (std::uint32_t tick = 0; tick < 3000; ++tick) {
        fixedTickValue = tick * 31u;
        const std::string weapon = composeWeapon();
        ASSERT_EQ(weapon.size(), 10u);
        EXPECT_EQ(weapon, weaponResult);
        EXPECT_TRUE(inTable(raceTable, std::string_view(weapon).substr(0, 2)));
        EXPECT_TRUE(inTable(rankTable, std::string_view(weapon).substr(2, 2)));
        EXPECT_TRUE(inTable(epithetTable, std::string_view(weapon).substr(4, 4)));
        EXPECT_TRUE(inTable(weaponKindTable, std::string_view(weapon).substr(8, 2)));

        const std::string technique = composeTechnique();
        ASSERT_EQ(technique.size(), 10u);
        EXPECT_EQ(technique, techniqueResult);
        EXPECT_EQ(weaponResult, weapon) << "a technique leaves the weapon name alone";
        EXPECT_TRUE(inTable(techniqueKindTable, std::string_view(technique).substr(8, 2)));
        EXPECT_EQ(std::string_view(technique).substr(0, 8),
                  std::string(raceSlot) + std::string(rankSlot) + std::string(epithetSlot));
    }
}

TEST_F(Composers, FirstNamesAfterStartUpAreWhole) {
    EXPECT_EQ(composeWeapon().size(), 10u);
    resetGeneratorState();
    EXPECT_EQ(composeTechnique().size(), 10u);
    resetGeneratorState();
    EXPECT_EQ(composeRandomName(NameSex::female, NameMode::twoChar).size(), 4u);
}

TEST_F(Composers, RandomNamesHaveTheShapeOfTheirModeAndSex) {
    struct Case {
        NameSex sex;
        NameMode mode;
        std::size_t bytes;
        std::size_t surnameBytes;
    };
    const Case cases[] = {
        {NameSex::male, NameMode::twoChar, 4, 2},     {NameSex::male, NameMode::threeChar, 6, 2},
        {NameSex::male, NameMode::compound, 8, 4},    {NameSex::female, NameMode::twoChar, 4, 2},
        {NameSex::female, NameMode::threeChar, 6, 2}, {NameSex::female, NameMode::compound, 8, 4},
    };
    for (const Case& c : cases) {
        const WordTable& given = c.sex == NameSex::male ? maleCharTable : femaleCharTable;
        const WordTable& surnames = c.surnameBytes == 4 ? compoundSurnameTable : surnameTable;
        for (std::uint32_t tick = 0; tick < 2000; ++tick) {
            fixedTickValue = tick * 17u;
            const std::string name = composeRandomName(c.sex, c.mode);
            ASSERT_EQ(name.size(), c.bytes);
            ASSERT_EQ(name, nameResult);
            const std::string_view view(name);
            EXPECT_TRUE(inTable(surnames, view.substr(0, c.surnameBytes)));
            for (std::size_t at = c.surnameBytes; at < c.bytes; at += 2) {
                EXPECT_TRUE(inTable(given, view.substr(at, 2))) << hexBytes(name);
            }
            // The given-character slot holds the last character of the name.
            EXPECT_EQ(view.substr(c.bytes - 2),
                      c.sex == NameSex::male ? maleCharSlot : femaleCharSlot);
        }
    }
}

TEST_F(Composers, MaleAndFemaleNamesNeverBorrowTheOtherSexsCharacters) {
    // Characters that stand in only one of the two given-character tables.
    const auto onlyIn = [](const WordTable& table, const WordTable& other) {
        std::vector<std::string_view> only;
        for (const std::string_view text : table) {
            if (!inTable(other, text)) {
                only.push_back(text);
            }
        }
        return only;
    };
    const auto femaleOnly = onlyIn(femaleCharTable, maleCharTable);
    const auto maleOnly = onlyIn(maleCharTable, femaleCharTable);
    for (std::uint32_t tick = 0; tick < 5000; ++tick) {
        fixedTickValue = tick;
        const std::string male = composeRandomName(NameSex::male, NameMode::threeChar);
        const std::string female = composeRandomName(NameSex::female, NameMode::threeChar);
        for (std::size_t at = 2; at < 6; at += 2) {
            EXPECT_TRUE(std::find(femaleOnly.begin(), femaleOnly.end(), male.substr(at, 2)) ==
                        femaleOnly.end());
            EXPECT_TRUE(std::find(maleOnly.begin(), maleOnly.end(), female.substr(at, 2)) ==
                        maleOnly.end());
        }
    }
}

TEST_F(Composers, CustomNamesStartWithTheSurnameByteForByte) {
    struct Case {
        const char* surname;
        NameMode mode;
        std::size_t addedBytes;
    };
    const Case cases[] = {
        {"李", NameMode::twoChar, 2},       {"李", NameMode::threeChar, 4},
        {"欧阳", NameMode::compound, 4},    {"欧阳", NameMode::twoChar, 2},
        {"司马相", NameMode::threeChar, 4},  // three characters in threeChar: five in all
        {"  ", NameMode::twoChar, 2},       {"a", NameMode::compound, 4},
    };
    for (const Case& c : cases) {
        for (const NameSex sex : {NameSex::male, NameSex::female}) {
            const WordTable& given = sex == NameSex::male ? maleCharTable : femaleCharTable;
            customSurname = utf8ToGbk(c.surname);
            for (std::uint32_t tick = 0; tick < 200; ++tick) {
                fixedTickValue = tick * 101u;
                const std::string name = composeCustomName(sex, c.mode);
                ASSERT_EQ(name.size(), customSurname.size() + c.addedBytes) << c.surname;
                EXPECT_EQ(name.compare(0, customSurname.size(), customSurname), 0);
                for (std::size_t at = customSurname.size(); at < name.size(); at += 2) {
                    EXPECT_TRUE(inTable(given, std::string_view(name).substr(at, 2)));
                }
            }
        }
    }
    customSurname = utf8ToGbk("司马相");
    EXPECT_EQ(gbkToUtf8(composeCustomName(NameSex::male, NameMode::threeChar)).size(), 5u * 3u);
}

TEST_F(Composers, CustomThreeCharAndCompoundDrawAlike) {
    customSurname = utf8ToGbk("欧阳");
    for (std::uint32_t tick = 0; tick < 500; ++tick) {
        resetGeneratorState();
        customSurname = utf8ToGbk("欧阳");
        fixedTickValue = tick;
        const std::string three = composeCustomName(NameSex::female, NameMode::threeChar);
        resetGeneratorState();
        customSurname = utf8ToGbk("欧阳");
        const std::string compound = composeCustomName(NameSex::female, NameMode::compound);
        ASSERT_EQ(three, compound);
    }
}

TEST_F(Composers, TheLatestNameOfEitherKindIsTheResult) {
    customSurname = utf8ToGbk("欧阳");
    const std::string custom = composeCustomName(NameSex::male, NameMode::compound);
    EXPECT_EQ(nameResult, custom);
    fixedTickValue = 99;
    const std::string random = composeRandomName(NameSex::female, NameMode::twoChar);
    EXPECT_EQ(nameResult, random);
    EXPECT_EQ(nameResult.size(), 4u);
    EXPECT_EQ(customSurname, utf8ToGbk("欧阳")) << "the composer never changes the surname";
}
