#include "device/device_link.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kv12 {
namespace {

bool IsMouse(const HidInterfaceInfo& info) {
    return info.vendorId == MOUSE_VENDOR_ID && info.productId == MOUSE_PRODUCT_ID;
}

bool IsNoticeInterface(const HidInterfaceInfo& info) {
    return info.usage == NOTICE_USAGE && info.usagePage == NOTICE_USAGE_PAGE && info.inputReportLength != 0;
}

bool IsCommandInterface(const HidInterfaceInfo& info) {
    return info.usage == COMMAND_USAGE && info.usagePage == COMMAND_USAGE_PAGE &&
           info.featureReportLength != 0;
}

bool EchoesChallenge(const Command& reply) {
    return std::equal(reply.begin() + 1, reply.begin() + 5, HANDSHAKE_CHALLENGE.begin() + 1);
}

FindDeviceResult Failed(std::optional<UserMessage> message = std::nullopt) {
    return FindDeviceResult{false, std::move(message)};
}

}  // namespace

DeviceLink::DeviceLink(HidBackend& backend, Clock& clock, const ScrambleConfig& scramble)
    : backend_(backend), clock_(clock) {
    state_.scramble = scramble;
}

DeviceLink::~DeviceLink() {
    CloseHandles();
}

void DeviceLink::CloseHandles() {
    backend_.Close(state_.noticeReadHandle.exchange(HidHandle{}));
    backend_.Close(state_.noticeWriteHandle);
    backend_.Close(state_.commandHandle);
    state_.noticeWriteHandle = HidHandle{};
    state_.commandHandle = HidHandle{};
}

void DeviceLink::Notify(const MouseNotice& notice) const {
    if (noticeSink_) noticeSink_(notice);
}

FindDeviceResult DeviceLink::FindDevice() {
    CloseHandles();
    std::vector<HidInterfaceInfo> interfaces;
    if (!backend_.Enumerate(interfaces)) return Failed();

    bool noticeOpen = false;
    bool commandOpen = false;
    for (const HidInterfaceInfo& info : interfaces) {
        // Once the command interface is open the search has succeeded; it only
        // goes on to find a notice interface listed after it, so later trouble
        // with other interfaces no longer matters.
        if (commandOpen) {
            if (info.status != HidInterfaceStatus::Ok || !IsMouse(info) || !IsNoticeInterface(info)) continue;
        }
        switch (info.status) {
            case HidInterfaceStatus::DetailFailed:
                return Failed(UserMessage{MSG_INTERFACE_DETAIL_FAILED, ""});
            case HidInterfaceStatus::QueryOpenFailed:
                // Some other device that refuses even a query (held exclusively,
                // or gone since the list was made) must not hide the mouse.
            case HidInterfaceStatus::AttributesFailed:
                state_.devicePath = info.path;
                continue;
            case HidInterfaceStatus::PreparsedDataFailed:
            case HidInterfaceStatus::CapabilitiesFailed:
            case HidInterfaceStatus::Ok:
                break;
        }
        if (!commandOpen) state_.devicePath = info.path;
        if (!IsMouse(info)) continue;
        if (info.status == HidInterfaceStatus::PreparsedDataFailed) {
            return Failed(UserMessage{MSG_PREPARSED_DATA_FAILED, ""});
        }
        if (info.status == HidInterfaceStatus::CapabilitiesFailed) {
            return Failed(
                UserMessage{info.error.empty() ? std::string(MSG_CAPABILITIES_FAILED) : info.error, ""});
        }

        if (IsNoticeInterface(info) && !noticeOpen) {
            const HidHandle read = backend_.Open(info.path, HidOpenMode::NoticeRead);
            if (!read.IsValid()) return Failed();
            state_.noticeReportLength.store(info.inputReportLength);
            state_.noticeReadHandle.store(read);
            backend_.WakeUp();
            state_.noticeWriteHandle = backend_.Open(info.path, HidOpenMode::NoticeWrite);
            if (!state_.noticeWriteHandle.IsValid()) return Failed();
            noticeOpen = true;
        } else if (IsCommandInterface(info) && !commandOpen) {
            state_.deviceReady.store(true);
            state_.commandHandle = backend_.Open(info.path, HidOpenMode::Command);
            if (!state_.commandHandle.IsValid()) return Failed();
            state_.featureReportLength = info.featureReportLength;
            state_.dataInputLength = info.inputReportLength;
            state_.dataOutputLength = info.outputReportLength;
            commandOpen = true;
        }
        if (noticeOpen && commandOpen) break;
    }
    if (!commandOpen) return Failed();
    // The reader may have looked at deviceReady before it was set; let it look again.
    backend_.WakeUp();
    return FindDeviceResult{true, std::nullopt};
}

void DeviceLink::Record(TraceOp op, std::span<const std::uint8_t> report, std::optional<Command> command) {
    if (!trace_) return;
    trace_->Record(TraceEvent{op, std::vector<std::uint8_t>(report.begin(), report.end()), command, 0});
}

void DeviceLink::Wait(std::chrono::milliseconds duration) {
    if (trace_)
        trace_->Record(TraceEvent{TraceOp::Wait, {}, std::nullopt, static_cast<int>(duration.count())});
    clock_.SleepFor(duration);
}

bool DeviceLink::SendFeature(const Command& command) {
    if (state_.featureReportLength < FEATURE_REPORT_LENGTH) return false;
    std::vector<std::uint8_t> report(state_.featureReportLength, 0);
    report[0] = COMMAND_REPORT_ID;
    Command wire = command;
    if (state_.scrambleOn) ScrambleCommand(wire, state_.scramble);
    std::copy(wire.begin(), wire.end(), report.begin() + 1);
    const bool ok = backend_.SetFeature(state_.commandHandle, report);
    Record(TraceOp::SetFeature, report, command);
    return ok;
}

bool DeviceLink::FetchReply(Command& command) {
    if (state_.featureReportLength < FEATURE_REPORT_LENGTH) return false;
    std::vector<std::uint8_t> report(state_.featureReportLength, 0);
    report[0] = COMMAND_REPORT_ID;
    bool ok = backend_.GetFeature(state_.commandHandle, report);
    if (!ok) std::fill(report.begin(), report.end(), 0);
    Command reply{};
    std::copy_n(report.begin() + 1, COMMAND_SIZE, reply.begin());
    if (state_.scrambleOn) UnscrambleCommand(reply, state_.scramble);
    command = reply;
    Record(TraceOp::GetFeature, ok ? std::span<const std::uint8_t>(report) : std::span<const std::uint8_t>(),
           reply);
    return ok;
}

void DeviceLink::NoteFailure(TraceOp op, const Command& command, std::size_t chunk, std::size_t chunkCount,
                             std::string reason) {
    if (firstFailure_) return;
    if (reason.empty()) reason = backend_.LastError().text;
    firstFailure_ = TransferFailure{op, command, chunk, chunkCount, std::move(reason)};
}

bool DeviceLink::SendCommand(Command& command) {
    command = WithChecksum(command);
    const Command sent = command;
    const bool delivered = SendFeature(command);
    if (!delivered) {
        NoteFailure(TraceOp::SetFeature, sent, 0, 0,
                    state_.featureReportLength < FEATURE_REPORT_LENGTH
                        ? "the mouse's feature reports are too short for a command"
                        : "");
    }
    if (!ExpectsReply(command)) return delivered;
    const bool replied = FetchReply(command);
    if (!replied) NoteFailure(TraceOp::GetFeature, sent);
    return delivered && replied;
}

std::size_t DeviceLink::SendCommandWithData(Command& command, std::span<std::uint8_t> data) {
    const Command sent = WithChecksum(command);
    if (!SendCommand(command)) return 0;
    std::size_t moved = 0;
    if (ExpectsReply(sent)) {
        const std::size_t maxChunks = data.size() / DATA_CHUNK_SIZE;
        const std::size_t chunks = std::min(ChunkCount(command[2]), maxChunks);
        std::vector<std::uint8_t> report(std::max<std::size_t>(state_.dataInputLength, 1), 0);
        for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
            std::fill(report.begin(), report.end(), 0);
            const std::size_t received =
                state_.dataInputLength == 0
                    ? 0
                    : backend_.ReadReport(state_.commandHandle, report, DATA_READ_TIMEOUT);
            Record(TraceOp::Read,
                   std::span<const std::uint8_t>(report).first(std::min(received, report.size())),
                   std::nullopt);
            if (received == 0) {
                NoteFailure(TraceOp::Read, sent, chunk + 1, chunks,
                            state_.dataInputLength == 0 ? "the mouse has no input reports for data" : "");
                return moved;
            }
            // A short report leaves zeros, as the buffer was cleared.
            const std::size_t usable = std::min(report.size() - 1, DATA_CHUNK_SIZE);
            std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(moved), DATA_CHUNK_SIZE, 0);
            std::copy_n(report.begin() + 1, usable, data.begin() + static_cast<std::ptrdiff_t>(moved));
            moved += DATA_CHUNK_SIZE;
        }
        return moved;
    }
    const std::size_t chunks = ChunkCount(command[2]);
    // Output reports too short for a chunk cannot carry it at all.
    if (chunks > 0 && state_.dataOutputLength < DATA_REPORT_LENGTH) {
        NoteFailure(TraceOp::Write, sent, 1, chunks,
                    "the mouse's output reports are too short for a data chunk");
        return 0;
    }
    std::vector<std::uint8_t> report(state_.dataOutputLength, 0);
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        std::fill(report.begin(), report.end(), 0);
        report[0] = COMMAND_REPORT_ID;
        const std::size_t offset = chunk * DATA_CHUNK_SIZE;
        const std::size_t count = offset < data.size() ? std::min(DATA_CHUNK_SIZE, data.size() - offset) : 0;
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(std::min(offset, data.size())), count,
                    report.begin() + 1);
        const bool written = backend_.WriteReport(state_.commandHandle, report);
        Record(TraceOp::Write, report, std::nullopt);
        if (!written) {
            NoteFailure(TraceOp::Write, sent, chunk + 1, chunks);
            return moved;
        }
        moved += count;
        Wait(DATA_CHUNK_WAIT);
    }
    return moved;
}

bool DeviceLink::HandshakeAttempt(bool scrambled) {
    if (state_.featureReportLength < FEATURE_REPORT_LENGTH) return false;
    std::vector<std::uint8_t> report(state_.featureReportLength, 0);
    report[0] = COMMAND_REPORT_ID;
    Command wire = HANDSHAKE_CHALLENGE;
    if (scrambled) ScrambleCommand(wire, state_.scramble);
    std::copy(wire.begin(), wire.end(), report.begin() + 1);
    backend_.SetFeature(state_.commandHandle, report);
    Record(TraceOp::SetFeature, report, HANDSHAKE_CHALLENGE);
    Wait(HANDSHAKE_WAIT);

    std::fill(report.begin(), report.end(), 0);
    const bool ok = backend_.GetFeature(state_.commandHandle, report);
    if (!ok) std::fill(report.begin(), report.end(), 0);
    Command reply{};
    std::copy_n(report.begin() + 1, COMMAND_SIZE, reply.begin());
    if (scrambled) UnscrambleCommand(reply, state_.scramble);
    Record(TraceOp::GetFeature, ok ? std::span<const std::uint8_t>(report) : std::span<const std::uint8_t>(),
           reply);
    return EchoesChallenge(reply);
}

void DeviceLink::Handshake() {
    // A mouse that answers the plain challenge does not speak the protocol
    // this program drives; only the scrambled echo is accepted.
    const bool plainEcho = HandshakeAttempt(false);
    const bool scrambledEcho = !plainEcho && HandshakeAttempt(true);
    if (scrambledEcho) {
        state_.scrambleOn = true;
        Notify(MouseNotice{NOTICE_FOUND, 0});
        state_.deviceReady.store(true);
    } else {
        state_.scrambleOn = false;
        Notify(MouseNotice{NOTICE_NOT_FOUND, 0});
        state_.deviceReady.store(false);
    }
}

}  // namespace kv12
