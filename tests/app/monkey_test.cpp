// The monkey: seeded random clicks, keys and texts on the real main window, invariants after each.
#include <gtest/gtest.h>
#include <iconv.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
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

// NOVEL_MONKEY_EVENTS sets another count (1000000 for a long run), NOVEL_MONKEY_SEED another
// seed; a failure names both for its replay.
constexpr long defaultEvents = 100000;
constexpr std::uint32_t defaultSeed = 0x4E48'2024;
// From this many events on, a run must have reached every kind of result line.
constexpr long coverageEvents = 20000;

long environmentNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        return fallback;
    }
    char* end = nullptr;
    const long number = std::strtol(value, &end, 0);
    return *end == '\0' && number >= 0 ? number : fallback;
}

const std::string crLf = "\r\n";
const std::string weaponLabel = "\xCE\xE4\xC6\xF7\xA3\xBA";     // 武器：
const std::string techniqueLabel = "\xB9\xA6\xB7\xA8\xA3\xBA";  // 功法：
const std::string maleLabel = "\xC4\xD0\xC3\xFB\xA3\xBA";       // 男名：
const std::string femaleLabel = "\xC5\xAE\xC3\xFB\xA3\xBA";     // 女名：

// A converter of our own (the C library's iconv), so that the checks do not share the program's
// Qt converters. nullopt: a character has no encoding in the target, or bytes no character.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> operator()(std::string_view input) {
        std::string output(input.size() * 4 + 8, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start for every text
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        output.resize(output.size() - outLeft);
        return output;
    }

    std::optional<std::string> operator()(const QString& text) {
        return (*this)(std::string_view(text.toStdString()));
    }

private:
    iconv_t cd_;
};

// What the bytes of a result box mean: GB18030, except the two one-byte characters of GBK that
// GB18030 lacks (0x80, the euro sign, and 0xFF), which only a GBK text written by the program
// can hold. UTF-8; nullopt: bytes that are no text.
std::optional<std::string> boxBytesAsUtf8(Iconv& fromGb18030, Iconv& fromGbk,
                                          std::string_view bytes) {
    std::string text;
    std::size_t from = 0;
    std::size_t at = 0;
    const auto takeGb18030 = [&](std::size_t to) {
        const std::optional<std::string> part = fromGb18030(bytes.substr(from, to - from));
        if (part) {
            text += *part;
        }
        return part.has_value();
    };
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0x80 || byte == 0xFF) {
            const std::optional<std::string> single = fromGbk(bytes.substr(at, 1));
            if (!takeGb18030(at) || !single) {
                return std::nullopt;
            }
            text += *single;
            from = ++at;
        } else if (byte < 0x80) {
            ++at;
        } else {
            const bool four = at + 1 < bytes.size() && bytes[at + 1] >= '0' && bytes[at + 1] <= '9';
            at = std::min(bytes.size(), at + (four ? 4 : 2));
        }
    }
    if (!takeGb18030(at)) {
        return std::nullopt;
    }
    return text;
}

// Up to size bytes of text from at; none past its end.
std::string bytesAt(const std::string& text, std::size_t at, std::size_t size) {
    return at < text.size() ? text.substr(at, size) : std::string();
}

std::string utf8(const QString& text) { return text.toStdString(); }

std::string nameOf(const QWidget* widget) {
    if (!widget) {
        return "(none)";
    }
    if (widget == startWindowWidget()) {
        return "the window";
    }
    if (!widget->objectName().isEmpty()) {
        return utf8(widget->objectName());
    }
    return std::string(widget->metaObject()->className()) + " in " + nameOf(widget->parentWidget());
}

// The text that a result box shows, UTF-8, every line break as CR LF.
std::string shownBoxText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    text.replace(QChar::LineSeparator, QChar(u'\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return utf8(text);
}

// The first place where two texts part, with some bytes of each around it: as hex, or as text
// when both are UTF-8.
std::string whereTheyDiffer(const std::string& actual, const std::string& expected,
                            bool utf8Text = false) {
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    std::size_t from = at < 8 ? 0 : at - 8;
    const auto continuation = [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
    };
    while (utf8Text && from > 0 && from < expected.size() && continuation(expected[from])) {
        --from;
    }
    const auto around = [&](const std::string& text) {
        if (!utf8Text) {
            return "[" + hexBytes(text.substr(from, 24)) + "]";
        }
        std::size_t to = std::min(text.size(), from + 32);
        while (to < text.size() && continuation(text[to])) {
            ++to;
        }
        return "\"" + text.substr(from, to - from) + "\"";
    };
    std::ostringstream out;
    out << "they part at byte " << at << " (sizes " << actual.size() << " and " << expected.size()
        << "): " << around(actual) << " against " << around(expected);
    return out.str();
}

enum class Shape { weapon, technique, randomName, customName };

// A push button and what one click of it puts into its result box.
struct ButtonRole {
    ControlNumber button;
    const char* name;
    ControlNumber box;
    const std::string* label;
    Shape shape;
    bool female;
};

const ButtonRole roles[] = {
    {按钮1, "按钮1", 编辑框1, &weaponLabel, Shape::weapon, false},
    {按钮2, "按钮2", 编辑框1, &techniqueLabel, Shape::technique, false},
    {按钮3, "按钮3", 编辑框2, &maleLabel, Shape::randomName, false},
    {按钮4, "按钮4", 编辑框2, &femaleLabel, Shape::randomName, true},
    {按钮5, "按钮5", 编辑框3, &maleLabel, Shape::customName, false},
    {按钮6, "按钮6", 编辑框3, &femaleLabel, Shape::customName, true},
};

struct ResultBox {
    ControlNumber number;
    const char* name;
};
const ResultBox resultBoxes[] = {{编辑框1, "编辑框1"}, {编辑框2, "编辑框2"}, {编辑框3, "编辑框3"}};

// One click of a push button as seen right after its handler ran: the lines it must have put on
// top of its box, top first.
struct Click {
    const ButtonRole* role;
    std::string surname;          // the surname box, GBK, for custom names
    std::vector<NameMode> lines;  // the mode of each line, top first (weapons: one entry)
};

// The characters the monkey types and pastes.
struct Alphabet {
    std::vector<QString> ascii;
    std::vector<QString> chinese;  // all in GBK
    std::vector<QString> foreign;  // none in GBK, except the euro sign (0x80 in GBK)
};

Alphabet makeAlphabet() {
    Alphabet a;
    for (const char c : std::string_view("abcxyzAZ09 .,;-_!?'\"/\\@#")) {
        a.ascii.push_back(QString(QChar(c)));
    }
    for (const char* c : {"李", "欧", "阳", "司", "马", "诸", "葛", "王", "龘", "丂", "〇", "·",
                          "，", "的", "乙"}) {
        a.chinese.push_back(QString::fromUtf8(c));
    }
    for (const WordTable& table : {surnameTable, compoundSurnameTable, maleCharTable}) {
        for (std::size_t i = 0; i < table.size(); i += 9) {
            a.chinese.push_back(QString::fromStdString(gbkToUtf8(table[i])));
        }
    }
    for (const char* c : {"😀", "𠀀", "€", "한", "ß", "\u00A0", "\u20AC"}) {
        a.foreign.push_back(QString::fromUtf8(c));
    }
    return a;
}

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

const KeyStroke keyStrokes[] = {
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Return, Qt::ShiftModifier, "Shift+Return"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Right, Qt::ShiftModifier, "Shift+Right"},
    {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
    {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
    {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
};

// QTest warns about every key that the focused widget leaves alone (a letter on a button); the
// monkey does that all the time on purpose.
QtMessageHandler previousMessageHandler = nullptr;
void quietAboutIgnoredKeys(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("Keyboard event not accepted"))) {
        return;
    }
    if (previousMessageHandler) {
        previousMessageHandler(type, context, text);
    }
}

class Monkey : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(gbk_.ok() && fromGbk_.ok() && fromGb18030_.ok())
            << "iconv knows GBK and GB18030";
        tickSource = fixedTick;
        previousMessageHandler = qInstallMessageHandler(quietAboutIgnoredKeys);
        for (const ButtonRole& role : roles) {
            auto* button = qobject_cast<QAbstractButton*>(widgetOf(role.button));
            // Connected after the run time's own connection: runs right after the handler.
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [this, r = &role] { recordClick(*r); });
        }
        for (const ControlNumber radio : {单选框4, 单选框5}) {
            auto* button = qobject_cast<QAbstractButton*>(widgetOf(radio));
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [this] { ++singleModeClicks_; });
        }
        for (const ResultBox& box : resultBoxes) {
            models_[box.number] = textOf(box.number);
            revisions_[box.number] = resultBox(box.number)->document()->revision();
        }
    }

    void TearDown() override {
        qInstallMessageHandler(previousMessageHandler);
        tickSource = systemTick;
        MainWindowTest::TearDown();
    }

    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }
    bool chance(std::uint32_t percent) { return below(100) < percent; }

    static QPlainTextEdit* resultBox(ControlNumber number) {
        return qobject_cast<QPlainTextEdit*>(widgetOf(number));
    }

    static bool checked(ControlNumber radio) {
        return qobject_cast<QAbstractButton*>(widgetOf(radio))->isChecked();
    }

    void recordClick(const ButtonRole& role) {
        Click click{&role, {}, {}};
        switch (role.shape) {
            case Shape::weapon:
            case Shape::technique:
                click.lines = {NameMode::twoChar};
                break;
            case Shape::randomName:
                // Tested 二字名, 三字名, 复姓 in turn, each put on top of the one before.
                if (checked(单选框2)) {
                    click.lines.push_back(NameMode::compound);
                }
                if (checked(单选框3)) {
                    click.lines.push_back(NameMode::threeChar);
                }
                if (checked(单选框1)) {
                    click.lines.push_back(NameMode::twoChar);
                }
                break;
            case Shape::customName: {
                const auto* line = qobject_cast<QLineEdit*>(widgetOf(编辑框4));
                click.surname = gbk_(line->text()).value_or("?");
                if (click.surname.empty()) {
                    break;
                }
                if (checked(单选框6)) {
                    click.lines.push_back(NameMode::compound);
                }
                if (checked(单选框5)) {
                    click.lines.push_back(NameMode::threeChar);
                }
                if (checked(单选框4)) {
                    click.lines.push_back(NameMode::twoChar);
                }
                break;
            }
        }
        clicks_.push_back(std::move(click));
    }

    // --- The user's events -------------------------------------------------------------------

    QPoint pointIn(const QRect& rect) {
        const int width = std::max(1, rect.width() - 2);
        const int height = std::max(1, rect.height() - 2);
        return rect.topLeft() +
               QPoint(1 + static_cast<int>(below(static_cast<std::uint32_t>(width))),
                      1 + static_cast<int>(below(static_cast<std::uint32_t>(height))));
    }

    // A left click, or a double click, at a random point: on a tab, on one of the page's
    // controls, or anywhere in the window. The widget under the point gets it, as from a display.
    std::string mouseEvent() {
        QWidget* window = startWindowWidget();
        auto* tabs = qobject_cast<QTabWidget*>(widgetOf(选择夹1));
        const std::uint32_t where = below(100);
        QPoint at;
        if (where < 25) {
            QTabBar* bar = tabs->tabBar();
            const QRect tab = bar->tabRect(static_cast<int>(below(4)));
            at = pointIn(QRect(bar->mapTo(window, tab.topLeft()), tab.size()));
        } else if (where < 85) {
            std::vector<QWidget*> shown;
            for (const ControlSpec& entry : mainWindowLayout.controls) {
                if (entry.parent != noParent && entry.page == currentPage()) {
                    shown.push_back(widgetOf(entry.number));
                }
            }
            QWidget* control = shown[below(static_cast<std::uint32_t>(shown.size()))];
            at = pointIn(QRect(control->mapTo(window, QPoint(0, 0)), control->size()));
        } else {
            at = pointIn(window->rect());
        }
        QWidget* under = window->childAt(at);
        QPointer<QWidget> target = under ? under : window;
        mouseOnSurnameBox_ = target == widgetOf(编辑框4);
        const QPoint local = target->mapFrom(window, at);
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        if (chance(10)) {
            modifiers = chance(50) ? Qt::ShiftModifier : Qt::ControlModifier;
        }
        const bool twice = chance(20);
        std::ostringstream what;
        what << (twice ? "double click" : "click") << (modifiers ? " with a modifier" : "")
             << " on " << nameOf(target) << " at (" << local.x() << "," << local.y() << ")";
        // The widget that got the press gets the release, wherever the page switched to.
        QTest::mousePress(target, Qt::LeftButton, modifiers, local);
        if (target) {
            QTest::mouseRelease(target, Qt::LeftButton, modifiers, local);
        }
        if (twice && target) {
            QTest::mouseDClick(target, Qt::LeftButton, modifiers, local);
        }
        if (twice && target) {
            QTest::mouseRelease(target, Qt::LeftButton, modifiers, local);
        }
        return what.str();
    }

    QString randomCharacter() {
        const std::uint32_t kind = below(100);
        const std::vector<QString>& pool =
            kind < 35 ? alphabet_.ascii : (kind < 75 ? alphabet_.chinese : alphabet_.foreign);
        return pool[below(static_cast<std::uint32_t>(pool.size()))];
    }

    QString randomText(std::uint32_t most) {
        QString text;
        const std::uint32_t count = 1 + below(most);
        for (std::uint32_t i = 0; i < count; ++i) {
            text += randomCharacter();
        }
        return text;
    }

    static QWidget* keyTarget() {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused : startWindowWidget();
    }

    // Characters as a keyboard layout delivers them: one key event each, carrying its text.
    std::string typeEvent() {
        const QString text = randomText(4);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
            const QString character = text.mid(i, length);
            i += length - 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(keyTarget(), &press);
            QApplication::sendEvent(keyTarget(), &release);
        }
        return "type \"" + utf8(text) + "\" into " + nameOf(QApplication::focusWidget());
    }

    // A whole text committed by an input method, into a widget that takes input methods.
    std::string inputMethodEvent() {
        QWidget* target = keyTarget();
        if (!target->testAttribute(Qt::WA_InputMethodEnabled)) {
            return typeEvent();
        }
        const QString text = randomText(3);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(target, &commit);
        return "input method commits \"" + utf8(text) + "\" into " + nameOf(target);
    }

    std::string pasteEvent() {
        QString text = randomText(3);
        if (chance(20)) {
            text += chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n");
        }
        text += randomText(3);
        QApplication::clipboard()->setText(text);
        const bool shiftInsert = chance(15);
        QTest::keyClick(keyTarget(), shiftInsert ? Qt::Key_Insert : Qt::Key_V,
                        shiftInsert ? Qt::ShiftModifier : Qt::ControlModifier);
        return std::string(shiftInsert ? "Shift+Insert" : "Ctrl+V") + " of \"" + utf8(text) +
               "\" into " + nameOf(QApplication::focusWidget());
    }

    std::string keyEvent() {
        const KeyStroke& stroke =
            keyStrokes[below(static_cast<std::uint32_t>(std::size(keyStrokes)))];
        const std::string target = nameOf(QApplication::focusWidget());
        QTest::keyClick(keyTarget(), stroke.key, stroke.modifiers);
        return std::string(stroke.name) + " on " + target;
    }

    // --- The invariants ----------------------------------------------------------------------

    // The bytes of box from its top: the lines of this event's clicks (newest on top), then its
    // old text. "" when they hold.
    std::string checkGrowth(const std::string& now, const std::string& old,
                            const std::vector<const Click*>& clicks) {
        std::size_t at = 0;
        std::ostringstream problem;
        for (auto click = clicks.rbegin(); click != clicks.rend(); ++click) {
            const ButtonRole& role = *(*click)->role;
            for (const NameMode mode : (*click)->lines) {
                problem << "the line at byte " << at << " from a click of " << role.name << ": ";
                if (bytesAt(now, at, role.label->size()) != *role.label) {
                    problem << "no label " << hexBytes(*role.label) << " but ["
                            << hexBytes(bytesAt(now, at, 12)) << "]";
                    return problem.str();
                }
                at += role.label->size();
                const std::string error = checkName(now, at, role, mode, (*click)->surname);
                if (!error.empty()) {
                    return problem.str() + error;
                }
                if (bytesAt(now, at, 2) != crLf) {
                    problem << "no CR LF after the name but [" << hexBytes(bytesAt(now, at, 6))
                            << "]";
                    return problem.str();
                }
                at += 2;
                problem.str("");
            }
        }
        const std::string rest = bytesAt(now, at, std::string::npos);
        if (at > now.size() || rest != old) {
            return "the text below the new lines is not the old text: " +
                   whereTheyDiffer(rest, old);
        }
        return "";
    }

    // The name at now[at...] for one line of role in mode; at moves past it.
    static std::string checkName(const std::string& now, std::size_t& at, const ButtonRole& role,
                                 NameMode mode, const std::string& surname) {
        const auto part = [&](std::size_t size) {
            const std::string bytes = bytesAt(now, at, size);
            at += size;
            return bytes;
        };
        const WordTable& given = role.female ? femaleCharTable : maleCharTable;
        const std::size_t start = at;
        const auto bad = [&](const char* what) {
            return std::string(what) + " in [" + hexBytes(bytesAt(now, start, 12)) + "]";
        };
        switch (role.shape) {
            case Shape::weapon:
            case Shape::technique: {
                if (!inTable(raceTable, part(2))) {
                    return bad("no race");
                }
                if (!inTable(rankTable, part(2))) {
                    return bad("no rank");
                }
                if (!inTable(epithetTable, part(4))) {
                    return bad("no epithet");
                }
                const WordTable& kind =
                    role.shape == Shape::weapon ? weaponKindTable : techniqueKindTable;
                if (!inTable(kind, part(2))) {
                    return bad("no weapon or technique kind");
                }
                return "";
            }
            case Shape::randomName:
                if (mode == NameMode::compound) {
                    if (!inTable(compoundSurnameTable, part(4))) {
                        return bad("no compound surname");
                    }
                } else if (!inTable(surnameTable, part(2))) {
                    return bad("no surname");
                }
                break;
            case Shape::customName:
                if (part(surname.size()) != surname) {
                    return bad(("not the surname [" + hexBytes(surname) + "]").c_str());
                }
                break;
        }
        if (!inTable(given, part(2))) {
            return bad("no given character of the sex");
        }
        if (mode != NameMode::twoChar && !inTable(given, part(2))) {
            return bad("no second given character of the sex");
        }
        return "";
    }

    // Every invariant after one event; "" when they all hold.
    std::string checkInvariants(const QWidget* focusBefore, bool keyboard) {
        std::ostringstream problem;
        if (!startWindowWidget()->isVisible()) {
            return "the window closed, though Esc was never pressed";
        }

        const auto* line = qobject_cast<QLineEdit*>(widgetOf(编辑框4));
        const QString surname = line->text();
        const std::optional<std::string> gbk = gbk_(surname);
        if (!gbk) {
            return "编辑框4 holds a character outside GBK: \"" + utf8(surname) + "\"";
        }
        if (gbk->size() > 4) {
            problem << "编辑框4 holds " << gbk->size() << " GBK bytes: \"" << utf8(surname) << "\"";
            return problem.str();
        }
        if (textOf(编辑框4) != *gbk) {
            return "编辑框4 reads [" + hexBytes(textOf(编辑框4)) + "] but shows [" +
                   hexBytes(*gbk) + "]";
        }

        // Only the user's typing changes the surname box, besides the two rules that empty it.
        const bool typedInto = keyboard && focusBefore == line;
        std::string expected = surnameBefore_;
        if (mouseOnSurnameBox_) {
            expected.clear();  // a left-button release in the box
        } else if (singleModeClicks_ > 0 && surnameBefore_.size() != 2) {
            expected.clear();  // 二字名 or 三字名 keeps only a one-character surname
        }
        if (!typedInto && *gbk != expected) {
            return "编辑框4 holds [" + hexBytes(*gbk) + "], not [" + hexBytes(expected) +
                   "]; it held [" + hexBytes(surnameBefore_) + "]";
        }
        surnameBefore_ = *gbk;

        const QWidget* compound = widgetOf(单选框6);
        if (compound->isEnabled() != (gbk->size() == 4)) {
            problem << "单选框6 is " << (compound->isEnabled() ? "enabled" : "disabled") << " with "
                    << gbk->size() << " bytes in 编辑框4";
            return problem.str();
        }
        if (!compound->isEnabled() && checked(单选框6)) {
            return "单选框6 is checked while disabled";
        }
        if (isDisabled(单选框6) == compound->isEnabled() ||
            isChecked(单选框6) != checked(单选框6)) {
            return "单选框6 reads otherwise than it shows";
        }

        const int pageTwoChecks =
            int{checked(单选框1)} + int{checked(单选框2)} + int{checked(单选框3)};
        if (pageTwoChecks != 1) {
            problem << pageTwoChecks << " radios of page 2 are checked";
            return problem.str();
        }

        for (const ResultBox& box : resultBoxes) {
            const QPlainTextEdit* edit = resultBox(box.number);
            const std::string now = textOf(box.number);
            std::string& model = models_[box.number];
            std::vector<const Click*> mine;
            for (const Click& click : clicks_) {
                if (click.role->box == box.number) {
                    mine.push_back(&click);
                    lines_[click.role->name] += click.lines.size();
                    if (click.role->shape == Shape::customName && !click.lines.empty() &&
                        click.lines.front() == NameMode::compound) {
                        ++customCompoundLines_;
                    }
                }
            }
            const bool edited = keyboard && focusBefore == edit;
            if (edited && !mine.empty()) {
                return std::string(box.name) + " was edited and written by a click in one event";
            }
            if (!edited) {
                const std::string error = checkGrowth(now, model, mine);
                if (!error.empty()) {
                    return std::string(box.name) + ": " + error;
                }
            }
            const int revision = edit->document()->revision();
            if (edited || !mine.empty() || revision != revisions_[box.number] || now != model) {
                const std::optional<std::string> meant =
                    boxBytesAsUtf8(fromGb18030_, fromGbk_, now);
                if (!meant) {
                    return std::string(box.name) + " reads bytes that are no text: [" +
                           hexBytes(bytesAt(now, 0, 48)) + "...]";
                }
                const std::string shown = shownBoxText(edit);
                if (*meant != shown) {
                    return std::string(box.name) + " reads otherwise than it shows: " +
                           whereTheyDiffer(*meant, shown, true);
                }
            }
            model = now;
            revisions_[box.number] = revision;
            longest_ = std::max(longest_, now.size());
        }
        if (gbk->size() == 4) {
            ++fourByteSurnames_;
        }
        return "";
    }

    std::mt19937 random_{
        static_cast<std::uint32_t>(environmentNumber("NOVEL_MONKEY_SEED", defaultSeed))};
    Iconv gbk_{"GBK", "UTF-8"};
    Iconv fromGbk_{"UTF-8", "GBK"};
    Iconv fromGb18030_{"UTF-8", "GB18030"};
    Alphabet alphabet_ = makeAlphabet();
    std::vector<Click> clicks_;
    int singleModeClicks_ = 0;        // clicks of 单选框4 and 单选框5 in this event
    bool mouseOnSurnameBox_ = false;  // this event pressed and released the mouse in 编辑框4
    std::string surnameBefore_;       // 编辑框4 before this event, GBK
    std::map<ControlNumber, std::string> models_;
    std::map<ControlNumber, int> revisions_;
    std::map<std::string, std::size_t> lines_;
    std::size_t customCompoundLines_ = 0;
    std::size_t fourByteSurnames_ = 0;
    std::size_t longest_ = 0;
};

TEST_F(Monkey, RandomEventsKeepEveryInvariantThenEscCloses) {
    const long events = environmentNumber("NOVEL_MONKEY_EVENTS", defaultEvents);
    const long seed = environmentNumber("NOVEL_MONKEY_SEED", defaultSeed);
    std::printf("monkey: seed %ld, %ld events (NOVEL_MONKEY_SEED, NOVEL_MONKEY_EVENTS)\n", seed,
                events);
    std::deque<std::string> recent;
    const auto started = std::chrono::steady_clock::now();
    for (long event = 0; event < events; ++event) {
        fixedTickValue += 1 + below(997);
        clicks_.clear();
        singleModeClicks_ = 0;
        mouseOnSurnameBox_ = false;
        const QWidget* focusBefore = QApplication::focusWidget();
        const std::uint32_t kind = below(100);
        std::string what;
        if (kind < 40) {
            what = mouseEvent();
        } else if (kind < 63) {
            what = typeEvent();
        } else if (kind < 68) {
            what = inputMethodEvent();
        } else if (kind < 75) {
            what = pasteEvent();
        } else {
            what = keyEvent();
        }
        QCoreApplication::processEvents();
        recent.push_back(std::to_string(event) + ": " + what);
        if (recent.size() > 12) {
            recent.pop_front();
        }
        const std::string problem = checkInvariants(focusBefore, kind >= 40);
        if (!problem.empty()) {
            std::string history;
            for (const std::string& line : recent) {
                history += "\n  " + line;
            }
            FAIL() << "seed " << seed << ", event " << event << " (" << what << "): " << problem
                   << "\nthe last events:" << history << "\nreplay with NOVEL_MONKEY_SEED=" << seed
                   << " NOVEL_MONKEY_EVENTS=" << event + 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("monkey: %ld events in %.1f s; the longest result box held %zu bytes\n", events,
                seconds, longest_);
    for (const auto& [button, count] : lines_) {
        std::printf("monkey: %s wrote %zu lines\n", button.c_str(), count);
    }
    std::printf("monkey: %zu custom compound names, %zu events ended at 4 surname bytes\n",
                customCompoundLines_, fourByteSurnames_);

    // A long run must have reached every kind of line, or it tested less than it claims.
    if (events >= coverageEvents) {
        for (const ButtonRole& role : roles) {
            EXPECT_GT(lines_[role.name], 0u) << role.name << " never wrote a line, seed " << seed;
        }
        EXPECT_GT(customCompoundLines_, 0u) << "no custom compound name, seed " << seed;
    }

    QTest::keyClick(keyTarget(), Qt::Key_Escape);
    EXPECT_FALSE(startWindowWidget()->isVisible()) << "Esc after the run, seed " << seed;
}

}  // namespace
