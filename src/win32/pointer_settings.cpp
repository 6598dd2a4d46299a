#include "win32/pointer_settings.h"

#include "win32/windows_api.h"

namespace kv12::win32 {

std::optional<ui::MouseParameters> SystemPointerSettings::GetMouse() {
    int parameters[3]{};
    if (!::SystemParametersInfoW(SPI_GETMOUSE, 0, parameters, 0)) return std::nullopt;
    return ui::MouseParameters{parameters[0], parameters[1], parameters[2]};
}

std::optional<std::uint32_t> SystemPointerSettings::GetMouseSpeed() {
    int speed = 0;
    if (!::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
    return static_cast<std::uint32_t>(speed);
}

std::optional<std::uint32_t> SystemPointerSettings::GetWheelScrollLines() {
    UINT lines = 0;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return std::nullopt;
    return lines;
}

std::uint32_t SystemPointerSettings::GetDoubleClickTime() {
    return ::GetDoubleClickTime();
}

bool SystemPointerSettings::SetMouse(const ui::MouseParameters& parameters) {
    int values[3] = {parameters[0], parameters[1], parameters[2]};
    return ::SystemParametersInfoW(SPI_SETMOUSE, 0, values, SPIF_SENDCHANGE) != FALSE;
}

bool SystemPointerSettings::SetMouseSpeed(std::uint32_t speed) {
    // The speed is documented to travel in pvParam; Wine 8 reads uiParam
    // instead (and the documented call alone sets speed 0 there). Giving it
    // in both works with either.
    const auto value = static_cast<UINT_PTR>(speed);
    return ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(value),
                                   reinterpret_cast<PVOID>(value), SPIF_SENDCHANGE) != FALSE;
}

bool SystemPointerSettings::SetWheelScrollLines(std::uint32_t lines) {
    return ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_SENDCHANGE) != FALSE;
}

bool SystemPointerSettings::SetDoubleClickTime(std::uint32_t milliseconds) {
    return ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                   SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

}  // namespace kv12::win32
