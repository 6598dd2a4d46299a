// The apply sequence: the whole settings block turned into the mouse's
// commands in a fixed order with fixed waits, then config.bin and the button
// texts in str.ini saved. OK and Apply of the main window and `kv12ctl apply`
// run it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/settings_block.h"
#include "core/settings_file.h"
#include "device/device_image.h"
#include "device/device_link.h"

namespace kv12 {

// Lighting modes (ledMode).
inline constexpr std::uint8_t LED_MODE_STANDARD = 1;
inline constexpr std::uint8_t LED_MODE_RESPIRATION = 2;
inline constexpr std::uint8_t LED_MODE_NEON = 3;

// Lighting state and LED group 0 as the block's lighting mode wants them,
// starting from what the mouse reported. Any mode other than 1..3 keeps
// everything as read.
void ApplyLightingMode(const SettingsBlock& block, LightingState& lighting, LedGroup& group0);

// The 24 bytes of stage colour data: the four stages' red, green, blue, then zeros.
std::array<std::uint8_t, STAGE_COLOR_DATA_SIZE> BuildStageColorData(const SettingsBlock& block);

// Steps 1 to 14 of the sequence: every command, in order, with its waits,
// rebuilding the link's device image. No result is checked and nothing is
// retried: a mouse that vanishes half-way simply stops answering.
void SendSettings(DeviceLink& link, const SettingsBlock& block);

struct ApplyFiles {
    std::filesystem::path config;       // config.bin
    std::filesystem::path preferences;  // str.ini
    std::string languageSection;        // "Setting-EN", "Setting-CHS" or "Setting-CHT"
    std::array<std::string, ITEM_TEXT_COUNT> itemTexts;
};

struct ApplyResult {
    bool sent = false;  // false: no mouse was ready; nothing was sent and no file written
    bool configWritten = false;
    bool preferencesWritten = false;
    std::vector<UserMessage> messages;  // for the user, in the order they arose
};

// The whole apply: only when deviceReady is set, SendSettings, then
// config.bin and the sixteen button texts, both written even when the mouse
// vanished during the sequence.
ApplyResult ApplySettings(DeviceLink& link, const SettingsBlock& block, const ApplyFiles& files);

}  // namespace kv12
