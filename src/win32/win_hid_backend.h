// The Windows HidBackend: SetupAPI lists the HID interfaces, hid.dll reads their
// attributes and capabilities and carries feature reports, overlapped
// ReadFile/WriteFile carry input and output reports.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "device/hid_backend.h"
#include "win32/hid_interface.h"
#include "win32/unique_handle.h"

namespace kv12::win32 {

// After a failed notice read the wait pauses this long (or until a wake-up), so
// that a reader whose device vanished does not spin until the link notices it.
inline constexpr std::chrono::milliseconds FAILED_READ_PAUSE{50};

class WinHidBackend final : public HidBackend {
  public:
    // Creates the wake-up event; throws std::system_error when the system has no
    // handles left to give.
    WinHidBackend();
    // Closes every interface still open.
    ~WinHidBackend() override;
    WinHidBackend(const WinHidBackend&) = delete;
    WinHidBackend& operator=(const WinHidBackend&) = delete;

    // The present interfaces of the HID class (SetupDiGetClassDevsW with the GUID
    // from HidD_GetHidGuid), each opened without access rights to read its
    // attributes and capabilities; foreign devices are listed too.
    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;

    // CreateFileW on the path, overlapped, with the access the use needs.
    HidHandle Open(const std::string& path, HidOpenMode mode) override;

    // Forgets the handle and cancels a notice read pending on it; the system
    // handle closes as soon as that read has ended.
    void Close(HidHandle handle) override;

    // HidD_SetFeature, the report padded with zeros to FeatureReportByteLength.
    bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;

    // HidD_GetFeature on a buffer of FeatureReportByteLength.
    bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;

    // WriteFile of one report padded to OutputReportByteLength; fails after
    // REPORT_WRITE_TIMEOUT.
    bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;

    // ReadFile of one report of InputReportByteLength, cancelled after timeout.
    std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                           std::chrono::milliseconds timeout) override;

    // An overlapped ReadFile and the wake-up event, waited for together.
    HidWaitResult WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) override;

    // Sets the (auto-reset) wake-up event, which stays set until a wait takes it.
    void WakeUp() override;

  private:
    std::shared_ptr<HidInterface> Find(HidHandle handle) const;

    // Interfaces are shared with a notice wait in progress on the reader thread,
    // so that Close never pulls the handle from under a pending read.
    mutable std::mutex mutex_;
    std::map<std::uint64_t, std::shared_ptr<HidInterface>> open_;
    std::uint64_t nextId_ = 1;
    UniqueHandle wakeEvent_;
};

}  // namespace kv12::win32
