#include "core/pointer_positions.h"

namespace kv12 {

namespace {

constexpr int SLOWEST_DOUBLE_CLICK_MS = 900;  // position 1
constexpr int DOUBLE_CLICK_STEP_MS = 70;

bool InRange(int position) {
    return position >= POINTER_POSITION_MIN && position <= POINTER_POSITION_MAX;
}

}  // namespace

std::optional<int> PointerSpeedOfPosition(int position) {
    if (!InRange(position)) return std::nullopt;
    return position == 1 ? 1 : 2 * position - 2;
}

std::optional<int> DoubleClickTimeOfPosition(int position) {
    if (!InRange(position)) return std::nullopt;
    return SLOWEST_DOUBLE_CLICK_MS + DOUBLE_CLICK_STEP_MS - DOUBLE_CLICK_STEP_MS * position;
}

std::uint8_t PositionOfPointerSpeed(std::uint32_t speed) {
    return static_cast<std::uint8_t>(speed / 2 + 1);
}

std::uint8_t PositionOfWheelLines(std::uint32_t lines) {
    return static_cast<std::uint8_t>(lines);
}

std::uint8_t PositionOfDoubleClickTime(std::uint32_t milliseconds) {
    if (milliseconds > static_cast<std::uint32_t>(SLOWEST_DOUBLE_CLICK_MS)) return POINTER_POSITION_MIN;
    const std::uint32_t quotient =
        (static_cast<std::uint32_t>(SLOWEST_DOUBLE_CLICK_MS) - milliseconds) / DOUBLE_CLICK_STEP_MS;
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(quotient) + 1);
}

}  // namespace kv12
