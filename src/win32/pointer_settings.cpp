#include "win32/pointer_settings.h"

#include "win32/windows_api.h"

namespace kv12::win32 {

SystemPointerSettings ReadSystemPointerSettings() {
    SystemPointerSettings settings;
    int speed = 0;
    if (::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) settings.speed = static_cast<std::uint32_t>(speed);
    UINT lines = 0;
    if (::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) settings.wheelLines = lines;
    settings.doubleClickMs = ::GetDoubleClickTime();
    int params[3]{};
    if (::SystemParametersInfoW(SPI_GETMOUSE, 0, params, 0)) settings.mouseParams = {params[0], params[1], params[2]};
    return settings;
}

bool WriteSystemPointerSettings(const SystemPointerSettings& settings, bool persist) {
    const UINT flags = persist ? SPIF_UPDATEINIFILE | SPIF_SENDCHANGE : 0;
    // The speed is documented to travel in pvParam; Wine 8 reads uiParam
    // instead. Giving it in both works with either.
    const auto speed = static_cast<UINT_PTR>(settings.speed);
    bool ok = ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed), reinterpret_cast<PVOID>(speed),
                                      flags) != FALSE;
    ok = ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, settings.wheelLines, nullptr, flags) != FALSE && ok;
    ok = ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, settings.doubleClickMs, nullptr, flags) != FALSE && ok;
    int params[3] = {settings.mouseParams[0], settings.mouseParams[1], settings.mouseParams[2]};
    ok = ::SystemParametersInfoW(SPI_SETMOUSE, 0, params, flags) != FALSE && ok;
    return ok;
}

}  // namespace kv12::win32
