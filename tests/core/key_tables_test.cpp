#include "core/key_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <set>
#include <string>

#include "tests/common/case_name.h"

namespace kv12 {
namespace {

constexpr Language EN = Language::English;
constexpr Language CHS = Language::SimplifiedChinese;
constexpr Language CHT = Language::TraditionalChinese;

struct NameCase {
    const char* name;
    std::uint8_t usage;
};

class KeyUsageByNameCases : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyUsageByNameCases, MapsExactNamesAndNothingElse) {
    EXPECT_EQ(KeyUsageByName(GetParam().name), GetParam().usage) << '"' << GetParam().name << '"';
}

// The name in words; spaces around it, which the lookup must not ignore, are named too.
std::string NameCaseName(const ::testing::TestParamInfo<NameCase>& info) {
    const std::string_view name = info.param.name;
    std::string id = test::CaseName(name);
    if (!name.empty() && name.front() == ' ') id = "SpaceThen" + id;
    if (!name.empty() && name.back() == ' ') id += "ThenSpace";
    // The key "0" is not the first case.
    if (id.front() >= '0' && id.front() <= '9') id = "Key" + id;
    return id;
}

INSTANTIATE_TEST_SUITE_P(
    KeyTables, KeyUsageByNameCases,
    ::testing::Values(NameCase{"A", 0x04}, NameCase{"a", 0}, NameCase{"enter", 0}, NameCase{"Enter", 0x28},
                      NameCase{"Space", 0x2C}, NameCase{"Caps Lock", 0x39}, NameCase{"F12", 0x45},
                      NameCase{"Num Del", 0x63}, NameCase{"Right Windows", 0xE7}, NameCase{"\\", 0x31},
                      NameCase{"Eurpo(Note 2)", 0x32}, NameCase{"Ctrl", 0xE0}, NameCase{"Left Ctrl", 0},
                      NameCase{"Right Ctrl", 0xE4}, NameCase{"", 0}, NameCase{"0", 0x27},
                      NameCase{"Prnt Scrn", 0x46}, NameCase{"Num Enter", 0x58}, NameCase{"Num 0", 0x62},
                      NameCase{"L-Button", 0xF0}, NameCase{"M-Button", 0xF2}, NameCase{" A", 0},
                      NameCase{"A ", 0}, NameCase{"Strg", 0}, NameCase{"Europe(Note 2)", 0}),
    NameCaseName);

TEST(KeyUsageTable, FollowsTheHidKeyboardPageThenModifiersThenMouseButtons) {
    const auto table = KeyUsageTable();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(KEY_NAME_COUNT));
    for (std::size_t i = 0; i < 96; ++i) {
        EXPECT_EQ(table[i].usage, 0x04 + i) << table[i].name;
    }
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(table[96 + i].usage, 0xE0 + i) << table[96 + i].name;
    }
    EXPECT_EQ(table[104].name, "L-Button");
    EXPECT_EQ(table[105].name, "R-Button");
    EXPECT_EQ(table[106].usage, 0xF2);
}

TEST(KeyUsageTable, EveryNameIsUniqueAndLooksUpItsOwnUsage) {
    std::set<std::string_view> seen;
    for (const KeyNameUsage& row : KeyUsageTable()) {
        EXPECT_TRUE(seen.insert(row.name).second) << row.name;
        EXPECT_EQ(KeyUsageByName(row.name), row.usage) << row.name;
        EXPECT_EQ(KeyNameOfUsage(row.usage), row.name);
    }
}

TEST(KeyNameOfUsage, IsEmptyForUsagesWithoutARow) {
    EXPECT_EQ(KeyNameOfUsage(0), "");
    EXPECT_EQ(KeyNameOfUsage(0x64), "");
    EXPECT_EQ(KeyNameOfUsage(0xF3), "");
}

TEST(ModifierBitByName, GivesOneBitPerListNameInListOrder) {
    const auto names = ModifierNames();
    ASSERT_EQ(names.size(), static_cast<std::size_t>(MODIFIER_COUNT));
    const char* expected[] = {"Left Ctrl",  "Left Shift",  "Left Alt",  "Left Win",
                              "Right Ctrl", "Right Shift", "Right Alt", "Right Win"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], expected[i]);
        EXPECT_EQ(ModifierBitByName(names[i]), 1u << i) << names[i];
    }
}

TEST(ModifierBitByName, GivesZeroForAnyOtherText) {
    for (const char* text :
         {"", "Ctrl", "left ctrl", "Left Windows", "Right Windows", "Shift", "Left Ctrl "}) {
        EXPECT_EQ(ModifierBitByName(text), 0) << '"' << text << '"';
    }
}

struct PositionCase {
    int position;
    unsigned usage;
};

TEST(FireKeyUsage, FollowsTheListByPosition) {
    const PositionCase cases[] = {{0, 0x04},  {25, 0x1D}, {26, 0x1E}, {35, 0x27},   {36, 0xE0},  {37, 0xE1},
                                  {38, 0xE2}, {39, 0xE4}, {40, 0xE5}, {41, 0xE6},   {42, 0x3A},  {53, 0x45},
                                  {54, 0xF0}, {55, 0xF1}, {56, 0xF2}, {57, 0xF3},   {58, 0xF4},  {59, 0xF5},
                                  {60, 0xF6}, {-1, 0},    {61, 0},    {INT_MIN, 0}, {INT_MAX, 0}};
    for (const PositionCase& c : cases) {
        EXPECT_EQ(FireKeyUsage(c.position), c.usage) << "position " << c.position;
    }
}

TEST(FireKeyNames, ListsSixtyOneItemsInListOrder) {
    const auto names = FireKeyNames();
    ASSERT_EQ(names.size(), static_cast<std::size_t>(FIRE_KEY_COUNT));
    const std::pair<int, const char*> cases[] = {{0, "A"},
                                                 {25, "Z"},
                                                 {26, "1"},
                                                 {35, "0"},
                                                 {36, "L-CTRL"},
                                                 {39, "R-CTRL"},
                                                 {41, "R-ALT"},
                                                 {42, "F1"},
                                                 {53, "F12"},
                                                 {54, "L-Button"},
                                                 {57, "B4-Button"},
                                                 {59, "L-Tilt Wheel"},
                                                 {60, "R-Tilt Wheel"}};
    for (const auto& [position, name] : cases) {
        EXPECT_EQ(names[static_cast<std::size_t>(position)], name) << "position " << position;
    }
}

TEST(MediaUsage, GivesConsumerUsagesWithAZeroHighByte) {
    const PositionCase cases[] = {{0, 0x00B5}, {1, 0x00B6}, {2, 0x00B7}, {3, 0x00CD}, {4, 0x00E2},
                                  {5, 0x00E9}, {6, 0x00EA}, {-1, 0},     {7, 0},      {INT_MAX, 0}};
    for (const PositionCase& c : cases) {
        EXPECT_EQ(MediaUsage(c.position), c.usage) << "position " << c.position;
    }
}

TEST(AppUsage, GivesConsumerUsagesAndTheirStoredHighByte) {
    struct Case {
        int position;
        unsigned usage;
        unsigned highByte;
    };
    const Case cases[] = {{0, 0x0183, 1},  {1, 0x018A, 1}, {2, 0x0192, 1}, {3, 0x0194, 1},  {4, 0x0221, 2},
                          {5, 0x0223, 2},  {6, 0x0224, 2}, {7, 0x0225, 2}, {8, 0x0226, 2},  {9, 0x0227, 2},
                          {10, 0x022A, 2}, {-1, 0, 0},     {11, 0, 0},     {INT_MIN, 0, 0}, {INT_MAX, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(AppUsage(c.position), c.usage) << "position " << c.position;
        EXPECT_EQ(AppUsageHighByte(c.position), c.highByte) << "position " << c.position;
    }
}

struct ListTextCase {
    int position;
    Language language;
    const char* text;
};

TEST(MediaKeyText, GivesTheItemInTheLanguage) {
    const ListTextCase cases[] = {{0, EN, "Next"},       {0, CHS, "下一首"},    {3, EN, "Play/Pause"},
                                  {3, CHS, "播放/暂停"}, {3, CHT, "播放/暫停"}, {4, CHT, "靜音"},
                                  {5, CHS, "音量+"},     {6, EN, "Vol-"},       {7, EN, ""},
                                  {-1, CHT, ""}};
    for (const ListTextCase& c : cases) {
        EXPECT_EQ(MediaKeyText(c.position, c.language), c.text) << "position " << c.position;
    }
}

TEST(AppKeyText, GivesTheItemInTheLanguage) {
    const ListTextCase cases[] = {{0, EN, "Multimedia Player"},
                                  {0, CHS, "打开多媒体播放器"},
                                  {0, CHT, "打開多媒體播放器"},
                                  {3, EN, "My Computer"},
                                  {4, CHS, "浏览器-搜索"},
                                  {6, CHT, "瀏覽器-後退"},
                                  {10, EN, "Browser-My Favorites"},
                                  {10, CHS, "浏览器-收藏夹"},
                                  {10, CHT, "瀏覽器-我的最愛"},
                                  {11, EN, ""},
                                  {-1, CHS, ""}};
    for (const ListTextCase& c : cases) {
        EXPECT_EQ(AppKeyText(c.position, c.language), c.text) << "position " << c.position;
    }
}

TEST(KeyFunctionKindText, NamesEachKindInTheLanguage) {
    const ListTextCase cases[] = {{0, EN, "Left Click"},  {0, CHS, "左键"},       {0, CHT, "左鍵"},
                                  {3, CHS, "前进方向键"}, {4, CHT, "後退方向鍵"}, {5, EN, "Triple-click"},
                                  {6, CHT, "DPI切換"},    {7, EN, "RGB On/Off"},  {7, CHS, "RGB打开/关闭"},
                                  {8, CHS, "Windows"},    {9, CHT, "多媒體"},     {10, CHS, "火力键"},
                                  {11, EN, "Single Key"}, {12, CHS, "组合键"},    {12, CHT, "複合鍵"},
                                  {13, CHS, "宏"},        {13, CHT, "巨集"},      {14, EN, "Shift"},
                                  {14, CHT, "Shift"},     {15, EN, "Key Off"},    {15, CHT, "按鍵關閉"},
                                  {-1, EN, ""},           {16, EN, ""},           {INT_MAX, CHS, ""}};
    for (const ListTextCase& c : cases) {
        EXPECT_EQ(KeyFunctionKindText(c.position, c.language), c.text) << "kind " << c.position;
    }
}

TEST(KeyFunctionKindText, ReportRateSwitchIsNoKind) {
    EXPECT_EQ(ReportRateSwitchText(EN), "Report Rate Switch");
    EXPECT_EQ(ReportRateSwitchText(CHS), "报告率切换");
    EXPECT_EQ(ReportRateSwitchText(CHT), "報告率切換");
    for (int kind = 0; kind < 16; ++kind) {
        EXPECT_NE(KeyFunctionKindText(kind, EN), ReportRateSwitchText(EN)) << "kind " << kind;
    }
}

TEST(DpiStepText, NamesStepsOneToThree) {
    EXPECT_EQ(DpiStepText(1), "DPI +");
    EXPECT_EQ(DpiStepText(2), "DPI -");
    EXPECT_EQ(DpiStepText(3), "DPI Loop");
    for (int step : {0, 4, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(DpiStepText(step), "") << "step " << step;
    }
}

}  // namespace
}  // namespace kv12
