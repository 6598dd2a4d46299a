#include "device/dpi_stage_codes.h"

namespace kv12 {

std::span<const std::uint8_t> DpiCodeRow(std::uint8_t sensorType) {
    switch (sensorType) {
        case 0:
            return DPI_CODES_SENSOR_0;
        case 1:
            return DPI_CODES_SENSOR_1;
        case 2:
            return DPI_CODES_SENSOR_2;
        case 3:
            return DPI_CODES_SENSOR_3;
        default:
            return {};
    }
}

std::uint8_t DpiStageCode(std::uint8_t sensorType, std::uint8_t step, bool enabled) {
    const auto row = DpiCodeRow(sensorType);
    const std::uint8_t code = step < row.size() ? row[step] : 0;
    return enabled ? static_cast<std::uint8_t>(code & ~DPI_STAGE_DISABLED_BIT)
                   : static_cast<std::uint8_t>(code | DPI_STAGE_DISABLED_BIT);
}

std::array<std::uint8_t, DPI_STAGE_CODES_SIZE> BuildDpiStageCodes(const SettingsBlock& block,
                                                                  std::uint8_t sensorType) {
    std::array<std::uint8_t, DPI_STAGE_CODES_SIZE> codes{};
    codes.fill(DPI_STAGE_FILLER);
    for (int stage = 0; stage < STAGE_COUNT; ++stage) {
        codes[static_cast<std::size_t>(stage)] =
            DpiStageCode(sensorType, block.dpiStage(stage), block.dpiStageEnabled(stage) != 0);
    }
    return codes;
}

}  // namespace kv12
