// One opened HID interface of the Windows backend: its handle, its report
// lengths and the input read that may stay pending between two notice waits.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_backend.h"
#include "win32/unique_handle.h"

namespace kv12::win32 {

// How long a report write may take before it counts as failed: a device that
// stops taking reports must not freeze the user-interface thread.
inline constexpr std::chrono::milliseconds REPORT_WRITE_TIMEOUT{1000};

// The report lengths of a collection, report ID byte included; 0 when it has no
// report of that kind.
struct HidReportLengths {
    std::uint16_t feature = 0;
    std::uint16_t input = 0;
    std::uint16_t output = 0;
};

// The handle is always opened overlapped, whatever its use, so that every read
// and write can be given up: a synchronous ReadFile on a device that never
// answers would block its thread for good. Feature reports go through hid.dll;
// input and output reports through ReadFile/WriteFile.
//
// Threading: WaitForReport belongs to one thread (the notice reader), the other
// transfers to another (the user-interface thread); Cancel may come from any.
class HidInterface {
  public:
    // Opens the interface at path (UTF-16) for the given use and reads its
    // report lengths; nullptr when it cannot be opened.
    static std::unique_ptr<HidInterface> Open(const std::wstring& path, HidOpenMode mode);

    // Cancels a pending read and waits for the cancellation, so the system never
    // writes into a freed buffer.
    ~HidInterface();
    HidInterface(const HidInterface&) = delete;
    HidInterface& operator=(const HidInterface&) = delete;

    // The lengths the collection declares (from HidP_GetCaps at open time).
    const HidReportLengths& lengths() const { return lengths_; }

    // HidD_SetFeature with the report fitted to the feature report length.
    bool SetFeature(std::span<const std::uint8_t> report);

    // HidD_GetFeature for the report ID in report[0], on a buffer of the feature
    // report length; fills report with the start of the reply, zeros after it.
    bool GetFeature(std::span<std::uint8_t> report);

    // One output report, fitted to the output report length.
    bool WriteReport(std::span<const std::uint8_t> report);

    // One input report, waiting at most timeout; the number of bytes copied into
    // report (the rest is zeroed), 0 and an all-zero report when nothing came.
    std::size_t ReadReport(std::span<std::uint8_t> report, std::chrono::milliseconds timeout);

    // Waits for one input report or for wakeEvent (an auto-reset event). A read
    // started here and interrupted by the wake-up stays pending, so the next
    // wait receives its report instead of losing it.
    HidWaitResult WaitForReport(std::span<std::uint8_t> report, HANDLE wakeEvent);

    // Ends a pending or starting read with a failure; callable from any thread.
    // Used when the interface is closed while its reader still waits.
    void Cancel();

  private:
    HidInterface(UniqueFile file, UniqueHandle ioEvent, UniqueHandle readEvent, HidReportLengths lengths);

    // Copies a completed notice read into report.
    HidWaitResult FinishRead(std::span<std::uint8_t> report);

    UniqueFile file_;
    UniqueHandle ioEvent_;    // the user-interface thread's transfers
    UniqueHandle readEvent_;  // the notice read
    HidReportLengths lengths_;
    OVERLAPPED readOverlapped_{};
    std::vector<std::uint8_t> readBuffer_;
    bool readPending_ = false;
    std::atomic<bool> cancelled_{false};
};

}  // namespace kv12::win32
