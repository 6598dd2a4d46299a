// The device link: finding the mouse among the HID interfaces, the handshake
// that decides whether commands travel scrambled, and the two ways of talking
// to it (a command in a feature report with an optional reply, and a command
// followed by a data phase of 32-byte reports).
//
// One DeviceLink exists per process; DeviceLinkState below is all the
// process-wide state of the link and the command set, gathered in one place.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/settings_file.h"
#include "device/clock.h"
#include "device/device_command.h"
#include "device/device_image.h"
#include "device/hid_backend.h"
#include "device/mouse_notice.h"
#include "device/trace_event.h"

namespace kv12 {

inline constexpr std::uint16_t MOUSE_VENDOR_ID = 0x04D9;
inline constexpr std::uint16_t MOUSE_PRODUCT_ID = 0xA09F;
inline constexpr std::uint16_t NOTICE_USAGE_PAGE = 0xFF01;
inline constexpr std::uint16_t NOTICE_USAGE = 0xFF01;
inline constexpr std::uint16_t COMMAND_USAGE_PAGE = 0xFF00;
inline constexpr std::uint16_t COMMAND_USAGE = 0xFF00;

// The search's messages for the user (caption: the application's title).
inline constexpr const char* MSG_INTERFACE_DETAIL_FAILED = "SetupDiGetDeviceInterfaceDetail failed.\n";
inline constexpr const char* MSG_PREPARSED_DATA_FAILED = "HidD_GetPreparsedData failed.\n";
inline constexpr const char* MSG_CAPABILITIES_FAILED = "HidP_GetCaps failed.";

// Waits of the protocol.
inline constexpr std::chrono::milliseconds HANDSHAKE_WAIT{5};
inline constexpr std::chrono::milliseconds DATA_CHUNK_WAIT{3};
inline constexpr std::chrono::milliseconds COMMAND_GAP_WAIT{2};
// How long a data read waits for the mouse before the chunk counts as lost.
inline constexpr std::chrono::milliseconds DATA_READ_TIMEOUT{1000};

struct DeviceLinkState {
    std::string devicePath;  // the last interface examined; the command interface after a successful search
    // The reader thread reads the notice handle and length while the user-interface
    // thread may replace them, hence atomic.
    std::atomic<HidHandle> noticeReadHandle{};
    HidHandle noticeWriteHandle;  // opened and kept, never used: the notice interface's write side
    HidHandle commandHandle;
    std::uint16_t featureReportLength = 0;
    std::uint16_t dataInputLength = 0;
    std::uint16_t dataOutputLength = 0;
    std::atomic<std::uint16_t> noticeReportLength{0};
    // Commands may be sent; the reader thread reads notices only while it is set.
    std::atomic<bool> deviceReady{false};
    // Outgoing commands are scrambled and replies unscrambled.
    bool scrambleOn = false;
    ScrambleConfig scramble;
    // Sensor type of the last sensor initialisation; selects the DPI code row.
    std::uint8_t sensorType = 0;
    DeviceImage image;
};

// A transfer of a command or its data that did not get through: a report the
// mouse did not take, or a reply or data report that did not come back.
struct TransferFailure {
    // SetFeature: the command; GetFeature: its reply; Write, Read: a data report.
    TraceOp op = TraceOp::SetFeature;
    Command command{};           // the command as the program meant it (checksum included)
    std::size_t chunk = 0;       // Write, Read: the data report's number, from 1
    std::size_t chunkCount = 0;  // Write, Read: how many the data phase has
    std::string reason;          // the HID library's words or the link's; may be empty

    friend bool operator==(const TransferFailure&, const TransferFailure&) = default;
};

struct FindDeviceResult {
    bool found = false;
    std::optional<UserMessage> message;  // a failure the user is told about
};

class DeviceLink {
  public:
    DeviceLink(HidBackend& backend, Clock& clock, const ScrambleConfig& scramble);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Where the handshake's NOTICE_FOUND / NOTICE_NOT_FOUND go.
    void SetNoticeSink(NoticeSink sink) { noticeSink_ = std::move(sink); }
    // Where every report and wait is recorded; nullptr for none. Not owned.
    void SetTraceSink(TraceSink* sink) { trace_ = sink; }

    // Looks for the mouse and opens its notice interface (read and write
    // handles) and its command interface, in whichever order they are listed.
    // Handles of an earlier search are closed first. Found when the command
    // interface was opened; deviceReady is then set until the handshake decides.
    // Wakes the reader thread when it opens the notice interface and when it
    // succeeds.
    FindDeviceResult FindDevice();

    // Sends the challenge plain, then scrambled; only a scrambled echo counts.
    // Sets scrambleOn and deviceReady and sends NOTICE_FOUND or NOTICE_NOT_FOUND.
    void Handshake();

    // One command as a feature report, checksum recomputed. When the command
    // expects a reply, the reply replaces the command (all zeros when it did
    // not come). Returns whether the command and its reply got through.
    bool SendCommand(Command& command);

    // The command, then its data phase: a write sends ceil(byte 2 / 32) chunks
    // from data, waiting 3 ms after each; a read fetches the reply (which
    // replaces the command) and reads ceil(reply byte 2 / 32) chunks into data.
    // Never reads or writes outside data: missing data is sent as zeros and a
    // read stops when data is full. The data phase ends at the first transfer
    // that fails (none starts after a command or reply that failed), as the
    // mouse cannot make sense of the rest. Returns the number of data bytes moved.
    std::size_t SendCommandWithData(Command& command, std::span<std::uint8_t> data);

    // The first transfer of SendCommand or SendCommandWithData that failed
    // since the last ClearTransferFailure (the handshake is not counted: it
    // reports its own outcome). Whoever needs to know that a series of
    // commands got through clears it first and looks afterwards.
    const std::optional<TransferFailure>& FirstTransferFailure() const { return firstFailure_; }
    void ClearTransferFailure() { firstFailure_.reset(); }

    // Waits through the clock and records the wait.
    void Wait(std::chrono::milliseconds duration);

    // Closes every handle of the mouse (shutdown, or before a new search).
    void CloseHandles();

    bool DeviceReady() const { return state_.deviceReady.load(); }
    void SetDeviceReady(bool ready) { state_.deviceReady.store(ready); }

    DeviceLinkState& state() { return state_; }
    const DeviceLinkState& state() const { return state_; }
    HidBackend& backend() { return backend_; }

    // Sends a notice to the notice sink (the connection monitor uses it too).
    void Notify(const MouseNotice& notice) const;

  private:
    // A command report for the wire; false when the feature reports are too
    // short to carry a command.
    bool SendFeature(const Command& command);
    bool FetchReply(Command& command);
    // Keeps the failure unless an earlier one is kept; the reason is the
    // backend's last error when none is given.
    void NoteFailure(TraceOp op, const Command& command, std::size_t chunk = 0, std::size_t chunkCount = 0,
                     std::string reason = {});
    void Record(TraceOp op, std::span<const std::uint8_t> report, std::optional<Command> command);
    bool HandshakeAttempt(bool scrambled);

    HidBackend& backend_;
    Clock& clock_;
    NoticeSink noticeSink_;
    TraceSink* trace_ = nullptr;
    DeviceLinkState state_;
    std::optional<TransferFailure> firstFailure_;
};

}  // namespace kv12
