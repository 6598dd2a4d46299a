// The Windows backend against the HID devices the system really has. Under
// Wine these are Wine's own virtual keyboard and mouse; the mouse this program
// configures is never among them, and where it is plugged in the tests leave it
// out of the listing, so they run the same either way.
#include "win32/win_hid_backend.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "device/clock.h"
#include "device/connection_monitor.h"
#include "device/device_link.h"
#include "device/notice_reader.h"
#include "device/scramble_config.h"
#include "tests/win32/system_hid.h"

namespace kv12::win32 {
namespace {

// The system's backend with the mouse's interfaces left out of the listing.
class WithoutTheMouse final : public HidBackend {
  public:
    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override {
        if (!system_.Enumerate(interfaces)) return false;
        std::erase_if(interfaces, IsTheMouse);
        return true;
    }
    HidHandle Open(const std::string& path, HidOpenMode mode) override { return system_.Open(path, mode); }
    void Close(HidHandle handle) override { system_.Close(handle); }
    bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
        return system_.SetFeature(handle, report);
    }
    bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override {
        return system_.GetFeature(handle, report);
    }
    bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
        return system_.WriteReport(handle, report);
    }
    std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report,
                           std::chrono::milliseconds timeout) override {
        return system_.ReadReport(handle, report, timeout);
    }
    HidWaitResult WaitForInputReport(HidHandle handle, std::span<std::uint8_t> report) override {
        return system_.WaitForInputReport(handle, report);
    }
    void WakeUp() override { system_.WakeUp(); }

  private:
    WinHidBackend system_;
};

class WinHidBackendTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(backend.Enumerate(interfaces)); }

    WithoutTheMouse backend;
    std::vector<HidInterfaceInfo> interfaces;
};

// The tests that need an interface of another device with input reports.
class WinHidBackendInputTest : public WinHidBackendTest {
  protected:
    void SetUp() override {
        WinHidBackendTest::SetUp();
        if (HasFatalFailure()) return;
        foreign = ForeignInputInterface(interfaces);
        KV12_NEED_FOREIGN_INPUT_INTERFACE(foreign);
    }

    const HidInterfaceInfo* foreign = nullptr;
};

TEST_F(WinHidBackendTest, EnumerationListsEachInterfaceWithItsPathAndCapabilities) {
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.status != HidInterfaceStatus::Ok) continue;
        EXPECT_EQ(info.path.rfind("\\\\?\\", 0), 0u) << info.path;
        EXPECT_NE(info.usagePage, 0) << info.path;
    }
    if (!RunningUnderWine()) return;
    const bool wineDeviceListed =
        std::any_of(interfaces.begin(), interfaces.end(), [](const HidInterfaceInfo& info) {
            return info.status == HidInterfaceStatus::Ok && info.vendorId == WINE_VENDOR_ID &&
                   info.inputReportLength > 0;
        });
    EXPECT_TRUE(wineDeviceListed)
        << "Wine's virtual keyboard and mouse should be listed with their capabilities";
}

class RecordingHost final : public ConnectionHost {
  public:
    void ShowMessage(const UserMessage& message) override { messages.push_back(message.text); }
    void HideMainWindow() override { ++hides; }
    bool BasicPageBuilt() const override { return false; }
    void ResumeReader() override { ++resumes; }

    std::vector<std::string> messages;
    int hides = 0;
    int resumes = 0;
};

class NoWaitClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

TEST_F(WinHidBackendTest, TheSearchPassesOverForeignDevicesAndReportsNotFound) {
    NoWaitClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    std::vector<MouseNotice> notices;
    link.SetNoticeSink([&](const MouseNotice& notice) { notices.push_back(notice); });
    RecordingHost host;

    OnMouseArrival(link, host);

    EXPECT_EQ(notices, (std::vector<MouseNotice>{{NOTICE_NOT_FOUND, 0}}));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_EQ(host.hides, 1);
    EXPECT_EQ(host.resumes, 0);
    EXPECT_FALSE(link.DeviceReady());
    EXPECT_FALSE(link.state().commandHandle.IsValid());
    EXPECT_FALSE(link.state().noticeReadHandle.load().IsValid());
    // Every interface was examined: the last one listed is the last one looked at.
    if (!interfaces.empty() && interfaces.back().status == HidInterfaceStatus::Ok) {
        EXPECT_EQ(link.state().devicePath, interfaces.back().path);
    }
}

TEST_F(WinHidBackendTest, ANoticeReaderWithoutAMouseIdlesAndStopsOnRequest) {
    NoWaitClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_FALSE(link.FindDevice().found);
    int delivered = 0;
    NoticeReader reader(link, [&](const MouseNotice&) { ++delivered; });
    reader.Resume();
    reader.Stop();
    EXPECT_EQ(delivered, 0);
}

TEST_F(WinHidBackendTest, AWakeUpGivenBeforeTheWaitEndsItAtOnce) {
    backend.WakeUp();
    EXPECT_EQ(backend.WaitForInputReport(HidHandle{}, {}).status, HidWaitStatus::WokenUp);
}

TEST_F(WinHidBackendInputTest, AWakeUpEndsANoticeWaitOnAnotherThreadAndTheReadStaysPending) {
    const HidHandle handle = backend.Open(foreign->path, HidOpenMode::NoticeRead);
    ASSERT_TRUE(handle.IsValid());
    std::vector<std::uint8_t> report(foreign->inputReportLength, 0);

    HidWaitResult result;
    std::thread waiter([&] { result = backend.WaitForInputReport(handle, report); });
    backend.WakeUp();
    waiter.join();
    EXPECT_EQ(result.status, HidWaitStatus::WokenUp);

    // The read started by that wait is still pending: closing the handle now
    // must cancel it and wait for the cancellation rather than hang or crash.
    backend.Close(handle);
    EXPECT_EQ(backend.WaitForInputReport(handle, report).status, HidWaitStatus::Failed);
}

TEST_F(WinHidBackendInputTest, ClosingTheHandleEndsAWaitOnItWithFailed) {
    const HidHandle handle = backend.Open(foreign->path, HidOpenMode::NoticeRead);
    ASSERT_TRUE(handle.IsValid());
    std::vector<std::uint8_t> report(foreign->inputReportLength, 0);

    HidWaitResult result{HidWaitStatus::Report, 1};
    std::thread waiter([&] { result = backend.WaitForInputReport(handle, report); });
    backend.Close(handle);
    waiter.join();
    EXPECT_EQ(result.status, HidWaitStatus::Failed);
}

TEST_F(WinHidBackendInputTest, ACollectionWithoutFeatureOrOutputReportsRefusesThem) {
    ASSERT_EQ(foreign->featureReportLength, 0);
    ASSERT_EQ(foreign->outputReportLength, 0);
    const HidHandle handle = backend.Open(foreign->path, HidOpenMode::Command);
    ASSERT_TRUE(handle.IsValid());

    const std::vector<std::uint8_t> command = {0x00, 0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB};
    std::vector<std::uint8_t> reply(9, 0);
    EXPECT_FALSE(backend.SetFeature(handle, command));
    EXPECT_FALSE(backend.GetFeature(handle, reply));
    EXPECT_FALSE(backend.WriteReport(handle, std::vector<std::uint8_t>(33, 0)));
    backend.Close(handle);
}

TEST_F(WinHidBackendInputTest, AReadThatGetsNoReportGivesUpAndLeavesTheBufferZero) {
    const HidHandle handle = backend.Open(foreign->path, HidOpenMode::Command);
    ASSERT_TRUE(handle.IsValid());
    std::vector<std::uint8_t> report(33, 0xEE);
    EXPECT_EQ(backend.ReadReport(handle, report, std::chrono::milliseconds(20)), 0u);
    EXPECT_EQ(report, std::vector<std::uint8_t>(33, 0));
    backend.Close(handle);
}

TEST_F(WinHidBackendTest, UnknownPathsAndHandlesFailQuietly) {
    const HidHandle missing = backend.Open(
        "\\\\?\\hid#vid_04d9&pid_a09f#\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8", HidOpenMode::Command);
    EXPECT_FALSE(missing.IsValid());
    const HidHandle neverOpened{12345};
    std::vector<std::uint8_t> report(9, 0);
    EXPECT_FALSE(backend.SetFeature(neverOpened, report));
    EXPECT_FALSE(backend.GetFeature(neverOpened, report));
    EXPECT_EQ(backend.ReadReport(neverOpened, report, std::chrono::milliseconds(0)), 0u);
    backend.Close(neverOpened);
    backend.Close(HidHandle{});
}

}  // namespace
}  // namespace kv12::win32
