#include "linux/hidapi_calls.h"

#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kv12::linux_hid {
namespace {

std::string Utf8FromWide(const wchar_t* text) {
    std::string out;
    if (text == nullptr) return out;
    for (; *text != L'\0'; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

hid_device* Device(HidapiHandle handle) {
    return static_cast<hid_device*>(handle);
}

class RealHidapiCalls final : public HidapiCalls {
  public:
    RealHidapiCalls() : initResult_(hid_init()) {}
    ~RealHidapiCalls() override { hid_exit(); }
    RealHidapiCalls(const RealHidapiCalls&) = delete;
    RealHidapiCalls& operator=(const RealHidapiCalls&) = delete;

    bool Enumerate(std::uint16_t vendorId, std::uint16_t productId,
                   std::vector<HidapiDevice>& devices) override {
        devices.clear();
        if (initResult_ != 0) return false;
        hid_device_info* list = hid_enumerate(vendorId, productId);
        if (list == nullptr) {
            // hidapi answers an empty result and a failure alike with NULL; only
            // its text tells them apart ("No HID devices ... found in the system.").
            return ErrorText(nullptr).rfind("No HID devices", 0) == 0;
        }
        for (const hid_device_info* info = list; info != nullptr; info = info->next) {
            devices.push_back(HidapiDevice{info->path != nullptr ? info->path : "", info->vendor_id,
                                           info->product_id, info->release_number, info->usage_page,
                                           info->usage});
        }
        hid_free_enumeration(list);
        return true;
    }

    std::optional<std::vector<std::uint8_t>> ReportDescriptor(const std::string& path) override {
        // hidapi 0.13 has no call for the descriptor; the kernel shows it under
        // the hidraw node's device in sysfs, readable by everyone.
        const std::filesystem::path file = std::filesystem::path("/sys/class/hidraw") /
                                           std::filesystem::path(path).filename() / "device" /
                                           "report_descriptor";
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    }

    HidapiHandle Open(const std::string& path) override {
        if (initResult_ != 0) return nullptr;
        return hid_open_path(path.c_str());
    }

    bool AccessDenied(const std::string& path) override {
        return ::access(path.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
    }

    void Close(HidapiHandle device) override { hid_close(Device(device)); }

    int SendFeatureReport(HidapiHandle device, std::span<const std::uint8_t> report) override {
        return hid_send_feature_report(Device(device), report.data(), report.size());
    }
    int GetFeatureReport(HidapiHandle device, std::span<std::uint8_t> report) override {
        return hid_get_feature_report(Device(device), report.data(), report.size());
    }
    int Write(HidapiHandle device, std::span<const std::uint8_t> report) override {
        return hid_write(Device(device), report.data(), report.size());
    }
    int ReadTimeout(HidapiHandle device, std::span<std::uint8_t> report, int milliseconds) override {
        return hid_read_timeout(Device(device), report.data(), report.size(), milliseconds);
    }

    std::string ErrorText(HidapiHandle device) override {
        if (device == nullptr && initResult_ != 0) return "hid_init failed";
        return Utf8FromWide(hid_error(Device(device)));
    }

  private:
    int initResult_;
};

}  // namespace

std::unique_ptr<HidapiCalls> MakeHidapiCalls() {
    return std::make_unique<RealHidapiCalls>();
}

}  // namespace kv12::linux_hid
