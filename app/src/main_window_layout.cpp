// The main window's layout: its settings and the nineteen controls in list order. Compiled with
// -fexec-charset=GBK, so every text below is stored as GBK bytes.
#include "app/handlers.h"
#include "app/main_window.h"

static_assert(sizeof("宋体") == 5, "the layout must be compiled with a GBK execution charset");

namespace {

constexpr FontSpec song16{"宋体", 16, 400};
constexpr FontSpec song19{"宋体", 19, 400};
constexpr FontSpec song29{"宋体", 29, 400};

constexpr Colour black = rgbColour(0x000000);
constexpr Colour white = rgbColour(0xFFFFFF);
constexpr Colour resultOrange = rgbColour(0xC06000);

constexpr std::string_view pageCaptions[] = {"武器·功法", "随机取名", "自定义取名", "说明"};

// The description page. Every count is the number of row combinations of the tables.
constexpr std::string_view descriptionText =
    "砚舟的小说辅助工具\r\n"
    "可生成武器：29744种\r\n"
    "功法：4576部\r\n"
    "随机二字名：28600个（男，女各14300个）\r\n"
    "随机三字名：3718000个（男，女各1859000个）\r\n"
    "随机复姓名：2771600个（男，女各1385800个）\r\n"
    "自定义二字名：260个（男，女各130个）\r\n"
    "自定义三字名：33800个（男，女各16900个）\r\n"
    "自定义复姓名：33800个（男，女各16900个）\r\n"
    "注意！！！自定义的名字个数，是一个“姓”可可以生成的最多个数\r\n"
    "                                       buy---砚舟的";

constexpr EventBinding windowEvents[] = {{EventKind::windowCreated, onWindowCreated}};
constexpr EventBinding 按钮1Events[] = {{EventKind::click, on按钮1Click}};
constexpr EventBinding 按钮2Events[] = {{EventKind::click, on按钮2Click}};
constexpr EventBinding 按钮3Events[] = {{EventKind::click, on按钮3Click}};
constexpr EventBinding 按钮4Events[] = {{EventKind::click, on按钮4Click}};
constexpr EventBinding 按钮5Events[] = {{EventKind::click, on按钮5Click}};
constexpr EventBinding 按钮6Events[] = {{EventKind::click, on按钮6Click}};
constexpr EventBinding 单选框4Events[] = {{EventKind::click, on单选框4Click}};
constexpr EventBinding 单选框5Events[] = {{EventKind::click, on单选框5Click}};
constexpr EventBinding 编辑框4Events[] = {
    {EventKind::textChange, on编辑框4TextChange},
    {EventKind::leftButtonRelease, nullptr, on编辑框4LeftButtonRelease},
};

constexpr KindSettings resultBoxSettings{
    .multiLine = true, .verticalScrollBar = true, .border = EditBorder::flatLine};
constexpr KindSettings surnameBoxSettings{.border = EditBorder::sunken, .byteLimit = 4};
constexpr KindSettings buttonSettings{.defaultButtonLook = true};
constexpr KindSettings radioSettings{};
constexpr KindSettings oneLineLabelSettings{};
constexpr KindSettings wrappingLabelSettings{.wrapLines = true};
// The page controls start at top 21, just below the tabs.
constexpr KindSettings tabSettings{.pageCaptions = pageCaptions, .tabHeight = 21};

using enum ControlKind;

// One entry per control, in list order, its fields in the schema's order.
// clang-format off
constexpr ControlSpec controls[] = {
    // pos 1-9
    {标签2, "标签2", label, 选择夹1, 4, 10, 33, 416, 208, true, false, false, descriptionText,
     song16, black, standardColour, wrappingLabelSettings, {}},
    {单选框6, "单选框6", radioButton, 选择夹1, 3, 332, 112, 64, 24, true, true, true, "复姓名",
     systemFont, black, standardColour, radioSettings, {}},
    {单选框5, "单选框5", radioButton, 选择夹1, 3, 366, 87, 64, 24, true, false, true, "三字名",
     systemFont, black, standardColour, radioSettings, 单选框5Events},
    {单选框4, "单选框4", radioButton, 选择夹1, 3, 294, 86, 64, 24, true, false, true, "二字名",
     systemFont, black, standardColour, radioSettings, 单选框4Events},
    {标签1, "标签1", label, 选择夹1, 3, 285, 21, 145, 24, true, false, false, "填入您想取的“姓”",
     song16, black, standardColour, oneLineLabelSettings, {}},
    {编辑框4, "编辑框4", editBox, 选择夹1, 3, 280, 46, 153, 24, true, false, true, "", song19,
     black, white, surnameBoxSettings, 编辑框4Events},
    {按钮6, "按钮6", button, 选择夹1, 3, 368, 140, 51, 90, true, false, true, "女名", song29,
     standardColour, standardColour, buttonSettings, 按钮6Events},
    {按钮5, "按钮5", button, 选择夹1, 3, 296, 140, 51, 90, true, false, true, "男名", song29,
     standardColour, standardColour, buttonSettings, 按钮5Events},
    {编辑框3, "编辑框3", editBox, 选择夹1, 3, 8, 26, 272, 208, true, false, true, "", song29,
     resultOrange, white, resultBoxSettings, {}},
    // pos 10-15
    {单选框3, "单选框3", radioButton, 选择夹1, 2, 361, 120, 64, 24, true, false, true, "三字名",
     systemFont, black, standardColour, radioSettings, {}},
    {单选框2, "单选框2", radioButton, 选择夹1, 2, 361, 173, 64, 24, true, false, true, "复姓",
     systemFont, black, standardColour, radioSettings, {}},
    {单选框1, "单选框1", radioButton, 选择夹1, 2, 362, 69, 64, 24, true, false, true, "二字名",
     systemFont, black, standardColour, radioSettings, {}},
    {编辑框2, "编辑框2", editBox, 选择夹1, 2, 8, 26, 272, 208, true, false, true, "", song29,
     resultOrange, white, resultBoxSettings, {}},
    {按钮4, "按钮4", button, 选择夹1, 2, 302, 137, 51, 90, true, false, true, "女名", song29,
     standardColour, standardColour, buttonSettings, 按钮4Events},
    {按钮3, "按钮3", button, 选择夹1, 2, 302, 34, 51, 90, true, false, true, "男名", song29,
     standardColour, standardColour, buttonSettings, 按钮3Events},
    // pos 16-19
    {编辑框1, "编辑框1", editBox, 选择夹1, 1, 8, 26, 272, 208, true, false, true, "", song29,
     resultOrange, white, resultBoxSettings, {}},
    {按钮2, "按钮2", button, 选择夹1, 1, 308, 137, 98, 90, true, false, true, "功法", song29,
     standardColour, standardColour, buttonSettings, 按钮2Events},
    {按钮1, "按钮1", button, 选择夹1, 1, 308, 34, 98, 90, true, false, true, "武器", song29,
     standardColour, standardColour, buttonSettings, 按钮1Events},
    {选择夹1, "选择夹1", tabControl, noParent, 0, -2, 0, 440, 240, true, false, false, "",
     systemFont, standardColour, standardColour, tabSettings, {}},
};
// clang-format on

}  // namespace

const WindowLayout mainWindowLayout{
    .number = mainWindow,
    .window =
        {
            .title = "砚舟的小说辅助工具",
            .width = 439,
            .height = 271,
            .storedLeft = 50,
            .storedTop = 50,
            .systemMenu = true,
            .closeButton = true,
            .minimiseButton = false,
            .maximiseButton = false,
            .resizable = false,
            .escapeCloses = true,
            .alwaysOnTop = false,
            .iconResource = "DEFAULT_ICON",
            .font = systemFont,
            .events = windowEvents,
        },
    .controls = controls,
};
