// Page 3, names for a typed surname: the box, its mode radios and the two buttons, by real input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "gbk.h"
#include "generators/composers.h"
#include "generators/word_tables.h"
#include "table_text.h"
#include "window_driver.h"

namespace {

const std::string maleLabel = "\xC4\xD0\xC3\xFB\xA3\xBA";    // 男名：
const std::string femaleLabel = "\xC5\xAE\xC3\xFB\xA3\xBA";  // 女名：

// Puts the text into the surname box as the user does: a click into the box (which empties
// it), then the characters typed.
void enterSurname(const char* utf8) {
    clickControl(编辑框4);
    typeText(QString::fromUtf8(utf8));
}

void press(ControlNumber control) { clickControl(control); }
void key(Qt::Key k) { pressKey(k); }

// Press, release, double click, release: what a double click delivers on a real display.
void doubleClick(ControlNumber control) {
    QWidget* widget = widgetOf(control);
    const QPoint at = widget->rect().center();
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent second(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(widget, &second);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// One custom name as it must stand in 编辑框3.
struct Line {
    bool female;
    const char* surname;  // UTF-8
    std::size_t givenChars;
};

struct Case {
    const char* name;
    std::function<void()> act;    // on page 3, customSurname holding the marker
    const char* box;              // 编辑框4 afterwards, UTF-8
    std::array<bool, 3> checked;  // 二字名, 三字名, 复姓名
    bool compoundDisabled;
    std::vector<Line> lines;    // 编辑框3, top first
    const char* customSurname;  // UTF-8; nullptr: still the marker
};

constexpr const char* marker = "旧姓";
constexpr std::array<bool, 3> twoChar{true, false, false};
constexpr std::array<bool, 3> threeChar{false, true, false};
constexpr std::array<bool, 3> compound{false, false, true};
constexpr std::array<bool, 3> noMode{false, false, false};

// clang-format off
const Case cases[] = {
    // The buttons.
    {"EmptyBoxAddsNothing", [] { press(按钮5); press(按钮6); }, "", twoChar, true, {}, nullptr},
    {"OneCharSurnameTwoCharMale", [] { enterSurname("李"); press(按钮5); }, "李", twoChar, true,
     {{false, "李", 1}}, "李"},
    {"CompoundSurnameEnablesCompoundModeUnchecked", [] { enterSurname("欧阳"); }, "欧阳", twoChar,
     false, {}, nullptr},
    {"CompoundSurnameWithTwoCharFemale", [] { enterSurname("欧阳"); press(按钮6); }, "欧阳",
     twoChar, false, {{true, "欧阳", 1}}, "欧阳"},
    {"CompoundSurnameWithCompoundModeMale",
     [] { enterSurname("欧阳"); press(单选框6); press(按钮5); }, "欧阳", compound, false,
     {{false, "欧阳", 2}}, "欧阳"},
    {"BothButtonsAndBothModesInTurn",
     [] { enterSurname("欧阳"); press(按钮5); press(单选框6); press(按钮6); }, "欧阳", compound,
     false, {{true, "欧阳", 2}, {false, "欧阳", 1}}, "欧阳"},
    {"BackspaceFromFourBytesUnchecksAndDisablesCompound",
     [] {
         enterSurname("欧阳");
         press(单选框6);
         for (int i = 0; i < 3; ++i) key(Qt::Key_Backtab);  // back to the surname box
         key(Qt::Key_End);
         key(Qt::Key_Backspace);
         press(按钮5);
     },
     "欧", noMode, true, {}, "欧"},
    {"TwoBlanksAreASurname", [] { enterSurname("  "); press(按钮5); press(按钮6); }, "  ",
     twoChar, true, {{true, "  ", 1}, {false, "  ", 1}}, "  "},

    // 三字名 keeps a 2-byte surname and empties the box otherwise.
    {"ThreeCharAtOneByteEmpties", [] { enterSurname("a"); press(单选框5); press(按钮5); }, "",
     threeChar, true, {}, nullptr},
    {"ThreeCharAtTwoBytesKeeps", [] { enterSurname("李"); press(单选框5); press(按钮5); }, "李",
     threeChar, true, {{false, "李", 2}}, "李"},
    {"ThreeCharAtThreeBytesEmpties", [] { enterSurname("李a"); press(单选框5); press(按钮5); }, "",
     threeChar, true, {}, nullptr},
    {"ThreeCharAtFourBytesEmpties", [] { enterSurname("欧阳"); press(单选框5); press(按钮6); },
     "", threeChar, true, {}, nullptr},
    {"ThreeCharKeepsTwoLetters", [] { enterSurname("ab"); press(单选框5); press(按钮6); }, "ab",
     threeChar, true, {{true, "ab", 2}}, "ab"},
    {"ThreeCharKeepsTwoBlanks", [] { enterSurname("  "); press(单选框5); press(按钮5); }, "  ",
     threeChar, true, {{false, "  ", 2}}, "  "},
    {"SpaceOnThreeCharRunsTheRule",
     [] { enterSurname("李a"); key(Qt::Key_Tab); key(Qt::Key_Tab); key(Qt::Key_Space); }, "",
     threeChar, true, {}, nullptr},

    // 二字名 does the same.
    {"TwoCharWithEmptyBoxStaysEmpty", [] { press(单选框4); }, "", twoChar, true, {}, nullptr},
    {"TwoCharAfterThreeCharWithEmptyBox", [] { press(单选框5); press(单选框4); }, "", twoChar,
     true, {}, nullptr},
    {"TwoCharAtTwoBytesKeeps",
     [] { enterSurname("李"); press(单选框5); press(单选框4); press(按钮6); }, "李", twoChar, true,
     {{true, "李", 1}}, "李"},
    {"TwoCharAtThreeBytesEmpties", [] { enterSurname("李a"); press(单选框4); }, "", twoChar,
     true, {}, nullptr},
    {"TwoCharAtFourBytesEmptiesAndUnchecksCompound",
     [] { enterSurname("欧阳"); press(单选框6); press(单选框4); press(按钮5); }, "", twoChar,
     true, {}, nullptr},

    // A left-button release in the box empties it.
    {"ClickIntoTheBoxEmptiesIt", [] { enterSurname("欧阳"); press(编辑框4); }, "", twoChar, true,
     {}, nullptr},
    {"ClickIntoTheBoxUnchecksCompound",
     [] { enterSurname("欧阳"); press(单选框6); press(编辑框4); press(按钮5); }, "", noMode,
     true, {}, nullptr},
    {"DoubleClickIntoTheBoxEmptiesIt",
     [] { enterSurname("欧阳"); press(单选框6); doubleClick(编辑框4); }, "", noMode, true, {},
     nullptr},

    // Arrow keys move the check as a click does, and so run the rule.
    {"RightOntoThreeCharAtThreeBytesEmpties",
     [] { enterSurname("李a"); key(Qt::Key_Tab); key(Qt::Key_Right); }, "", threeChar, true, {},
     nullptr},
    {"DownOntoThreeCharAtTwoBytesKeeps",
     [] { enterSurname("李"); key(Qt::Key_Tab); key(Qt::Key_Down); press(按钮5); }, "李",
     threeChar, true, {{false, "李", 2}}, "李"},
    {"RightOntoThreeCharAtFourBytesEmpties",
     [] { enterSurname("欧阳"); key(Qt::Key_Tab); key(Qt::Key_Right); }, "", threeChar, true, {},
     nullptr},
    {"RightFromCompoundWrapsOntoTwoCharAndEmpties",
     [] { enterSurname("欧阳"); press(单选框6); key(Qt::Key_Right); }, "", twoChar, true, {},
     nullptr},
    {"LeftFromCompoundOntoThreeCharEmpties",
     [] { enterSurname("欧阳"); press(单选框6); key(Qt::Key_Left); }, "", threeChar, true, {},
     nullptr},
    {"LeftThenUpAtTwoLettersKeep",
     [] { enterSurname("ab"); press(单选框5); key(Qt::Key_Left); key(Qt::Key_Up); press(按钮5); },
     "ab", threeChar, true, {{false, "ab", 2}}, "ab"},

    // Enter presses no button, neither in the box nor on a radio.
    {"EnterInTheBoxOrOnARadioPressesNoButton",
     [] {
         enterSurname("李");
         key(Qt::Key_Return);
         key(Qt::Key_Enter);
         key(Qt::Key_Tab);
         key(Qt::Key_Return);
         key(Qt::Key_Enter);
     },
     "李", twoChar, true, {}, nullptr},
    {"EnterOnTheCompoundRadioPressesNoButton",
     [] { enterSurname("欧阳"); press(单选框6); key(Qt::Key_Return); key(Qt::Key_Enter); }, "欧阳",
     compound, false, {}, nullptr},

    // The user may not type more than 4 GBK bytes, nor a character that GBK lacks.
    {"TypingStopsAtFourBytes", [] { enterSurname("欧阳修"); }, "欧阳", twoChar, false, {},
     nullptr},
    {"TypingStopsAtFourLetters", [] { enterSurname("abcde"); }, "abcd", twoChar, false, {},
     nullptr},
    {"TypingRefusesEmoji", [] { enterSurname("a😀b"); }, "ab", twoChar, true, {}, nullptr},
    {"TypingRefusesCharactersOutsideGbk", [] { enterSurname("李𠀀"); press(按钮5); }, "李",
     twoChar, true, {{false, "李", 1}}, "李"},
};
// clang-format on

// gtest names a failing case by this instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string caseName(const ::testing::TestParamInfo<Case>& param) { return param.param.name; }

class CustomNames : public MainWindowTest, public ::testing::WithParamInterface<Case> {};

}  // namespace

TEST_P(CustomNames, BoxModesAndResultLines) {
    const Case& c = GetParam();
    clickTab(3);
    customSurname = utf8ToGbk(marker);
    c.act();

    EXPECT_EQ(utf8TextOf(编辑框4), c.box);
    EXPECT_EQ(isChecked(单选框4), c.checked[0]) << "二字名";
    EXPECT_EQ(isChecked(单选框5), c.checked[1]) << "三字名";
    EXPECT_EQ(isChecked(单选框6), c.checked[2]) << "复姓名";
    EXPECT_EQ(isDisabled(单选框6), c.compoundDisabled) << "复姓名";
    EXPECT_EQ(gbkToUtf8(customSurname), c.customSurname ? c.customSurname : marker);

    const std::vector<std::string> lines = linesOf(textOf(编辑框3));
    ASSERT_EQ(lines.size(), c.lines.size()) << utf8TextOf(编辑框3);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const Line& expected = c.lines[i];
        const std::string surname = utf8ToGbk(expected.surname);
        const std::string& line = lines[i];
        ASSERT_EQ(line.size(), 6 + surname.size() + 2 * expected.givenChars) << hexBytes(line);
        EXPECT_EQ(line.substr(0, 6), expected.female ? femaleLabel : maleLabel);
        EXPECT_EQ(line.substr(6, surname.size()), surname);
        const WordTable& given = expected.female ? femaleCharTable : maleCharTable;
        for (std::size_t at = 6 + surname.size(); at < line.size(); at += 2) {
            EXPECT_TRUE(inTable(given, std::string_view(line).substr(at, 2))) << at;
        }
    }
    if (!lines.empty()) {
        EXPECT_EQ(lines.front().substr(6), nameResult) << "the top line is the name composed last";
    }

    // Page 3 leaves the other pages alone.
    EXPECT_EQ(textOf(编辑框1), "");
    EXPECT_EQ(textOf(编辑框2), "");
    EXPECT_FALSE(isChecked(单选框1));
    EXPECT_TRUE(isChecked(单选框3));
    EXPECT_FALSE(isChecked(单选框2));
}

INSTANTIATE_TEST_SUITE_P(Page3, CustomNames, ::testing::ValuesIn(cases), caseName);

// The text-change rule also follows program writes, which are not held to the byte limit; a
// 4-byte text keeps the check that 复姓名 has.
TEST_F(MainWindowTest, SurnameBoxWritesEnableCompoundModeExactlyAtFourBytes) {
    struct Step {
        const char* text;
        bool checkFirst;  // check 复姓名 by a program write before the text is written
        bool checked;
        bool disabled;
    };
    const Step steps[] = {
        {"欧阳", false, false, false},  {"司马", true, true, false},   {"abcd", false, true, false},
        {"欧阳修", false, false, true}, {"欧阳", false, false, false}, {"李", true, false, true},
        {"", false, false, true},       {"a b ", true, true, false},   {"李a", false, false, true},
    };
    clickTab(3);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        if (step.checkFirst) {
            setChecked(单选框6, true);
        }
        setTextOf(编辑框4, utf8ToGbk(step.text));
        EXPECT_EQ(utf8TextOf(编辑框4), step.text);
        EXPECT_EQ(isChecked(单选框6), step.checked);
        EXPECT_EQ(isDisabled(单选框6), step.disabled);
    }
}
