#include "linux/linux_hid_backend.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "device/device_link.h"
#include "linux/report_descriptor.h"

namespace kv12::linux_hid {

// One open hidraw device. Shared with a notice wait in progress, so that Close
// never pulls the device from under hid_read_timeout on the reader thread.
struct LinuxHidBackend::Device {
    Device(std::shared_ptr<HidapiCalls> calls, HidapiHandle handle, bool numbered)
        : calls(std::move(calls)), handle(handle), numberedReports(numbered) {}
    ~Device() { calls->Close(handle); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Shared, so that a wait still holding the device after the backend is gone
    // can close it.
    std::shared_ptr<HidapiCalls> calls;
    HidapiHandle handle;
    bool numberedReports;
    std::atomic<bool> closed{false};
};

namespace {

int Milliseconds(std::chrono::milliseconds duration) {
    return static_cast<int>(
        std::clamp<std::chrono::milliseconds::rep>(duration.count(), 0, 24 * 3600 * 1000));
}

}  // namespace

LinuxHidBackend::LinuxHidBackend(std::unique_ptr<HidapiCalls> calls) : calls_(std::move(calls)) {}

LinuxHidBackend::~LinuxHidBackend() {
    std::map<std::uint64_t, std::shared_ptr<Device>> open;
    {
        std::lock_guard lock(mutex_);
        open.swap(open_);
    }
    for (auto& [id, device] : open) device->closed.store(true);
}

void LinuxHidBackend::Fail(HidError error) {
    std::lock_guard lock(mutex_);
    lastError_ = std::move(error);
}

HidError LinuxHidBackend::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

bool LinuxHidBackend::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    interfaces.clear();
    Fail({});
    std::vector<HidapiDevice> devices;
    if (!calls_->Enumerate(MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, devices)) {
        Fail({"hid_enumerate: " + calls_->ErrorText(nullptr), false});
        return false;
    }
    for (const HidapiDevice& device : devices) {
        HidInterfaceInfo info;
        info.path = device.path;
        info.vendorId = device.vendorId;
        info.productId = device.productId;
        info.versionNumber = device.releaseNumber;
        info.usagePage = device.usagePage;
        info.usage = device.usage;
        const auto descriptor = calls_->ReportDescriptor(device.path);
        const auto summary = descriptor ? ParseReportDescriptor(*descriptor) : std::nullopt;
        const DescribedCollection* collection =
            summary ? summary->Find(device.usagePage, device.usage) : nullptr;
        if (!descriptor) {
            info.status = HidInterfaceStatus::CapabilitiesFailed;
            info.error = device.path + ": the report descriptor cannot be read";
        } else if (!summary) {
            info.status = HidInterfaceStatus::CapabilitiesFailed;
            info.error = device.path + ": the report descriptor is malformed";
        } else if (collection != nullptr) {
            info.featureReportLength = collection->lengths.feature;
            info.inputReportLength = collection->lengths.input;
            info.outputReportLength = collection->lengths.output;
        }
        // A collection hidapi names but the descriptor does not (hidapi also
        // lists a device without any usage) has no reports: all lengths stay 0.
        interfaces.push_back(std::move(info));
    }
    return true;
}

HidHandle LinuxHidBackend::Open(const std::string& path, HidOpenMode) {
    const HidapiHandle handle = calls_->Open(path);
    if (handle == nullptr) {
        Fail({calls_->ErrorText(nullptr), calls_->AccessDenied(path)});
        return HidHandle{};
    }
    const auto descriptor = calls_->ReportDescriptor(path);
    const auto summary = descriptor ? ParseReportDescriptor(*descriptor) : std::nullopt;
    auto device = std::make_shared<Device>(calls_, handle, summary && summary->numberedReports);
    std::lock_guard lock(mutex_);
    const std::uint64_t id = nextId_++;
    open_.emplace(id, std::move(device));
    return HidHandle{id};
}

void LinuxHidBackend::Close(HidHandle handle) {
    if (!handle.IsValid()) return;
    std::shared_ptr<Device> closing;
    {
        std::lock_guard lock(mutex_);
        const auto it = open_.find(handle.value);
        if (it == open_.end()) return;
        closing = std::move(it->second);
        open_.erase(it);
    }
    closing->closed.store(true);
}

std::shared_ptr<LinuxHidBackend::Device> LinuxHidBackend::Find(HidHandle handle) const {
    std::lock_guard lock(mutex_);
    const auto it = open_.find(handle.value);
    return it == open_.end() ? nullptr : it->second;
}

bool LinuxHidBackend::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
    const auto device = Find(handle);
    if (!device || report.empty()) return false;
    if (calls_->SendFeatureReport(device->handle, report) < 0) {
        Fail({"hid_send_feature_report: " + calls_->ErrorText(device->handle), false});
        return false;
    }
    return true;
}

bool LinuxHidBackend::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
    const auto device = Find(handle);
    if (!device || report.empty()) return false;
    std::fill(report.begin() + 1, report.end(), 0);
    const int received = calls_->GetFeatureReport(device->handle, report);
    if (received < 0) {
        Fail({"hid_get_feature_report: " + calls_->ErrorText(device->handle), false});
        std::fill(report.begin() + 1, report.end(), 0);
        return false;
    }
    std::fill(report.begin() + std::min<std::size_t>(static_cast<std::size_t>(received), report.size()),
              report.end(), 0);
    return true;
}

bool LinuxHidBackend::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
    const auto device = Find(handle);
    if (!device || report.empty()) return false;
    if (calls_->Write(device->handle, report) < 0) {
        Fail({"hid_write: " + calls_->ErrorText(device->handle), false});
        return false;
    }
    return true;
}

int LinuxHidBackend::FramedRead(Device& device, std::span<std::uint8_t> report, int milliseconds) {
    std::fill(report.begin(), report.end(), 0);
    if (device.numberedReports) return calls_->ReadTimeout(device.handle, report, milliseconds);
    // Report ID 0 is not on the wire; the report starts after it.
    const int received = calls_->ReadTimeout(device.handle, report.subspan(1), milliseconds);
    return received > 0 ? received + 1 : received;
}

std::size_t LinuxHidBackend::ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                                        std::chrono::milliseconds timeout) {
    const auto device = Find(handle);
    if (!device || report.size() < 2) return 0;
    const int received = FramedRead(*device, report, Milliseconds(timeout));
    if (received < 0) {
        Fail({"hid_read_timeout: " + calls_->ErrorText(device->handle), false});
        std::fill(report.begin(), report.end(), 0);
        return 0;
    }
    return std::min<std::size_t>(static_cast<std::size_t>(received), report.size());
}

bool LinuxHidBackend::TakeWakeUp(std::chrono::milliseconds timeout) {
    std::unique_lock lock(wakeMutex_);
    if (timeout.count() > 0) wakeSignal_.wait_for(lock, timeout, [this] { return wakePending_; });
    return std::exchange(wakePending_, false);
}

HidWaitResult LinuxHidBackend::WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) {
    if (!handle.IsValid()) {
        std::unique_lock lock(wakeMutex_);
        wakeSignal_.wait(lock, [this] { return wakePending_; });
        wakePending_ = false;
        return {HidWaitStatus::WokenUp, 0};
    }
    const auto device = Find(handle);
    HidWaitResult result{HidWaitStatus::Failed, 0};
    while (device && !device->closed.load() && report.size() >= 2) {
        // A report that comes after the wake-up waits in the kernel's queue for
        // the next wait: nothing is lost.
        if (TakeWakeUp(std::chrono::milliseconds{0})) return {HidWaitStatus::WokenUp, 0};
        const int received = FramedRead(*device, report, Milliseconds(NOTICE_READ_SLICE));
        if (received > 0) return {HidWaitStatus::Report, std::min<std::size_t>(received, report.size())};
        if (received < 0) break;
    }
    if (TakeWakeUp(FAILED_READ_PAUSE)) return {HidWaitStatus::WokenUp, 0};
    return result;
}

void LinuxHidBackend::WakeUp() {
    {
        std::lock_guard lock(wakeMutex_);
        wakePending_ = true;
    }
    wakeSignal_.notify_all();
}

}  // namespace kv12::linux_hid
