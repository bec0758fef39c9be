// The page handlers and the result log. Compiled with -fexec-charset=GBK: the labels below are
// GBK bytes.
#include "app/handlers.h"

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

bool isChecked(ControlNumber radio) { return readProperty(mainWindow, radio, FlagProperty::checked); }

std::size_t surnameBoxLength() {
    std::string surname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    const std::size_t length = textLength(surname);
    releaseText(surname);
    return length;
}

// One random name per checked mode radio of page 2, tested one after another, each on its own.
void logRandomNames(NameSex sex, std::string_view label) {
    if (isChecked(单选框1)) {
        composeRandomName(sex, NameMode::twoChar);
        prependResultLine(编辑框2, label, nameResult);
    }
    if (isChecked(单选框3)) {
        composeRandomName(sex, NameMode::threeChar);
        prependResultLine(编辑框2, label, nameResult);
    }
    if (isChecked(单选框2)) {
        composeRandomName(sex, NameMode::compound);
        prependResultLine(编辑框2, label, nameResult);
    }
}

// Names for the typed surname, one per checked mode radio of page 3. An empty box stops here and
// leaves customSurname as it was.
void logCustomNames(NameSex sex, std::string_view label) {
    std::string surname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    const bool empty = compareTexts(surname, "") == 0;
    releaseText(surname);
    if (empty) {
        return;
    }
    customSurname = readProperty(mainWindow, 编辑框4, TextProperty::text);
    if (isChecked(单选框4)) {
        composeCustomName(sex, NameMode::twoChar);
        prependResultLine(编辑框3, label, nameResult);
    }
    if (isChecked(单选框5)) {
        composeCustomName(sex, NameMode::threeChar);
        prependResultLine(编辑框3, label, nameResult);
    }
    if (isChecked(单选框6)) {
        composeCustomName(sex, NameMode::compound);
        prependResultLine(编辑框3, label, nameResult);
    }
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
