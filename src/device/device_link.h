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
    // expects a reply, the reply replaces the command. Returns the transport's
    // result (for a reply, of fetching it).
    bool SendCommand(Command& command);

    // The command, then its data phase: a write sends ceil(byte 2 / 32) chunks
    // from data, waiting 3 ms after each; a read fetches the reply (which
    // replaces the command) and reads ceil(reply byte 2 / 32) chunks into data.
    // Never reads or writes outside data: missing data is sent as zeros and a
    // read stops when data is full. Returns the number of data bytes moved.
    std::size_t SendCommandWithData(Command& command, std::span<std::uint8_t> data);

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
    void Record(TraceOp op, std::span<const std::uint8_t> report, std::optional<Command> command);
    bool HandshakeAttempt(bool scrambled);

    HidBackend& backend_;
    Clock& clock_;
    NoticeSink noticeSink_;
    TraceSink* trace_ = nullptr;
    DeviceLinkState state_;
};

}  // namespace kv12
