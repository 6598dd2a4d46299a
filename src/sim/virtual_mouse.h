// VirtualMouse: a HidBackend that behaves like the mouse's firmware, so the
// program, kv12ctl and the tests can run everywhere without the mouse.
//
// It shows two vendor collections (notices on 0xFF01 with input report ID 6;
// commands on 0xFF00 with 9-byte feature and 33-byte data reports) in a
// configurable order, optionally after other devices; answers the handshake
// only when the challenge arrives scrambled with its key and table (or, by
// option, plain, or never); keeps everything the command set writes and
// answers the read commands from it; rejects commands with a wrong checksum;
// records every report it receives and returns and every wait reported to
// it; can be unplugged and plugged in again; and sends injected notices.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/device_command.h"
#include "device/hid_backend.h"
#include "device/scramble_config.h"
#include "device/trace_event.h"
#include "sim/mouse_firmware.h"

namespace kv12 {

enum class InterfaceOrder { NoticeFirst, CommandFirst };

// Which of the mouse's two collections.
enum class MouseInterface { Notice, Command };

inline constexpr std::uint16_t SIM_NOTICE_REPORT_LENGTH = 9;

struct VirtualMouseOptions {
    InterfaceOrder order = InterfaceOrder::NoticeFirst;
    HandshakeMode handshake = HandshakeMode::Scrambled;
    std::uint8_t sensorType = 0;
    ScrambleConfig scramble = DEFAULT_SCRAMBLE_CONFIG;
    // Time each transfer takes (feature set/get, data write/read), slept on
    // latencyClock (the system clock when none is given).
    std::chrono::milliseconds latency{0};
    Clock* latencyClock = nullptr;
    // Listed before the mouse's collections; Open on them succeeds but they take no reports.
    std::vector<HidInterfaceInfo> otherDevices;
    bool pluggedIn = true;
};

class VirtualMouse final : public HidBackend {
  public:
    explicit VirtualMouse(VirtualMouseOptions options = {});

    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidHandle Open(const std::string& path, HidOpenMode mode) override;
    void Close(HidHandle handle) override;
    bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
    bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
    bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;
    std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                           std::chrono::milliseconds timeout) override;
    HidWaitResult WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) override;
    void WakeUp() override;

    // The paths the system would announce for the mouse's collections.
    static std::string InterfacePath(MouseInterface which);
    // A keyboard of another maker, and the mouse's own standard pointer
    // collection: devices the search must pass over.
    static HidInterfaceInfo UnrelatedKeyboard();
    static HidInterfaceInfo MousePointerCollection();

    // Unplugs both collections; returns their paths (the removal notices).
    // Handles opened before stay dead after a later PlugIn.
    std::vector<std::string> Unplug();
    // Removes one collection only; returns its path.
    std::string UnplugInterface(MouseInterface which);
    // Plugs both collections in; returns the paths that arrived.
    std::vector<std::string> PlugIn();
    bool PluggedIn() const;
    // Unplugs the mouse once this many more transfers have been handled.
    void UnplugAfterTransfers(std::size_t transfers);

    // Queues a notice report (ID 6, code, 0, value) on the notice collection;
    // dropped while that collection is unplugged.
    void InjectNotice(std::uint8_t code, std::uint8_t value);
    // Queues any input report on the notice collection.
    void InjectInputReport(std::vector<std::uint8_t> report);

    // Records a wait the program made (see SimClock).
    void RecordWait(std::chrono::milliseconds duration);

    MouseFirmwareState Firmware() const;
    std::vector<TraceEvent> Trace() const;
    void ClearTrace();
    // Commands refused for a wrong checksum, as decoded.
    std::vector<Command> RejectedCommands() const;
    // Handles opened and not yet closed.
    std::size_t OpenHandleCount() const;

  private:
    struct OpenHandle {
        bool mouse = false;
        MouseInterface which = MouseInterface::Command;
        HidOpenMode mode = HidOpenMode::Command;
        unsigned generation = 0;
    };

    HidInterfaceInfo InterfaceInfo(MouseInterface which) const;
    bool Present(MouseInterface which) const;
    // The handle's collection when the handle is open, is the mouse's and its collection still present.
    const OpenHandle* LiveMouseHandle(HidHandle handle, MouseInterface which) const;
    void Latency() const;
    void CountTransfer();
    void UnplugLocked(MouseInterface which);
    void Record(TraceOp op, std::span<const std::uint8_t> report, std::optional<Command> command);

    VirtualMouseOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable inputArrived_;
    std::array<bool, 2> present_{};
    std::array<unsigned, 2> generation_{};
    std::map<std::uint64_t, OpenHandle> handles_;
    std::uint64_t nextHandle_ = 1;
    std::size_t unplugCountdown_ = 0;  // 0: no unplug planned

    MouseFirmware firmware_;
    std::deque<std::vector<std::uint8_t>> noticeReports_;
    bool wakeUp_ = false;

    std::vector<TraceEvent> trace_;
    std::vector<Command> rejected_;
};

// A Clock for the program's waits that tells the virtual mouse about each
// wait (so that its trace holds them) and then sleeps on an inner clock, or
// not at all.
class SimClock final : public Clock {
  public:
    explicit SimClock(VirtualMouse& mouse, Clock* inner = nullptr) : mouse_(mouse), inner_(inner) {}
    void SleepFor(std::chrono::milliseconds duration) override;

  private:
    VirtualMouse& mouse_;
    Clock* inner_;
};

}  // namespace kv12
