// One opened interface, driven directly so that the order of wake-up, read and
// cancellation is fixed by the test rather than by thread timing. The interface
// is one of another device with input reports: under Wine, Wine's virtual
// keyboard or mouse, which never sends a report on its own.
#include "win32/hid_interface.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "tests/win32/system_hid.h"
#include "win32/wide_text.h"
#include "win32/win_hid_backend.h"

namespace kv12::win32 {
namespace {

class HidInterfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WinHidBackend backend;
        ASSERT_TRUE(backend.Enumerate(interfaces));
        const HidInterfaceInfo* found = ForeignInputInterface(interfaces);
        KV12_NEED_FOREIGN_INPUT_INTERFACE(found);
        withInput = *found;
        wake.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        ASSERT_TRUE(wake.IsValid());
    }

    std::vector<HidInterfaceInfo> interfaces;
    HidInterfaceInfo withInput;
    UniqueHandle wake;
};

TEST_F(HidInterfaceTest, OpeningReadsTheLengthsTheCollectionDeclares) {
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.status != HidInterfaceStatus::Ok) continue;
        const auto opened = HidInterface::Open(WideFromUtf8(info.path), HidOpenMode::NoticeRead);
        ASSERT_NE(opened, nullptr) << info.path;
        EXPECT_EQ(opened->lengths().feature, info.featureReportLength) << info.path;
        EXPECT_EQ(opened->lengths().input, info.inputReportLength) << info.path;
        EXPECT_EQ(opened->lengths().output, info.outputReportLength) << info.path;
    }
}

TEST_F(HidInterfaceTest, CancelEndsAReadLeftPendingByAWakeUp) {
    const auto opened = HidInterface::Open(WideFromUtf8(withInput.path), HidOpenMode::NoticeRead);
    ASSERT_NE(opened, nullptr);
    std::vector<std::uint8_t> report(withInput.inputReportLength, 0);

    ::SetEvent(wake.Get());
    EXPECT_EQ(opened->WaitForReport(report, wake.Get()).status, HidWaitStatus::WokenUp);
    // The read started by the first wait is still pending; only its cancellation can end this wait.
    opened->Cancel();
    EXPECT_EQ(opened->WaitForReport(report, wake.Get()).status, HidWaitStatus::Failed);
    // And no new read starts on a cancelled interface.
    EXPECT_EQ(opened->WaitForReport(report, wake.Get()).status, HidWaitStatus::Failed);
}

TEST_F(HidInterfaceTest, AWakeUpIsTakenByTheWaitItEnds) {
    const auto opened = HidInterface::Open(WideFromUtf8(withInput.path), HidOpenMode::NoticeRead);
    ASSERT_NE(opened, nullptr);
    std::vector<std::uint8_t> report(withInput.inputReportLength, 0);

    ::SetEvent(wake.Get());
    EXPECT_EQ(opened->WaitForReport(report, wake.Get()).status, HidWaitStatus::WokenUp);
    EXPECT_EQ(::WaitForSingleObject(wake.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // The interface goes with its read still pending: its destructor must cancel
    // that read and wait for it, or this test never ends.
}

TEST_F(HidInterfaceTest, AnUnopenablePathGivesNoInterface) {
    EXPECT_EQ(HidInterface::Open(L"\\\\?\\hid#no-such-device", HidOpenMode::Command), nullptr);
}

}  // namespace
}  // namespace kv12::win32
