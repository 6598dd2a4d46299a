#include "device/notice_reader.h"

#include <algorithm>
#include <vector>

namespace kv12 {

ReaderStepOutcome ReaderStep(DeviceLink& link, const NoticeSink& sink) {
    DeviceLinkState& state = link.state();
    const HidHandle handle = state.noticeReadHandle.load();
    if (!state.deviceReady.load() || !handle.IsValid()) {
        link.backend().WaitForInputReport(HidHandle{}, {});
        return ReaderStepOutcome::Idle;
    }
    // Sized from the interface's capabilities; at least four bytes so that a
    // short report reads as zeros where the value would be.
    std::vector<std::uint8_t> report(std::max<std::size_t>(state.noticeReportLength.load(), 4), 0);
    const HidWaitResult result = link.backend().WaitForInputReport(handle, report);
    if (result.status != HidWaitStatus::Report || result.length == 0) return ReaderStepOutcome::NoReport;
    // The mouse may have gone (or failed the handshake) while the read was pending.
    if (!state.deviceReady.load()) return ReaderStepOutcome::Ignored;
    const auto notice = ParseNoticeReport(
        std::span<const std::uint8_t>(report).first(std::min(result.length, report.size())));
    if (!notice) return ReaderStepOutcome::Ignored;
    if (sink) sink(*notice);
    return ReaderStepOutcome::Delivered;
}

NoticeReader::NoticeReader(DeviceLink& link, NoticeSink sink)
    : link_(link), sink_(std::move(sink)), thread_([this] { Run(); }) {}

NoticeReader::~NoticeReader() {
    Stop();
}

void NoticeReader::Resume() {
    {
        std::lock_guard lock(mutex_);
        resumed_ = true;
    }
    changed_.notify_all();
}

bool NoticeReader::Resumed() const {
    std::lock_guard lock(mutex_);
    return resumed_;
}

void NoticeReader::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    // Ends a wait in progress; the backend keeps the wake-up if none is.
    link_.backend().WakeUp();
    if (thread_.joinable()) thread_.join();
}

void NoticeReader::Run() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return resumed_ || stopping_; });
    }
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        ReaderStep(link_, sink_);
    }
}

}  // namespace kv12
