#include "core/key_tables.h"

#include <array>
#include <cstddef>

#include "core/key_function.h"
#include "core/texts.h"

namespace kv12 {
namespace {

// HID keyboard page 0x04..0x63 in usage order, the modifiers 0xE0..0xE7, then
// the mouse buttons. The names are the English Windows key names; "Eurpo(Note 2)"
// (sic) is the name the table has always carried for usage 0x32, non-US # and ~.
// clang-format off
constexpr std::array<KeyNameUsage, KEY_NAME_COUNT> KEY_NAMES = {{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09}, {"G", 0x0A}, {"H", 0x0B},
    {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F}, {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13},
    {"Q", 0x14}, {"R", 0x15}, {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D}, {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22}, {"6", 0x23},
    {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27}, {"Enter", 0x28}, {"Esc", 0x29}, {"Backspace", 0x2A},
    {"Tab", 0x2B}, {"Space", 0x2C}, {"-", 0x2D}, {"=", 0x2E}, {"[", 0x2F}, {"]", 0x30}, {"\\", 0x31},
    {"Eurpo(Note 2)", 0x32}, {";", 0x33}, {"'", 0x34}, {"`", 0x35}, {",", 0x36}, {".", 0x37}, {"/", 0x38},
    {"Caps Lock", 0x39}, {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F},
    {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
    {"Prnt Scrn", 0x46}, {"Scroll Lock", 0x47}, {"Pause", 0x48}, {"Insert", 0x49}, {"Home", 0x4A},
    {"Page Up", 0x4B}, {"Delete", 0x4C}, {"End", 0x4D}, {"Page Down", 0x4E}, {"Right", 0x4F},
    {"Left", 0x50}, {"Down", 0x51}, {"Up", 0x52}, {"Num Lock", 0x53}, {"Num /", 0x54}, {"Num *", 0x55},
    {"Num -", 0x56}, {"Num +", 0x57}, {"Num Enter", 0x58}, {"Num 1", 0x59}, {"Num 2", 0x5A},
    {"Num 3", 0x5B}, {"Num 4", 0x5C}, {"Num 5", 0x5D}, {"Num 6", 0x5E}, {"Num 7", 0x5F}, {"Num 8", 0x60},
    {"Num 9", 0x61}, {"Num 0", 0x62}, {"Num Del", 0x63}, {"Ctrl", 0xE0}, {"Shift", 0xE1}, {"Alt", 0xE2},
    {"Left Windows", 0xE3}, {"Right Ctrl", 0xE4}, {"Right Shift", 0xE5}, {"Right Alt", 0xE6},
    {"Right Windows", 0xE7}, {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2},
}};
// clang-format on

constexpr std::array<std::string_view, MODIFIER_COUNT> MODIFIER_NAMES = {
    "Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl", "Right Shift", "Right Alt", "Right Win",
};

struct FireKey {
    std::string_view name;
    std::uint8_t usage;
};

// Right Windows and left Windows are not offered; the right-hand modifiers
// follow the left ones directly, so positions 39..41 carry 0xE4..0xE6.
// clang-format off
constexpr std::array<FireKey, FIRE_KEY_COUNT> FIRE_KEYS = {{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09}, {"G", 0x0A}, {"H", 0x0B},
    {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F}, {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13},
    {"Q", 0x14}, {"R", 0x15}, {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D}, {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22}, {"6", 0x23},
    {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27},
    {"L-CTRL", 0xE0}, {"L-SHIFT", 0xE1}, {"L-ALT", 0xE2},
    {"R-CTRL", 0xE4}, {"R-SHIFT", 0xE5}, {"R-ALT", 0xE6},
    {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F}, {"F7", 0x40},
    {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
    {"L-Button", MOUSE_LEFT}, {"R-Button", MOUSE_RIGHT}, {"M-Button", MOUSE_MIDDLE},
    {"B4-Button", MOUSE_BUTTON4}, {"B5-Button", MOUSE_BUTTON5},
    {"L-Tilt Wheel", MOUSE_TILT_LEFT}, {"R-Tilt Wheel", MOUSE_TILT_RIGHT},
}};
// clang-format on

// The list boxes want the texts alone, in list order.
constexpr std::array<std::string_view, FIRE_KEY_COUNT> FIRE_KEY_NAMES = [] {
    std::array<std::string_view, FIRE_KEY_COUNT> names{};
    for (std::size_t i = 0; i < FIRE_KEYS.size(); ++i) {
        names[i] = FIRE_KEYS[i].name;
    }
    return names;
}();

struct ConsumerKey {
    Text3 text;
    std::uint16_t usage;
};

// clang-format off
constexpr std::array<ConsumerKey, MEDIA_KEY_COUNT> MEDIA_KEYS = {{
    {{"Next", "下一首", "下一首"}, 0x00B5},           // Scan Next Track
    {{"Previous", "上一首", "上一首"}, 0x00B6},       // Scan Previous Track
    {{"Stop", "停止", "停止"}, 0x00B7},               // Stop
    {{"Play/Pause", "播放/暂停", "播放/暫停"}, 0x00CD},  // Play/Pause
    {{"Mute", "静音", "靜音"}, 0x00E2},               // Mute
    {{"Vol+", "音量+", "音量+"}, 0x00E9},             // Volume Increment
    {{"Vol-", "音量-", "音量-"}, 0x00EA},             // Volume Decrement
}};
// clang-format on

// clang-format off
constexpr std::array<ConsumerKey, APP_KEY_COUNT> APP_KEYS = {{
    {{"Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"}, 0x0183},  // AL Consumer Control Configuration
    {{"Mail", "邮件", "郵件"}, 0x018A},                                      // AL Email Reader
    {{"Calculator", "计算器", "計算器"}, 0x0192},                            // AL Calculator
    {{"My Computer", "我的电脑", "我的電腦"}, 0x0194},                       // AL Local Machine Browser
    {{"Browser-Search", "浏览器-搜索", "瀏覽器-搜索"}, 0x0221},              // AC Search
    {{"Browser-Home", "浏览器-主页", "瀏覽器-主頁"}, 0x0223},                // AC Home
    {{"Browser-Back", "浏览器-后退", "瀏覽器-後退"}, 0x0224},                // AC Back
    {{"Browser-Forward", "浏览器-前进", "瀏覽器-前進"}, 0x0225},             // AC Forward
    {{"Browser-Stop", "浏览器-停止", "瀏覽器-停止"}, 0x0226},                // AC Stop
    {{"Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新"}, 0x0227},             // AC Refresh
    {{"Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛"}, 0x022A},  // AC Bookmarks
}};
// clang-format on

// The kind names live in the main text table (rows 7..23), where "Report Rate
// Switch" and "Shift" sit between "DPI Switch" and "RGB On/Off"; this maps a
// kind to its row so the texts exist in one place only.
constexpr std::array<int, KEY_FUNCTION_KIND_COUNT> KIND_TEXT_ROWS = {
    7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22, 15, 23,
};

constexpr std::array<std::string_view, DPI_STEP_COUNT> DPI_STEP_TEXTS = {"DPI +", "DPI -", "DPI Loop"};

template <typename Table>
constexpr bool InRange(int position, const Table& table) {
    return position >= 0 && static_cast<std::size_t>(position) < table.size();
}

}  // namespace

std::uint8_t KeyUsageByName(std::string_view name) {
    for (const KeyNameUsage& row : KEY_NAMES) {
        if (row.name == name) {
            return row.usage;
        }
    }
    return 0;
}

std::span<const KeyNameUsage> KeyUsageTable() {
    return KEY_NAMES;
}

std::string_view KeyNameOfUsage(std::uint8_t usage) {
    if (usage == 0) {
        return {};
    }
    for (const KeyNameUsage& row : KEY_NAMES) {
        if (row.usage == usage) {
            return row.name;
        }
    }
    return {};
}

std::uint8_t ModifierBitByName(std::string_view name) {
    for (std::size_t i = 0; i < MODIFIER_NAMES.size(); ++i) {
        if (MODIFIER_NAMES[i] == name) {
            return static_cast<std::uint8_t>(1u << i);
        }
    }
    return 0;
}

std::span<const std::string_view> ModifierNames() {
    return MODIFIER_NAMES;
}

std::uint8_t FireKeyUsage(int position) {
    return InRange(position, FIRE_KEYS) ? FIRE_KEYS[static_cast<std::size_t>(position)].usage : 0;
}

std::span<const std::string_view> FireKeyNames() {
    return FIRE_KEY_NAMES;
}

std::uint16_t MediaUsage(int position) {
    return InRange(position, MEDIA_KEYS) ? MEDIA_KEYS[static_cast<std::size_t>(position)].usage : 0;
}

std::string_view MediaKeyText(int position, Language language) {
    return InRange(position, MEDIA_KEYS) ? MEDIA_KEYS[static_cast<std::size_t>(position)].text.In(language)
                                         : std::string_view{};
}

std::uint16_t AppUsage(int position) {
    return InRange(position, APP_KEYS) ? APP_KEYS[static_cast<std::size_t>(position)].usage : 0;
}

std::string_view AppKeyText(int position, Language language) {
    return InRange(position, APP_KEYS) ? APP_KEYS[static_cast<std::size_t>(position)].text.In(language)
                                       : std::string_view{};
}

std::uint8_t AppUsageHighByte(int position) {
    return static_cast<std::uint8_t>(AppUsage(position) >> 8);
}

std::string_view KeyFunctionKindText(int kind, Language language) {
    return InRange(kind, KIND_TEXT_ROWS)
               ? MainTextTable(KIND_TEXT_ROWS[static_cast<std::size_t>(kind)]).In(language)
               : std::string_view{};
}

std::string_view ReportRateSwitchText(Language language) {
    return MainTextTable(TXT_REPORT_RATE_SWITCH).In(language);
}

std::string_view DpiStepText(int step) {
    if (step < 1 || step > DPI_STEP_COUNT) {
        return {};
    }
    return DPI_STEP_TEXTS[static_cast<std::size_t>(step - 1)];
}

}  // namespace kv12
