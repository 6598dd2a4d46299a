// Which DPI steps answer a press, and the report-rate positions of the basic page.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/dpi_values.h"

namespace kv12::ui {

// The step values themselves live in core (kv12ctl shows them too).
using kv12::DpiStepTable;
using kv12::DpiValueText;

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
