// The few hidapi calls the Linux backend makes, behind an interface so that the
// backend's own logic (collection matching, report framing, error texts) is
// tested without a mouse against a fake. MakeHidapiCalls gives the real one,
// over Debian's hidapi-hidraw library.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kv12::linux_hid {

// One entry of hid_enumerate: a top-level collection of a hidraw node. Two
// collections of one USB interface share the node, hence the path.
struct HidapiDevice {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t releaseNumber = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

// An open hid_device, opaque to the backend.
using HidapiHandle = void*;

class HidapiCalls {
  public:
    virtual ~HidapiCalls() = default;

    // hid_enumerate for one vendor and product. False when hidapi could not make
    // the list (ErrorText(nullptr) says why); no device present is an empty list.
    virtual bool Enumerate(std::uint16_t vendorId, std::uint16_t productId,
                           std::vector<HidapiDevice>& devices) = 0;

    // The report descriptor of the node at path, as the kernel gives it (the
    // same bytes hidapi reads to name the collections); nothing when unreadable.
    virtual std::optional<std::vector<std::uint8_t>> ReportDescriptor(const std::string& path) = 0;

    // hid_open_path; nullptr on failure (ErrorText(nullptr) says why).
    virtual HidapiHandle Open(const std::string& path) = 0;

    // After a failed Open: whether the system denies this user read and write
    // access to the node (the udev rule is missing), not some other fault.
    virtual bool AccessDenied(const std::string& path) = 0;

    virtual void Close(HidapiHandle device) = 0;

    // hid_send_feature_report, hid_get_feature_report, hid_write,
    // hid_read_timeout: hidapi's results (bytes moved, -1 on failure, 0 from a
    // read that timed out).
    virtual int SendFeatureReport(HidapiHandle device, std::span<const std::uint8_t> report) = 0;
    virtual int GetFeatureReport(HidapiHandle device, std::span<std::uint8_t> report) = 0;
    virtual int Write(HidapiHandle device, std::span<const std::uint8_t> report) = 0;
    virtual int ReadTimeout(HidapiHandle device, std::span<std::uint8_t> report, int milliseconds) = 0;

    // hid_error in UTF-8: of the device's last call, or with nullptr of the last
    // enumeration or open.
    virtual std::string ErrorText(HidapiHandle device) = 0;
};

// The real calls; hid_init runs here (its failure shows in the first call's error).
std::unique_ptr<HidapiCalls> MakeHidapiCalls();

}  // namespace kv12::linux_hid
