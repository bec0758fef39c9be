// The main window as built from its layout: every control's facts, the build order, the texts.
#include <QAbstractButton>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include "app/handlers.h"
#include "app/main_window.h"
#include "gbk.h"
#include "generators/word_tables.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"
#include "window_driver.h"

namespace {

enum class Kind { tabs, box, line, button, radio, label };
enum class Face { system, song };

struct ControlFacts {
    ControlNumber number;
    const char* name;
    Kind kind;
    int page;
    QRect geometry;
    bool tabStop;
    bool disabled;
    const char* text;  // UTF-8; the description is checked on its own
    Face face;
    int pixelSize;
};

// In list order.
const ControlFacts layoutFacts[] = {
    {标签2, "标签2", Kind::label, 4, {10, 33, 416, 208}, false, false, nullptr, Face::song, 16},
    {单选框6, "单选框6", Kind::radio, 3, {332, 112, 64, 24}, true, true, "复姓名", Face::system, 0},
    {单选框5, "单选框5", Kind::radio, 3, {366, 87, 64, 24}, true, false, "三字名", Face::system, 0},
    {单选框4, "单选框4", Kind::radio, 3, {294, 86, 64, 24}, true, false, "二字名", Face::system, 0},
    {标签1,
     "标签1",
     Kind::label,
     3,
     {285, 21, 145, 24},
     false,
     false,
     "填入您想取的“姓”",
     Face::song,
     16},
    {编辑框4, "编辑框4", Kind::line, 3, {280, 46, 153, 24}, true, false, "", Face::song, 19},
    {按钮6, "按钮6", Kind::button, 3, {368, 140, 51, 90}, true, false, "女名", Face::song, 29},
    {按钮5, "按钮5", Kind::button, 3, {296, 140, 51, 90}, true, false, "男名", Face::song, 29},
    {编辑框3, "编辑框3", Kind::box, 3, {8, 26, 272, 208}, true, false, "", Face::song, 29},
    {单选框3,
     "单选框3",
     Kind::radio,
     2,
     {361, 120, 64, 24},
     true,
     false,
     "三字名",
     Face::system,
     0},
    {单选框2, "单选框2", Kind::radio, 2, {361, 173, 64, 24}, true, false, "复姓", Face::system, 0},
    {单选框1, "单选框1", Kind::radio, 2, {362, 69, 64, 24}, true, false, "二字名", Face::system, 0},
    {编辑框2, "编辑框2", Kind::box, 2, {8, 26, 272, 208}, true, false, "", Face::song, 29},
    {按钮4, "按钮4", Kind::button, 2, {302, 137, 51, 90}, true, false, "女名", Face::song, 29},
    {按钮3, "按钮3", Kind::button, 2, {302, 34, 51, 90}, true, false, "男名", Face::song, 29},
    {编辑框1, "编辑框1", Kind::box, 1, {8, 26, 272, 208}, true, false, "", Face::song, 29},
    {按钮2, "按钮2", Kind::button, 1, {308, 137, 98, 90}, true, false, "功法", Face::song, 29},
    {按钮1, "按钮1", Kind::button, 1, {308, 34, 98, 90}, true, false, "武器", Face::song, 29},
    {选择夹1, "选择夹1", Kind::tabs, 0, {-2, 0, 440, 240}, false, false, nullptr, Face::system, 0},
};

bool hasKind(QWidget* widget, Kind kind) {
    switch (kind) {
        case Kind::tabs:
            return qobject_cast<QTabWidget*>(widget) != nullptr;
        case Kind::box:
            return qobject_cast<QPlainTextEdit*>(widget) != nullptr;
        case Kind::line:
            return qobject_cast<QLineEdit*>(widget) != nullptr;
        case Kind::button:
            return qobject_cast<QPushButton*>(widget) != nullptr;
        case Kind::radio:
            return qobject_cast<QRadioButton*>(widget) != nullptr;
        case Kind::label:
            return qobject_cast<QLabel*>(widget) != nullptr;
    }
    return false;
}

// The caption or content a user sees, with a wrapped button caption joined again.
QString shownText(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text().remove(u'\n');
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget))
        return box->toPlainText();
    return {};
}

}  // namespace

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, ListsNineteenControlsInListOrderWithUniqueNumbers) {
    ASSERT_EQ(mainWindowLayout.controls.size(), std::size(layoutFacts));
    EXPECT_EQ(mainWindowLayout.number, 0x52010001u);
    for (std::size_t i = 0; i < std::size(layoutFacts); ++i) {
        const ControlSpec& entry = mainWindowLayout.controls[i];
        EXPECT_EQ(entry.number, layoutFacts[i].number) << "list position " << i + 1;
        EXPECT_EQ(gbkToUtf8(entry.name), layoutFacts[i].name) << "list position " << i + 1;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(entry.number, mainWindowLayout.controls[j].number);
        }
    }
}

TEST_F(MainWindowLayout, EveryControlIsBuiltWithItsKindPlaceMarksAndText) {
    for (const ControlFacts& facts : layoutFacts) {
        SCOPED_TRACE(facts.name);
        QWidget* widget = widgetOf(facts.number);
        EXPECT_TRUE(hasKind(widget, facts.kind));
        EXPECT_EQ(widget->geometry(), facts.geometry);
        EXPECT_EQ(widget->parentWidget(),
                  facts.kind == Kind::tabs ? startWindowWidget() : widgetOf(选择夹1));
        EXPECT_EQ(isDisabled(facts.number), facts.disabled);
        EXPECT_EQ((widget->focusPolicy() & Qt::TabFocus) != 0, facts.tabStop);
        if (facts.text) {
            EXPECT_EQ(shownText(widget).toStdString(), facts.text);
        }
    }
}

// Each page as the user first sees it, after a click on its tab.
TEST_F(MainWindowLayout, EveryControlShowsItsFontOnItsPage) {
    for (int page = 1; page <= 4; ++page) {
        clickTab(page);
        ASSERT_EQ(currentPage(), page);
        for (const ControlFacts& facts : layoutFacts) {
            if (facts.page != page && !(page == 1 && facts.kind == Kind::tabs)) {
                continue;
            }
            SCOPED_TRACE(facts.name);
            QWidget* widget = widgetOf(facts.number);
            const QFontInfo font(widget->font());
            EXPECT_FALSE(font.italic());
            EXPECT_EQ(font.weight(), QFont::Normal);
            if (facts.face == Face::song) {
                // The font names the installed face itself, not 宋体 for the font database to map.
                EXPECT_EQ(widget->font().family(), QStringLiteral("AR PL UMing CN"));
                EXPECT_EQ(font.family(), QStringLiteral("AR PL UMing CN"));
                EXPECT_EQ(font.pixelSize(), facts.pixelSize);
            } else {
                EXPECT_EQ(widget->font(), startWindowWidget()->font());
            }
        }
    }
}

TEST_F(MainWindowLayout, ResultBoxesAreOrangeOnWhiteAndTheSurnameBoxBlackOnWhite) {
    for (const ControlNumber box : {编辑框1, 编辑框2, 编辑框3}) {
        auto* edit = qobject_cast<QPlainTextEdit*>(widgetOf(box));
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0xC0, 0x60, 0x00));
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(edit->frameShape(), QFrame::Box);
    }
    QWidget* surname = widgetOf(编辑框4);
    EXPECT_EQ(surname->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(surname->palette().color(QPalette::Base), QColor(Qt::white));
    for (const ControlNumber control : {单选框1, 单选框4, 标签1, 标签2}) {
        EXPECT_EQ(widgetOf(control)->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
}

TEST_F(MainWindowLayout, WindowHasItsTitleFixedSizeIconAndOnlyTheCloseHints) {
    QWidget* window = startWindowWidget();
    EXPECT_EQ(window->windowTitle().toStdString(), "砚舟的小说辅助工具");
    // The frame, not the client area, has the layout's outer size.
    EXPECT_EQ(window->frameGeometry().size(), QSize(439, 271));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage image = icon.pixmap(32, 32).toImage();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_TRUE(image.hasAlphaChannel());
    // Pixel for pixel the installed 32 x 32 PNG, which the resource is made from.
    const QImage png(QStringLiteral(NOVEL_ICON_PNG));
    ASSERT_EQ(png.size(), QSize(32, 32));
    EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST_F(MainWindowLayout, TabControlShowsTheFourCaptionsAndOnlyPageOneAtStart) {
    auto* tabs = qobject_cast<QTabWidget*>(widgetOf(选择夹1));
    ASSERT_EQ(tabs->count(), 4);
    const char* captions[] = {"武器·功法", "随机取名", "自定义取名", "说明"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i).toStdString(), captions[i]);
    }
    EXPECT_EQ(utf8ToGbk("武器·功法").substr(4, 2), "\xA1\xA4");
    // The page controls start at top 21, just below the tabs.
    EXPECT_EQ(tabs->tabBar()->height(), 21);
    EXPECT_EQ(currentPage(), 1);
    for (const ControlFacts& facts : layoutFacts) {
        if (facts.kind != Kind::tabs) {
            EXPECT_EQ(widgetOf(facts.number)->isVisible(), facts.page == 1) << facts.name;
        }
    }
    // The initial modes, set by the window-created handler.
    EXPECT_TRUE(isChecked(单选框3));
    EXPECT_FALSE(isChecked(单选框1) || isChecked(单选框2));
    EXPECT_TRUE(isChecked(单选框4));
    EXPECT_FALSE(isChecked(单选框5) || isChecked(单选框6));
    EXPECT_TRUE(isDisabled(单选框6));
    for (const ControlNumber box : {编辑框1, 编辑框2, 编辑框3, 编辑框4}) {
        EXPECT_EQ(textOf(box), "");
    }
}

TEST_F(MainWindowLayout, ControlsEarlierInTheListLieAbove) {
    const QObjectList& children = widgetOf(选择夹1)->children();
    // Qt stacks children in the order of this list, the last one on top.
    auto stackIndex = [&](ControlNumber control) { return children.indexOf(widgetOf(control)); };
    for (std::size_t i = 1; i + 1 < std::size(layoutFacts); ++i) {
        EXPECT_GT(stackIndex(layoutFacts[i - 1].number), stackIndex(layoutFacts[i].number))
            << layoutFacts[i - 1].name << " should lie above " << layoutFacts[i].name;
    }
}

TEST(MainWindowBindings, EveryBindingNamesItsHandlerAndNoOtherEventIsBound) {
    struct Binding {
        ControlNumber control;
        EventKind event;
        EventHandler handler;
        ReleaseHandler release;
    };
    const Binding expected[] = {
        {按钮1, EventKind::click, on按钮1Click, nullptr},
        {按钮2, EventKind::click, on按钮2Click, nullptr},
        {按钮3, EventKind::click, on按钮3Click, nullptr},
        {按钮4, EventKind::click, on按钮4Click, nullptr},
        {编辑框4, EventKind::textChange, on编辑框4TextChange, nullptr},
        {编辑框4, EventKind::leftButtonRelease, nullptr, on编辑框4LeftButtonRelease},
        {单选框4, EventKind::click, on单选框4Click, nullptr},
        {单选框5, EventKind::click, on单选框5Click, nullptr},
        {按钮5, EventKind::click, on按钮5Click, nullptr},
        {按钮6, EventKind::click, on按钮6Click, nullptr},
    };
    std::size_t bound = 0;
    for (const ControlSpec& entry : mainWindowLayout.controls) {
        for (const EventBinding& binding : entry.events) {
            ++bound;
            const auto match =
                std::find_if(std::begin(expected), std::end(expected), [&](const Binding& b) {
                    return b.control == entry.number && b.event == binding.event &&
                           b.handler == binding.handler && b.release == binding.releaseHandler;
                });
            EXPECT_NE(match, std::end(expected))
                << gbkToUtf8(entry.name) << " has an unexpected binding";
        }
    }
    EXPECT_EQ(bound, std::size(expected));
    ASSERT_EQ(mainWindowLayout.window.events.size(), 1u);
    EXPECT_EQ(mainWindowLayout.window.events[0].event, EventKind::windowCreated);
    EXPECT_EQ(mainWindowLayout.window.events[0].handler, onWindowCreated);
}

TEST(DescriptionText, HasElevenLinesOf418BytesWithCountsComputedFromTheTables) {
    const std::string_view text = mainWindowLayout.controls[0].text;
    const auto rows = [](const WordTable& table) { return static_cast<long long>(table.size()); };
    const long long weapons =
        rows(raceTable) * rows(rankTable) * rows(epithetTable) * rows(weaponKindTable);
    const long long techniques =
        rows(raceTable) * rows(rankTable) * rows(epithetTable) * rows(techniqueKindTable);
    const long long male = rows(maleCharTable);
    const long long female = rows(femaleCharTable);
    ASSERT_EQ(male, female) << "the text gives one count for each sex";
    const long long twoChar = rows(surnameTable) * male;
    const long long threeChar = rows(surnameTable) * male * male;
    const long long compound = rows(compoundSurnameTable) * male * male;
    const auto n = [](long long value) { return std::to_string(value); };
    const std::string expected =
        "砚舟的小说辅助工具\r\n"
        "可生成武器：" +
        n(weapons) +
        "种\r\n"
        "功法：" +
        n(techniques) +
        "部\r\n"
        "随机二字名：" +
        n(2 * twoChar) + "个（男，女各" + n(twoChar) +
        "个）\r\n"
        "随机三字名：" +
        n(2 * threeChar) + "个（男，女各" + n(threeChar) +
        "个）\r\n"
        "随机复姓名：" +
        n(2 * compound) + "个（男，女各" + n(compound) +
        "个）\r\n"
        "自定义二字名：" +
        n(2 * male) + "个（男，女各" + n(male) +
        "个）\r\n"
        "自定义三字名：" +
        n(2 * male * male) + "个（男，女各" + n(male * male) +
        "个）\r\n"
        "自定义复姓名：" +
        n(2 * male * male) + "个（男，女各" + n(male * male) +
        "个）\r\n"
        "注意！！！自定义的名字个数，是一个“姓”可可以生成的最多个数\r\n" +
        std::string(39, ' ') + "buy---砚舟的";
    EXPECT_EQ(gbkToUtf8(text), expected);
    EXPECT_EQ(text, utf8ToGbk(expected));
    EXPECT_EQ(text.size(), 418u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_FALSE(text.ends_with("\r\n"));
    EXPECT_NE(gbkToUtf8(text).find("可生成武器：29744种"), std::string::npos);
}

TEST_F(MainWindowLayout, DescriptionPageShowsTheTextWrappedFromTheTopLeft) {
    auto* label = qobject_cast<QLabel*>(widgetOf(标签2));
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(label->text().count(u'\n'), 10);
    EXPECT_FALSE(label->text().contains(u'\r'));
    EXPECT_TRUE(label->text().endsWith(QString(39, u' ') + QStringLiteral("buy---砚舟的")));
}

namespace {

bool windowVisibleAtCreation = true;
bool everyControlExistedAtCreation = false;
int creationEvents = 0;

void recordCreation() {
    ++creationEvents;
    windowVisibleAtCreation = startWindowWidget()->isVisible();
    everyControlExistedAtCreation = true;
    for (const ControlSpec& entry : mainWindowLayout.controls) {
        everyControlExistedAtCreation =
            everyControlExistedAtCreation && controlWidget(entry.number);
    }
    onWindowCreated();
}

const EventBinding recordingEvents[] = {{EventKind::windowCreated, recordCreation}};

}  // namespace

TEST(MainWindowBuild, WindowCreatedRunsOnceWithEveryControlBeforeTheWindowIsShown) {
    WindowLayout layout = mainWindowLayout;
    layout.window.events = recordingEvents;
    loadStartWindow(layout);
    EXPECT_EQ(creationEvents, 1);
    EXPECT_FALSE(windowVisibleAtCreation);
    EXPECT_TRUE(everyControlExistedAtCreation);
    EXPECT_TRUE(startWindowWidget()->isVisible());
    EXPECT_TRUE(isChecked(单选框3));
    destroyStartWindow();
}

TEST_F(MainWindowLayout, EditBoxesShowTheirSelectionOnlyWhileFocused) {
    for (const ControlNumber control : {编辑框1, 编辑框4}) {
        QWidget* widget = widgetOf(control);
        clickTab(control == 编辑框1 ? 1 : 3);
        widget->setFocus(Qt::OtherFocusReason);
        const QPalette focused = widget->palette();
        EXPECT_NE(focused.color(QPalette::Highlight), focused.color(QPalette::Base));
        widgetOf(control == 编辑框1 ? 按钮1 : 按钮5)->setFocus(Qt::OtherFocusReason);
        const QPalette unfocused = widget->palette();
        EXPECT_EQ(unfocused.color(QPalette::Highlight), unfocused.color(QPalette::Base));
        EXPECT_EQ(unfocused.color(QPalette::HighlightedText), unfocused.color(QPalette::Text));
    }
}
