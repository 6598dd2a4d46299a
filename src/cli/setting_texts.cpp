#include "cli/setting_texts.h"

#include <array>

#include "core/dpi_values.h"
#include "core/texts.h"

namespace kv12 {

namespace {

constexpr int LIGHT_MODE_COUNT = 4;
constexpr int LIGHT_EFFECT_COUNT = 4;

}  // namespace

std::optional<int> ReportRateHz(std::uint8_t code) {
    switch (code) {
        case 1:
            return 1000;
        case 2:
            return 500;
        case 4:
            return 250;
        case 8:
            return 125;
        default:
            return std::nullopt;
    }
}

std::span<const std::string_view> DpiStepValues(int sensorType) {
    return DpiStepTable(static_cast<std::uint8_t>(sensorType < 0 || sensorType > 255 ? 0 : sensorType));
}

std::string_view LightModeText(int mode) {
    return mode >= 0 && mode < LIGHT_MODE_COUNT ? MainTextTable(TXT_LIGHT_MODE_FIRST + mode).en
                                                : std::string_view{};
}

std::string_view LightEffectText(int effect) {
    return effect >= 0 && effect < LIGHT_EFFECT_COUNT ? MainTextTable(TXT_LIGHT_EFFECT_FIRST + effect).en
                                                      : std::string_view{};
}

}  // namespace kv12
