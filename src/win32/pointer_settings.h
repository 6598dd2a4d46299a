// The Windows pointer settings of the advanced page through
// SystemParametersInfoW: pointer speed, wheel scroll lines, double-click time
// and the mouse parameters (acceleration thresholds and "Enhance Pointer
// Precision"). The page logic converts them to and from slider positions.
#pragma once

#include "ui/pointer_port.h"

namespace kv12::win32 {

class SystemPointerSettings final : public ui::PointerSettingsPort {
  public:
    std::optional<ui::MouseParameters> GetMouse() override;
    std::optional<std::uint32_t> GetMouseSpeed() override;
    std::optional<std::uint32_t> GetWheelScrollLines() override;
    std::uint32_t GetDoubleClickTime() override;
    bool SetMouse(const ui::MouseParameters& parameters) override;
    bool SetMouseSpeed(std::uint32_t speed) override;
    bool SetWheelScrollLines(std::uint32_t lines) override;
    bool SetDoubleClickTime(std::uint32_t milliseconds) override;
};

}  // namespace kv12::win32
