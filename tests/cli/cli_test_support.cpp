#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/kv12ctl_app.h"
#include "core/utf8_path.h"

namespace kv12::test {

CliResult RunCli(const std::vector<std::string>& args, std::string_view stdinText) {
    std::ostringstream out, err;
    std::istringstream in{std::string(stdinText)};
    CliResult result;
    // The default folder is never a test's folder: every test passes --dir.
    result.code =
        RunKv12ctl(args, {out, err, in}, std::filesystem::temp_directory_path() / "kv12ctl-no-such-folder");
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::string DirArg(const TestFolder& folder) {
    return PathToUtf8(folder.path());
}

CliResult RunCliIn(const TestFolder& folder, std::vector<std::string> args, std::string_view stdinText) {
    args.insert(args.begin(), {"--dir", DirArg(folder)});
    return RunCli(args, stdinText);
}

void WriteConfig(const TestFolder& folder, const SettingsBlock& block, std::uint8_t firstRunFlag) {
    std::vector<std::uint8_t> bytes(SETTINGS_BLOCK_SIZE + 1);
    bytes[0] = firstRunFlag;
    std::copy(block.bytes.begin(), block.bytes.end(), bytes.begin() + 1);
    folder.Write("config.bin", bytes);
}

SettingsBlock ReadBlock(const TestFolder& folder) {
    const std::string bytes = folder.Read("config.bin");
    SettingsBlock block;
    EXPECT_EQ(bytes.size(), SETTINGS_BLOCK_SIZE + 1);
    if (bytes.size() == SETTINGS_BLOCK_SIZE + 1)
        std::copy(bytes.begin() + 1, bytes.end(), block.bytes.begin());
    return block;
}

SettingsBlock SampleBlock() {
    SettingsBlock block;
    ApplyDefaultButtons(block);
    block.buttonType(KeyMode::B, 0) = 9;  // Multimedia
    block.buttonParam(KeyMode::B, 1, 0) = 5;
    block.buttonParam(KeyMode::B, 2, 0) = 0xE9;   // Vol+
    block.buttonType(KeyMode::B, 2) = 11;         // Single Key
    block.buttonParam(KeyMode::B, 10, 2) = 0x28;  // Enter
    block.buttonType(KeyMode::B, 3) = 12;         // Combo Key
    block.buttonParam(KeyMode::B, 11, 3) = 0x01;  // Left Ctrl
    block.buttonParam(KeyMode::B, 12, 3) = 0x06;  // C
    block.buttonType(KeyMode::B, 4) = 13;         // Macro Key
    block.buttonParam(KeyMode::B, 14, 4) = 0;     // first macro
    block.buttonParam(KeyMode::B, 15, 4) = 2;     // until released
    block.reportRate() = REPORT_RATE_1000HZ;
    block.dpiStage(0) = 3;
    block.dpiStageEnabled(0) = 1;
    block.stageColor(0, ColorChannel::Red) = 0xFF;
    block.ledMode() = 1;
    block.ledParam(0) = 9;
    block.pointerValue(0) = 6;
    block.pointerValue(1) = 3;
    block.pointerValue(2) = 6;
    return block;
}

SettingsBlock PatternBlock() {
    SettingsBlock block;
    for (std::size_t i = 0; i < SETTINGS_BLOCK_SIZE; ++i)
        block.bytes[i] = static_cast<std::uint8_t>(1 + i * 7 % 255);
    return block;
}

std::string SampleRecordIni() {
    return "[Copy]\r\nItemCount=4\r\nItem0=Ctrl   Dn\r\nItem1=50 ms\r\nItem2=Ctrl   Up\r\nItem3=2000 ms\r\n"
           "[" +
           CHINESE_MACRO + "]\r\nItemCount=0\r\n";
}

std::string SampleStrIni() {
    return "[Skins]\r\nLan=CHS\r\nPath=Black\r\nRColor=255\r\nGColor=255\r\nBColor=255\r\n"
           "[Setting-CHS]\r\nItem1=" +
           CHINESE_LABEL +
           "\r\nItem13=Multimedia-Vol+\r\n"
           "[Setting-EN]\r\nItem1=Left Click\r\n";
}

void WriteSampleFolder(const TestFolder& folder, const SettingsBlock& block) {
    WriteConfig(folder, block);
    folder.Write("record.ini", SampleRecordIni());
    folder.Write("str.ini", SampleStrIni());
}

}  // namespace kv12::test
