// Readable forms of the settings-block values that kv12ctl prints: report
// rate, DPI step values, lighting texts and the pointer-page mappings. English
// only: kv12ctl's output is a stable, documented interface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/lighting_texts.h"
#include "core/pointer_positions.h"

namespace kv12 {

/// The report rate of a report-rate code (1, 2, 4, 8 -> 1000, 500, 250, 125 Hz);
/// nullopt for any other code.
std::optional<int> ReportRateHz(std::uint8_t code);

/// The DPI step values of the table the mouse's sensor type selects: eight
/// values for sensor types 1, 2 and 3, twelve for any other.
std::span<const std::string_view> DpiStepValues(int sensorType);

/// Lighting mode name (0 "Off" .. 3 "Neon") and effect name (0..3); empty outside.
std::string_view LightModeText(int mode);
std::string_view LightEffectText(int effect);
// BrightnessText, RespirationCycleText and NeonCycleText: core/lighting_texts.h.

// PointerSpeedOfPosition and DoubleClickTimeOfPosition: core/pointer_positions.h.

}  // namespace kv12
