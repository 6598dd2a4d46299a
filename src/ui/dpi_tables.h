// The DPI step values of each sensor the mouse may carry, and the report-rate
// positions of the basic page.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kv12::ui {

/// The step values shown for a sensor type: eight for types 1, 2 and 3,
/// twelve for type 0 and every other type.
std::span<const std::string_view> DpiStepTable(std::uint8_t sensorType);

/// The value text of step `index` (0-based) for the balloon of a stage
/// switch: from the table of sensor type 0, 1, 2 or 3; empty for any other
/// type and for an index the table does not have.
std::string_view DpiValueText(std::uint8_t sensorType, int index);

/// Whether the dispatcher lets a press on level cell `step` (1..12) through:
/// steps 9..12 only with sensor type 0.
bool DpiStepSelectable(std::uint8_t sensorType, int step);

/// The report-rate code (polling interval) of position 1..4: 8, 4, 2, 1; 0 outside.
std::uint8_t ReportRateCode(int position);

/// The position (1..4) a stored code is shown at: 8 → 1 (125 Hz), 4 → 2,
/// 2 → 3, anything else → 4 (1000 Hz).
int ReportRatePosition(std::uint8_t code);

/// The caption under position 1..4: "125", "250", "500", "1000"; empty outside.
std::string_view ReportRateCaption(int position);

}  // namespace kv12::ui
