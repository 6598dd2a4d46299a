#include <gtest/gtest.h>

#include <sstream>

#include "cli/file_commands.h"
#include "cli_test_support.h"
#include "core/key_function.h"
#include "core/macros.h"
#include "core/utf8_path.h"

namespace kv12::test {
namespace {

std::string Zeros(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += " 00";
    return text;
}

TEST(Matrices, PrintsFourLinesOfNumberColonAnd64HexBytes) {
    TestFolder folder;
    SettingsBlock block;
    ApplyDefaultButtons(block);
    block.buttonType(KeyMode::B, 2) = 11;
    block.buttonParam(KeyMode::B, 10, 2) = 0x28;  // Single Key Enter
    WriteConfig(folder, block);

    const auto result = RunCliIn(folder, {"matrices"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string tail = " 01 00 f4 00 01 00 f3 00 07 00 03 00" + Zeros(32) + " 01 00 f7 00 01 00 f8 00";
    EXPECT_EQ(result.out, "1: 01 00 f0 00 01 00 f1 00 01 00 f2 00" + tail + "\n" + "2:" + Zeros(64) + "\n" +
                              "3: 01 00 f0 00 01 00 f1 00 00 00 28 00" + tail + "\n" + "4:" + Zeros(64) +
                              "\n");
}

TEST(Matrices, MatchBuildKeyMatricesForAnyBlock) {
    TestFolder folder;
    const SettingsBlock block = PatternBlock();
    WriteConfig(folder, block);
    const auto result = RunCliIn(folder, {"matrices"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, FormatKeyMatrices(block));

    const auto matrices = BuildKeyMatrices(block);
    std::istringstream lines(result.out);
    std::string line;
    for (int m = 0; m < KEY_MATRIX_COUNT; ++m) {
        ASSERT_TRUE(std::getline(lines, line));
        ASSERT_EQ(line.size(), 2 + 64 * 3u) << line;
        EXPECT_EQ(line.substr(0, 3), std::to_string(m + 1) + ": ");
        for (int i = 0; i < 64; ++i) {
            const auto byte = static_cast<std::uint8_t>(
                std::stoi(line.substr(3 + 3 * static_cast<std::size_t>(i), 2), nullptr, 16));
            EXPECT_EQ(byte, matrices[static_cast<std::size_t>(m)][static_cast<std::size_t>(i)])
                << m << " " << i;
        }
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(MacrosCompile, MatchesEncodeMacrosAndKeepsEverythingElse) {
    TestFolder folder;
    const SettingsBlock before = PatternBlock();
    WriteConfig(folder, before, 0);
    folder.Write("record.ini", SampleRecordIni());

    const auto result = RunCliIn(folder, {"macros", "compile"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "Compiled 2 macros from record.ini into " + PathToUtf8(folder / "config.bin") + "\n");

    SettingsBlock expected = before;
    EncodeMacros(IniDocument::Parse(SampleRecordIni()), expected);
    EXPECT_EQ(ReadBlock(folder), expected);
    EXPECT_NE(expected, before);
    // The flag byte stays as it was: compiling macros is not the window's save.
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}

TEST(MacrosCompile, CreatesAMissingConfigFromAnAllZeroBlock) {
    TestFolder folder;
    folder.Write("record.ini", SampleRecordIni());
    const auto result = RunCliIn(folder, {"macros", "compile"});
    ASSERT_EQ(result.code, 0) << result.err;

    SettingsBlock expected;
    EncodeMacros(IniDocument::Parse(SampleRecordIni()), expected);
    const std::string bytes = folder.Read("config.bin");
    ASSERT_EQ(bytes.size(), 1850u);
    EXPECT_EQ(bytes[0], '\0');  // the window has never saved this file
    EXPECT_EQ(ReadBlock(folder), expected);
}

TEST(MacrosCompile, RefusesAMissingRecordIniOrABrokenConfig) {
    struct Case {
        bool record;
        int configSize;  // -1: none
        std::string message;
    } cases[] = {
        {false, 1850, "record.ini: file not found"},
        {false, -1, "record.ini: file not found"},
        {true, 1849, "config.bin: expected 1850 bytes (a flag byte and the settings block), found 1849"},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        if (c.record) folder.Write("record.ini", SampleRecordIni());
        if (c.configSize >= 0)
            folder.Write("config.bin", std::string(static_cast<std::size_t>(c.configSize), 'x'));
        const auto files = folder.Files();
        const auto result = RunCliIn(folder, {"macros", "compile"});
        EXPECT_EQ(result.code, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(folder.Files(), files);
        if (c.configSize >= 0) {
            EXPECT_EQ(folder.Read("config.bin"), std::string(static_cast<std::size_t>(c.configSize), 'x'));
        }
    }
}

TEST(MacrosCompile, WarnsAboutMacrosThatDoNotFit) {
    TestFolder folder;
    WriteConfig(folder, SettingsBlock{});
    std::string record = "[Long]\r\nItemCount=64\r\n";
    for (int e = 0; e < 64; ++e)
        record += "Item" + std::to_string(e) + (e % 2 == 0 ? "=A   Dn\r\n" : "=A   Up\r\n");
    for (int m = 2; m <= 13; ++m) record += "[M" + std::to_string(m) + "]\r\nItemCount=0\r\n";
    folder.Write("record.ini", record);

    const auto result = RunCliIn(folder, {"macros", "compile"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
              "Compiled 12 macros from record.ini into " + PathToUtf8(folder / "config.bin") + "\n");
    EXPECT_EQ(result.err,
              "kv12ctl: warning: macro \"Long\" was cut to the 126 event bytes of a slot\n"
              "kv12ctl: warning: macro \"M13\" was left out: the mouse has 12 macro slots\n");
    SettingsBlock expected;
    EncodeMacros(IniDocument::Parse(record), expected);
    EXPECT_EQ(ReadBlock(folder), expected);
}

}  // namespace
}  // namespace kv12::test
