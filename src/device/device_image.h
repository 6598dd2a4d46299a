// The program's copy of what goes to the mouse, in the form the mouse takes it:
// rebuilt by every apply from the settings block and from what the mouse
// reports back. Nothing of it outlives the process.
#pragma once

#include <array>
#include <cstdint>

#include "core/key_function.h"
#include "core/settings_block.h"

namespace kv12 {

inline constexpr std::size_t SENSOR_STATE_SIZE = 4;
inline constexpr std::size_t LIGHTING_STATE_SIZE = 3;
inline constexpr std::size_t LED_GROUP_SIZE = 3;
inline constexpr int LED_GROUP_COUNT = 2;
inline constexpr std::size_t STAGE_COLOR_DATA_SIZE = 24;
inline constexpr std::size_t DPI_STAGE_CODES_SIZE = 8;
inline constexpr std::uint8_t DPI_STAGE_COUNT_SENT = 4;
inline constexpr std::size_t MACRO_IMAGE_SIZE = MACRO_SLOT_COUNT * MACRO_SLOT_SIZE;

using SensorState = std::array<std::uint8_t, SENSOR_STATE_SIZE>;      // type, rate, option 1, option 2
using LightingState = std::array<std::uint8_t, LIGHTING_STATE_SIZE>;  // effect, option 1, option 2
using LedGroup = std::array<std::uint8_t, LED_GROUP_SIZE>;

struct DeviceImage {
    SensorState sensorState{};
    LightingState lightingState{};
    std::array<LedGroup, LED_GROUP_COUNT> ledGroups{};
    std::array<std::uint8_t, STAGE_COLOR_DATA_SIZE> stageColorData{};  // 4 x (r, g, b), then 12 zeros
    std::array<std::uint8_t, DPI_STAGE_CODES_SIZE> dpiStageCodes{};    // 4 stage codes, then 4 x 0x80
    std::uint8_t stageCount = 0;
    std::array<KeyMatrix, KEY_MATRIX_COUNT> keyMatrices{};
    std::array<std::uint8_t, MACRO_IMAGE_SIZE> macroImage{};  // what was sent, then the read-back
};

}  // namespace kv12
