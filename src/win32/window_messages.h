// The program's own window messages and what the Win32 layer reads from the
// system's messages.
#pragma once

#include "win32/windows_api.h"

#include "ui/window_host.h"

namespace kv12::win32 {

// The tray icon's callback message; lParam carries the mouse message.
inline constexpr UINT WM_TRAYICON = 0x401;
// A notice of the mouse or the device link; wParam the code, lParam the value.
inline constexpr UINT WM_MOUSENOTICE = 0x402;
// Sent by a popup list whose selection follows the pointer to its parent after
// the pointer moved onto an item: wParam the list's id, lParam the item.
inline constexpr UINT WM_LISTPOINTERMOVE = 0x404;

// The client point of a mouse message.
inline ui::Point PointOf(LPARAM lParam) {
    return ui::Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace kv12::win32
