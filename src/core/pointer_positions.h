// The pointer page's three sliders (pointer speed, wheel scroll lines,
// double-click time) store slider positions 1..11 in the settings block; these
// are the mappings between a position and the Windows value it stands for.
//
// Reading gives the position exactly as the block stores it (one byte), so a
// Windows value beyond the slider's ends gives a position outside 1..11. Such
// a position never reaches Windows: the page shows and writes the nearest
// position in range (ClampPointerPosition).
#pragma once

#include <cstdint>
#include <optional>

namespace kv12 {

inline constexpr int POINTER_POSITION_MIN = 1;
inline constexpr int POINTER_POSITION_MAX = 11;

/// The nearest slider position in 1..11.
constexpr int ClampPointerPosition(int position) {
    if (position < POINTER_POSITION_MIN) return POINTER_POSITION_MIN;
    if (position > POINTER_POSITION_MAX) return POINTER_POSITION_MAX;
    return position;
}

// --- writing: position -> Windows -----------------------------------------

/// Pointer speed of position 1..11: 1 at position 1, then 2, 4, ... 20;
/// nullopt outside 1..11.
std::optional<int> PointerSpeedOfPosition(int position);
/// Double-click time of position 1..11: 970 - 70 * position, 900 ms down to
/// 200 ms; nullopt outside 1..11.
std::optional<int> DoubleClickTimeOfPosition(int position);
// The wheel scroll lines of a position are the position itself.

// --- reading: Windows -> position -------------------------------------------

/// speed / 2 + 1: speeds 1..20 give 1..11.
std::uint8_t PositionOfPointerSpeed(std::uint32_t speed);
/// The lines themselves (low byte). One screen per notch is not a position:
/// the page ticks "Scroll One Screen" for it instead.
std::uint8_t PositionOfWheelLines(std::uint32_t lines);
/// (900 - time) / 70 + 1: 900..200 ms give 1..11 and 100 ms gives 12 (shown
/// and written as 11, the fastest step). A time slower than 900 ms is the
/// slowest step, 1: the difference must not wrap round to a huge position,
/// which would turn the slowest double-click into the fastest.
std::uint8_t PositionOfDoubleClickTime(std::uint32_t milliseconds);

}  // namespace kv12
