#include "device/device_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "device/mouse_commands.h"
#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;

class NoSleepClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

std::size_t CountOps(const std::vector<TraceEvent>& trace, TraceOp op) {
    return static_cast<std::size_t>(
        std::count_if(trace.begin(), trace.end(), [op](const TraceEvent& e) { return e.op == op; }));
}

struct HandshakeCase {
    const char* name;
    HandshakeMode mode;
    bool accepted;
    std::size_t featureTransfers;  // set and get reports the handshake exchanged
};

void PrintTo(const HandshakeCase& c, std::ostream* os) {
    *os << c.name;
}

class HandshakeTest : public testing::TestWithParam<HandshakeCase> {};

TEST_P(HandshakeTest, AcceptsOnlyTheScrambledEcho) {
    const HandshakeCase& c = GetParam();
    VirtualMouseOptions options;
    options.handshake = c.mode;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.link.FindDevice().found);
    EXPECT_TRUE(sim.link.DeviceReady()) << "a successful search sets deviceReady until the handshake decides";

    sim.link.Handshake();

    EXPECT_EQ(sim.link.DeviceReady(), c.accepted);
    EXPECT_EQ(sim.link.state().scrambleOn, c.accepted);
    ASSERT_EQ(sim.notices.size(), 1u);
    EXPECT_EQ(sim.notices[0], (MouseNotice{c.accepted ? NOTICE_FOUND : NOTICE_NOT_FOUND, 0}));
    const auto trace = sim.mouse.Trace();
    EXPECT_EQ(CountOps(trace, TraceOp::SetFeature) + CountOps(trace, TraceOp::GetFeature),
              c.featureTransfers);
    // Each attempt waits 5 ms between the challenge and the reply.
    EXPECT_EQ(CountOps(trace, TraceOp::Wait), c.featureTransfers / 2);
    for (const TraceEvent& e : trace) {
        if (e.op == TraceOp::Wait) {
            EXPECT_EQ(e.ms, 5);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, HandshakeTest,
                         testing::Values(HandshakeCase{"Scrambled", HandshakeMode::Scrambled, true, 4},
                                         // A plain echo ends the handshake at once: not this protocol.
                                         HandshakeCase{"Plain", HandshakeMode::Plain, false, 2},
                                         HandshakeCase{"Silent", HandshakeMode::None, false, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Handshake, ScrambledMouseRejectsThePlainChallengeForItsChecksum) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    // The plain challenge, unscrambled by the mouse, is garbage with a wrong checksum.
    EXPECT_EQ(sim.mouse.RejectedCommands().size(), 1u);
}

TEST(Handshake, MouseWithAnotherKeyIsNotAccepted) {
    VirtualMouseOptions options;
    options.scramble.key = {9, 9, 9, 9, 9, 9};
    SimulatedMouse sim(options);
    EXPECT_FALSE(sim.Connect());
    EXPECT_EQ(sim.notices.back().code, NOTICE_NOT_FOUND);
}

class EnumerationOrderTest : public testing::TestWithParam<InterfaceOrder> {};

TEST_P(EnumerationOrderTest, OpensTheNoticeAndTheCommandInterfaceInEitherOrder) {
    VirtualMouseOptions options;
    options.order = GetParam();
    options.otherDevices = {VirtualMouse::UnrelatedKeyboard(), VirtualMouse::MousePointerCollection()};
    SimulatedMouse sim(options);

    const FindDeviceResult result = sim.link.FindDevice();

    ASSERT_TRUE(result.found);
    EXPECT_FALSE(result.message);
    const DeviceLinkState& state = sim.link.state();
    EXPECT_TRUE(state.commandHandle.IsValid());
    EXPECT_TRUE(state.noticeReadHandle.load().IsValid());
    EXPECT_TRUE(state.noticeWriteHandle.IsValid());
    EXPECT_EQ(state.featureReportLength, 9);
    EXPECT_EQ(state.dataInputLength, 33);
    EXPECT_EQ(state.dataOutputLength, 33);
    EXPECT_EQ(state.noticeReportLength.load(), SIM_NOTICE_REPORT_LENGTH);
    EXPECT_EQ(state.devicePath, VirtualMouse::InterfacePath(MouseInterface::Command));
}

INSTANTIATE_TEST_SUITE_P(Orders, EnumerationOrderTest,
                         testing::Values(InterfaceOrder::NoticeFirst, InterfaceOrder::CommandFirst),
                         [](const auto& info) {
                             return std::string(info.param == InterfaceOrder::NoticeFirst ? "NoticeFirst"
                                                                                          : "CommandFirst");
                         });

TEST(FindDevice, NewSearchClosesTheHandlesOfTheLastOne) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.link.FindDevice().found);
    ASSERT_TRUE(sim.link.FindDevice().found);
    EXPECT_EQ(sim.mouse.OpenHandleCount(), 3u);
    sim.link.CloseHandles();
    EXPECT_EQ(sim.mouse.OpenHandleCount(), 0u);
}

TEST(FindDevice, FailsSilentlyWithoutTheMouse) {
    VirtualMouseOptions options;
    options.pluggedIn = false;
    options.otherDevices = {VirtualMouse::UnrelatedKeyboard()};
    SimulatedMouse sim(options);
    const FindDeviceResult result = sim.link.FindDevice();
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(result.message);
}

struct SearchFailureCase {
    const char* name;
    HidInterfaceStatus status;
    bool sameIdentifiers;  // the troubled interface carries the mouse's vendor and product
    bool found;
    const char* message;  // nullptr: none
};

void PrintTo(const SearchFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchFailureTest : public testing::TestWithParam<SearchFailureCase> {};

TEST_P(SearchFailureTest, InterfaceListedBeforeTheMouse) {
    const SearchFailureCase& c = GetParam();
    HidInterfaceInfo troubled =
        c.sameIdentifiers ? VirtualMouse::MousePointerCollection() : VirtualMouse::UnrelatedKeyboard();
    troubled.status = c.status;
    VirtualMouseOptions options;
    options.otherDevices = {troubled};
    SimulatedMouse sim(options);

    const FindDeviceResult result = sim.link.FindDevice();

    EXPECT_EQ(result.found, c.found);
    if (c.message) {
        ASSERT_TRUE(result.message);
        EXPECT_EQ(result.message->text, c.message);
        EXPECT_EQ(result.message->caption, "");
    } else {
        EXPECT_FALSE(result.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, SearchFailureTest,
    testing::Values(SearchFailureCase{"DetailEndsTheSearchWithMessage", HidInterfaceStatus::DetailFailed,
                                      false, false, MSG_INTERFACE_DETAIL_FAILED},
                    // A device that cannot even be queried is passed over, not the end of the search.
                    SearchFailureCase{"ForeignDeviceThatCannotBeQueriedIsSkipped",
                                      HidInterfaceStatus::QueryOpenFailed, false, true, nullptr},
                    SearchFailureCase{"MouseCollectionThatCannotBeQueriedIsSkipped",
                                      HidInterfaceStatus::QueryOpenFailed, true, true, nullptr},
                    SearchFailureCase{"UnreadableAttributesAreSkipped", HidInterfaceStatus::AttributesFailed,
                                      false, true, nullptr},
                    SearchFailureCase{"OtherDeviceWithoutPreparsedDataIsSkipped",
                                      HidInterfaceStatus::PreparsedDataFailed, false, true, nullptr},
                    SearchFailureCase{"MouseWithoutPreparsedDataEndsTheSearch",
                                      HidInterfaceStatus::PreparsedDataFailed, true, false,
                                      MSG_PREPARSED_DATA_FAILED},
                    SearchFailureCase{"MouseWithoutCapabilitiesEndsTheSearch",
                                      HidInterfaceStatus::CapabilitiesFailed, true, false,
                                      MSG_CAPABILITIES_FAILED}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindDevice, CapabilitiesFailureCarriesTheBackendsOwnWords) {
    HidInterfaceInfo troubled = VirtualMouse::MousePointerCollection();
    troubled.status = HidInterfaceStatus::CapabilitiesFailed;
    troubled.error = "/dev/hidraw3: the report descriptor is cut short";
    VirtualMouseOptions options;
    options.otherDevices = {troubled};
    SimulatedMouse sim(options);

    const FindDeviceResult result = sim.link.FindDevice();

    EXPECT_FALSE(result.found);
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->text, troubled.error);
}

TEST(FindDevice, TroubleAfterTheCommandInterfaceNoLongerMatters) {
    // Command interface first, then an interface whose detail cannot be read:
    // the search has already succeeded and carries on only for the notices.
    HidInterfaceInfo troubled = VirtualMouse::UnrelatedKeyboard();
    troubled.status = HidInterfaceStatus::DetailFailed;
    VirtualMouseOptions options;
    options.order = InterfaceOrder::CommandFirst;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.link.FindDevice().found);
    EXPECT_TRUE(sim.link.state().noticeReadHandle.load().IsValid());
}

TEST(SendCommand, ReturnsTheTransportResultAndFailsOnceTheMouseIsGone) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    EXPECT_TRUE(SetReportRate(sim.link, 4));
    EXPECT_EQ(sim.mouse.Firmware().reportRate, 4);
    sim.mouse.Unplug();
    EXPECT_FALSE(SetReportRate(sim.link, 8));
}

TEST(SendCommand, ReplyReplacesTheCommand) {
    VirtualMouseOptions options;
    options.sensorType = 3;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.Connect());
    Command command{CMD_READ_SENSOR_STATE};
    ASSERT_TRUE(sim.link.SendCommand(command));
    EXPECT_EQ(command, (Command{0x83, 3, 1, 0, 0, 0, 0, 0x78}));
}

// A backend whose mouse announces more data than any buffer holds, so that a
// read phase that trusted the length byte would run past the caller's data.
class OversizedReplyBackend final : public HidBackend {
  public:
    std::uint16_t featureLength = 9;
    std::uint16_t inputLength = 33;
    std::uint16_t outputLength = 33;
    std::uint8_t announcedLength = 0xFF;
    std::size_t failingWrite = 0;  // the data report (counted from 1) that fails; 0 for none
    std::string error;             // what LastError says
    std::size_t reads = 0;
    std::vector<std::vector<std::uint8_t>> setFeatures;
    std::vector<std::vector<std::uint8_t>> writes;

    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override {
        HidInterfaceInfo info;
        info.path = "command";
        info.vendorId = MOUSE_VENDOR_ID;
        info.productId = MOUSE_PRODUCT_ID;
        info.usagePage = COMMAND_USAGE_PAGE;
        info.usage = COMMAND_USAGE;
        info.featureReportLength = featureLength;
        info.inputReportLength = inputLength;
        info.outputReportLength = outputLength;
        interfaces = {info};
        return true;
    }
    HidHandle Open(const std::string&, HidOpenMode) override { return HidHandle{1}; }
    void Close(HidHandle) override {}
    bool SetFeature(HidHandle, std::span<const std::uint8_t> report) override {
        setFeatures.emplace_back(report.begin(), report.end());
        return true;
    }
    bool GetFeature(HidHandle, std::span<std::uint8_t> report) override {
        std::fill(report.begin(), report.end(), 0);
        report[1] = CMD_READ_MACRO;
        report[2] = 1;
        report[3] = announcedLength;
        return true;
    }
    bool WriteReport(HidHandle, std::span<const std::uint8_t> report) override {
        writes.emplace_back(report.begin(), report.end());
        return writes.size() != failingWrite;
    }
    std::size_t ReadReport(HidHandle, std::span<std::uint8_t> report, std::chrono::milliseconds) override {
        ++reads;
        std::fill(report.begin(), report.end(), 0xEE);
        report[0] = 0;
        return report.size();
    }
    HidWaitResult WaitForInputReport(HidHandle, std::span<std::uint8_t>) override { return {}; }
    void WakeUp() override {}
    HidError LastError() const override { return {error, false}; }
};

struct ReadPhaseCase {
    std::size_t dataSize;
    std::uint8_t announced;
    std::size_t reads;
};

class ReadPhaseTest : public testing::TestWithParam<ReadPhaseCase> {};

TEST_P(ReadPhaseTest, NeverWritesPastTheCallersBufferWhateverLengthTheMouseAnnounces) {
    const ReadPhaseCase& c = GetParam();
    OversizedReplyBackend backend;
    backend.announcedLength = c.announced;
    backend.inputLength = 65;  // longer input reports than chunks must not spill either
    NoSleepClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_TRUE(link.FindDevice().found);

    std::vector<std::uint8_t> memory(c.dataSize + 64, 0x11);
    Command command{CMD_READ_MACRO, 1};
    const std::size_t moved = link.SendCommandWithData(command, std::span(memory).first(c.dataSize));

    EXPECT_EQ(backend.reads, c.reads);
    EXPECT_EQ(moved, c.reads * 32);
    EXPECT_TRUE(std::all_of(memory.begin(), memory.begin() + static_cast<std::ptrdiff_t>(moved),
                            [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_TRUE(std::all_of(memory.begin() + static_cast<std::ptrdiff_t>(moved), memory.end(),
                            [](std::uint8_t b) { return b == 0x11; }));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadPhaseTest,
                         testing::Values(ReadPhaseCase{128, 0xFF, 4}, ReadPhaseCase{128, 0x40, 2},
                                         ReadPhaseCase{40, 0xFF, 1}, ReadPhaseCase{16, 0xFF, 0},
                                         ReadPhaseCase{128, 0, 0}),
                         // "Buffer128_Announced255".
                         [](const auto& info) {
                             return "Buffer" + std::to_string(info.param.dataSize) + "_Announced" +
                                    std::to_string(info.param.announced);
                         });

TEST(SendCommandWithData, WriteSendsZerosWhereTheCallersDataEnds) {
    OversizedReplyBackend backend;
    NoSleepClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_TRUE(link.FindDevice().found);
    std::vector<std::uint8_t> data(40, 0x5A);

    Command command{CMD_WRITE_KEY_MATRIX, 1, 64};
    EXPECT_EQ(link.SendCommandWithData(command, data), 40u);

    ASSERT_EQ(backend.writes.size(), 2u);
    std::vector<std::uint8_t> second(33, 0);
    std::fill_n(second.begin() + 1, 8, 0x5A);
    EXPECT_EQ(backend.writes[1], second);
}

TEST(SendCommand, PadsFeatureReportsToTheInterfacesLength) {
    OversizedReplyBackend backend;
    backend.featureLength = 65;
    NoSleepClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_TRUE(link.FindDevice().found);
    Command command{CMD_REPORT_RATE, 8};
    link.SendCommand(command);
    ASSERT_EQ(backend.setFeatures.size(), 1u);
    std::vector<std::uint8_t> expected(65, 0);
    expected[1] = 0x01;
    expected[2] = 0x08;
    expected[8] = 0xF6;
    EXPECT_EQ(backend.setFeatures[0], expected);
}

TEST(SendCommand, RefusesFeatureReportsTooShortForACommand) {
    OversizedReplyBackend backend;
    backend.featureLength = 5;
    NoSleepClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_TRUE(link.FindDevice().found);
    Command command{CMD_REPORT_RATE, 8};
    EXPECT_FALSE(link.SendCommand(command));
    EXPECT_TRUE(backend.setFeatures.empty());
}

struct FailureCase {
    const char* name;
    std::uint16_t featureLength;
    std::uint16_t inputLength;
    std::uint16_t outputLength;
    std::size_t failingWrite;
    Command command;
    std::size_t dataSize;
    std::size_t moved;   // data bytes the call reports
    std::size_t writes;  // data reports attempted
    TransferFailure failure;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class TransferFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(TransferFailureTest, KeepsTheFirstFailedTransferAndEndsTheDataPhaseThere) {
    const FailureCase& c = GetParam();
    OversizedReplyBackend backend;
    backend.featureLength = c.featureLength;
    backend.inputLength = c.inputLength;
    backend.outputLength = c.outputLength;
    backend.failingWrite = c.failingWrite;
    backend.announcedLength = 0x80;
    backend.error = "device gone";
    NoSleepClock clock;
    DeviceLink link(backend, clock, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_TRUE(link.FindDevice().found);
    EXPECT_FALSE(link.FirstTransferFailure());

    std::vector<std::uint8_t> data(c.dataSize, 0x5A);
    Command command = c.command;
    EXPECT_EQ(link.SendCommandWithData(command, data), c.moved);
    EXPECT_EQ(backend.writes.size(), c.writes);
    ASSERT_TRUE(link.FirstTransferFailure());
    EXPECT_EQ(*link.FirstTransferFailure(), c.failure);

    // A later failure does not replace the first; clearing starts afresh.
    Command again{CMD_WRITE_KEY_MATRIX, 2, 64};
    link.SendCommandWithData(again, data);
    EXPECT_EQ(*link.FirstTransferFailure(), c.failure);
    link.ClearTransferFailure();
    EXPECT_FALSE(link.FirstTransferFailure());
}

const Command MACRO_WRITE = WithChecksum(Command{CMD_WRITE_MACRO, 1, 0x80});
const Command MACRO_READ = WithChecksum(Command{CMD_READ_MACRO, 1});

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferFailureTest,
    testing::Values(FailureCase{"SecondOfFourChunksLost", 9, 33, 33, 2, MACRO_WRITE, 128, 32, 2,
                                TransferFailure{TraceOp::Write, MACRO_WRITE, 2, 4, "device gone"}},
                    FailureCase{"OutputReportsTooShortForAChunk", 9, 33, 9, 0, MACRO_WRITE, 128, 0, 0,
                                TransferFailure{TraceOp::Write, MACRO_WRITE, 1, 4,
                                                "the mouse's output reports are too short for a data chunk"}},
                    FailureCase{"FeatureReportsTooShortForACommand", 5, 33, 33, 0, MACRO_WRITE, 128, 0, 0,
                                TransferFailure{TraceOp::SetFeature, MACRO_WRITE, 0, 0,
                                                "the mouse's feature reports are too short for a command"}},
                    FailureCase{"NoInputReportsForData", 9, 0, 33, 0, MACRO_READ, 128, 0, 0,
                                TransferFailure{TraceOp::Read, MACRO_READ, 1, 4,
                                                "the mouse has no input reports for data"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12
