// The DPI stage codes the mouse takes, one row per sensor type, indexed by the
// stage's DPI step (dpiStage of the settings block).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/settings_block.h"
#include "device/device_image.h"

namespace kv12 {

inline constexpr std::array<std::uint8_t, 12> DPI_CODES_SENSOR_0 = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                                                    0x07, 0x08, 0x25, 0x26, 0x27, 0x28};
inline constexpr std::array<std::uint8_t, 8> DPI_CODES_SENSOR_1 = {0x01, 0x02, 0x03, 0x04,
                                                                   0x05, 0x23, 0x24, 0x25};
inline constexpr std::array<std::uint8_t, 8> DPI_CODES_SENSOR_2 = {0x02, 0x04, 0x06, 0x08,
                                                                   0x0A, 0x26, 0x28, 0x2A};
inline constexpr std::array<std::uint8_t, 8> DPI_CODES_SENSOR_3 = {0x01, 0x02, 0x03, 0x04,
                                                                   0x05, 0x06, 0x07, 0x08};

// Set in a stage code when the stage is skipped.
inline constexpr std::uint8_t DPI_STAGE_DISABLED_BIT = 0x80;
// Fills the four bytes after the stage codes.
inline constexpr std::uint8_t DPI_STAGE_FILLER = 0x80;

// The row of a sensor type; empty for an unknown type.
std::span<const std::uint8_t> DpiCodeRow(std::uint8_t sensorType);

// The code of a DPI step for a sensor type, 0 for an unknown type or a step
// beyond the row, with bit 7 set when the stage is disabled.
std::uint8_t DpiStageCode(std::uint8_t sensorType, std::uint8_t step, bool enabled);

// The eight bytes of the DPI command: the four stages' codes, then 4 x 0x80.
std::array<std::uint8_t, DPI_STAGE_CODES_SIZE> BuildDpiStageCodes(const SettingsBlock& block,
                                                                  std::uint8_t sensorType);

}  // namespace kv12
