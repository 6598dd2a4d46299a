// The HID interfaces of the system the Windows tests run on. Under Wine these
// are Wine's own virtual keyboard and mouse (vendor 0x845E), always listed and
// both with input reports; on Windows they are whatever the machine has.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "device/device_link.h"
#include "device/hid_backend.h"
#include "tests/common/skip.h"

namespace kv12::win32 {

// Wine's virtual keyboard and mouse carry this vendor ID.
inline constexpr std::uint16_t WINE_VENDOR_ID = 0x845E;

inline bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline bool IsTheMouse(const HidInterfaceInfo& info) {
    return info.vendorId == MOUSE_VENDOR_ID && info.productId == MOUSE_PRODUCT_ID;
}

// The first interface of another device than the mouse that could be queried
// and has input reports, or nullptr.
inline const HidInterfaceInfo* ForeignInputInterface(const std::vector<HidInterfaceInfo>& interfaces) {
    const auto it = std::find_if(interfaces.begin(), interfaces.end(), [](const HidInterfaceInfo& info) {
        return info.status == HidInterfaceStatus::Ok && info.inputReportLength > 0 && !IsTheMouse(info);
    });
    return it == interfaces.end() ? nullptr : &*it;
}

}  // namespace kv12::win32

// Ends the test (in SetUp or the test body) when found is nullptr: a failure
// under Wine, which always lists its virtual keyboard and mouse, so that a
// Wine that stopped listing them shows; elsewhere the machine may have no such
// device, and the test skips (or fails under KV12_NO_SKIP).
#define KV12_NEED_FOREIGN_INPUT_INTERFACE(found)                                                     \
    do {                                                                                             \
        if ((found) != nullptr) break;                                                               \
        if (::kv12::win32::RunningUnderWine()) {                                                     \
            GTEST_FAIL() << "Wine's virtual keyboard and mouse should be listed with input reports"; \
        }                                                                                            \
        KV12_SKIP_UNLESS_ALLOWED("no HID interface of another device with input reports");           \
    } while (false)
