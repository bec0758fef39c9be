// Pages 1 and 2 end to end: result lines byte by byte, newest on top, old text intact, modes.
#include "app/handlers.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QTest>
#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window.h"
#include "gbk.h"
#include "generator_state.h"
#include "generators/composers.h"
#include "generators/table_pick.h"
#include "generators/word_tables.h"
#include "platform/runtime_access.h"
#include "table_text.h"
#include "window_driver.h"

namespace {

const std::string crLf = "\r\n";
const std::string weaponLabel = "\xCE\xE4\xC6\xF7\xA3\xBA";     // 武器：
const std::string techniqueLabel = "\xB9\xA6\xB7\xA8\xA3\xBA";  // 功法：
const std::string maleLabel = "\xC4\xD0\xC3\xFB\xA3\xBA";       // 男名：
const std::string femaleLabel = "\xC5\xAE\xC3\xFB\xA3\xBA";     // 女名：

// A result box holds GB18030: the same bytes as GBK for GBK characters, four bytes for the rest,
// and GBK's one byte 0x80 for the euro sign, which GB18030 gives two.
std::string utf8ToGb18030(std::string_view utf8) {
    const std::string_view euro = "€";
    if (const std::size_t at = utf8.find(euro); at != std::string_view::npos) {
        return utf8ToGb18030(utf8.substr(0, at)) + '\x80' +
               utf8ToGb18030(utf8.substr(at + euro.size()));
    }
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string output(utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    EXPECT_NE(iconv(cd, &in, &inLeft, &out, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    output.resize(output.size() - outLeft);
    return output;
}

// The window with the clock fixed, so that a replay of the composers from program-start state
// gives exactly the names that the clicks produced.
class ResultPages : public MainWindowTest {
protected:
    void SetUp() override {
        fixedTickValue = 4'020'117u;
        tickSource = fixedTick;
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        tickSource = systemTick;
    }
};

}  // namespace

TEST_F(ResultPages, StartsWithThreeCharModesAndEmptyBoxes) {
    EXPECT_EQ(currentPage(), 1);
    EXPECT_FALSE(isChecked(单选框1));
    EXPECT_TRUE(isChecked(单选框3));
    EXPECT_FALSE(isChecked(单选框2));
    EXPECT_TRUE(isChecked(单选框4));
    EXPECT_FALSE(isChecked(单选框5));
    EXPECT_FALSE(isChecked(单选框6));
    EXPECT_TRUE(isDisabled(单选框6));
    for (ControlNumber box : {编辑框1, 编辑框2, 编辑框3, 编辑框4}) {
        EXPECT_EQ(textOf(box), "");
    }
}

TEST_F(ResultPages, FirstWeaponOrTechniqueIntoTheEmptyBoxIsLabelNameAndCrLf) {
    struct Case {
        ControlNumber button;
        std::string labelHex;
        const std::string& (*compose)();
        WordTable kindTable;
    };
    const Case cases[] = {
        {按钮1, "CE E4 C6 F7 A3 BA", composeWeapon, weaponKindTable},
        {按钮2, "B9 A6 B7 A8 A3 BA", composeTechnique, techniqueKindTable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labelHex);
        setTextOf(编辑框1, "");
        resetGeneratorState();
        clickControl(c.button);
        const std::string box = textOf(编辑框1);
        ASSERT_EQ(box.size(), 18u) << hexBytes(box);
        EXPECT_EQ(hexBytes(box.substr(0, 6)), c.labelHex);
        EXPECT_EQ(hexBytes(box.substr(16)), "0D 0A");
        const std::string_view name = std::string_view(box).substr(6, 10);
        EXPECT_TRUE(inTable(raceTable, name.substr(0, 2)));
        EXPECT_TRUE(inTable(rankTable, name.substr(2, 2)));
        EXPECT_TRUE(inTable(epithetTable, name.substr(4, 4)));
        EXPECT_TRUE(inTable(c.kindTable, name.substr(8, 2)));
        resetGeneratorState();
        EXPECT_EQ(name, c.compose()) << "the name that the composer gives from the same state";
        EXPECT_EQ(textOf(编辑框2), "");
    }
}

TEST_F(ResultPages, EveryResultGoesOnTopSoTheBoxListsThemNewestFirst) {
    const ControlNumber clicks[] = {按钮1, 按钮2, 按钮2, 按钮1, 按钮1, 按钮2};
    std::string before;
    for (ControlNumber button : clicks) {
        clickControl(button);
        const std::string after = textOf(编辑框1);
        ASSERT_EQ(after.size(), before.size() + 18);
        EXPECT_EQ(after.substr(18), before) << "the old text stays below, untouched";
        before = after;
    }
    resetGeneratorState();
    std::string expected;
    for (ControlNumber button : clicks) {
        const bool weapon = button == 按钮1;
        const std::string name = weapon ? composeWeapon() : composeTechnique();
        expected = (weapon ? weaponLabel : techniqueLabel) + name + crLf + expected;
    }
    EXPECT_EQ(hexBytes(textOf(编辑框1)), hexBytes(expected));
    EXPECT_EQ(linesOf(textOf(编辑框1)).size(), std::size(clicks));
}

// Text that the user typed stays byte for byte below the new lines, also characters that GBK
// cannot hold (they come back as GB18030 four-byte sequences, not as '?').
TEST_F(ResultPages, UserTypedTextStaysIntactBelowNewLines) {
    struct Case {
        ControlNumber box;
        ControlNumber button;
        int page;
        std::vector<std::string> typedLines;  // typed with Return between them
        std::string label;
    };
    const Case cases[] = {
        {编辑框1, 按钮1, 1, {"我的草稿 draft"}, weaponLabel},
        {编辑框1, 按钮2, 1, {"表情😀", "古字𠀀与€"}, techniqueLabel},
        {编辑框2, 按钮3, 2, {"第一行", "", "😀 end"}, maleLabel},
        {编辑框2, 按钮4, 2, {"𠀀"}, femaleLabel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typedLines.front());
        clickTab(c.page);
        setTextOf(c.box, "");
        clickControl(c.box);
        std::string typed;
        for (std::size_t i = 0; i < c.typedLines.size(); ++i) {
            if (i > 0) {
                pressKey(Qt::Key_Return);
                typed += "\r\n";
            }
            typeText(QString::fromUtf8(c.typedLines[i]));
            typed += c.typedLines[i];
        }
        const std::string old = utf8ToGb18030(typed);
        ASSERT_EQ(hexBytes(textOf(c.box)), hexBytes(old)) << "the box holds what was typed";

        clickControl(c.button);
        clickControl(c.button);
        const std::string box = textOf(c.box);
        ASSERT_GT(box.size(), old.size());
        EXPECT_EQ(hexBytes(box.substr(box.size() - old.size())), hexBytes(old));
        const std::vector<std::string> lines = linesOf(box.substr(0, box.size() - old.size()));
        ASSERT_EQ(lines.size(), 2u);
        for (const std::string& line : lines) {
            EXPECT_EQ(line.substr(0, 6), c.label);
        }
        clickControl(c.button);
        const std::string third = textOf(c.box);
        EXPECT_EQ(third.substr(third.size() - box.size()), box);
    }
}

namespace {

// Which of page 2's modes are checked, and the sex of the button pressed.
struct ModeCase {
    bool twoChar;
    bool threeChar;
    bool compound;
    bool female;
};

std::string modeCaseName(const ::testing::TestParamInfo<ModeCase>& info) {
    const ModeCase& c = info.param;
    std::string name = c.female ? "Female" : "Male";
    name += c.twoChar ? "_Two" : "";
    name += c.threeChar ? "_Three" : "";
    name += c.compound ? "_Compound" : "";
    return c.twoChar || c.threeChar || c.compound ? name : name + "_None";
}

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << "two " << c.twoChar << " three " << c.threeChar << " compound " << c.compound
        << (c.female ? " female" : " male");
}

std::vector<ModeCase> allModeCases() {
    std::vector<ModeCase> cases;
    for (int bits = 0; bits < 16; ++bits) {
        cases.push_back({(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0});
    }
    return cases;
}

class RandomNameModes : public ResultPages, public ::testing::WithParamInterface<ModeCase> {};

}  // namespace

// One name per checked mode, tested in the order 二字名, 三字名, 复姓, each put on top: with
// all three checked the compound name ends up first. The modes are set by program writes.
TEST_P(RandomNameModes, OneLinePerCheckedModeAboveTheOldText) {
    const ModeCase& c = GetParam();
    clickTab(2);
    setChecked(单选框1, c.twoChar);
    setChecked(单选框3, c.threeChar);
    setChecked(单选框2, c.compound);
    ASSERT_EQ(isChecked(单选框1), c.twoChar);
    ASSERT_EQ(isChecked(单选框3), c.threeChar);
    ASSERT_EQ(isChecked(单选框2), c.compound);
    const std::string old = utf8ToGbk("上一次的名字\r\n");
    setTextOf(编辑框2, old);

    clickControl(c.female ? 按钮4 : 按钮3);
    const std::string box = textOf(编辑框2);
    EXPECT_EQ(isChecked(单选框1), c.twoChar) << "a click leaves the modes as they were";
    EXPECT_EQ(isChecked(单选框3), c.threeChar);
    EXPECT_EQ(isChecked(单选框2), c.compound);
    EXPECT_EQ(textOf(编辑框1), "");
    EXPECT_EQ(textOf(编辑框3), "");
    ASSERT_GE(box.size(), old.size());
    EXPECT_EQ(box.substr(box.size() - old.size()), old);

    // The lines, top first, against their shapes and tables.
    struct Expected {
        NameMode mode;
        std::size_t size;
    };
    std::vector<Expected> expectedTopFirst;
    if (c.compound)
        expectedTopFirst.push_back({NameMode::compound, 8});
    if (c.threeChar)
        expectedTopFirst.push_back({NameMode::threeChar, 6});
    if (c.twoChar)
        expectedTopFirst.push_back({NameMode::twoChar, 4});
    const std::vector<std::string> lines = linesOf(box.substr(0, box.size() - old.size()));
    ASSERT_EQ(lines.size(), expectedTopFirst.size());
    const WordTable& given = c.female ? femaleCharTable : maleCharTable;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string& line = lines[i];
        ASSERT_EQ(line.size(), 6 + expectedTopFirst[i].size) << hexBytes(line);
        EXPECT_EQ(line.substr(0, 6), c.female ? femaleLabel : maleLabel);
        const std::string_view name = std::string_view(line).substr(6);
        const bool compound = expectedTopFirst[i].mode == NameMode::compound;
        const std::size_t surname = compound ? 4 : 2;
        EXPECT_TRUE(
            inTable(compound ? compoundSurnameTable : surnameTable, name.substr(0, surname)));
        for (std::size_t at = surname; at < name.size(); at += 2) {
            EXPECT_TRUE(inTable(given, name.substr(at, 2))) << at;
        }
    }

    if (lines.empty()) {
        EXPECT_EQ(seedCounter, 0u) << "nothing was drawn";
    }

    // Exactly the names that the composers give from the same state, in the tested order.
    resetGeneratorState();
    std::string expected = old;
    const NameSex sex = c.female ? NameSex::female : NameSex::male;
    const std::string& label = c.female ? femaleLabel : maleLabel;
    for (const auto& [checked, mode] :
         {std::pair{c.twoChar, NameMode::twoChar}, std::pair{c.threeChar, NameMode::threeChar},
          std::pair{c.compound, NameMode::compound}}) {
        if (checked) {
            expected = label + composeRandomName(sex, mode) + crLf + expected;
        }
    }
    EXPECT_EQ(hexBytes(box), hexBytes(expected));
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, RandomNameModes, ::testing::ValuesIn(allModeCases()),
                         modeCaseName);

TEST_F(ResultPages, RadiosOfPagesTwoAndThreeNeverAffectEachOther) {
    const std::string surname = utf8ToGbk("李a");
    setTextOf(编辑框4, surname);
    const auto pageTwo = [] {
        return std::tuple{isChecked(单选框1), isChecked(单选框3), isChecked(单选框2)};
    };
    const auto pageThree = [] {
        return std::tuple{isChecked(单选框4), isChecked(单选框5), isChecked(单选框6)};
    };

    clickTab(2);
    clickControl(单选框1);
    EXPECT_EQ(pageTwo(), std::tuple(true, false, false));
    EXPECT_EQ(pageThree(), std::tuple(true, false, false));
    pressKey(Qt::Key_Down);  // onto 复姓
    EXPECT_EQ(pageTwo(), std::tuple(false, false, true));
    EXPECT_EQ(pageThree(), std::tuple(true, false, false));
    EXPECT_EQ(textOf(编辑框4), surname) << "page 2's radios do not run page 3's mode rule";

    clickTab(3);
    clickControl(单选框5);
    EXPECT_EQ(pageThree(), std::tuple(false, true, false));
    EXPECT_EQ(pageTwo(), std::tuple(false, false, true));
    pressKey(Qt::Key_Up);
    EXPECT_EQ(pageThree(), std::tuple(true, false, false));
    EXPECT_EQ(pageTwo(), std::tuple(false, false, true));

    clickTab(2);
    clickControl(按钮3);
    const std::vector<std::string> lines = linesOf(textOf(编辑框2));
    ASSERT_EQ(lines.size(), 1u) << "only page 2's compound mode is checked";
    EXPECT_EQ(lines[0].size(), 6u + 8u);
    EXPECT_EQ(textOf(编辑框3), "");
}

TEST_F(ResultPages, EnterOnAPageTwoRadioPressesNoButton) {
    clickTab(2);
    for (ControlNumber radio : {单选框1, 单选框3, 单选框2}) {
        clickControl(radio);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            pressKey(key);
            EXPECT_EQ(textOf(编辑框2), "");
            EXPECT_TRUE(isChecked(radio));
        }
    }
    EXPECT_EQ(textOf(编辑框1), "");
    EXPECT_EQ(textOf(编辑框3), "");
}
