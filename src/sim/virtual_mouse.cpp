#include "sim/virtual_mouse.h"

#include <algorithm>

#include "device/device_link.h"
#include "device/mouse_notice.h"

namespace kv12 {
namespace {

constexpr std::size_t Index(MouseInterface which) {
    return which == MouseInterface::Notice ? 0 : 1;
}
constexpr std::array<MouseInterface, 2> BOTH = {MouseInterface::Notice, MouseInterface::Command};

// The system's interface class for HID devices, as it appears in device paths.
constexpr const char* HID_CLASS_SUFFIX = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";

SystemClock& DefaultLatencyClock() {
    static SystemClock clock;
    return clock;
}

}  // namespace

VirtualMouse::VirtualMouse(VirtualMouseOptions options)
    : options_(std::move(options)), firmware_(options_.handshake, options_.scramble, options_.sensorType) {
    present_.fill(options_.pluggedIn);
}

std::string VirtualMouse::InterfacePath(MouseInterface which) {
    return std::string("\\\\?\\HID#VID_04D9&PID_A09F&MI_01&Col0") +
           (which == MouseInterface::Notice ? "1" : "2") + "#8&1a2b3c4d&0&000" +
           (which == MouseInterface::Notice ? "0" : "1") + HID_CLASS_SUFFIX;
}

HidInterfaceInfo VirtualMouse::UnrelatedKeyboard() {
    HidInterfaceInfo info;
    info.path = std::string("\\\\?\\HID#VID_046D&PID_C31C&MI_00#7&2b9e5c1&0&0000") + HID_CLASS_SUFFIX;
    info.vendorId = 0x046D;
    info.productId = 0xC31C;
    info.usagePage = 0x0001;
    info.usage = 0x0006;
    info.inputReportLength = 9;
    info.outputReportLength = 2;
    return info;
}

HidInterfaceInfo VirtualMouse::MousePointerCollection() {
    HidInterfaceInfo info;
    info.path = std::string("\\\\?\\HID#VID_04D9&PID_A09F&MI_00#8&5e6f7a8b&0&0000") + HID_CLASS_SUFFIX;
    info.vendorId = MOUSE_VENDOR_ID;
    info.productId = MOUSE_PRODUCT_ID;
    info.usagePage = 0x0001;
    info.usage = 0x0002;
    info.inputReportLength = 8;
    return info;
}

HidInterfaceInfo VirtualMouse::InterfaceInfo(MouseInterface which) const {
    HidInterfaceInfo info;
    info.path = InterfacePath(which);
    info.vendorId = MOUSE_VENDOR_ID;
    info.productId = MOUSE_PRODUCT_ID;
    info.versionNumber = 0x0100;
    if (which == MouseInterface::Notice) {
        info.usagePage = NOTICE_USAGE_PAGE;
        info.usage = NOTICE_USAGE;
        info.inputReportLength = SIM_NOTICE_REPORT_LENGTH;
    } else {
        info.usagePage = COMMAND_USAGE_PAGE;
        info.usage = COMMAND_USAGE;
        info.featureReportLength = FEATURE_REPORT_LENGTH;
        info.inputReportLength = DATA_REPORT_LENGTH;
        info.outputReportLength = DATA_REPORT_LENGTH;
    }
    return info;
}

bool VirtualMouse::Present(MouseInterface which) const {
    return present_[Index(which)];
}

bool VirtualMouse::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    std::lock_guard lock(mutex_);
    interfaces = options_.otherDevices;
    const auto first =
        options_.order == InterfaceOrder::NoticeFirst ? MouseInterface::Notice : MouseInterface::Command;
    const auto second = first == MouseInterface::Notice ? MouseInterface::Command : MouseInterface::Notice;
    for (MouseInterface which : {first, second}) {
        if (Present(which)) interfaces.push_back(InterfaceInfo(which));
    }
    return true;
}

HidHandle VirtualMouse::Open(const std::string& path, HidOpenMode mode) {
    std::lock_guard lock(mutex_);
    OpenHandle entry;
    bool known = false;
    for (MouseInterface which : BOTH) {
        if (Present(which) && path == InterfacePath(which)) {
            entry = OpenHandle{true, which, mode, generation_[Index(which)]};
            known = true;
        }
    }
    for (const HidInterfaceInfo& other : options_.otherDevices) {
        if (other.path == path) known = true;
    }
    if (!known) return HidHandle{};
    const std::uint64_t value = nextHandle_++;
    handles_[value] = entry;
    return HidHandle{value};
}

void VirtualMouse::Close(HidHandle handle) {
    {
        std::lock_guard lock(mutex_);
        handles_.erase(handle.value);
    }
    inputArrived_.notify_all();
}

const VirtualMouse::OpenHandle* VirtualMouse::LiveMouseHandle(HidHandle handle, MouseInterface which) const {
    const auto found = handles_.find(handle.value);
    if (found == handles_.end()) return nullptr;
    const OpenHandle& entry = found->second;
    if (!entry.mouse || entry.which != which || !Present(which) ||
        entry.generation != generation_[Index(which)]) {
        return nullptr;
    }
    return &entry;
}

void VirtualMouse::Latency() const {
    if (options_.latency.count() <= 0) return;
    Clock& clock = options_.latencyClock ? *options_.latencyClock : DefaultLatencyClock();
    clock.SleepFor(options_.latency);
}

void VirtualMouse::CountTransfer() {
    if (unplugCountdown_ == 0) return;
    if (--unplugCountdown_ == 0) {
        for (MouseInterface which : BOTH) UnplugLocked(which);
        inputArrived_.notify_all();
    }
}

void VirtualMouse::Record(TraceOp op, std::span<const std::uint8_t> report, std::optional<Command> command) {
    trace_.push_back(TraceEvent{op, std::vector<std::uint8_t>(report.begin(), report.end()), command, 0});
}

bool VirtualMouse::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
    Latency();
    std::lock_guard lock(mutex_);
    if (!LiveMouseHandle(handle, MouseInterface::Command)) return false;
    // Like the system: a report shorter than the feature length is refused,
    // a longer one is cut.
    if (report.size() < FEATURE_REPORT_LENGTH || report[0] != COMMAND_REPORT_ID) return false;
    Command wire{};
    std::copy_n(report.begin() + 1, COMMAND_SIZE, wire.begin());
    const MouseFirmware::Received received = firmware_.ReceiveCommand(wire);
    Record(TraceOp::SetFeature, report.first(FEATURE_REPORT_LENGTH), received.command);
    if (!received.accepted) rejected_.push_back(received.command);
    CountTransfer();
    return true;
}

bool VirtualMouse::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
    Latency();
    std::lock_guard lock(mutex_);
    if (!LiveMouseHandle(handle, MouseInterface::Command)) return false;
    if (report.size() < FEATURE_REPORT_LENGTH || report[0] != COMMAND_REPORT_ID) return false;
    std::fill(report.begin(), report.end(), 0);
    const auto& reply = firmware_.ReplyReport();
    std::copy(reply.begin(), reply.end(), report.begin());
    Record(TraceOp::GetFeature, report, firmware_.DecodedReply());
    CountTransfer();
    return true;
}

bool VirtualMouse::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
    Latency();
    std::lock_guard lock(mutex_);
    if (!LiveMouseHandle(handle, MouseInterface::Command)) return false;
    if (report.size() < DATA_REPORT_LENGTH || report[0] != COMMAND_REPORT_ID) return false;
    Record(TraceOp::Write, report, std::nullopt);
    firmware_.ReceiveData(report);
    CountTransfer();
    return true;
}

std::size_t VirtualMouse::ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                                     std::chrono::milliseconds) {
    Latency();
    std::lock_guard lock(mutex_);
    // Nothing else can queue data while the caller waits, so an empty queue is
    // the timeout at once.
    if (!LiveMouseHandle(handle, MouseInterface::Command)) return 0;
    const std::optional<std::vector<std::uint8_t>> taken = firmware_.TakeDataReport();
    if (!taken) return 0;
    const std::vector<std::uint8_t>& next = *taken;
    const std::size_t length = std::min(report.size(), next.size());
    std::copy_n(next.begin(), length, report.begin());
    Record(TraceOp::Read, std::span<const std::uint8_t>(next).first(length), std::nullopt);
    CountTransfer();
    return length;
}

HidWaitResult VirtualMouse::WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (wakeUp_) {
            wakeUp_ = false;
            return HidWaitResult{HidWaitStatus::WokenUp, 0};
        }
        if (handle.IsValid()) {
            if (!LiveMouseHandle(handle, MouseInterface::Notice))
                return HidWaitResult{HidWaitStatus::Failed, 0};
            if (!noticeReports_.empty()) {
                const std::vector<std::uint8_t> next = std::move(noticeReports_.front());
                noticeReports_.pop_front();
                const std::size_t length = std::min(report.size(), next.size());
                std::copy_n(next.begin(), length, report.begin());
                return HidWaitResult{HidWaitStatus::Report, length};
            }
        }
        inputArrived_.wait(lock);
    }
}

void VirtualMouse::WakeUp() {
    {
        std::lock_guard lock(mutex_);
        wakeUp_ = true;
    }
    inputArrived_.notify_all();
}

void VirtualMouse::UnplugLocked(MouseInterface which) {
    if (!present_[Index(which)]) return;
    present_[Index(which)] = false;
    ++generation_[Index(which)];
    if (which == MouseInterface::Notice) noticeReports_.clear();
    if (which == MouseInterface::Command) {
        firmware_.ForgetExchange();
    }
}

std::vector<std::string> VirtualMouse::Unplug() {
    std::vector<std::string> removed;
    {
        std::lock_guard lock(mutex_);
        for (MouseInterface which : BOTH) {
            if (Present(which)) removed.push_back(InterfacePath(which));
            UnplugLocked(which);
        }
    }
    inputArrived_.notify_all();
    return removed;
}

std::string VirtualMouse::UnplugInterface(MouseInterface which) {
    {
        std::lock_guard lock(mutex_);
        UnplugLocked(which);
    }
    inputArrived_.notify_all();
    return InterfacePath(which);
}

std::vector<std::string> VirtualMouse::PlugIn() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> arrived;
    for (MouseInterface which : BOTH) {
        if (!Present(which)) arrived.push_back(InterfacePath(which));
        present_[Index(which)] = true;
    }
    return arrived;
}

bool VirtualMouse::PluggedIn() const {
    std::lock_guard lock(mutex_);
    return present_[0] && present_[1];
}

void VirtualMouse::UnplugAfterTransfers(std::size_t transfers) {
    std::lock_guard lock(mutex_);
    unplugCountdown_ = transfers;
    if (transfers == 0) {
        for (MouseInterface which : BOTH) UnplugLocked(which);
    }
}

void VirtualMouse::InjectNotice(std::uint8_t code, std::uint8_t value) {
    std::vector<std::uint8_t> report(SIM_NOTICE_REPORT_LENGTH, 0);
    report[0] = NOTICE_REPORT_ID;
    report[1] = code;
    report[3] = value;
    InjectInputReport(std::move(report));
}

void VirtualMouse::InjectInputReport(std::vector<std::uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        if (!Present(MouseInterface::Notice)) return;
        noticeReports_.push_back(std::move(report));
    }
    inputArrived_.notify_all();
}

void VirtualMouse::RecordWait(std::chrono::milliseconds duration) {
    std::lock_guard lock(mutex_);
    trace_.push_back(TraceEvent{TraceOp::Wait, {}, std::nullopt, static_cast<int>(duration.count())});
}

MouseFirmwareState VirtualMouse::Firmware() const {
    std::lock_guard lock(mutex_);
    return firmware_.State();
}

std::vector<TraceEvent> VirtualMouse::Trace() const {
    std::lock_guard lock(mutex_);
    return trace_;
}

void VirtualMouse::ClearTrace() {
    std::lock_guard lock(mutex_);
    trace_.clear();
    rejected_.clear();
}

std::vector<Command> VirtualMouse::RejectedCommands() const {
    std::lock_guard lock(mutex_);
    return rejected_;
}

std::size_t VirtualMouse::OpenHandleCount() const {
    std::lock_guard lock(mutex_);
    return handles_.size();
}

void SimClock::SleepFor(std::chrono::milliseconds duration) {
    mouse_.RecordWait(duration);
    if (inner_) inner_->SleepFor(duration);
}

}  // namespace kv12
