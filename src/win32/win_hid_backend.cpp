#include "win32/win_hid_backend.h"

#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "win32/hid_api.h"
#include "win32/wide_text.h"

namespace kv12::win32 {
namespace {

// The device path of one interface of the set, or nothing when its detail cannot be read.
std::optional<std::wstring> InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData) {
    DWORD size = 0;
    // The first call only asks for the size (and fails with ERROR_INSUFFICIENT_BUFFER).
    ::SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
    // DWORD elements keep the structure's alignment.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, size, nullptr, nullptr)) {
        return std::nullopt;
    }
    return std::wstring(detail->DevicePath);
}

// Opens the interface for query only (any HID collection allows that, even a
// keyboard the system holds exclusively) and reads what the search needs.
HidInterfaceInfo Examine(const std::wstring& path) {
    HidInterfaceInfo info;
    info.path = Utf8FromWide(path);
    const UniqueFile query(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    if (!query) {
        info.status = HidInterfaceStatus::QueryOpenFailed;
        return info;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!::HidD_GetAttributes(query.Get(), &attributes)) {
        info.status = HidInterfaceStatus::AttributesFailed;
        return info;
    }
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
    info.versionNumber = attributes.VersionNumber;

    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!::HidD_GetPreparsedData(query.Get(), &raw)) {
        info.status = HidInterfaceStatus::PreparsedDataFailed;
        return info;
    }
    const UniquePreparsedData preparsed(raw);
    HIDP_CAPS caps{};
    // Any status but success leaves caps undefined, not only HIDP_STATUS_INVALID_PREPARSED_DATA.
    if (::HidP_GetCaps(preparsed.Get(), &caps) != HIDP_STATUS_SUCCESS) {
        info.status = HidInterfaceStatus::CapabilitiesFailed;
        return info;
    }
    info.usagePage = caps.UsagePage;
    info.usage = caps.Usage;
    info.featureReportLength = caps.FeatureReportByteLength;
    info.inputReportLength = caps.InputReportByteLength;
    info.outputReportLength = caps.OutputReportByteLength;
    return info;
}

}  // namespace

WinHidBackend::WinHidBackend() : wakeEvent_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!wakeEvent_) {
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateEventW");
    }
}

WinHidBackend::~WinHidBackend() {
    std::map<std::uint64_t, std::shared_ptr<HidInterface>> open;
    {
        std::lock_guard lock(mutex_);
        open.swap(open_);
    }
    for (auto& [id, hidInterface] : open) hidInterface->Cancel();
}

bool WinHidBackend::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    interfaces.clear();
    GUID hidGuid{};
    ::HidD_GetHidGuid(&hidGuid);
    const UniqueDeviceInfoSet set(
        ::SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set) return false;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        // Ends with ERROR_NO_MORE_ITEMS; any other error ends the list as well.
        if (!::SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &hidGuid, index, &interfaceData)) break;
        const auto path = InterfacePath(set.Get(), interfaceData);
        if (!path) {
            HidInterfaceInfo info;
            info.status = HidInterfaceStatus::DetailFailed;
            interfaces.push_back(std::move(info));
            continue;
        }
        interfaces.push_back(Examine(*path));
    }
    return true;
}

HidHandle WinHidBackend::Open(const std::string& path, HidOpenMode mode) {
    std::shared_ptr<HidInterface> opened = HidInterface::Open(WideFromUtf8(path), mode);
    if (!opened) return HidHandle{};
    std::lock_guard lock(mutex_);
    const std::uint64_t id = nextId_++;
    open_.emplace(id, std::move(opened));
    return HidHandle{id};
}

void WinHidBackend::Close(HidHandle handle) {
    if (!handle.IsValid()) return;
    std::shared_ptr<HidInterface> closing;
    {
        std::lock_guard lock(mutex_);
        const auto it = open_.find(handle.value);
        if (it == open_.end()) return;
        closing = std::move(it->second);
        open_.erase(it);
    }
    closing->Cancel();
    // The system handle closes when the last owner lets go: here, or in a notice
    // wait that is just ending.
}

std::shared_ptr<HidInterface> WinHidBackend::Find(HidHandle handle) const {
    std::lock_guard lock(mutex_);
    const auto it = open_.find(handle.value);
    return it == open_.end() ? nullptr : it->second;
}

bool WinHidBackend::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
    const auto hidInterface = Find(handle);
    return hidInterface && hidInterface->SetFeature(report);
}

bool WinHidBackend::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
    const auto hidInterface = Find(handle);
    return hidInterface && hidInterface->GetFeature(report);
}

bool WinHidBackend::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
    const auto hidInterface = Find(handle);
    return hidInterface && hidInterface->WriteReport(report);
}

std::size_t WinHidBackend::ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                                      std::chrono::milliseconds timeout) {
    const auto hidInterface = Find(handle);
    return hidInterface ? hidInterface->ReadReport(report, timeout) : 0;
}

HidWaitResult WinHidBackend::WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) {
    if (!handle.IsValid()) {
        ::WaitForSingleObject(wakeEvent_.Get(), INFINITE);
        return {HidWaitStatus::WokenUp, 0};
    }
    HidWaitResult result{HidWaitStatus::Failed, 0};
    if (const auto hidInterface = Find(handle))
        result = hidInterface->WaitForReport(report, wakeEvent_.Get());
    if (result.status == HidWaitStatus::Failed &&
        ::WaitForSingleObject(wakeEvent_.Get(), static_cast<DWORD>(FAILED_READ_PAUSE.count())) ==
            WAIT_OBJECT_0) {
        return {HidWaitStatus::WokenUp, 0};
    }
    return result;
}

void WinHidBackend::WakeUp() {
    ::SetEvent(wakeEvent_.Get());
}

}  // namespace kv12::win32
