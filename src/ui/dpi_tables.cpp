#include "ui/dpi_tables.h"

#include <array>
#include <cstddef>

namespace kv12::ui {

namespace {

// The steps above 8 exist only on the twelve-step sensor.
constexpr int EIGHT_STEPS = 8;

constexpr std::array<std::uint8_t, 4> RATE_CODES = {8, 4, 2, 1};
constexpr std::array<std::string_view, 4> RATE_CAPTIONS = {"125", "250", "500", "1000"};

}  // namespace

bool DpiStepSelectable(std::uint8_t sensorType, int step) {
    if (step < 1 || step > static_cast<int>(DpiStepTable(0).size())) return false;
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
