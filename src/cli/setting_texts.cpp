#include "cli/setting_texts.h"

#include <array>

#include "core/dpi_values.h"
#include "core/texts.h"

namespace kv12 {

namespace {

constexpr std::array<std::string_view, 10> BRIGHTNESS = {"5%",  "15%", "25%", "35%", "45%",
                                                         "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, 5> RESPIRATION_CYCLE = {"8S", "7S", "6S", "5S", "4S"};
constexpr int NEON_CYCLE_COUNT = 30;
constexpr int LIGHT_MODE_COUNT = 4;
constexpr int LIGHT_EFFECT_COUNT = 4;
constexpr int POINTER_POSITION_MAX = 11;

template <std::size_t N>
std::string_view At(const std::array<std::string_view, N>& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)]
                                                             : std::string_view{};
}

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

std::string_view BrightnessText(int index) {
    return At(BRIGHTNESS, index);
}

std::string_view RespirationCycleText(int index) {
    return At(RESPIRATION_CYCLE, index);
}

std::string NeonCycleText(int index) {
    if (index < 0 || index >= NEON_CYCLE_COUNT) return {};
    // (index + 1) half seconds, without a trailing ".0".
    const int halves = index + 1;
    return std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "") + "S";
}

std::optional<int> PointerSpeedOfPosition(int position) {
    if (position < 1 || position > POINTER_POSITION_MAX) return std::nullopt;
    return position == 1 ? 1 : 2 * position - 2;
}

std::optional<int> DoubleClickTimeOfPosition(int position) {
    if (position < 1 || position > POINTER_POSITION_MAX) return std::nullopt;
    return 970 - 70 * position;
}

}  // namespace kv12
