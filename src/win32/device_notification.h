// Arrival and removal notices of HID device interfaces (WM_DEVICECHANGE), and
// the registration that asks the system for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "win32/windows_api.h"

#include "win32/unique_handle.h"

namespace kv12::win32 {

struct DeviceNotifyTraits {
    using Type = HDEVNOTIFY;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::UnregisterDeviceNotification(value); }
};
using UniqueDeviceNotify = UniqueResource<DeviceNotifyTraits>;

// Registers window for the device-interface notices of the HID class
// ({4D1E55B2-F16F-11CF-88CB-001111000030}); empty on failure.
UniqueDeviceNotify RegisterHidNotifications(HWND window);

// One WM_DEVICECHANGE as the connection monitor takes it.
struct DeviceChange {
    std::uint32_t event = 0;       // wParam: DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, ...
    std::uint32_t deviceType = 0;  // dbch_devicetype; 0 when the message carries no record
    std::string name;              // UTF-8 device interface name (device-interface records only)
};

// Reads the message's parameters; the record (lParam) may be absent, as for
// DBT_DEVNODES_CHANGED.
DeviceChange ReadDeviceChange(WPARAM wParam, LPARAM lParam);

}  // namespace kv12::win32
