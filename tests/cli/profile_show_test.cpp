#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_support.h"
#include "core/macros.h"

namespace kv12::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
    const auto lines = Lines(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ProfileShow, SummarisesEverySettingOfTheSampleFolder) {
    TestFolder folder;
    SettingsBlock block = SampleBlock();
    EncodeMacros(IniDocument::Parse(SampleRecordIni()), block);
    SetLoopCount(block, 0, 3);
    WriteSampleFolder(folder, block);

    const auto result = RunCliIn(folder, {"profile", "show"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string expected[] = {
        "config.bin: first-run flag 1, key mode shown Mode A",
        "Mode A buttons:",
        "  1: Left Click",
        "  5: Backward",
        "  6: DPI Switch: DPI Loop",
        "  8: Key Off",
        "Mode B buttons:",
        "  1: Multimedia: Vol+",
        "  3: Single Key: Enter",
        "  4: Combo Key: Left Ctrl + C",
        "  5: Macro Key: macro 1 (Copy), repeat until released",
        "Report rate: 1000 Hz",
        "DPI stages (step values for sensor type 0, 12 steps):",
        "  1: on, step index 3 (1000 DPI), colour #ff0000",
        "  2: off, step index 0 (250 DPI), colour #000000",
        "Lighting: Standard",
        "  Standard: brightness 100%, effect Non-Disolay",
        "  Respiration: cycle 8S, effect Non-Disolay",
        "  Neon: cycle 0.5S, effect Non-Disolay",
        "Macro slots:",
        "  1: Copy, loop count 3, 4 items",
        "       Ctrl   Dn",
        "       2000 ms",
        "  2: " + CHINESE_MACRO + ", loop count 0, 0 items",
        "  3: empty",
        "  12: empty",
        "Pointer settings:",
        "  Mouse Speed: 6 (pointer speed 10)",
        "  Scrolling Speed: 3 (3 lines)",
        "  Double-Click Speed: 6 (550 ms)",
        "  Enhance Pointer Precision: off",
        "  Scroll One Screen: off",
        "Preferences (str.ini):",
        "  Language: CHS, button texts from Setting-CHS",
        "  Skin: Black",
        "  Text colour: #ffffff",
        "Button texts [Setting-CHS]:",
        "  Mode A: \"" + CHINESE_LABEL + "\", \"\", \"\", \"\", \"\", \"\", \"\", \"\"",
        "  Mode B: \"Multimedia-Vol+\", \"\", \"\", \"\", \"\", \"\", \"\", \"\"",
        "Button texts [Setting-EN]:",
    };
    for (const auto& line : expected)
        EXPECT_TRUE(HasLine(result.out, line)) << line << "\n---\n" << result.out;
}

TEST(ProfileShow, ValuesOutsideTheirTablesAreShownAsNumbers) {
    TestFolder folder;
    SettingsBlock block;
    block.keyMode() = 1;
    block.reportRate() = 3;
    block.dpiStage(1) = 12;
    block.dpiStageEnabled(1) = 7;
    block.ledMode() = 4;
    block.ledParam(0) = 10;
    block.ledParam(1) = 5;
    block.ledParam(2) = 29;
    block.ledEffect3() = 3;
    block.pointerValue(0) = 0;
    block.pointerValue(1) = 12;
    block.pointerValue(2) = 11;
    block.pointerFlag(1) = 1;
    WriteConfig(folder, block, 0);

    const auto result = RunCliIn(folder, {"profile", "show"});
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string expected[] = {
        "config.bin: first-run flag 0, key mode shown Mode B",
        "  1: Left Click",
        "Report rate: value 3 (unknown)",
        "  2: value 7 (neither on nor off), step index 12 (beyond the 12-step table), colour #000000",
        "Lighting: value 4 (unknown)",
        "  Standard: brightness value 10 (unknown), effect Non-Disolay",
        "  Respiration: cycle value 5 (unknown), effect Non-Disolay",
        "  Neon: cycle 15S, effect RGB Fixed On",
        "  Mouse Speed: 0 (not a slider position)",
        "  Scrolling Speed: 12 (not a slider position)",
        "  Double-Click Speed: 11 (200 ms)",
        "  Scroll One Screen: on",
        "  Language: (not set), button texts from Setting-EN",
        "  Skin: (not set: the Skins folder itself)",
        "  Text colour: #000000",
        "Button texts: none in str.ini",
    };
    for (const auto& line : expected)
        EXPECT_TRUE(HasLine(result.out, line)) << line << "\n---\n" << result.out;
}

TEST(ProfileShow, SensorTypeChoosesTheDpiTable) {
    TestFolder folder;
    SettingsBlock block;
    block.dpiStage(0) = 0;
    block.dpiStage(1) = 7;
    block.dpiStage(2) = 8;
    WriteConfig(folder, block);
    struct Case {
        std::string sensorType;
        std::string heading, first, eighth, ninth;
    } cases[] = {
        {"0", "DPI stages (step values for sensor type 0, 12 steps):", "250 DPI", "2000 DPI", "2500 DPI"},
        {"1", "DPI stages (step values for sensor type 1, 8 steps):", "600 DPI", "3200 DPI",
         "beyond the 8-step table"},
        {"2", "DPI stages (step values for sensor type 2, 8 steps):", "250 DPI", "2500 DPI",
         "beyond the 8-step table"},
        {"3", "DPI stages (step values for sensor type 3, 8 steps):", "400 DPI", "3200 DPI",
         "beyond the 8-step table"},
        {"4", "DPI stages (step values for sensor type 4, 12 steps):", "250 DPI", "2000 DPI", "2500 DPI"},
    };
    for (const auto& c : cases) {
        const auto result = RunCliIn(folder, {"profile", "show", "--sensor-type", c.sensorType});
        ASSERT_EQ(result.code, 0) << result.err;
        EXPECT_TRUE(HasLine(result.out, c.heading)) << result.out;
        EXPECT_TRUE(HasLine(result.out, "  1: off, step index 0 (" + c.first + "), colour #000000"))
            << result.out;
        EXPECT_TRUE(HasLine(result.out, "  2: off, step index 7 (" + c.eighth + "), colour #000000"))
            << result.out;
        EXPECT_TRUE(HasLine(result.out, "  3: off, step index 8 (" + c.ninth + "), colour #000000"))
            << result.out;
    }
}

TEST(ProfileShow, FlagsSlotsThatDoNotMatchRecordIni) {
    TestFolder folder;
    SettingsBlock block = SampleBlock();
    block.macroSlot(2)[5] = 0x44;  // bytes left behind by a deleted third macro
    block.macroSlot(2)[1] = 1;
    WriteSampleFolder(folder, block);  // slot 1 never compiled

    const auto result = RunCliIn(folder, {"profile", "show"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(HasLine(
        result.out,
        "  1: Copy, loop count 0, 4 items (the slot differs from record.ini: run kv12ctl macros compile)"))
        << result.out;
    EXPECT_TRUE(
        HasLine(result.out, "  3: no macro in record.ini; the slot holds 4 event bytes, loop count 1"))
        << result.out;
}

TEST(ProfileShow, MacrosBeyondTheTwelfthSlotAreListed) {
    TestFolder folder;
    WriteConfig(folder, SettingsBlock{});
    std::string record;
    for (int m = 1; m <= 14; ++m) record += "[M" + std::to_string(m) + "]\r\nItemCount=0\r\n";
    folder.Write("record.ini", record);
    const auto result = RunCliIn(folder, {"profile", "show"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(HasLine(result.out, "  12: M12, loop count 0, 0 items")) << result.out;
    EXPECT_TRUE(HasLine(result.out, "  record.ini also holds macros that no slot can take: \"M13\" \"M14\""))
        << result.out;
}

}  // namespace
}  // namespace kv12::test
