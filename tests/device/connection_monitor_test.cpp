#include "device/connection_monitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>

#include "device/notice_reader.h"
#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;

std::vector<MouseNotice> Notices(std::initializer_list<std::uint8_t> codes) {
    std::vector<MouseNotice> notices;
    for (std::uint8_t code : codes) notices.push_back({code, 0});
    return notices;
}

class RecordingHost final : public ConnectionHost {
  public:
    void ShowMessage(const UserMessage& message) override { messages.push_back(message.text); }
    void HideMainWindow() override { ++hides; }
    bool BasicPageBuilt() const override { return basicPageBuilt; }
    void ResumeReader() override {
        ++resumes;
        if (reader) reader->Resume();
    }

    std::vector<std::string> messages;
    int hides = 0;
    int resumes = 0;
    bool basicPageBuilt = false;
    NoticeReader* reader = nullptr;
};

// The program after a start without the mouse: the search failed and
// deviceReady was cleared.
class HotPlugTest : public testing::Test {
  protected:
    HotPlugTest() : sim(Unplugged()) {}

    static VirtualMouseOptions Unplugged() {
        VirtualMouseOptions options;
        options.pluggedIn = false;
        options.otherDevices = {VirtualMouse::UnrelatedKeyboard()};
        return options;
    }

    void SetUp() override {
        ASSERT_FALSE(sim.link.FindDevice().found);
        sim.link.SetDeviceReady(false);
    }

    void Announce(std::uint32_t event, const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            EXPECT_TRUE(HandleDeviceChange(sim.link, host, event, DEVICE_TYPE_INTERFACE, path));
        }
    }

    SimulatedMouse sim;
    RecordingHost host;
};

TEST_F(HotPlugTest, ArrivalOfAnAnsweringMouseRunsOncePerInterface) {
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());

    EXPECT_TRUE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, Notices({NOTICE_FOUND, NOTICE_FOUND}));
    EXPECT_EQ(host.resumes, 2);
    EXPECT_EQ(host.hides, 0);
    // Each run initialised the sensor: option 2 carries bit 6.
    EXPECT_EQ(sim.mouse.Firmware().sensorState[3], 0x40);
    const auto trace = sim.mouse.Trace();
    EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                            [](const TraceEvent& e) {
                                return e.op == TraceOp::SetFeature && e.command && (*e.command)[0] == 0x03;
                            }),
              2);
}

TEST_F(HotPlugTest, ArrivalAfterTheBasicPageWasBuiltLeavesTheReaderAlone) {
    host.basicPageBuilt = true;
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    EXPECT_TRUE(sim.link.DeviceReady());
    EXPECT_EQ(host.resumes, 0);
}

TEST(HotPlug, ArrivalOfASilentMouseWarnsWithoutHidingTheWindow) {
    VirtualMouseOptions options;
    options.pluggedIn = false;
    options.handshake = HandshakeMode::None;
    SimulatedMouse sim(options);
    RecordingHost host;
    for (const std::string& path : sim.mouse.PlugIn()) {
        HandleDeviceChange(sim.link, host, DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE, path);
    }
    EXPECT_FALSE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, (std::vector<MouseNotice>{{NOTICE_NOT_FOUND, 0}, {NOTICE_NOT_FOUND, 0}}));
    EXPECT_EQ(host.hides, 0);
    EXPECT_EQ(host.resumes, 0);
}

TEST_F(HotPlugTest, ArrivalWhoseSearchFailsWarnsHidesAndClearsReady) {
    // Announced, but gone again before the search.
    const auto paths = sim.mouse.PlugIn();
    sim.mouse.Unplug();
    Announce(DEVICE_EVENT_ARRIVAL, {paths[0]});
    EXPECT_FALSE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, Notices({NOTICE_NOT_FOUND}));
    EXPECT_EQ(host.hides, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(HotPlug, SearchFailureWithAMessageShowsItWithTheWarning) {
    RecordingHost host;
    HidInterfaceInfo broken = VirtualMouse::MousePointerCollection();
    broken.status = HidInterfaceStatus::CapabilitiesFailed;
    VirtualMouseOptions options;
    options.otherDevices = {broken};
    SimulatedMouse mouseWithBrokenCollection(options);
    mouseWithBrokenCollection.link.SetDeviceReady(true);
    HandleDeviceChange(mouseWithBrokenCollection.link, host, DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                       VirtualMouse::InterfacePath(MouseInterface::Command));
    EXPECT_EQ(host.messages, (std::vector<std::string>{MSG_CAPABILITIES_FAILED}));
    EXPECT_EQ(mouseWithBrokenCollection.notices, Notices({NOTICE_NOT_FOUND}));
    EXPECT_FALSE(mouseWithBrokenCollection.link.DeviceReady());
}

TEST_F(HotPlugTest, RemovalOfOneInterfaceWhileTheOtherAnswersKeepsTheMouse) {
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    sim.notices.clear();

    Announce(DEVICE_EVENT_REMOVE_COMPLETE, {sim.mouse.UnplugInterface(MouseInterface::Notice)});

    EXPECT_TRUE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, Notices({NOTICE_FOUND}));
    EXPECT_EQ(host.hides, 0);
}

TEST_F(HotPlugTest, RemovalOfTheLastInterfaceWarnsHidesAndClearsReady) {
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    sim.notices.clear();

    Announce(DEVICE_EVENT_REMOVE_COMPLETE, sim.mouse.Unplug());

    EXPECT_FALSE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, Notices({NOTICE_NOT_FOUND, NOTICE_NOT_FOUND}));
    EXPECT_EQ(host.hides, 2);
}

TEST_F(HotPlugTest, ReplugAfterRemovalFindsTheMouseAgain) {
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    Announce(DEVICE_EVENT_REMOVE_COMPLETE, sim.mouse.Unplug());
    sim.notices.clear();
    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    EXPECT_TRUE(sim.link.DeviceReady());
    EXPECT_EQ(sim.notices, Notices({NOTICE_FOUND, NOTICE_FOUND}));
    EXPECT_EQ(sim.mouse.OpenHandleCount(), 3u);
}

struct IgnoredCase {
    const char* name;
    std::uint32_t event;
    std::uint32_t deviceType;
    std::string deviceName;
};

void PrintTo(const IgnoredCase& c, std::ostream* os) {
    *os << c.name;
}

class IgnoredChangeTest : public testing::TestWithParam<IgnoredCase> {};

TEST_P(IgnoredChangeTest, CausesNoSearchAndNoNotice) {
    const IgnoredCase& c = GetParam();
    SimulatedMouse sim;
    RecordingHost host;
    EXPECT_TRUE(HandleDeviceChange(sim.link, host, c.event, c.deviceType, c.deviceName));
    EXPECT_TRUE(sim.notices.empty());
    EXPECT_EQ(sim.mouse.OpenHandleCount(), 0u) << "no search ran";
    EXPECT_EQ(host.hides, 0);
}

const std::string MOUSE_PATH = "\\\\?\\HID#VID_04D9&PID_A09F&MI_01&Col02#8&1a2b3c4d&0&0001#{x}";

INSTANTIATE_TEST_SUITE_P(
    Changes, IgnoredChangeTest,
    testing::Values(IgnoredCase{"UnrelatedDevice", DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                                VirtualMouse::UnrelatedKeyboard().path},
                    IgnoredCase{"UnrelatedRemoval", DEVICE_EVENT_REMOVE_COMPLETE, DEVICE_TYPE_INTERFACE,
                                VirtualMouse::UnrelatedKeyboard().path},
                    IgnoredCase{"LowerCase", DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                                "\\\\?\\hid#vid_04d9&pid_a09f#1"},
                    IgnoredCase{"MixedCaseOtherThanTheTwo", DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                                "\\\\?\\HID#VID_04d9&PID_a09f#1"},
                    IgnoredCase{"OtherProduct", DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                                "\\\\?\\HID#VID_04D9&PID_A09E#1"},
                    IgnoredCase{"OtherDeviceType", DEVICE_EVENT_ARRIVAL, 3, MOUSE_PATH},
                    IgnoredCase{"RemovePending", 0x8003, DEVICE_TYPE_INTERFACE, MOUSE_PATH},
                    IgnoredCase{"QueryRemove", 0x8001, DEVICE_TYPE_INTERFACE, MOUSE_PATH}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* what;
    std::string name;
    bool mouse;
};

class DeviceNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(DeviceNameTest, MatchesOnlyTheTwoSpellings) {
    EXPECT_EQ(DeviceNameBelongsToMouse(GetParam().name), GetParam().mouse);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DeviceNameTest,
    testing::Values(NameCase{"UpperCaseSpelling", "\\\\?\\HID#VID_04D9&PID_A09F&MI_01#x", true},
                    NameCase{"CapitalisedSpelling", "\\\\?\\HID#Vid_04d9&Pid_a09f&MI_01#x", true},
                    NameCase{"CapitalisedSpellingAlone", "Vid_04d9&Pid_a09f", true},
                    NameCase{"LowerCase", "\\\\?\\HID#vid_04d9&pid_a09f&mi_01#x", false},
                    NameCase{"TheTwoSpellingsMixed", "\\\\?\\HID#VID_04D9&Pid_a09f#x", false},
                    NameCase{"UnderscoreForAmpersand", "\\\\?\\HID#VID_04D9_PID_A09F#x", false},
                    NameCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(HotPlugTest, PluggingInStartsTheReaderAndADpiSwitchArrivesAsNotice) {
    std::promise<MouseNotice> dpiNotice;
    NoticeReader reader(sim.link, [&](const MouseNotice& n) {
        if (n.code == NOTICE_DPI) dpiNotice.set_value(n);
    });
    host.reader = &reader;

    Announce(DEVICE_EVENT_ARRIVAL, sim.mouse.PlugIn());
    ASSERT_TRUE(reader.Resumed());
    sim.mouse.InjectNotice(NOTICE_DPI, 2);

    auto delivered = dpiNotice.get_future();
    // A guard against a hang, not a measurement.
    ASSERT_EQ(delivered.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(delivered.get(), (MouseNotice{NOTICE_DPI, 2}));
    reader.Stop();
}

}  // namespace
}  // namespace kv12
