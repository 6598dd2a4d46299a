// Where the scramble key and table come from: built-in defaults, overridable
// in str.ini (section "Device", keys "ScrambleKey" = 12 hex digits and
// "ScrambleTable" = 16 hex digits) and, in kv12ctl, on the command line. The
// program, kv12ctl and the simulated mouse all take them from here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "device/device_command.h"

namespace kv12 {

inline constexpr const char* DEVICE_SECTION = "Device";
inline constexpr const char* SCRAMBLE_KEY_NAME = "ScrambleKey";
inline constexpr const char* SCRAMBLE_TABLE_NAME = "ScrambleTable";

// The values shipped with the program.
inline constexpr ScrambleKey DEFAULT_SCRAMBLE_KEY = {0x4B, 0x76, 0x31, 0x32, 0x6D, 0x53};
inline constexpr ScrambleTable DEFAULT_SCRAMBLE_TABLE = {0x3C, 0x5A, 0x17, 0xE2, 0x81, 0x4F, 0xB6, 0x09};
inline constexpr ScrambleConfig DEFAULT_SCRAMBLE_CONFIG = {DEFAULT_SCRAMBLE_KEY, DEFAULT_SCRAMBLE_TABLE};

// Exactly 12 hexadecimal digits (either case, nothing else) as a key.
std::optional<ScrambleKey> ParseScrambleKey(std::string_view text);
// Exactly 16 hexadecimal digits as a table.
std::optional<ScrambleTable> ParseScrambleTable(std::string_view text);

struct LoadedScrambleConfig {
    ScrambleConfig config = DEFAULT_SCRAMBLE_CONFIG;
    std::vector<std::string> messages;  // one line per bad value; that value fell back to its default
};

// The configured key and table of a str.ini document. A missing key gives the
// default silently; a malformed one gives the default and a message.
LoadedScrambleConfig LoadScrambleConfig(const IniDocument& strIni);

// Applies command-line overrides to a configuration; a malformed override
// gives a message and leaves that part as it was.
LoadedScrambleConfig OverrideScrambleConfig(const ScrambleConfig& base,
                                            const std::optional<std::string>& keyHex,
                                            const std::optional<std::string>& tableHex);

// Lowercase hex, no separators ("4b7631326d53").
std::string ToHex(const std::uint8_t* bytes, std::size_t count);

}  // namespace kv12
