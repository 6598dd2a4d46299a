// The Linux HidBackend over hidapi's hidraw library: hid_enumerate lists the
// mouse's collections with their usage pages and usages, the kernel's report
// descriptor gives their report lengths, and hidapi carries the feature, output
// and input reports. It keeps no device list: every Enumerate asks hidapi
// again, so a mouse plugged in or out shows in the next search.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "device/hid_backend.h"
#include "linux/hidapi_calls.h"

namespace kv12::linux_hid {

// A notice wait reads in slices of this length and looks for a wake-up between
// them (hidapi has no call that a wake-up could interrupt).
inline constexpr std::chrono::milliseconds NOTICE_READ_SLICE{50};
// After a failed notice read the wait pauses this long (or until a wake-up), so
// that a reader whose mouse vanished does not spin until the link notices it.
inline constexpr std::chrono::milliseconds FAILED_READ_PAUSE{50};

// Where the packages install the udev rule that gives the user at the seat
// access to the mouse's hidraw nodes; named in every permission message.
inline constexpr const char* UDEV_RULE_PATH = "/usr/lib/udev/rules.d/70-korvexkv12.rules";

class LinuxHidBackend final : public HidBackend {
  public:
    explicit LinuxHidBackend(std::unique_ptr<HidapiCalls> calls = MakeHidapiCalls());
    // Closes every device still open.
    ~LinuxHidBackend() override;
    LinuxHidBackend(const LinuxHidBackend&) = delete;
    LinuxHidBackend& operator=(const LinuxHidBackend&) = delete;

    // The collections of vendor 0x04D9, product 0xA09F only: other devices are
    // never looked at. A collection whose descriptor cannot be read or parsed
    // is listed with CapabilitiesFailed and the reason in its error.
    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;

    // hid_open_path, read and write, whatever the use.
    HidHandle Open(const std::string& path, HidOpenMode mode) override;

    // Forgets the handle; a notice wait on it ends with Failed, and the device
    // closes as soon as that wait has let go of it.
    void Close(HidHandle handle) override;

    bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;

    // Fills the span from the reply, zeros after what came.
    bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;

    bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;

    // One input report with its report ID in byte 0: hidapi leaves the ID out
    // for a device that does not number its reports, so it is put back as 0.
    std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                           std::chrono::milliseconds timeout) override;

    HidWaitResult WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) override;
    void WakeUp() override;

    HidError LastError() const override;

  private:
    struct Device;

    std::shared_ptr<Device> Find(HidHandle handle) const;
    void Fail(HidError error);
    // hidapi's read, framed as on the wire; hidapi's result (bytes, 0, -1).
    int FramedRead(Device& device, std::span<std::uint8_t> report, int milliseconds);
    // Takes a pending wake-up; waits up to timeout for one first.
    bool TakeWakeUp(std::chrono::milliseconds timeout);

    std::shared_ptr<HidapiCalls> calls_;
    mutable std::mutex mutex_;  // guards open_, nextId_ and lastError_
    std::map<std::uint64_t, std::shared_ptr<Device>> open_;
    std::uint64_t nextId_ = 1;
    HidError lastError_;

    std::mutex wakeMutex_;
    std::condition_variable wakeSignal_;
    bool wakePending_ = false;
};

}  // namespace kv12::linux_hid
