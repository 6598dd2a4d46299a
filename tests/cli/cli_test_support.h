// Running kv12ctl in-process on a test folder, and the folder contents the
// tests start from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_block.h"
#include "test_folder.h"

namespace kv12::test {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

/// Runs kv12ctl with the arguments (after the program name); stdinText is
/// what the command reads from standard input.
CliResult RunCli(const std::vector<std::string>& args, std::string_view stdinText = {});

/// Runs kv12ctl with "--dir <folder>" in front of the arguments.
CliResult RunCliIn(const TestFolder& folder, std::vector<std::string> args, std::string_view stdinText = {});

/// The folder path as kv12ctl's --dir takes it.
std::string DirArg(const TestFolder& folder);

/// Writes config.bin: the flag byte, then the block.
void WriteConfig(const TestFolder& folder, const SettingsBlock& block, std::uint8_t firstRunFlag = 1);

/// The bytes of config.bin as a block (the test fails on a wrong size).
SettingsBlock ReadBlock(const TestFolder& folder);

/// A block with the factory button assignment, a few changed buttons and
/// settings: Mode B button 1 Multimedia Vol+, 3 Single Key Enter, 4 Combo Key
/// Left Ctrl + C, 5 Macro Key on macro 1 repeating until released; 1000 Hz,
/// stage 1 on at step index 3 in red; lighting Standard at 100%.
SettingsBlock SampleBlock();

/// Non-zero bytes, each different from its neighbours, so any lost or moved byte shows.
SettingsBlock PatternBlock();

// Chinese texts used across the tests: "复制" (a macro name) and "左键" (a button text).
inline const std::string CHINESE_MACRO = "\xE5\xA4\x8D\xE5\x88\xB6";
inline const std::string CHINESE_LABEL = "\xE5\xB7\xA6\xE9\x94\xAE";

/// A record.ini with a macro "Copy" (Ctrl press, 50 ms, Ctrl release, 2000 ms)
/// and an empty macro with a Chinese name, CRLF line ends.
std::string SampleRecordIni();

/// A str.ini choosing simplified Chinese and the skin "Black" with white
/// texts, and texts in Setting-CHS and Setting-EN.
std::string SampleStrIni();

/// The three sample files in the folder.
void WriteSampleFolder(const TestFolder& folder, const SettingsBlock& block = SampleBlock());

}  // namespace kv12::test
