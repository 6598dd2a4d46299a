// Reading and writing the program's files for kv12ctl. Unlike the window,
// which ignores a config.bin of the wrong size silently, every problem here
// becomes a CommandError that names the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/settings_block.h"

namespace kv12 {

// config.bin as it is on disk: the flag byte and the block.
struct ConfigFile {
    std::uint8_t firstRunFlag = 0;
    SettingsBlock block;
};

/// Reads config.bin; a missing file, a file of another size than 1850 bytes or
/// one that cannot be read is an error.
ConfigFile ReadConfigFile(const std::filesystem::path& config);

/// As ReadConfigFile, but a missing file gives nullopt.
std::optional<ConfigFile> ReadConfigFileIfPresent(const std::filesystem::path& config);

/// The 1850 bytes of config.bin, keeping the given flag byte.
std::string ConfigFileBytes(const ConfigFile& file);

/// Reads an INI file; a missing file gives an empty document, a file that
/// exists but cannot be read is an error.
IniDocument ReadIniFile(const std::filesystem::path& path);

/// Whether the file exists (a broken folder entry counts as missing).
bool FileExists(const std::filesystem::path& path);

/// The folder must exist before anything is read from or written into it.
void RequireFolder(const std::filesystem::path& folder);

/// What every command on the folder's files runs first: the folder must exist,
/// and a change of its files that a killed kv12ctl left half done is undone
/// (or, when it was complete, tidied), with a warning line on err.
void PrepareFolder(const std::filesystem::path& folder, std::ostream& err);

}  // namespace kv12
