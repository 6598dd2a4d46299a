#include "win32/hid_interface.h"

#include <algorithm>
#include <optional>

#include "win32/hid_api.h"
#include "win32/hid_report_fit.h"

namespace kv12::win32 {
namespace {

DWORD ToWaitTime(std::chrono::milliseconds timeout) {
    if (timeout.count() <= 0) return 0;
    // INFINITE itself is excluded: a timed transfer always ends.
    const auto limit = static_cast<std::chrono::milliseconds::rep>(INFINITE - 1);
    return static_cast<DWORD>(std::min(timeout.count(), limit));
}

// One overlapped ReadFile or WriteFile, waited for at most timeout. On timeout
// the transfer is cancelled and the cancellation waited for, since the system
// must be done with buffer and overlapped before they go. The number of bytes
// moved, or nothing when the transfer failed or timed out.
std::optional<DWORD> Transfer(HANDLE file, HANDLE event, bool write, std::uint8_t* buffer, DWORD length,
                              std::chrono::milliseconds timeout) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    ::ResetEvent(event);
    DWORD moved = 0;
    const BOOL done = write ? ::WriteFile(file, buffer, length, nullptr, &overlapped)
                            : ::ReadFile(file, buffer, length, nullptr, &overlapped);
    if (!done && ::GetLastError() != ERROR_IO_PENDING) return std::nullopt;
    if (!done && ::WaitForSingleObject(event, ToWaitTime(timeout)) != WAIT_OBJECT_0) {
        ::CancelIoEx(file, &overlapped);
    }
    // Waits for the completion, or for the cancellation to take effect.
    if (!::GetOverlappedResult(file, &overlapped, &moved, TRUE)) return std::nullopt;
    return moved;
}

HidReportLengths ReadLengths(HANDLE file) {
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!::HidD_GetPreparsedData(file, &raw)) return {};
    const UniquePreparsedData data(raw);
    HIDP_CAPS caps{};
    if (::HidP_GetCaps(data.Get(), &caps) != HIDP_STATUS_SUCCESS) return {};
    return HidReportLengths{caps.FeatureReportByteLength, caps.InputReportByteLength,
                            caps.OutputReportByteLength};
}

UniqueHandle NewEvent(bool manualReset) {
    return UniqueHandle(::CreateEventW(nullptr, manualReset, FALSE, nullptr));
}

// Copies what fits of received into report and zeros the rest; the bytes copied.
std::size_t CopyReport(std::span<const std::uint8_t> received, std::span<std::uint8_t> report) {
    const std::size_t count = std::min(received.size(), report.size());
    std::copy_n(received.begin(), count, report.begin());
    std::fill(report.begin() + static_cast<std::ptrdiff_t>(count), report.end(), std::uint8_t{0});
    return count;
}

}  // namespace

std::unique_ptr<HidInterface> HidInterface::Open(const std::wstring& path, HidOpenMode mode) {
    DWORD access = 0;
    switch (mode) {
        case HidOpenMode::NoticeRead:
            access = GENERIC_READ;
            break;
        case HidOpenMode::NoticeWrite:
            access = GENERIC_WRITE;
            break;
        case HidOpenMode::Command:
            access = GENERIC_READ | GENERIC_WRITE;
            break;
    }
    UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    // Manual-reset events: an overlapped transfer resets its event when it starts.
    UniqueHandle ioEvent = NewEvent(true);
    UniqueHandle readEvent = NewEvent(true);
    if (!ioEvent || !readEvent) return nullptr;
    const HidReportLengths lengths = ReadLengths(file.Get());
    return std::unique_ptr<HidInterface>(
        new HidInterface(std::move(file), std::move(ioEvent), std::move(readEvent), lengths));
}

HidInterface::HidInterface(UniqueFile file, UniqueHandle ioEvent, UniqueHandle readEvent,
                           HidReportLengths lengths)
    : file_(std::move(file)),
      ioEvent_(std::move(ioEvent)),
      readEvent_(std::move(readEvent)),
      lengths_(lengths) {}

HidInterface::~HidInterface() {
    if (readPending_) {
        ::CancelIoEx(file_.Get(), &readOverlapped_);
        DWORD ignored = 0;
        ::GetOverlappedResult(file_.Get(), &readOverlapped_, &ignored, TRUE);
    }
}

bool HidInterface::SetFeature(std::span<const std::uint8_t> report) {
    auto buffer = FitReport(report, lengths_.feature);
    if (!buffer) return false;
    return ::HidD_SetFeature(file_.Get(), buffer->data(), static_cast<ULONG>(buffer->size())) != FALSE;
}

bool HidInterface::GetFeature(std::span<std::uint8_t> report) {
    if (report.empty() || lengths_.feature == 0) return false;
    std::vector<std::uint8_t> buffer(lengths_.feature, 0);
    buffer[0] = report[0];
    if (!::HidD_GetFeature(file_.Get(), buffer.data(), static_cast<ULONG>(buffer.size()))) return false;
    CopyReport(buffer, report);
    return true;
}

bool HidInterface::WriteReport(std::span<const std::uint8_t> report) {
    auto buffer = FitReport(report, lengths_.output);
    if (!buffer) return false;
    const auto length = static_cast<DWORD>(buffer->size());
    const auto written =
        Transfer(file_.Get(), ioEvent_.Get(), true, buffer->data(), length, REPORT_WRITE_TIMEOUT);
    return written && *written == length;
}

std::size_t HidInterface::ReadReport(std::span<std::uint8_t> report, std::chrono::milliseconds timeout) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (lengths_.input == 0) return 0;
    // Exactly one report's length: a longer buffer would collect several queued reports at once.
    std::vector<std::uint8_t> buffer(lengths_.input, 0);
    const auto received = Transfer(file_.Get(), ioEvent_.Get(), false, buffer.data(),
                                   static_cast<DWORD>(buffer.size()), timeout);
    if (!received || *received == 0) return 0;
    return CopyReport(
        std::span<const std::uint8_t>(buffer).first(std::min<std::size_t>(*received, buffer.size())), report);
}

HidWaitResult HidInterface::WaitForReport(std::span<std::uint8_t> report, HANDLE wakeEvent) {
    if (!readPending_) {
        if (cancelled_.load() || lengths_.input == 0) return {HidWaitStatus::Failed, 0};
        readBuffer_.assign(lengths_.input, 0);
        readOverlapped_ = OVERLAPPED{};
        readOverlapped_.hEvent = readEvent_.Get();
        ::ResetEvent(readEvent_.Get());
        if (!::ReadFile(file_.Get(), readBuffer_.data(), static_cast<DWORD>(readBuffer_.size()), nullptr,
                        &readOverlapped_) &&
            ::GetLastError() != ERROR_IO_PENDING) {
            return {HidWaitStatus::Failed, 0};
        }
        readPending_ = true;
        // Cancel may have run between the check above and ReadFile, with nothing yet to cancel.
        if (cancelled_.load()) ::CancelIoEx(file_.Get(), &readOverlapped_);
    }
    // The read comes first: when both are signalled the report is delivered now
    // and the wake-up, still set, ends the next wait.
    const HANDLE events[] = {readEvent_.Get(), wakeEvent};
    switch (::WaitForMultipleObjects(2, events, FALSE, INFINITE)) {
        case WAIT_OBJECT_0:
            return FinishRead(report);
        case WAIT_OBJECT_0 + 1:
            return {HidWaitStatus::WokenUp, 0};
        default:
            return {HidWaitStatus::Failed, 0};
    }
}

HidWaitResult HidInterface::FinishRead(std::span<std::uint8_t> report) {
    DWORD received = 0;
    const BOOL ok = ::GetOverlappedResult(file_.Get(), &readOverlapped_, &received, TRUE);
    readPending_ = false;
    if (!ok || received == 0) return {HidWaitStatus::Failed, 0};
    const auto data =
        std::span<const std::uint8_t>(readBuffer_).first(std::min<std::size_t>(received, readBuffer_.size()));
    return {HidWaitStatus::Report, CopyReport(data, report)};
}

void HidInterface::Cancel() {
    cancelled_.store(true);
    ::CancelIoEx(file_.Get(), nullptr);
}

}  // namespace kv12::win32
