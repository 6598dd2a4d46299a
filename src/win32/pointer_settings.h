// The Windows settings of the advanced page, read and written through
// SystemParametersInfoW: pointer speed, wheel scroll lines, double-click time
// and the mouse parameters (acceleration thresholds and "Enhance Pointer
// Precision"). The page logic converts them to and from slider positions.
#pragma once

#include <array>
#include <cstdint>

namespace kv12::win32 {

// WHEEL_PAGESCROLL: the wheel scrolls one screen at a time.
inline constexpr std::uint32_t WHEEL_SCROLLS_PAGE = 0xFFFFFFFF;

struct SystemPointerSettings {
    std::uint32_t speed = 10;                   // 1..20
    std::uint32_t wheelLines = 3;               // or WHEEL_SCROLLS_PAGE
    std::uint32_t doubleClickMs = 500;
    std::array<int, 3> mouseParams{6, 10, 1};  // thresholds 1 and 2, acceleration (0: precision off)
    friend bool operator==(const SystemPointerSettings&, const SystemPointerSettings&) = default;
};

// The current values; a value that cannot be read keeps the default above.
SystemPointerSettings ReadSystemPointerSettings();

// Sets all four. persist: also store them in the user's profile and tell
// the other programs (as the system's own mouse settings do). False when any
// of them was refused.
bool WriteSystemPointerSettings(const SystemPointerSettings& settings, bool persist);

}  // namespace kv12::win32
