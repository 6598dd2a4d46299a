// config.bin: one flag byte followed by the settings block, 1850 bytes in all.
// The process-wide settings state (the block, its saved copy for Cancel and the
// first-run flag) lives in SettingsStore.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_block.h"

namespace kv12 {

inline constexpr std::size_t CONFIG_FILE_SIZE = 1 + SETTINGS_BLOCK_SIZE;

// A message the user sees in a message box. An empty caption means the
// application's own title.
struct UserMessage {
    std::string text;
    std::string caption;
};

inline constexpr const char* MSG_CONFIG_MISSING = "Config file is not exist.";

struct SettingsStore {
    SettingsBlock block;       // what the pages edit
    SettingsBlock savedBlock;  // as last loaded, OK'd or applied; Cancel returns to it
    std::uint8_t firstRunFlag = 0;

    void TakeSavedCopy() { savedBlock = block; }
    void RestoreSavedCopy() { block = savedBlock; }
};

enum class LoadOutcome { Loaded, Missing, WrongSize, Unreadable };

struct LoadSettingsResult {
    LoadOutcome outcome = LoadOutcome::Missing;
    std::optional<UserMessage> message;  // set only for a missing file
    std::size_t fileSize = 0;            // bytes found, for the trace
};

// Reads config.bin into block and firstRunFlag. A missing file gives the
// message "Config file is not exist."; a file of another size than 1850 bytes
// or one that cannot be read is ignored silently. On anything but Loaded both
// outputs are untouched.
LoadSettingsResult LoadSettingsFile(const std::filesystem::path& config, SettingsBlock& block,
                                    std::uint8_t& firstRunFlag);

// The 1850 bytes of config.bin for a block: flag byte 1, then the block.
std::vector<std::uint8_t> EncodeSettingsFile(const SettingsBlock& block);

// Writes config.bin atomically with the flag byte 1; creates the file when it
// is missing. Returns the message for the user when the write fails (the file
// is then left as it was).
std::optional<UserMessage> SaveSettingsFile(const std::filesystem::path& config, const SettingsBlock& block);

}  // namespace kv12
