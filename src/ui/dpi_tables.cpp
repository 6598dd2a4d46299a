#include "ui/dpi_tables.h"

#include <array>
#include <cstddef>

namespace kv12::ui {

namespace {

constexpr std::array<std::string_view, 12> STEPS_DEFAULT = {"250",  "500",  "750",  "1000", "1250", "1500",
                                                            "1750", "2000", "2500", "3000", "3500", "4000"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_1 = {"600",  "800",  "1000", "1200",
                                                            "1600", "2000", "2400", "3200"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_2 = {"250",  "500",  "750",  "1000",
                                                            "1250", "1500", "2000", "2500"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_3 = {"400",  "800",  "1200", "1600",
                                                            "2000", "2400", "2800", "3200"};

// The steps above 8 exist only on the twelve-step sensor.
constexpr int EIGHT_STEPS = 8;

constexpr std::array<std::uint8_t, 4> RATE_CODES = {8, 4, 2, 1};
constexpr std::array<std::string_view, 4> RATE_CAPTIONS = {"125", "250", "500", "1000"};

}  // namespace

std::span<const std::string_view> DpiStepTable(std::uint8_t sensorType) {
    switch (sensorType) {
        case 1:
            return STEPS_SENSOR_1;
        case 2:
            return STEPS_SENSOR_2;
        case 3:
            return STEPS_SENSOR_3;
        default:
            return STEPS_DEFAULT;
    }
}

std::string_view DpiValueText(std::uint8_t sensorType, int index) {
    if (sensorType > 3) return {};
    const auto table = DpiStepTable(sensorType);
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return {};
    return table[static_cast<std::size_t>(index)];
}

bool DpiStepSelectable(std::uint8_t sensorType, int step) {
    if (step < 1 || step > static_cast<int>(STEPS_DEFAULT.size())) return false;
    return step <= EIGHT_STEPS || sensorType == 0;
}

std::uint8_t ReportRateCode(int position) {
    return position >= 1 && position <= 4 ? RATE_CODES[static_cast<std::size_t>(position - 1)] : 0;
}

int ReportRatePosition(std::uint8_t code) {
    switch (code) {
        case 8:
            return 1;
        case 4:
            return 2;
        case 2:
            return 3;
        default:
            return 4;
    }
}

std::string_view ReportRateCaption(int position) {
    return position >= 1 && position <= 4 ? RATE_CAPTIONS[static_cast<std::size_t>(position - 1)]
                                          : std::string_view{};
}

}  // namespace kv12::ui
