// What the tray balloon says when the mouse reports a switch on its own or the
// device link finds or loses it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings_block.h"
#include "core/texts.h"

namespace kv12::ui {

inline constexpr int NOTICE_BALLOON_MS = 5000;     // switches reported by the mouse
inline constexpr int CONNECTION_BALLOON_MS = 100;  // found / not found

struct Balloon {
    std::string text;
    std::string_view title;  // "Info" or "Warning"
    int timeoutMs = 0;
    friend bool operator==(const Balloon&, const Balloon&) = default;
};

/// The balloon for a notice code and value, or nullopt when the code is not a
/// notice or the value is not one the code has (a rate other than 1, 2, 4, 8;
/// a stage outside 1..4; a key matrix other than 1, 2; macro 0). A DPI stage
/// switch names the stage's value from the settings block, not from the mouse.
std::optional<Balloon> BalloonForNotice(int code, long long value, const MainTexts& texts,
                                        const SettingsBlock& block, std::uint8_t sensorType);

}  // namespace kv12::ui
