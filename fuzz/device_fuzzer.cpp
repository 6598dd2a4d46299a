// The device layer against a mouse that answers with arbitrary bytes: a fake
// HidBackend lists interfaces, takes or refuses reports and answers feature,
// data and notice reads from the fuzz input. The arrival (search, handshake,
// sensor initialisation), an apply of a block and a few turns of the notice
// reader run on it. Besides what the sanitizers see, the fake checks that
// every report the link hands over has its interface's length and goes to an
// open handle of the right kind, the apply reports every transfer that did
// not get through, only notices reach the sink, and every handle opened is
// closed in the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "device/apply_settings.h"
#include "device/clock.h"
#include "device/connection_monitor.h"
#include "device/device_link.h"
#include "device/mouse_notice.h"
#include "device/notice_reader.h"
#include "device/scramble_config.h"
#include "fuzz_check.h"

namespace {

using kv12::fuzz::Check;

// A byte of this value makes a transfer fail. Running out of input reads as
// zeros: a mouse that takes everything and echoes each command.
constexpr std::uint8_t REFUSE = 0xFF;

class FuzzedBackend final : public kv12::HidBackend {
  public:
    explicit FuzzedBackend(FuzzedDataProvider& input) : in_(input) {}

    std::size_t refused = 0;  // transfers that did not get through, since the caller last cleared it
    std::vector<std::uint8_t> lastNotice;

    bool Enumerate(std::vector<kv12::HidInterfaceInfo>& interfaces) override {
        interfaces.clear();
        listed_.clear();
        if (in_.ConsumeIntegral<std::uint8_t>() == REFUSE) return false;
        const int count = in_.ConsumeIntegralInRange(0, 5);
        for (int i = 0; i < count; ++i) {
            kv12::HidInterfaceInfo info;
            const auto status = in_.ConsumeIntegralInRange(0, 7);
            info.status =
                status <= 5 ? static_cast<kv12::HidInterfaceStatus>(status) : kv12::HidInterfaceStatus::Ok;
            info.path = "hid#" + std::to_string(i);
            const bool mouse = in_.ConsumeIntegralInRange(0, 3) != 3;
            info.vendorId = mouse ? kv12::MOUSE_VENDOR_ID : 0x046D;
            info.productId = mouse ? kv12::MOUSE_PRODUCT_ID : 0xC077;
            switch (in_.ConsumeIntegralInRange(0, 2)) {
                case 0:
                    info.usagePage = kv12::COMMAND_USAGE_PAGE;
                    info.usage = kv12::COMMAND_USAGE;
                    break;
                case 1:
                    info.usagePage = kv12::NOTICE_USAGE_PAGE;
                    info.usage = kv12::NOTICE_USAGE;
                    break;
                default:
                    info.usagePage = 0x0001;
                    info.usage = 0x0002;
                    break;
            }
            info.featureReportLength = Length(kv12::FEATURE_REPORT_LENGTH);
            info.inputReportLength = Length(kv12::DATA_REPORT_LENGTH);
            info.outputReportLength = Length(kv12::DATA_REPORT_LENGTH);
            if (info.status == kv12::HidInterfaceStatus::CapabilitiesFailed)
                info.error = in_.ConsumeRandomLengthString(16);
            listed_[info.path] = info;
            interfaces.push_back(info);
        }
        return true;
    }

    kv12::HidHandle Open(const std::string& path, kv12::HidOpenMode mode) override {
        const auto found = listed_.find(path);
        Check(found != listed_.end(), "only a listed interface is opened");
        if (in_.ConsumeIntegral<std::uint8_t>() == REFUSE) return {};
        const kv12::HidHandle handle{++lastHandle_};
        open_[handle.value] = Opened{found->second, mode};
        return handle;
    }

    void Close(kv12::HidHandle handle) override {
        if (!handle.IsValid()) return;
        Check(open_.erase(handle.value) == 1, "only an open handle is closed, and once");
    }

    bool SetFeature(kv12::HidHandle handle, std::span<const std::uint8_t> report) override {
        const Opened* opened = Command(handle);
        if (opened == nullptr) return Refused();
        Check(report.size() == opened->info.featureReportLength,
              "a feature report has the interface's length");
        lastFeature_.assign(report.begin(), report.end());
        if (in_.ConsumeIntegral<std::uint8_t>() == REFUSE) return Refused();
        return true;
    }

    bool GetFeature(kv12::HidHandle handle, std::span<std::uint8_t> report) override {
        const Opened* opened = Command(handle);
        if (opened == nullptr) return Refused();
        Check(report.size() == opened->info.featureReportLength,
              "a feature report has the interface's length");
        switch (in_.ConsumeIntegralInRange(0, 3)) {
            case 0: {  // the command echoed, as the mouse does for the handshake
                std::fill(report.begin(), report.end(), 0);
                std::copy_n(lastFeature_.begin(), std::min(lastFeature_.size(), report.size()),
                            report.begin());
                return true;
            }
            case 1:
                Fill(report);
                return true;
            case 2:  // an all-zero report: the mouse did not take the command
                std::fill(report.begin(), report.end(), 0);
                return true;
            default:
                return Refused();
        }
    }

    bool WriteReport(kv12::HidHandle handle, std::span<const std::uint8_t> report) override {
        const Opened* opened = Command(handle);
        if (opened == nullptr) return Refused();
        Check(report.size() == opened->info.outputReportLength,
              "an output report has the interface's length");
        if (in_.ConsumeIntegral<std::uint8_t>() == REFUSE) return Refused();
        return true;
    }

    std::size_t ReadReport(kv12::HidHandle handle, std::span<std::uint8_t> report,
                           std::chrono::milliseconds) override {
        const Opened* opened = Command(handle);
        if (opened == nullptr) return Refused();
        Check(report.size() == std::max<std::size_t>(opened->info.inputReportLength, 1),
              "an input report has the interface's length");
        const std::uint8_t how = in_.ConsumeIntegral<std::uint8_t>();
        if (how == REFUSE) return Refused();
        // Mostly whole reports; sometimes a short one.
        const std::size_t length =
            how == REFUSE - 1 ? in_.ConsumeIntegralInRange<std::size_t>(1, report.size()) : report.size();
        Fill(report.first(length));
        return length;
    }

    kv12::HidWaitResult WaitForInputReport(kv12::HidHandle handle, std::span<std::uint8_t> report) override {
        // Without a handle the reader waits for a wake-up; here it comes at once.
        if (!handle.IsValid()) return {kv12::HidWaitStatus::WokenUp, 0};
        const auto found = open_.find(handle.value);
        Check(found != open_.end() && found->second.mode == kv12::HidOpenMode::NoticeRead,
              "notices are read on an open notice handle");
        Check(report.size() == std::max<std::size_t>(found->second.info.inputReportLength, 4),
              "a notice report has the interface's length, at least four bytes");
        switch (in_.ConsumeIntegralInRange(0, 7)) {
            case 0:
                return {kv12::HidWaitStatus::Failed, 0};
            case 1:
                return {kv12::HidWaitStatus::WokenUp, 0};
            default: {
                const std::size_t length = in_.ConsumeIntegralInRange<std::size_t>(0, report.size());
                std::fill(report.begin(), report.end(), 0);
                Fill(report.first(length));
                lastNotice.assign(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(length));
                return {kv12::HidWaitStatus::Report, length};
            }
        }
    }

    void WakeUp() override {}

    kv12::HidError LastError() const override { return {"refused by the fuzzed mouse", false}; }

    bool AllClosed() const { return open_.empty(); }

  private:
    struct Opened {
        kv12::HidInterfaceInfo info;
        kv12::HidOpenMode mode;
    };

    // Report lengths: mostly the mouse's own, sometimes anything up to 80.
    std::uint16_t Length(std::size_t usual) {
        const auto pick = in_.ConsumeIntegralInRange(0, 3);
        if (pick == 0) return static_cast<std::uint16_t>(usual);
        if (pick == 1) return 0;
        return in_.ConsumeIntegralInRange<std::uint16_t>(0, 80);
    }

    // The open command handle, or nullptr for anything else (a failed search
    // can leave the link without one; the real backends refuse such a call).
    const Opened* Command(kv12::HidHandle handle) const {
        const auto found = open_.find(handle.value);
        if (found == open_.end()) return nullptr;
        Check(found->second.mode == kv12::HidOpenMode::Command, "commands go to the command handle");
        return &found->second;
    }

    bool Refused() {
        ++refused;
        return false;
    }

    void Fill(std::span<std::uint8_t> report) {
        const auto bytes = in_.ConsumeBytes<std::uint8_t>(report.size());
        std::fill(report.begin(), report.end(), 0);
        std::copy(bytes.begin(), bytes.end(), report.begin());
    }

    FuzzedDataProvider& in_;
    std::map<std::string, kv12::HidInterfaceInfo> listed_;
    std::map<std::uint64_t, Opened> open_;
    std::uint64_t lastHandle_ = 0;
    std::vector<std::uint8_t> lastFeature_;
};

class NoClock final : public kv12::Clock {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

class Host final : public kv12::ConnectionHost {
  public:
    void ShowMessage(const kv12::UserMessage& message) override {
        Check(!message.text.empty(), "a message for the user says something");
    }
    void HideMainWindow() override {}
    bool BasicPageBuilt() const override { return false; }
    void ResumeReader() override {}
};

// A block whose fields that steer the apply (button kinds and parameters,
// report rate, DPI stages, lighting) come from the input.
kv12::SettingsBlock BlockFrom(FuzzedDataProvider& in) {
    kv12::SettingsBlock block;
    for (const auto mode : {kv12::KeyMode::A, kv12::KeyMode::B}) {
        for (int button = 0; button < kv12::BUTTON_COUNT; ++button) {
            block.buttonType(mode, button) = in.ConsumeIntegral<std::uint8_t>();
            block.dpiSwitchParam(mode, button) = in.ConsumeIntegral<std::uint8_t>();
            const int row = in.ConsumeIntegralInRange(kv12::PARAM_ROW_FIRST, kv12::PARAM_ROW_LAST);
            block.buttonParam(mode, row, button) = in.ConsumeIntegral<std::uint8_t>();
        }
    }
    block.reportRate() = in.ConsumeIntegral<std::uint8_t>();
    for (int stage = 0; stage < kv12::STAGE_COUNT; ++stage) {
        block.dpiStage(stage) = in.ConsumeIntegral<std::uint8_t>();
        block.dpiStageEnabled(stage) = in.ConsumeIntegral<std::uint8_t>();
    }
    block.ledMode() = in.ConsumeIntegral<std::uint8_t>();
    for (int i = 0; i < 3; ++i) block.ledParam(i) = in.ConsumeIntegral<std::uint8_t>();
    block.ledEffect3() = in.ConsumeIntegral<std::uint8_t>();
    return block;
}

bool MouseCanTakeAnApply(const kv12::DeviceLinkState& state) {
    return state.featureReportLength >= kv12::FEATURE_REPORT_LENGTH &&
           state.dataOutputLength >= kv12::DATA_REPORT_LENGTH && state.dataInputLength > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const kv12::SettingsBlock block = BlockFrom(in);
    FuzzedBackend backend(in);
    {
        NoClock clock;
        kv12::DeviceLink link(backend, clock, kv12::DEFAULT_SCRAMBLE_CONFIG);
        kv12::TraceRecorder trace;
        link.SetTraceSink(&trace);
        std::vector<kv12::MouseNotice> notices;
        link.SetNoticeSink([&](const kv12::MouseNotice& notice) { notices.push_back(notice); });
        Host host;

        kv12::OnMouseArrival(link, host);
        // KV12_FUZZ_TRACE=1: a line per stage, to see how far an input gets.
        const bool tell = std::getenv("KV12_FUZZ_TRACE") != nullptr;
        if (tell)
            std::fprintf(stderr, "arrival: ready %d, scrambled %d\n", link.DeviceReady(),
                         link.state().scrambleOn);
        if (link.DeviceReady()) {
            backend.refused = 0;
            const auto failure = kv12::SendSettings(link, block);
            if (tell)
                std::fprintf(stderr, "apply: %s\n",
                             failure ? kv12::DescribeSendFailure(*failure).c_str() : "taken");
            Check(backend.refused == 0 || failure.has_value(),
                  "a transfer that did not get through is reported");
            Check(!failure || backend.refused > 0 || !MouseCanTakeAnApply(link.state()),
                  "an apply fails only for a transfer that did not get through");
            if (failure) Check(!kv12::DescribeSendFailure(*failure).empty(), "a failure is described");
        }

        const int turns = in.ConsumeIntegralInRange(0, 8);
        for (int turn = 0; turn < turns; ++turn) {
            notices.clear();
            backend.lastNotice.clear();
            const auto outcome =
                kv12::ReaderStep(link, [&](const kv12::MouseNotice& n) { notices.push_back(n); });
            if (tell)
                std::fprintf(stderr, "reader: outcome %d, notices %zu\n", static_cast<int>(outcome),
                             notices.size());
            if (outcome == kv12::ReaderStepOutcome::Delivered) {
                Check(notices.size() == 1, "one report gives one notice");
                Check(kv12::ParseNoticeReport(backend.lastNotice) == notices.front(),
                      "the notice is the one the report carries");
                const auto code = notices.front().code;
                Check(code == kv12::NOTICE_RATE || code == kv12::NOTICE_DPI || code == kv12::NOTICE_KEYMODE ||
                          code == kv12::NOTICE_MACRO,
                      "only the mouse's notices reach the sink");
            } else {
                Check(notices.empty(), "no notice without a report that carries one");
            }
        }
        if (in.ConsumeBool()) kv12::OnMouseRemoval(link, host);
    }
    Check(backend.AllClosed(), "every handle opened is closed");
    return 0;
}
