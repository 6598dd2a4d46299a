// The DPI value each step of a DPI stage stands for. The mouse's sensor type
// (read from the mouse, not stored in the files) picks the table: eight steps
// for sensor types 1, 2 and 3, twelve for type 0 and every other type.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kv12 {

/// The step values of the table a sensor type selects, step 1 first.
std::span<const std::string_view> DpiStepTable(std::uint8_t sensorType);

/// The value text of step `index` (0-based) as the stage-switch balloon shows
/// it: from the table of sensor type 0, 1, 2 or 3; empty for any other type
/// and for an index the table does not have.
std::string_view DpiValueText(std::uint8_t sensorType, int index);

}  // namespace kv12
