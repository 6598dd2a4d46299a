// The Windows pointer settings as the advanced page reads and writes them:
// one call per setting, each of which may fail on its own (the page names the
// one that failed and goes on with the next). The Win32 host answers with
// SystemParametersInfoW; the tests with a fake.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kv12::ui {

// The wheel scrolls one screen per notch instead of a number of lines.
inline constexpr std::uint32_t WHEEL_PAGE_SCROLL = 0xFFFFFFFF;

// The mouse parameters: two acceleration thresholds and the acceleration,
// which is 0 when "Enhance Pointer Precision" is off.
using MouseParameters = std::array<int, 3>;

class PointerSettingsPort {
  public:
    virtual ~PointerSettingsPort() = default;

    // Reads; nullopt (or 0 for the double-click time) when the system refuses.
    virtual std::optional<MouseParameters> GetMouse() = 0;
    virtual std::optional<std::uint32_t> GetMouseSpeed() = 0;        // 1..20
    virtual std::optional<std::uint32_t> GetWheelScrollLines() = 0;  // or WHEEL_PAGE_SCROLL
    virtual std::uint32_t GetDoubleClickTime() = 0;                  // milliseconds; 0: failed

    // Writes, each telling the other programs of the change; the double-click
    // time is also stored in the user's profile. False when refused.
    virtual bool SetMouse(const MouseParameters& parameters) = 0;
    virtual bool SetMouseSpeed(std::uint32_t speed) = 0;
    virtual bool SetWheelScrollLines(std::uint32_t lines) = 0;
    virtual bool SetDoubleClickTime(std::uint32_t milliseconds) = 0;
};

}  // namespace kv12::ui
