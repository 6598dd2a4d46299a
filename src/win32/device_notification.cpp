#include "win32/device_notification.h"

#include <cwchar>

#include <dbt.h>

#include "win32/wide_text.h"

namespace kv12::win32 {

namespace {

// The HID device interface class (GUID_DEVINTERFACE_HID).
constexpr GUID HID_INTERFACE_CLASS{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace

UniqueDeviceNotify RegisterHidNotifications(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = HID_INTERFACE_CLASS;
    return UniqueDeviceNotify(::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

DeviceChange ReadDeviceChange(WPARAM wParam, LPARAM lParam) {
    DeviceChange change;
    change.event = static_cast<std::uint32_t>(wParam);
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header) return change;
    change.deviceType = header->dbch_devicetype;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        header->dbch_size > offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
        const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
        // The name fills the rest of the record; never read past it even if unterminated.
        const std::size_t maxChars =
            (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
        change.name = Utf8FromWide(std::wstring_view(record->dbcc_name, ::wcsnlen(record->dbcc_name, maxChars)));
    }
    return change;
}

}  // namespace kv12::win32
