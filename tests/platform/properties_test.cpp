// The run time's property services and events, on a small window of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTest>

#include "gbk.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

namespace {

constexpr WindowNumber probeWindow = 0x70000001;
constexpr ControlNumber tabs = 0x70000010;
constexpr ControlNumber box = 0x70000011;
constexpr ControlNumber line = 0x70000012;
constexpr ControlNumber radioA = 0x70000013;
constexpr ControlNumber radioB = 0x70000014;
constexpr ControlNumber button = 0x70000015;

int boxChanges = 0;
int lineChanges = 0;
int radioAClicks = 0;
int radioBClicks = 0;
int buttonClicks = 0;
std::string lineTextAtChange;

void onBoxChange() { ++boxChanges; }
void onLineChange() {
    ++lineChanges;
    lineTextAtChange = readProperty(probeWindow, line, TextProperty::text);
}
void onRadioA() { ++radioAClicks; }
void onRadioB() { ++radioBClicks; }
void onButton() { ++buttonClicks; }

constexpr std::string_view captions[] = {"one", "two"};
constexpr EventBinding boxEvents[] = {{EventKind::textChange, onBoxChange}};
constexpr EventBinding lineEvents[] = {{EventKind::textChange, onLineChange}};
constexpr EventBinding radioAEvents[] = {{EventKind::click, onRadioA}};
constexpr EventBinding radioBEvents[] = {{EventKind::click, onRadioB}};
constexpr EventBinding buttonEvents[] = {{EventKind::click, onButton}};

constexpr ControlSpec probeControls[] = {
    {button,
     "button",
     ControlKind::button,
     tabs,
     1,
     200,
     150,
     60,
     30,
     true,
     false,
     true,
     "Go",
     systemFont,
     standardColour,
     standardColour,
     {},
     buttonEvents},
    {radioB,
     "radioB",
     ControlKind::radioButton,
     tabs,
     1,
     200,
     110,
     80,
     24,
     true,
     false,
     true,
     "B",
     systemFont,
     standardColour,
     standardColour,
     {},
     radioBEvents},
    {radioA,
     "radioA",
     ControlKind::radioButton,
     tabs,
     1,
     200,
     80,
     80,
     24,
     true,
     false,
     true,
     "A",
     systemFont,
     standardColour,
     standardColour,
     {},
     radioAEvents},
    {line,
     "line",
     ControlKind::editBox,
     tabs,
     1,
     200,
     30,
     100,
     24,
     true,
     false,
     true,
     "",
     systemFont,
     standardColour,
     standardColour,
     {.byteLimit = 4},
     lineEvents},
    {box,
     "box",
     ControlKind::editBox,
     tabs,
     1,
     8,
     30,
     180,
     150,
     true,
     false,
     true,
     "",
     systemFont,
     standardColour,
     standardColour,
     {.multiLine = true, .verticalScrollBar = true, .border = EditBorder::flatLine},
     boxEvents},
    {tabs,
     "tabs",
     ControlKind::tabControl,
     noParent,
     0,
     0,
     0,
     300,
     200,
     true,
     false,
     false,
     "",
     systemFont,
     standardColour,
     standardColour,
     {.pageCaptions = captions},
     {}},
};

constexpr WindowLayout probeLayout{
    .number = probeWindow,
    .window = {.title = "probe", .width = 300, .height = 200, .escapeCloses = true},
    .controls = probeControls,
};

class RuntimeProperties : public ::testing::Test {
protected:
    void SetUp() override {
        boxChanges = lineChanges = radioAClicks = radioBClicks = buttonClicks = 0;
        loadStartWindow(probeLayout);
        QApplication::setActiveWindow(startWindowWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(startWindowWidget()));
    }
    void TearDown() override { destroyStartWindow(); }

    static std::string text(ControlNumber control) {
        return readProperty(probeWindow, control, TextProperty::text);
    }
    static void write(ControlNumber control, std::string_view value) {
        writeProperty(probeWindow, control, TextProperty::text, value);
    }
    static bool checked(ControlNumber control) {
        return readProperty(probeWindow, control, FlagProperty::checked);
    }
    static void type(const QString& characters) {
        for (const QChar character : characters) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(QApplication::focusWidget(), &press);
        }
    }
    // A click on the radio's indicator.
    static void clickRadio(ControlNumber radio) {
        QWidget* widget = controlWidget(radio);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(7, widget->height() / 2));
    }
    static QLineEdit* lineEdit() { return qobject_cast<QLineEdit*>(controlWidget(line)); }
};

}  // namespace

TEST_F(RuntimeProperties, AProgramWriteFiresTheTextChangeExactlyOnceAlsoForTheSameText) {
    for (const ControlNumber control : {box, line}) {
        int& changes = control == box ? boxChanges : lineChanges;
        for (const char* value : {"abc", "abc", "", ""}) {
            const int before = changes;
            write(control, value);
            EXPECT_EQ(changes, before + 1) << "write of '" << value << "'";
            EXPECT_EQ(text(control), value);
        }
    }
    // The event runs inside the write, with the new text already in place.
    write(line, "xy");
    EXPECT_EQ(lineTextAtChange, "xy");
}

TEST_F(RuntimeProperties, AUsersEditFiresTheTextChangeOncePerChange) {
    controlWidget(line)->setFocus();
    type(QStringLiteral("ab"));
    EXPECT_EQ(lineChanges, 2);
    QTest::keyClick(controlWidget(line), Qt::Key_Backspace);
    EXPECT_EQ(lineChanges, 3);
    controlWidget(box)->setFocus();
    type(QStringLiteral("xyz"));
    EXPECT_EQ(boxChanges, 3);
    EXPECT_EQ(text(box), "xyz");
}

TEST_F(RuntimeProperties, WritingCheckedFiresNoClickAndFalseUnchecksTheOnlyCheckedRadio) {
    writeProperty(probeWindow, radioA, FlagProperty::checked, true);
    EXPECT_TRUE(checked(radioA));
    writeProperty(probeWindow, radioA, FlagProperty::checked, false);
    EXPECT_FALSE(checked(radioA));
    EXPECT_FALSE(checked(radioB));
    writeProperty(probeWindow, radioB, FlagProperty::checked, true);
    EXPECT_EQ(radioAClicks + radioBClicks, 0);
    // The group stays exclusive for the user afterwards.
    clickRadio(radioA);
    EXPECT_TRUE(checked(radioA));
    EXPECT_FALSE(checked(radioB));
    EXPECT_EQ(radioAClicks, 1);
    // A click on the checked radio keeps it checked and fires again.
    clickRadio(radioA);
    EXPECT_TRUE(checked(radioA));
    EXPECT_EQ(radioAClicks, 2);
}

TEST_F(RuntimeProperties, WritesCheckOneRadioAloneAndAUsersClickLeavesOnlyItChecked) {
    writeProperty(probeWindow, radioA, FlagProperty::checked, true);
    writeProperty(probeWindow, radioB, FlagProperty::checked, true);
    EXPECT_TRUE(checked(radioA) && checked(radioB)) << "a write changes that radio alone";
    clickRadio(radioA);
    EXPECT_TRUE(checked(radioA));
    EXPECT_FALSE(checked(radioB));
    EXPECT_EQ(radioAClicks, 1);
    writeProperty(probeWindow, radioB, FlagProperty::checked, true);
    clickRadio(radioB);
    EXPECT_FALSE(checked(radioA));
    EXPECT_TRUE(checked(radioB));
}

TEST_F(RuntimeProperties, DisablingGreysARadioKeepsItsCheckAndRefusesClicks) {
    writeProperty(probeWindow, radioB, FlagProperty::checked, true);
    writeProperty(probeWindow, radioB, FlagProperty::disabled, true);
    EXPECT_TRUE(readProperty(probeWindow, radioB, FlagProperty::disabled));
    EXPECT_TRUE(checked(radioB));
    clickRadio(radioB);
    EXPECT_EQ(radioBClicks, 0);
    writeProperty(probeWindow, radioB, FlagProperty::disabled, false);
    EXPECT_FALSE(readProperty(probeWindow, radioB, FlagProperty::disabled));
    EXPECT_TRUE(checked(radioB));
}

TEST_F(RuntimeProperties, ButtonsFireTheirClickByMouseSpaceAndEnter) {
    QWidget* go = controlWidget(button);
    QTest::mouseClick(go, Qt::LeftButton, {}, go->rect().center());
    go->setFocus();
    QTest::keyClick(go, Qt::Key_Space);
    QTest::keyClick(go, Qt::Key_Return);
    QTest::keyClick(go, Qt::Key_Enter);
    EXPECT_EQ(buttonClicks, 4);
}

TEST_F(RuntimeProperties, TheByteLimitedBoxRefusesWhatWouldPassFourGbkBytes) {
    struct Case {
        const char* typed;     // typed character by character, UTF-8
        const char* expected;  // what the box then holds
    };
    const Case cases[] = {
        {"欧阳修", "欧阳"},                 // a third Chinese character is refused
        {"abcde", "abcd"},                  // four ASCII letters, not a fifth
        {"李a张", "李a"},                   // 3 bytes: a Chinese character no longer fits
        {"李ab", "李ab"},   {"😀李", "李"},  // GBK cannot hold the emoji: refused, the rest is taken
        {"𠀀", ""},                         // nor a character of Extension B
        {"€€€€", "€€€€"},                   // one byte each in GBK
    };
    for (const Case& c : cases) {
        write(line, "");
        controlWidget(line)->setFocus();
        const QString typed = QString::fromUtf8(c.typed);
        for (qsizetype i = 0; i < typed.size(); ++i) {
            const qsizetype length = typed.at(i).isHighSurrogate() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                            typed.mid(i, length));
            QApplication::sendEvent(controlWidget(line), &press);
            i += length - 1;
        }
        EXPECT_EQ(lineEdit()->text().toStdString(), c.expected) << c.typed;
        EXPECT_LE(text(line).size(), 4u);
    }
}

TEST_F(RuntimeProperties, PasteAndInputMethodCommitsObeyTheByteLimitWhole) {
    controlWidget(line)->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("欧阳修"));
    QTest::keyClick(controlWidget(line), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(line), "") << "the whole paste is refused";
    QApplication::clipboard()->setText(QStringLiteral("欧阳"));
    QTest::keyClick(controlWidget(line), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(line), utf8ToGbk("欧阳"));

    write(line, "");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("司马懿"));
    QApplication::sendEvent(controlWidget(line), &commit);
    EXPECT_EQ(text(line), "");
    QInputMethodEvent fits;
    fits.setCommitString(QStringLiteral("司马"));
    QApplication::sendEvent(controlWidget(line), &fits);
    EXPECT_EQ(text(line), utf8ToGbk("司马"));
}

TEST_F(RuntimeProperties, ProgramWritesAreNotLimitedByTheBox) {
    write(line, utf8ToGbk("诸葛孔明"));
    EXPECT_EQ(text(line), utf8ToGbk("诸葛孔明"));
}

TEST_F(RuntimeProperties, BoxTextKeepsWhatGbkCannotHoldAndLinesEndInCrLf) {
    controlWidget(box)->setFocus();
    type(QStringLiteral("a"));
    QTest::keyClick(controlWidget(box), Qt::Key_Return);
    QKeyEvent emoji(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("😀"));
    QApplication::sendEvent(controlWidget(box), &emoji);
    type(QStringLiteral("\u00A0€"));  // a no-break space and the euro sign
    const std::string user = text(box);
    // GB18030 for what GBK lacks; the euro sign keeps its one GBK byte.
    EXPECT_EQ(hexBytes(user), "61 0D 0A 94 39 FC 36 81 30 84 32 80");
    // A line put on top leaves the user's text byte for byte below it.
    write(box, joinTexts({utf8ToGbk("武器：仙帝轮回剑\r\n"), user}));
    EXPECT_EQ(text(box), utf8ToGbk("武器：仙帝轮回剑\r\n") + user);
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(controlWidget(box))->toPlainText(),
              QStringLiteral("武器：仙帝轮回剑\na\n😀 €"));
}

TEST_F(RuntimeProperties, BoxWritesShowExactlyTheWrittenTextWhateverShortcutTheyTake) {
    // Each write follows the one before, so that some put a prefix on top of the old text.
    const std::string writes[] = {
        "abc\r\n",
        utf8ToGbk("第一\r\n") + "abc\r\n",           // a line on top
        "\xB5" + utf8ToGbk("第一\r\n") + "abc\r\n",  // a lead byte that pairs with the old text
        "xyz",                                       // replaced whole
        "\nxyz",
        "a\r\nxyz",  // CR before the old text's LF: one break
        "",
    };
    for (const std::string& value : writes) {
        write(box, value);
        EXPECT_EQ(text(box), value);
        QStringDecoder decoder("GB18030");
        QString expected = decoder.decode(QByteArray::fromStdString(value));
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        EXPECT_EQ(qobject_cast<QPlainTextEdit*>(controlWidget(box))->toPlainText(), expected)
            << hexBytes(value);
    }
}

TEST_F(RuntimeProperties, BoxWritesShowTheOneByteGbkCharactersThatGb18030Lacks) {
    // The euro sign is one byte in GBK (0x80), as the byte-limited box counts it, and so it comes
    // into the names composed from a typed surname; GB18030 has no character at 0x80 or 0xFF.
    controlWidget(line)->setFocus();
    type(QStringLiteral("€"));
    const std::string euro = text(line);
    ASSERT_EQ(hexBytes(euro), "80");
    const auto* shown = qobject_cast<QPlainTextEdit*>(controlWidget(box));
    write(box, "a\r\n");
    write(box, euro + utf8ToGbk("李\r\n") + "a\r\n");  // a line put on top
    EXPECT_EQ(text(box), euro + utf8ToGbk("李\r\n") + "a\r\n");
    EXPECT_EQ(shown->toPlainText().toStdString(), "€李\na\n");
    write(box,
          "\xFF"
          "b" +
              euro);  // replaced whole
    EXPECT_EQ(text(box),
              "\xFF"
              "b" +
                  euro);
    EXPECT_EQ(shown->toPlainText().toStdString(), "\uF8F5b€");
}

TEST_F(RuntimeProperties, ShiftReturnInABoxReadsAsCrLfLikeReturn) {
    controlWidget(box)->setFocus();
    type(QStringLiteral("a"));
    QTest::keyClick(controlWidget(box), Qt::Key_Return, Qt::ShiftModifier);  // a line separator
    type(QStringLiteral("b"));
    QTest::keyClick(controlWidget(box), Qt::Key_Return);
    type(QStringLiteral("c"));
    EXPECT_EQ(text(box), "a\r\nb\r\nc");
}

TEST(TextServices, CountJoinCompareAndRelease) {
    EXPECT_EQ(textLength(""), 0u);
    EXPECT_EQ(textLength(utf8ToGbk("欧阳")), 4u);
    EXPECT_EQ(textLength(utf8ToGbk("李a")), 3u);
    EXPECT_EQ(joinTexts({"a", "", "bc", "\r\n"}), "abc\r\n");
    EXPECT_EQ(joinTexts({}), "");
    struct Order {
        std::string_view a;
        std::string_view b;
        int expected;
    };
    for (const Order& o : {Order{"", "", 0}, Order{"a", "", 1}, Order{"", "a", -1},
                           Order{"\xC8\xCB", "a", 1},  // bytes compare unsigned
                           Order{"ab", "abc", -1}, Order{"b", "abc", 1}}) {
        EXPECT_EQ(compareTexts(o.a, o.b), o.expected) << o.a << " vs " << o.b;
    }
    std::string owned(100, 'x');
    releaseText(owned);
    EXPECT_TRUE(owned.empty());
    EXPECT_LT(owned.capacity(), 100u);
    std::string none;
    releaseText(none);
    EXPECT_TRUE(none.empty());
}
