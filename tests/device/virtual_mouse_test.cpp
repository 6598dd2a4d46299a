#include "sim/virtual_mouse.h"

#include <gtest/gtest.h>

#include "device/mouse_commands.h"
#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;
using Bytes = std::vector<std::uint8_t>;

TEST(VirtualMouse, AnswersReadsFromItsFactoryState) {
    VirtualMouseOptions options;
    options.sensorType = 3;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.Connect());

    EXPECT_EQ(ReadSensorState(sim.link), (SensorState{3, 0x01, 0x00, 0x00}));
    EXPECT_EQ(ReadLightingState(sim.link), (LightingState{0x01, 0x05, 0x02}));
    Command buffer{};
    EXPECT_EQ(ReadLedOptions(sim.link, buffer, 0), (Command{0x87, 0, 0x01, 0x7D, 0x0A, 0, 0, 0xF0}));
    EXPECT_EQ(ReadLedOptions(sim.link, buffer, 1), (Command{0x87, 1, 0x02, 0x03, 0x04, 0, 0, 0x6E}));
}

TEST(VirtualMouse, KeepsWhatTheWriteCommandsSend) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    WriteSensorState(sim.link, {1, 2, 3, 4});
    WriteLightingState(sim.link, {3, 4, 5});
    WriteLedOptions(sim.link, 1, {7, 8, 9});
    std::array<std::uint8_t, 64> matrix{};
    matrix[0] = 0x11;
    matrix[63] = 0x22;
    WriteKeyMatrix(sim.link, 2, matrix);

    const MouseFirmwareState firmware = sim.mouse.Firmware();
    EXPECT_EQ(firmware.sensorState, (SensorState{1, 2, 3, 4}));
    EXPECT_EQ(firmware.lightingState, (LightingState{3, 4, 5}));
    EXPECT_EQ(firmware.ledGroups[1], (LedGroup{7, 8, 9}));
    EXPECT_EQ(firmware.keyMatrices[1], matrix);
    EXPECT_EQ(ReadSensorState(sim.link), (SensorState{1, 2, 3, 4}));
}

class RawMouseTest : public testing::Test {
  protected:
    void SetUp() override {
        handle = mouse.Open(VirtualMouse::InterfacePath(MouseInterface::Command), HidOpenMode::Command);
        ASSERT_TRUE(handle.IsValid());
    }

    Bytes Exchange(Command command) {
        ScrambleCommand(command, DEFAULT_SCRAMBLE_CONFIG);
        Bytes report{0};
        report.insert(report.end(), command.begin(), command.end());
        EXPECT_TRUE(mouse.SetFeature(handle, report));
        Bytes reply(9, 0);
        EXPECT_TRUE(mouse.GetFeature(handle, reply));
        return reply;
    }

    VirtualMouse mouse;
    HidHandle handle;
};

TEST_F(RawMouseTest, RejectsAndRecordsACommandWithAWrongChecksum) {
    const Command bad = {CMD_READ_SENSOR_STATE, 0, 0, 0, 0, 0, 0, 0x7D};
    EXPECT_EQ(Exchange(bad), Bytes(9, 0));
    EXPECT_EQ(mouse.RejectedCommands(), (std::vector<Command>{bad}));
}

TEST_F(RawMouseTest, UnknownCommandLeavesAnAllZeroReply) {
    EXPECT_EQ(Exchange(WithChecksum({0xC5, 1, 2, 3})), Bytes(9, 0));
    EXPECT_TRUE(mouse.RejectedCommands().empty());
}

TEST_F(RawMouseTest, RefusesShortFeatureReports) {
    EXPECT_FALSE(mouse.SetFeature(handle, Bytes(8, 0)));
    EXPECT_TRUE(mouse.Trace().empty());
}

TEST_F(RawMouseTest, HandlesDieOnUnplugAndStayDeadAfterReplug) {
    EXPECT_EQ(mouse.Unplug().size(), 2u);
    EXPECT_FALSE(mouse.SetFeature(handle, Bytes(9, 0)));
    EXPECT_FALSE(
        mouse.Open(VirtualMouse::InterfacePath(MouseInterface::Command), HidOpenMode::Command).IsValid());
    EXPECT_EQ(mouse.PlugIn().size(), 2u);
    EXPECT_FALSE(mouse.SetFeature(handle, Bytes(9, 0)));
    const HidHandle fresh =
        mouse.Open(VirtualMouse::InterfacePath(MouseInterface::Command), HidOpenMode::Command);
    EXPECT_TRUE(mouse.SetFeature(fresh, Bytes(9, 0)));
}

TEST(VirtualMouse, KeepsItsSettingsAcrossUnplugAndReplug) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    SetReportRate(sim.link, 8);
    sim.mouse.Unplug();
    sim.mouse.PlugIn();
    ASSERT_TRUE(sim.Connect());
    EXPECT_EQ(sim.mouse.Firmware().reportRate, 8);
}

TEST(VirtualMouse, PlainMouseTakesPlainCommands) {
    VirtualMouseOptions options;
    options.handshake = HandshakeMode::Plain;
    SimulatedMouse sim(options);
    ASSERT_FALSE(sim.Connect());
    // The program refuses it, but the mouse itself speaks plainly.
    SetReportRate(sim.link, 2);
    EXPECT_EQ(sim.mouse.Firmware().reportRate, 2);
    EXPECT_TRUE(sim.mouse.RejectedCommands().empty());
}

class CountingClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds duration) override {
        ++sleeps;
        total += duration;
    }
    int sleeps = 0;
    std::chrono::milliseconds total{0};
};

TEST(VirtualMouse, SpendsItsLatencyOnEveryTransfer) {
    CountingClock latency;
    VirtualMouseOptions options;
    options.latency = std::chrono::milliseconds(1);
    options.latencyClock = &latency;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.Connect());
    EXPECT_EQ(latency.sleeps, 4);  // two attempts of set and get
    EXPECT_EQ(latency.total, std::chrono::milliseconds(4));
}

TEST(VirtualMouse, WaitEndsWithAKeptWakeUpOrFailsOnAClosedHandle) {
    VirtualMouse mouse;
    const HidHandle notices =
        mouse.Open(VirtualMouse::InterfacePath(MouseInterface::Notice), HidOpenMode::NoticeRead);
    Bytes report(9, 0);
    mouse.WakeUp();
    EXPECT_EQ(mouse.WaitForInputReport(notices, report).status, HidWaitStatus::WokenUp);
    mouse.InjectNotice(NOTICE_MACRO, 5);
    const HidWaitResult got = mouse.WaitForInputReport(notices, report);
    EXPECT_EQ(got.status, HidWaitStatus::Report);
    EXPECT_EQ(got.length, 9u);
    EXPECT_EQ(report, (Bytes{6, 9, 0, 5, 0, 0, 0, 0, 0}));
    mouse.Close(notices);
    EXPECT_EQ(mouse.WaitForInputReport(notices, report).status, HidWaitStatus::Failed);
}

}  // namespace
}  // namespace kv12
