#include "core/lighting_texts.h"

#include <array>

namespace kv12 {

namespace {

constexpr std::array<std::string_view, BRIGHTNESS_COUNT> BRIGHTNESS = {"5%",  "15%", "25%", "35%", "45%",
                                                                       "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, RESPIRATION_CYCLE_COUNT> RESPIRATION_CYCLE = {"8S", "7S", "6S", "5S",
                                                                                     "4S"};

template <std::size_t N>
std::string_view At(const std::array<std::string_view, N>& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)]
                                                             : std::string_view{};
}

}  // namespace

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

}  // namespace kv12
