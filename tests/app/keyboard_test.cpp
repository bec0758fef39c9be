// Pages and keys: page switching and its focus rule, Tab orders, radio arrows, Esc and Enter.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <vector>

#include "app/main_window.h"
#include "gbk.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"
#include "window_driver.h"

namespace {

const char* nameOf(ControlNumber control) {
    for (const ControlSpec& entry : mainWindowLayout.controls) {
        if (entry.number == control) {
            return entry.name.data();  // GBK; only compared, never printed as UTF-8
        }
    }
    return "";
}

std::string utf8NameOf(ControlNumber control) {
    const std::string_view gbk = nameOf(control);
    return control ? gbkToUtf8(gbk) : "(none)";
}

// The controls that Tab visits from the current focus, until it comes back.
std::vector<ControlNumber> tabCycle(bool forward, std::size_t steps) {
    std::vector<ControlNumber> visited;
    for (std::size_t i = 0; i < steps; ++i) {
        pressKey(forward ? Qt::Key_Tab : Qt::Key_Backtab,
                 forward ? Qt::NoModifier : Qt::ShiftModifier);
        visited.push_back(focusedControl());
    }
    return visited;
}

}  // namespace

using Pages = MainWindowTest;

TEST_F(Pages, SwitchingShowsOnlyThatPageAndFocusesItsFirstFocusableControl) {
    struct Case {
        int page;
        std::vector<ControlNumber> shown;
        ControlNumber focus;
    };
    const Case cases[] = {
        {2, {单选框3, 单选框2, 单选框1, 编辑框2, 按钮4, 按钮3}, 单选框3},
        {3, {单选框6, 单选框5, 单选框4, 标签1, 编辑框4, 按钮6, 按钮5, 编辑框3}, 单选框5},
        {4, {标签2}, 0},
        {1, {编辑框1, 按钮2, 按钮1}, 编辑框1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        clickTab(c.page);
        EXPECT_EQ(currentPage(), c.page);
        for (const ControlSpec& entry : mainWindowLayout.controls) {
            if (entry.parent == noParent)
                continue;
            const bool shown =
                std::find(c.shown.begin(), c.shown.end(), entry.number) != c.shown.end();
            EXPECT_EQ(controlWidget(entry.number)->isVisible(), shown) << gbkToUtf8(entry.name);
        }
        if (c.focus) {
            EXPECT_EQ(utf8NameOf(focusedControl()), utf8NameOf(c.focus));
        } else {
            EXPECT_EQ(focusedControl(), 0u);
        }
    }
}

TEST_F(Pages, PageThreeFocusesCompoundModeWhileItIsEnabled) {
    setTextOf(编辑框4, utf8ToGbk("欧阳"));
    ASSERT_FALSE(isDisabled(单选框6));
    clickTab(3);
    EXPECT_EQ(utf8NameOf(focusedControl()), "单选框6");
}

TEST_F(Pages, SwitchingAwayAndBackKeepsTextsChecksAndDisabledStates) {
    clickTab(3);
    clickControl(编辑框4);
    typeText(QStringLiteral("欧阳"));
    clickControl(单选框6);
    setTextOf(编辑框3, utf8ToGbk("我的笔记\r\n"));
    clickTab(1);
    clickTab(3);
    EXPECT_EQ(utf8TextOf(编辑框4), "欧阳");
    EXPECT_EQ(utf8TextOf(编辑框3), "我的笔记\r\n");
    EXPECT_TRUE(isChecked(单选框6));
    EXPECT_FALSE(isDisabled(单选框6));
}

using TabOrder = MainWindowTest;

TEST_F(TabOrder, CyclesThroughTheCurrentPagesStopsInCreationOrder) {
    struct Case {
        int page;
        bool compoundEnabled;
        std::vector<ControlNumber> order;
    };
    const Case cases[] = {
        {1, false, {按钮1, 按钮2, 编辑框1}},
        {2, false, {按钮3, 按钮4, 编辑框2, 单选框1, 单选框2, 单选框3}},
        {3, false, {编辑框3, 按钮5, 按钮6, 编辑框4, 单选框4, 单选框5}},
        {3, true, {编辑框3, 按钮5, 按钮6, 编辑框4, 单选框4, 单选框5, 单选框6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "page " << c.page << (c.compoundEnabled ? " with 复姓名" : ""));
        writeProperty(mainWindow, 单选框6, FlagProperty::disabled, !c.compoundEnabled);
        clickTab(c.page);
        // Start from the last stop, so that the first Tab lands on the first one.
        controlWidget(c.order.back())->setFocus(Qt::OtherFocusReason);
        std::vector<ControlNumber> expected = c.order;
        expected.push_back(c.order.front());  // and it wraps
        const auto forward = tabCycle(true, expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(utf8NameOf(forward[i]), utf8NameOf(expected[i])) << "Tab " << i + 1;
        }
        // Shift+Tab walks the same order backwards from the first stop.
        const auto backward = tabCycle(false, c.order.size());
        for (std::size_t i = 0; i < c.order.size(); ++i) {
            EXPECT_EQ(utf8NameOf(backward[i]), utf8NameOf(c.order[c.order.size() - 1 - i]))
                << "Shift+Tab " << i + 1;
        }
    }
}

TEST_F(TabOrder, TheDescribedStepsOfPageTwo) {
    clickTab(2);
    controlWidget(按钮4)->setFocus(Qt::OtherFocusReason);
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(utf8NameOf(focusedControl()), "编辑框2");
    controlWidget(单选框3)->setFocus(Qt::OtherFocusReason);
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(utf8NameOf(focusedControl()), "按钮3");
}

TEST_F(TabOrder, ResultBoxesNeverTakeATabCharacter) {
    controlWidget(编辑框1)->setFocus(Qt::OtherFocusReason);
    typeText(QStringLiteral("ab"));
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(textOf(编辑框1), "ab");
    EXPECT_EQ(utf8NameOf(focusedControl()), "按钮1");
}

TEST_F(TabOrder, PageFourHasNoStop) {
    clickTab(4);
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(currentPage(), 4);
    EXPECT_EQ(focusedControl(), 0u);
}

using RadioArrows = MainWindowTest;

TEST_F(RadioArrows, MoveTheCheckInCreationOrderWithWrapAroundAndFireTheClick) {
    struct Case {
        int page;
        const char* surname;  // typed into the surname box before, UTF-8
        ControlNumber from;
        Qt::Key key;
        ControlNumber to;
    };
    const Case cases[] = {
        {2, "", 单选框1, Qt::Key_Down, 单选框2},  // not the middle one
        {2, "", 单选框2, Qt::Key_Down, 单选框3},
        {2, "", 单选框3, Qt::Key_Down, 单选框1},  // wraps
        {2, "", 单选框3, Qt::Key_Right, 单选框1},
        {2, "", 单选框1, Qt::Key_Up, 单选框3},  // wraps backwards
        {2, "", 单选框2, Qt::Key_Left, 单选框1},
        {3, "", 单选框4, Qt::Key_Right, 单选框5},
        {3, "", 单选框5, Qt::Key_Down, 单选框4},  // the disabled 复姓名 is skipped
        {3, "", 单选框4, Qt::Key_Up, 单选框5},
        {3, "欧阳", 单选框5, Qt::Key_Down, 单选框6},  // enabled at 4 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << utf8NameOf(c.from) << " key 0x" << std::hex << c.key);
        clickTab(c.page);
        setTextOf(编辑框4, utf8ToGbk(c.surname));
        // The check and the focus on the starting radio, without a click's own rules.
        for (const ControlNumber radio : {单选框1, 单选框2, 单选框3, 单选框4, 单选框5, 单选框6}) {
            setChecked(radio, radio == c.from);
        }
        controlWidget(c.from)->setFocus(Qt::OtherFocusReason);
        pressKey(c.key);
        EXPECT_TRUE(isChecked(c.to));
        EXPECT_EQ(utf8NameOf(focusedControl()), utf8NameOf(c.to));
        for (const ControlNumber other : {单选框1, 单选框2, 单选框3, 单选框4, 单选框5, 单选框6}) {
            const ControlSpec* entry = nullptr;
            for (const ControlSpec& s : mainWindowLayout.controls) {
                if (s.number == other)
                    entry = &s;
            }
            if (other != c.to && entry->page == c.page) {
                EXPECT_FALSE(isChecked(other)) << utf8NameOf(other);
            }
        }
    }
}

TEST_F(RadioArrows, RightOnPageThreeRunsTheModeRuleAndLeavesPageTwoAlone) {
    clickTab(3);
    clickControl(编辑框4);
    typeText(QStringLiteral("李a"));
    clickControl(单选框4);  // 3 bytes: the click empties the box
    EXPECT_EQ(textOf(编辑框4), "");
    typeText(QStringLiteral("x"));
    controlWidget(单选框4)->setFocus(Qt::OtherFocusReason);
    pressKey(Qt::Key_Right);
    EXPECT_TRUE(isChecked(单选框5));
    EXPECT_EQ(textOf(编辑框4), "") << "the arrow fired 三字名's click";
    EXPECT_TRUE(isChecked(单选框3)) << "page 2 keeps its own mode";
}

using Keys = MainWindowTest;

TEST_F(Keys, EscClosesTheWindowFromEveryControlOfEveryPage) {
    const std::vector<std::pair<int, ControlNumber>> places = {
        {1, 编辑框1}, {1, 按钮1},   {1, 按钮2},   {2, 单选框1}, {2, 编辑框2}, {2, 按钮3},
        {3, 编辑框4}, {3, 单选框4}, {3, 编辑框3}, {3, 按钮6},   {4, 0},
    };
    for (const auto& [page, control] : places) {
        SCOPED_TRACE(::testing::Message() << "page " << page << " " << utf8NameOf(control));
        destroyStartWindow();
        loadStartWindow(mainWindowLayout);
        QApplication::setActiveWindow(startWindowWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(startWindowWidget()));
        clickTab(page);
        if (control) {
            controlWidget(control)->setFocus(Qt::OtherFocusReason);
        }
        pressKey(Qt::Key_Escape);
        EXPECT_FALSE(startWindowWidget()->isVisible());
    }
}

TEST_F(Keys, EnterAndSpaceOnAFocusedButtonPressIt) {
    struct Case {
        int page;
        ControlNumber button;
        Qt::Key key;
        ControlNumber box;
    };
    const Case cases[] = {
        {1, 按钮1, Qt::Key_Return, 编辑框1},
        {1, 按钮2, Qt::Key_Enter, 编辑框1},
        {2, 按钮3, Qt::Key_Return, 编辑框2},
        {2, 按钮4, Qt::Key_Space, 编辑框2},
    };
    for (const Case& c : cases) {
        clickTab(c.page);
        controlWidget(c.button)->setFocus(Qt::OtherFocusReason);
        const std::size_t before = textOf(c.box).size();
        pressKey(c.key);
        EXPECT_GT(textOf(c.box).size(), before) << utf8NameOf(c.button);
        EXPECT_EQ(utf8NameOf(focusedControl()), utf8NameOf(c.button)) << "Enter keeps the focus";
    }
}

TEST_F(Keys, EnterInAResultBoxStartsANewLine) {
    controlWidget(编辑框1)->setFocus(Qt::OtherFocusReason);
    typeText(QStringLiteral("甲"));
    pressKey(Qt::Key_Return);
    typeText(QStringLiteral("乙"));
    EXPECT_EQ(utf8TextOf(编辑框1), "甲\r\n乙");
}
