#include "core/dpi_values.h"

#include <array>
#include <cstddef>

namespace kv12 {
namespace {

constexpr std::array<std::string_view, 12> STEPS_DEFAULT = {"250",  "500",  "750",  "1000", "1250", "1500",
                                                            "1750", "2000", "2500", "3000", "3500", "4000"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_1 = {"600",  "800",  "1000", "1200",
                                                            "1600", "2000", "2400", "3200"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_2 = {"250",  "500",  "750",  "1000",
                                                            "1250", "1500", "2000", "2500"};
constexpr std::array<std::string_view, 8> STEPS_SENSOR_3 = {"400",  "800",  "1200", "1600",
                                                            "2000", "2400", "2800", "3200"};

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

}  // namespace kv12
