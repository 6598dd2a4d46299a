#include "linux/linux_hid_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "device/clock.h"
#include "device/device_link.h"
#include "tests/linux/descriptors.h"

namespace kv12::linux_hid {
namespace {

class NoClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

// A fake of the hidapi calls: a few hidraw nodes with their descriptors, devices
// that open or refuse, queued input reports and scripted failures. Every call
// the backend makes is recorded.
class FakeHidapi final : public HidapiCalls {
  public:
    struct Node {
        Bytes descriptor;
        bool readable = true;  // the descriptor can be read
        bool openable = true;
        bool accessDenied = false;
    };
    struct Opened {
        std::string path;
        bool closed = false;
        std::deque<Bytes> inputReports;  // what hid_read_timeout hands out, as hidapi would
        Bytes featureReply;
        bool failTransfers = false;
        std::string error;
    };

    std::vector<HidapiDevice> devices;
    std::map<std::string, Node> nodes;
    bool enumerateFails = false;
    std::string globalError;
    std::uint16_t askedVendor = 0;
    std::uint16_t askedProduct = 0;
    std::vector<Bytes> sentFeatures;
    std::vector<Bytes> writes;
    std::vector<int> readTimeouts;
    // Outlives the fake, which goes with the backend that owns it.
    std::shared_ptr<std::vector<std::string>> closedPaths = std::make_shared<std::vector<std::string>>();

    bool Enumerate(std::uint16_t vendorId, std::uint16_t productId, std::vector<HidapiDevice>& out) override {
        askedVendor = vendorId;
        askedProduct = productId;
        if (enumerateFails) return false;
        out = devices;
        return true;
    }
    std::optional<Bytes> ReportDescriptor(const std::string& path) override {
        const auto it = nodes.find(path);
        if (it == nodes.end() || !it->second.readable) return std::nullopt;
        return it->second.descriptor;
    }
    HidapiHandle Open(const std::string& path) override {
        const auto it = nodes.find(path);
        if (it == nodes.end() || !it->second.openable) {
            globalError = "Failed to open a device with path '" + path + "': Permission denied";
            return nullptr;
        }
        std::lock_guard lock(mutex);
        opened.push_back(std::make_unique<Opened>());
        opened.back()->path = path;
        return opened.back().get();
    }
    bool AccessDenied(const std::string& path) override { return nodes[path].accessDenied; }
    void Close(HidapiHandle device) override {
        std::lock_guard lock(mutex);
        Opened& o = Of(device);
        EXPECT_FALSE(o.closed) << "closed twice";
        o.closed = true;
        closedPaths->push_back(o.path);
    }
    int SendFeatureReport(HidapiHandle device, std::span<const std::uint8_t> report) override {
        if (Of(device).failTransfers) return -1;
        sentFeatures.emplace_back(report.begin(), report.end());
        return static_cast<int>(report.size());
    }
    int GetFeatureReport(HidapiHandle device, std::span<std::uint8_t> report) override {
        const Opened& o = Of(device);
        if (o.failTransfers) return -1;
        const std::size_t n = std::min(report.size(), o.featureReply.size());
        std::copy_n(o.featureReply.begin(), n, report.begin());
        return static_cast<int>(n);
    }
    int Write(HidapiHandle device, std::span<const std::uint8_t> report) override {
        if (Of(device).failTransfers) return -1;
        writes.emplace_back(report.begin(), report.end());
        return static_cast<int>(report.size());
    }
    int ReadTimeout(HidapiHandle device, std::span<std::uint8_t> report, int milliseconds) override {
        std::unique_lock lock(mutex);
        Opened& o = Of(device);
        readTimeouts.push_back(milliseconds);
        if (o.failTransfers) return -1;
        if (o.inputReports.empty()) {
            // Nothing came: hidapi waits out the timeout (shortened here).
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return 0;
        }
        const Bytes next = o.inputReports.front();
        o.inputReports.pop_front();
        const std::size_t n = std::min(report.size(), next.size());
        std::copy_n(next.begin(), n, report.begin());
        return static_cast<int>(n);
    }
    std::string ErrorText(HidapiHandle device) override {
        return device == nullptr ? globalError : Of(device).error;
    }

    Opened& Of(HidapiHandle device) { return *static_cast<Opened*>(device); }
    Opened& Last() { return *opened.back(); }
    std::size_t OpenCount() {
        std::lock_guard lock(mutex);
        return static_cast<std::size_t>(
            std::count_if(opened.begin(), opened.end(), [](const auto& o) { return !o->closed; }));
    }

    std::mutex mutex;
    std::vector<std::unique_ptr<Opened>> opened;
};

// The mouse as hidraw shows it: its pointer collection, the command collection
// and the notice collection, each on its own node.
void AddMouse(FakeHidapi& fake) {
    fake.devices = {{"/dev/hidraw1", MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, 0x0105, 0x0001, 0x0002},
                    {"/dev/hidraw2", MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, 0x0105, 0xFF00, 0xFF00},
                    {"/dev/hidraw3", MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, 0x0105, 0xFF01, 0xFF01}};
    fake.nodes["/dev/hidraw1"].descriptor = BOOT_MOUSE;
    fake.nodes["/dev/hidraw2"].descriptor = COMMAND_COLLECTION;
    fake.nodes["/dev/hidraw3"].descriptor = NOTICE_COLLECTION;
}

struct BackendFixture : testing::Test {
    BackendFixture() {
        auto owned = std::make_unique<FakeHidapi>();
        fake = owned.get();
        AddMouse(*fake);
        backend = std::make_unique<LinuxHidBackend>(std::move(owned));
    }
    FakeHidapi* fake;
    std::unique_ptr<LinuxHidBackend> backend;
};

using LinuxHidBackendTest = BackendFixture;

TEST_F(LinuxHidBackendTest, EnumerationAsksForTheMouseOnlyAndGivesEachCollectionItsLengths) {
    std::vector<HidInterfaceInfo> interfaces;
    ASSERT_TRUE(backend->Enumerate(interfaces));

    EXPECT_EQ(fake->askedVendor, 0x04D9);
    EXPECT_EQ(fake->askedProduct, 0xA09F);
    ASSERT_EQ(interfaces.size(), 3u);
    const HidInterfaceInfo& command = interfaces[1];
    EXPECT_EQ(command.status, HidInterfaceStatus::Ok);
    EXPECT_EQ(command.path, "/dev/hidraw2");
    EXPECT_EQ(command.versionNumber, 0x0105);
    EXPECT_EQ(command.usagePage, 0xFF00);
    EXPECT_EQ(command.usage, 0xFF00);
    EXPECT_EQ(command.featureReportLength, 9);
    EXPECT_EQ(command.inputReportLength, 33);
    EXPECT_EQ(command.outputReportLength, 33);
    const HidInterfaceInfo& notice = interfaces[2];
    EXPECT_EQ(notice.usagePage, 0xFF01);
    EXPECT_EQ(notice.featureReportLength, 0);
    EXPECT_EQ(notice.inputReportLength, 9);
    EXPECT_EQ(interfaces[0].inputReportLength, 4);
}

TEST_F(LinuxHidBackendTest, TheDeviceLinkTellsTheCollectionsApartAndOpensBoth) {
    // The notice collection listed last, the command collection on a node of its own.
    NoClock clock;
    DeviceLink link(*backend, clock, ScrambleConfig{});
    const FindDeviceResult result = link.FindDevice();

    ASSERT_TRUE(result.found);
    EXPECT_EQ(link.state().devicePath, "/dev/hidraw2");
    EXPECT_EQ(link.state().featureReportLength, 9);
    EXPECT_EQ(link.state().dataOutputLength, 33);
    EXPECT_EQ(link.state().noticeReportLength.load(), 9);
    EXPECT_TRUE(link.state().noticeReadHandle.load().IsValid());
    // Command, notice read and notice write; the pointer collection stays closed.
    EXPECT_EQ(fake->OpenCount(), 3u);
    link.CloseHandles();
    EXPECT_EQ(fake->OpenCount(), 0u);
}

struct DescriptorTroubleCase {
    const char* name;
    bool readable;
    Bytes descriptor;
    const char* error;
};

void PrintTo(const DescriptorTroubleCase& c, std::ostream* os) {
    *os << c.name;
}

class DescriptorTroubleTest : public BackendFixture,
                              public testing::WithParamInterface<DescriptorTroubleCase> {};

TEST_P(DescriptorTroubleTest, ListsTheCollectionAsUnreadableWithTheReason) {
    fake->nodes["/dev/hidraw2"].readable = GetParam().readable;
    fake->nodes["/dev/hidraw2"].descriptor = GetParam().descriptor;
    std::vector<HidInterfaceInfo> interfaces;
    ASSERT_TRUE(backend->Enumerate(interfaces));
    EXPECT_EQ(interfaces[1].status, HidInterfaceStatus::CapabilitiesFailed);
    EXPECT_EQ(interfaces[1].usagePage, 0xFF00) << "what hidapi said is kept";
    EXPECT_EQ(interfaces[1].error, GetParam().error);
    EXPECT_EQ(interfaces[2].status, HidInterfaceStatus::Ok);

    NoClock clock;
    DeviceLink link(*backend, clock, ScrambleConfig{});
    const FindDeviceResult result = link.FindDevice();
    EXPECT_FALSE(result.found);
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->text, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DescriptorTroubleTest,
    testing::Values(
        DescriptorTroubleCase{"Unreadable", false, {}, "/dev/hidraw2: the report descriptor cannot be read"},
        DescriptorTroubleCase{
            "Malformed", true, {0x06, 0x00}, "/dev/hidraw2: the report descriptor is malformed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinuxHidBackendTest, ACollectionTheDescriptorDoesNotNameHasNoReports) {
    fake->devices[1].usage = 0x1234;
    std::vector<HidInterfaceInfo> interfaces;
    ASSERT_TRUE(backend->Enumerate(interfaces));
    EXPECT_EQ(interfaces[1].status, HidInterfaceStatus::Ok);
    EXPECT_EQ(interfaces[1].featureReportLength, 0);
    EXPECT_EQ(interfaces[1].inputReportLength, 0);
}

TEST_F(LinuxHidBackendTest, FailedEnumerationCarriesHidapisText) {
    fake->enumerateFails = true;
    fake->globalError = "Couldn't create udev context";
    std::vector<HidInterfaceInfo> interfaces{HidInterfaceInfo{}};
    EXPECT_FALSE(backend->Enumerate(interfaces));
    EXPECT_TRUE(interfaces.empty());
    EXPECT_EQ(backend->LastError().text, "hid_enumerate: Couldn't create udev context");
}

TEST_F(LinuxHidBackendTest, NoMouseIsAnEmptyListWithoutError) {
    fake->devices.clear();
    std::vector<HidInterfaceInfo> interfaces;
    EXPECT_TRUE(backend->Enumerate(interfaces));
    EXPECT_TRUE(interfaces.empty());
    EXPECT_EQ(backend->LastError().text, "");
}

struct OpenFailureCase {
    const char* name;
    bool accessDenied;
};

void PrintTo(const OpenFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFailureTest : public BackendFixture, public testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailureTest, GivesAnInvalidHandleAndHidapisText) {
    fake->nodes["/dev/hidraw2"].openable = false;
    fake->nodes["/dev/hidraw2"].accessDenied = GetParam().accessDenied;
    EXPECT_FALSE(backend->Open("/dev/hidraw2", HidOpenMode::Command).IsValid());
    const HidError error = backend->LastError();
    EXPECT_EQ(error.text, "Failed to open a device with path '/dev/hidraw2': Permission denied");
    EXPECT_EQ(error.accessDenied, GetParam().accessDenied);
    // The next enumeration starts afresh.
    std::vector<HidInterfaceInfo> interfaces;
    backend->Enumerate(interfaces);
    EXPECT_EQ(backend->LastError().text, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenFailureTest,
                         testing::Values(OpenFailureCase{"AccessDenied", true},
                                         OpenFailureCase{"OtherFault", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinuxHidBackendTest, FeatureReportsTravelWithReportIdZeroInFront) {
    const HidHandle handle = backend->Open("/dev/hidraw2", HidOpenMode::Command);
    ASSERT_TRUE(handle.IsValid());
    const Bytes command = {0x00, 0x83, 0, 0, 0, 0, 0, 0, 0x7C};
    EXPECT_TRUE(backend->SetFeature(handle, command));
    ASSERT_EQ(fake->sentFeatures.size(), 1u);
    EXPECT_EQ(fake->sentFeatures[0], command);

    // A reply shorter than the buffer: the rest reads as zeros, not as old bytes.
    fake->Last().featureReply = {0x00, 0x83, 0x01, 0x02};
    Bytes reply(9, 0xEE);
    reply[0] = 0;
    EXPECT_TRUE(backend->GetFeature(handle, reply));
    EXPECT_EQ(reply, (Bytes{0x00, 0x83, 0x01, 0x02, 0, 0, 0, 0, 0}));
}

TEST_F(LinuxHidBackendTest, DataReportsOfAnUnnumberedDeviceGetTheirReportIdBack) {
    const HidHandle handle = backend->Open("/dev/hidraw2", HidOpenMode::Command);
    Bytes chunk(33, 0);
    chunk[1] = 0x11;
    chunk[32] = 0x22;
    EXPECT_TRUE(backend->WriteReport(handle, chunk));
    EXPECT_EQ(fake->writes.at(0), chunk);

    // hidapi hands out the 32 data bytes alone; on the wire the report starts with ID 0.
    Bytes payload(32, 0);
    payload[0] = 0xA1;
    payload[31] = 0xB2;
    fake->Last().inputReports.push_back(payload);
    Bytes report(33, 0xEE);
    EXPECT_EQ(backend->ReadReport(handle, report, std::chrono::milliseconds(1000)), 33u);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_EQ(report[1], 0xA1);
    EXPECT_EQ(report[32], 0xB2);
    EXPECT_EQ(fake->readTimeouts.back(), 1000);

    // Nothing within the timeout: 0 bytes and an all-zero report.
    EXPECT_EQ(backend->ReadReport(handle, report, std::chrono::milliseconds(5)), 0u);
    EXPECT_EQ(report, Bytes(33, 0));
}

TEST_F(LinuxHidBackendTest, NumberedReportsComeAsHidapiGivesThem) {
    const HidHandle handle = backend->Open("/dev/hidraw3", HidOpenMode::NoticeRead);
    fake->Last().inputReports.push_back({0x06, 0x07, 0x00, 0x02, 0, 0, 0, 0, 0});
    Bytes report(9, 0);
    const HidWaitResult result = backend->WaitForInputReport(handle, report);
    EXPECT_EQ(result.status, HidWaitStatus::Report);
    EXPECT_EQ(result.length, 9u);
    EXPECT_EQ(report, (Bytes{0x06, 0x07, 0x00, 0x02, 0, 0, 0, 0, 0}));
}

struct TransferFailureCase {
    const char* name;
    const char* prefix;
};

void PrintTo(const TransferFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class TransferFailureTest : public BackendFixture, public testing::WithParamInterface<TransferFailureCase> {};

TEST_P(TransferFailureTest, FailsWithHidapisTextForTheDevice) {
    const HidHandle handle = backend->Open("/dev/hidraw2", HidOpenMode::Command);
    fake->Last().failTransfers = true;
    fake->Last().error = "Broken pipe";
    Bytes report(33, 0xEE);
    report[0] = 0;
    const std::string name = GetParam().name;
    bool ok = true;
    if (name == "SetFeature") ok = backend->SetFeature(handle, report);
    if (name == "GetFeature") ok = backend->GetFeature(handle, report);
    if (name == "Write") ok = backend->WriteReport(handle, report);
    if (name == "Read") ok = backend->ReadReport(handle, report, std::chrono::milliseconds(10)) != 0;
    EXPECT_FALSE(ok);
    EXPECT_EQ(backend->LastError().text, std::string(GetParam().prefix) + ": Broken pipe");
    EXPECT_FALSE(backend->LastError().accessDenied);
    if (name == "GetFeature" || name == "Read") {
        EXPECT_EQ(report, Bytes(33, 0)) << "a failed read leaves no stale bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Calls, TransferFailureTest,
                         testing::Values(TransferFailureCase{"SetFeature", "hid_send_feature_report"},
                                         TransferFailureCase{"GetFeature", "hid_get_feature_report"},
                                         TransferFailureCase{"Write", "hid_write"},
                                         TransferFailureCase{"Read", "hid_read_timeout"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinuxHidBackendTest, ClosedOrUnknownHandlesCarryNothing) {
    const HidHandle handle = backend->Open("/dev/hidraw2", HidOpenMode::Command);
    backend->Close(handle);
    backend->Close(handle);  // a second close is ignored
    Bytes report(9, 0);
    EXPECT_FALSE(backend->SetFeature(handle, report));
    EXPECT_FALSE(backend->GetFeature(HidHandle{}, report));
    EXPECT_EQ(fake->OpenCount(), 0u);
    EXPECT_TRUE(fake->sentFeatures.empty());
}

TEST_F(LinuxHidBackendTest, AWakeUpGivenBeforeTheWaitEndsItAtOnceAndLosesNoReport) {
    const HidHandle handle = backend->Open("/dev/hidraw3", HidOpenMode::NoticeRead);
    fake->Last().inputReports.push_back({0x06, 0x05, 0x00, 0x08, 0, 0, 0, 0, 0});
    backend->WakeUp();
    Bytes report(9, 0);
    EXPECT_EQ(backend->WaitForInputReport(handle, report).status, HidWaitStatus::WokenUp);
    EXPECT_EQ(backend->WaitForInputReport(handle, report).status, HidWaitStatus::Report);
    EXPECT_EQ(report[3], 0x08);
}

TEST_F(LinuxHidBackendTest, AWakeUpFromAnotherThreadEndsAWaitInProgress) {
    const HidHandle handle = backend->Open("/dev/hidraw3", HidOpenMode::NoticeRead);
    Bytes report(9, 0);
    std::thread waker([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        backend->WakeUp();
    });
    const HidWaitResult result = backend->WaitForInputReport(handle, report);
    waker.join();
    EXPECT_EQ(result.status, HidWaitStatus::WokenUp);
    EXPECT_GT(fake->readTimeouts.size(), 0u);
    EXPECT_EQ(fake->readTimeouts.front(), NOTICE_READ_SLICE.count());
}

TEST_F(LinuxHidBackendTest, WithoutAHandleTheWaitIsForAWakeUpOnly) {
    Bytes report(9, 0);
    std::thread waker([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        backend->WakeUp();
    });
    EXPECT_EQ(backend->WaitForInputReport(HidHandle{}, report).status, HidWaitStatus::WokenUp);
    waker.join();
    EXPECT_TRUE(fake->readTimeouts.empty());
}

TEST_F(LinuxHidBackendTest, ClosingTheHandleEndsAWaitWithFailureAndClosesTheDeviceOnce) {
    const HidHandle handle = backend->Open("/dev/hidraw3", HidOpenMode::NoticeRead);
    Bytes report(9, 0);
    std::thread closer([this, handle] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        backend->Close(handle);
    });
    EXPECT_EQ(backend->WaitForInputReport(handle, report).status, HidWaitStatus::Failed);
    closer.join();
    EXPECT_EQ(fake->OpenCount(), 0u);
}

TEST_F(LinuxHidBackendTest, AFailedNoticeReadEndsTheWaitWithFailure) {
    const HidHandle handle = backend->Open("/dev/hidraw3", HidOpenMode::NoticeRead);
    fake->Last().failTransfers = true;
    Bytes report(9, 0);
    EXPECT_EQ(backend->WaitForInputReport(handle, report).status, HidWaitStatus::Failed);
}

TEST(LinuxHidBackend, DestroyingItClosesEveryDevice) {
    auto owned = std::make_unique<FakeHidapi>();
    AddMouse(*owned);
    const auto closed = owned->closedPaths;
    {
        LinuxHidBackend backend(std::move(owned));
        backend.Open("/dev/hidraw2", HidOpenMode::Command);
        backend.Open("/dev/hidraw3", HidOpenMode::NoticeRead);
        EXPECT_TRUE(closed->empty());
    }
    std::vector<std::string> paths = *closed;
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{"/dev/hidraw2", "/dev/hidraw3"}));
}

}  // namespace
}  // namespace kv12::linux_hid
