// The page handlers and the result log. Compiled with -fexec-charset=GBK: the labels below are
// GBK bytes.
#include "app/handlers.h"

#include <span>
#include <string>

#include "app/main_window.h"
#include "generators/composers.h"
#include "platform/runtime.h"

static_assert(sizeof("武器：") == 7, "the handlers must be compiled with a GBK execution charset");

namespace {

constexpr std::string_view weaponLabel = "武器：";
constexpr std::string_view techniqueLabel = "功法：";
constexpr std::string_view maleLabel = "男名：";
constexpr std::string_view femaleLabel = "女名：";

bool isChecked(ControlNumber radio) {
    return readProperty(mainWindow, radio, FlagProperty::checked);
}

std::size_t surnameBoxLength() {
    std::string surname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    const std::size_t length = textLength(surname);
    releaseText(surname);
    return length;
}

// A page's mode radios in the order the name buttons test them.
struct ModeRadio {
    ControlNumber radio;
    NameMode mode;
};
constexpr ModeRadio randomNameModes[] = {
    {单选框1, NameMode::twoChar}, {单选框3, NameMode::threeChar}, {单选框2, NameMode::compound}};
constexpr ModeRadio customNameModes[] = {
    {单选框4, NameMode::twoChar}, {单选框5, NameMode::threeChar}, {单选框6, NameMode::compound}};

// One name per checked mode radio, each radio tested on its own at its own moment (never as a
// chain of alternatives), each name put on top of the box as it is made.
void logNamesOfCheckedModes(std::span<const ModeRadio> modes,
                            const std::string& (*compose)(NameSex, NameMode), NameSex sex,
                            ControlNumber box, std::string_view label) {
    for (const ModeRadio& mode : modes) {
        if (isChecked(mode.radio)) {
            compose(sex, mode.mode);
            prependResultLine(box, label, nameResult);
        }
    }
}

void logRandomNames(NameSex sex, std::string_view label) {
    logNamesOfCheckedModes(randomNameModes, composeRandomName, sex, 编辑框2, label);
}

// Names for the typed surname. An empty box stops here and leaves customSurname as it was.
void logCustomNames(NameSex sex, std::string_view label) {
    std::string surname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    const bool empty = compareTexts(surname, "") == 0;
    releaseText(surname);
    if (empty) {
        return;
    }
    customSurname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    logNamesOfCheckedModes(customNameModes, composeCustomName, sex, 编辑框3, label);
}

// "二字名" and "三字名" of page 3: the clicked radio stays checked; the surname box keeps a
// one-character surname (2 bytes) and is emptied otherwise.
void chooseSingleSurnameMode(ControlNumber radio) {
    const std::size_t length = surnameBoxLength();
    writeProperty(mainWindow, radio, FlagProperty::checked, true);
    if (length != 2) {
        writeProperty(mainWindow, 编辑框4, TextProperty::text, "");
    }
}

}  // namespace

void prependResultLine(ControlNumber box, std::string_view label, std::string_view result) {
    std::string old = readProperty(mainWindow, box, TextProperty::text);
    std::string line = joinTexts({label, result, "\r\n", old});
    releaseText(old);
    writeProperty(mainWindow, box, TextProperty::text, line);
    releaseText(line);
}

void onWindowCreated() {
    writeProperty(mainWindow, 单选框3, FlagProperty::checked, true);
    writeProperty(mainWindow, 单选框4, FlagProperty::checked, true);
}

void on按钮1Click() {
    composeWeapon();
    prependResultLine(编辑框1, weaponLabel, weaponResult);
}

void on按钮2Click() {
    composeTechnique();
    prependResultLine(编辑框1, techniqueLabel, techniqueResult);
}

void on按钮3Click() { logRandomNames(NameSex::male, maleLabel); }
void on按钮4Click() { logRandomNames(NameSex::female, femaleLabel); }

// "复姓名" is available exactly while the surname box holds 4 bytes; a disabled one is never
// checked.
void on编辑框4TextChange() {
    if (surnameBoxLength() == 4) {
        writeProperty(mainWindow, 单选框6, FlagProperty::disabled, false);
    } else {
        writeProperty(mainWindow, 单选框6, FlagProperty::checked, false);
        writeProperty(mainWindow, 单选框6, FlagProperty::disabled, true);
    }
}

// Every release of the left button in the surname box empties it; the box then handles the
// release as usual.
void on编辑框4LeftButtonRelease(std::int32_t, std::int32_t, std::uint32_t) {
    writeProperty(mainWindow, 编辑框4, TextProperty::text, "");
}

void on单选框4Click() { chooseSingleSurnameMode(单选框4); }
void on单选框5Click() { chooseSingleSurnameMode(单选框5); }

void on按钮5Click() { logCustomNames(NameSex::male, maleLabel); }
void on按钮6Click() { logCustomNames(NameSex::female, femaleLabel); }
