// The one seam between the device link and a platform's HID stack. The link
// speaks only through this interface; the simulated mouse, the Windows
// SetupAPI/hid.dll backend and any later backend implement it.
//
// Reports are plain byte spans whose first byte is the report ID, exactly as
// they travel on the wire; the caller sizes them from the interface's
// capabilities (a short or long buffer is the caller's error, and a backend may
// refuse it by returning false).
//
// Threading: Enumerate, Open, Close, SetFeature, GetFeature, WriteReport and
// ReadReport are called from one thread (the user-interface thread).
// WaitForInputReport is called only from the notice reader thread, and WakeUp
// from any thread. A backend must make these two safe against the rest.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv12 {

// An opened HID interface. The value is the backend's own; 0 never names an
// open interface, so a default-constructed handle is the invalid one.
struct HidHandle {
    std::uint64_t value = 0;

    constexpr bool IsValid() const { return value != 0; }
    friend constexpr bool operator==(HidHandle, HidHandle) = default;
};

// How far the backend got while examining one interface. The device search
// treats the failures differently, so the backend reports the first step that
// failed and fills the fields of the steps before it.
enum class HidInterfaceStatus {
    Ok,                   // every field below is filled
    DetailFailed,         // the interface's path could not be read; only the status is valid
    QueryOpenFailed,      // path known; the interface could not be opened even without access rights
    AttributesFailed,     // path known; vendor, product and version unknown
    PreparsedDataFailed,  // path and attributes known; no report descriptor data
    CapabilitiesFailed,   // path and attributes known; capabilities unreadable
};

// One HID top-level collection as the system presents it. The report lengths
// include the report ID byte and are 0 when the collection has no report of
// that kind.
struct HidInterfaceInfo {
    HidInterfaceStatus status = HidInterfaceStatus::Ok;
    std::string path;  // UTF-8; what Open takes and what arrival/removal notices carry
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    // The platform's own words for the step that failed; empty when it has none.
    std::string error;
};

// The backend's account of its last failed call: the HID library's own text and
// whether the system refused access (a permission problem rather than a fault).
struct HidError {
    std::string text;
    bool accessDenied = false;
};

// What an opened handle is for. NoticeRead handles are used only with
// WaitForInputReport (asynchronous on platforms that need it); NoticeWrite
// handles are opened and kept but never used; Command handles carry feature
// reports and the synchronous data reports.
enum class HidOpenMode { NoticeRead, NoticeWrite, Command };

// Why WaitForInputReport returned.
enum class HidWaitStatus {
    Report,   // a report arrived; length says how many bytes
    WokenUp,  // WakeUp was called (before or during the wait); nothing was read
    Failed,   // the read failed or completed without data (e.g. the device is gone)
};

struct HidWaitResult {
    HidWaitStatus status = HidWaitStatus::Failed;
    std::size_t length = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // Lists the HID interfaces present now, in the system's enumeration order.
    // Returns false (and leaves interfaces empty) when the list itself cannot be
    // had; an interface that could only partly be examined is listed with the
    // status of the step that failed.
    virtual bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) = 0;

    // Opens the interface at path for the given use; an invalid handle when that
    // fails (device gone, access denied).
    virtual HidHandle Open(const std::string& path, HidOpenMode mode) = 0;

    // Closes a handle from Open; invalid handles are ignored. A wait pending on
    // the handle ends with Failed.
    virtual void Close(HidHandle handle) = 0;

    // Sends a feature report (report ID in byte 0, the rest its payload).
    virtual bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) = 0;

    // Asks for the feature report whose ID the caller put in report[0] and
    // fills the whole span with it.
    virtual bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) = 0;

    // Writes one output (data) report, synchronously.
    virtual bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) = 0;

    // Reads one input (data) report into report, synchronously, giving up after
    // timeout. Returns the number of bytes received, 0 when nothing came.
    virtual std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                                   std::chrono::milliseconds timeout) = 0;

    // Waits without time limit until an input report arrives on a NoticeRead
    // handle or WakeUp is called. With an invalid handle it waits for WakeUp
    // only. A wake-up that came while nobody was waiting is kept and ends the
    // next wait at once; a report that arrives after a wake-up is not lost.
    virtual HidWaitResult WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) = 0;

    // Ends the current or the next WaitForInputReport with WokenUp. Callable
    // from any thread.
    virtual void WakeUp() = 0;

    // Why the last Enumerate, Open, SetFeature, GetFeature, WriteReport or
    // ReadReport of the user-interface thread failed; empty text when it did not
    // fail or the backend has nothing to say. Enumerate clears it.
    virtual HidError LastError() const { return {}; }
};

}  // namespace kv12
