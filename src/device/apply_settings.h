// The apply sequence: the whole settings block turned into the mouse's
// commands in a fixed order with fixed waits, then config.bin and the button
// texts in str.ini saved. OK and Apply of the main window and `kv12ctl apply`
// run it.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/language.h"
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

// A step of the sequence that did not get through to the mouse.
struct SendFailure {
    std::string step;          // what the step does: "writing key matrix 2", "reading back macro slot 5", ...
    TransferFailure transfer;  // the transfer of the step that failed

    friend bool operator==(const SendFailure&, const SendFailure&) = default;
};

// The failure as one line in English: the step, the transfer that failed and,
// when there is one, the HID library's reason.
std::string DescribeSendFailure(const SendFailure& failure);

// Steps 1 to 14 of the sequence: every command, in order, with its waits,
// rebuilding the link's device image. Stops at the first step whose command,
// reply or data did not get through and returns it: the mouse is then gone or
// no longer follows, and every later report would fail the same way (each
// read waiting out its timeout). Nothing is retried. nullopt: the mouse took
// every transfer.
std::optional<SendFailure> SendSettings(DeviceLink& link, const SettingsBlock& block);

struct ApplyFiles {
    std::filesystem::path config;       // config.bin
    std::filesystem::path preferences;  // str.ini
    std::string languageSection;        // "Setting-EN", "Setting-CHS" or "Setting-CHT"
    std::array<std::string, ITEM_TEXT_COUNT> itemTexts;
};

struct ApplyResult {
    bool sent = false;  // false: no mouse was ready; nothing was sent and no file written
    // The step that did not get through. The mouse then holds only part of the
    // block, so no file is written: config.bin and the button texts keep
    // describing the settings the mouse last took whole.
    std::optional<SendFailure> failure;
    bool configWritten = false;
    bool preferencesWritten = false;
    std::vector<UserMessage> messages;  // the saves' failures, in the order they arose

    bool MouseTookSettings() const { return sent && !failure; }
};

// The whole apply: only when deviceReady is set, SendSettings, then, when the
// mouse took every transfer, config.bin and the sixteen button texts.
ApplyResult ApplySettings(DeviceLink& link, const SettingsBlock& block, const ApplyFiles& files);

// What the window says, in the interface language, when the mouse did not
// take the settings (caption: the application's title).
UserMessage ApplyNotTakenMessage(Language language);

}  // namespace kv12
