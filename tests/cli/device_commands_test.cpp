#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_test_support.h"
#include "core/ini_file.h"
#include "core/utf8_path.h"
#include "sim/virtual_mouse.h"
#include "tests/common/case_name.h"
#include "tests/common/skip.h"
#ifdef _WIN32
#include "device/device_link.h"
#include "win32/win_hid_backend.h"
#endif

namespace kv12::test {
namespace {

// The trace as JSON objects, one per line.
std::vector<nlohmann::json> ReadTrace(const TestFolder& folder, std::string_view name) {
    std::vector<nlohmann::json> lines;
    std::istringstream text(folder.Read(name));
    std::string line;
    while (std::getline(text, line)) lines.push_back(nlohmann::json::parse(line));
    return lines;
}

std::size_t CountOps(const std::vector<nlohmann::json>& trace, const std::string& op) {
    return static_cast<std::size_t>(
        std::count_if(trace.begin(), trace.end(), [&](const nlohmann::json& j) { return j["op"] == op; }));
}

TEST(Apply, SendsConfigToTheSimulatedMouseAndSavesBothFilesAsOkDoes) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    folder.Write("str.ini", SampleStrIni());

    const auto result = RunCliIn(folder, {"apply", "--device", "sim", "--sim-sensor-type", "2"});

    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string config = PathToUtf8(folder / "config.bin");
    const std::string strIniPath = PathToUtf8(folder / "str.ini");
    EXPECT_EQ(result.out, "Applied " + config + " to the mouse (sensor type 2)\nWrote " + config +
                              "\nWrote " + strIniPath + "\n");
    EXPECT_EQ(ReadBlock(folder), SampleBlock());
    EXPECT_EQ(folder.Read("config.bin")[0], '\x01');
    // The texts of the language in use, all sixteen keys, the others kept.
    const IniDocument strIni = IniDocument::Parse(folder.Read("str.ini"));
    EXPECT_EQ(strIni.Get("Setting-CHS", "Item1"), CHINESE_LABEL);
    EXPECT_EQ(strIni.Get("Setting-CHS", "Item83"), "");
    EXPECT_EQ(strIni.Get("Setting-EN", "Item1"), "Left Click");
    EXPECT_FALSE(strIni.Get("Setting-EN", "Item2"));
    EXPECT_EQ(strIni.Get("Skins", "Path"), "Black");
}

TEST(Apply, TraceHoldsEveryReportAndWaitAsJsonLines) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock());

    const auto result = RunCliIn(folder, {"apply", "--device", "sim", "--sim-order", "command-first",
                                          "--trace", DirArg(folder) + "/t.jsonl"});

    ASSERT_EQ(result.code, 0) << result.err;
    const auto trace = ReadTrace(folder, "t.jsonl");
    // Handshake 2, sensor initialisation 2, apply 38.
    EXPECT_EQ(CountOps(trace, "set_feature"), 42u);
    EXPECT_EQ(CountOps(trace, "get_feature"), 2u + 1u + 15u);
    EXPECT_EQ(CountOps(trace, "write"), 58u);
    EXPECT_EQ(CountOps(trace, "read"), 48u);
    int waited = 0;
    for (const auto& line : trace) {
        if (line["op"] == "wait") waited += line["ms"].get<int>();
        if (line["op"] == "set_feature") {
            EXPECT_EQ(line.size(), 3u);
            EXPECT_EQ(line["report"].get<std::string>().size(), 18u);
            EXPECT_EQ(line["command"].get<std::string>().size(), 16u);
        }
    }
    EXPECT_EQ(waited, 5 + 5 + 68 + 58 * 3);
    EXPECT_EQ(trace.front().dump(),
              R"({"command":"00aadd3b620000db","op":"set_feature","report":"0000aadd3b620000db"})");
    const std::string text = folder.Read("t.jsonl");
    EXPECT_EQ(text.substr(0, text.find('\n')),
              R"({"op":"set_feature","report":"0000aadd3b620000db","command":"00aadd3b620000db"})");
}

struct RefusedCase {
    const char* name;
    std::vector<std::string> options;
    const char* message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class ApplyRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(ApplyRefusedTest, FailsWithOneLineAndLeavesTheFilesAlone) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    std::vector<std::string> args = {"apply"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());

    const auto result = RunCliIn(folder, args);

    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, std::string("kv12ctl: ") + GetParam().message + "\n");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"config.bin"});
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyRefusedTest,
    testing::Values(RefusedCase{"PlainEcho",
                                {"--device", "sim", "--sim-handshake", "plain"},
                                "the mouse did not answer the handshake (check the scramble key and table)"},
                    RefusedCase{"Silence",
                                {"--device", "sim", "--sim-handshake", "none"},
                                "the mouse did not answer the handshake (check the scramble key and table)"},
                    RefusedCase{"BadScrambleKey",
                                {"--device", "sim", "--scramble-key", "0102"},
                                "--scramble-key \"0102\" is not 12 hexadecimal digits."},
                    RefusedCase{"BadScrambleTable",
                                {"--device", "sim", "--scramble-table", "zz02030405060708"},
                                "--scramble-table \"zz02030405060708\" is not 16 hexadecimal digits."}),
    [](const auto& info) { return std::string(info.param.name); });

#if defined(__linux__) || defined(_WIN32)
// Whether the mouse is plugged in: on Linux a hidraw node of it, on Windows a
// HID interface with its vendor and product (under Wine there never is one).
bool MousePluggedIn() {
#ifdef __linux__
    std::error_code error;
    for (const auto& node : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
        std::ifstream uevent(node.path() / "device" / "uevent");
        std::string line;
        while (std::getline(uevent, line)) {
            if (line.find("000004D9:0000A09F") != std::string::npos) return true;
        }
    }
    return false;
#else
    win32::WinHidBackend backend;
    std::vector<HidInterfaceInfo> interfaces;
    backend.Enumerate(interfaces);
    return std::any_of(interfaces.begin(), interfaces.end(), [](const HidInterfaceInfo& info) {
        return info.vendorId == MOUSE_VENDOR_ID && info.productId == MOUSE_PRODUCT_ID;
    });
#endif
}

class RealMouseAbsentTest : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(RealMouseAbsentTest, SaysNoMouseIsConnectedAndLeavesTheFilesAlone) {
    if (MousePluggedIn())
        KV12_SKIP_UNLESS_ALLOWED("the mouse is plugged in; this test needs a machine without it");
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    const auto result = RunCliIn(folder, GetParam());
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "kv12ctl: no mouse connected (HID vendor 04d9, product a09f)\n");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"config.bin"});
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}

// The real mouse is the default; "auto" is its earlier name.
INSTANTIATE_TEST_SUITE_P(Commands, RealMouseAbsentTest,
                         testing::Values(std::vector<std::string>{"apply"},
                                         std::vector<std::string>{"apply", "--device", "hid"},
                                         std::vector<std::string>{"apply", "--device", "auto"},
                                         std::vector<std::string>{"device", "info"},
                                         std::vector<std::string>{"device", "list"}),
                         // "applyDeviceHid": the command line in words.
                         [](const auto& info) {
                             std::string line;
                             for (const std::string& arg : info.param)
                                 line += (line.empty() ? "" : " ") + arg;
                             return CaseName(line);
                         });
#endif

TEST(DeviceList, ListsEachInterfaceOfTheSimulatedMouse) {
    TestFolder folder;
    const auto result =
        RunCliIn(folder, {"device", "list", "--device", "sim", "--sim-order", "command-first"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, VirtualMouse::InterfacePath(MouseInterface::Command) +
                              ": usage page 0xff00, usage 0xff00 (command), reports: feature 9, input 33, "
                              "output 33 bytes, can be opened\n" +
                              VirtualMouse::InterfacePath(MouseInterface::Notice) +
                              ": usage page 0xff01, usage 0xff01 (notice), reports: feature 0, input 9, "
                              "output 0 bytes, can be opened\n");
    EXPECT_EQ(result.err, "");
}

TEST(Apply, MissingConfigIsAFailureBeforeTheMouseIsTouched) {
    TestFolder folder;
    const auto result =
        RunCliIn(folder, {"apply", "--device", "sim", "--trace", DirArg(folder) + "/t.jsonl"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("config.bin"), std::string::npos);
    EXPECT_TRUE(folder.Files().empty());
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class DeviceUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(DeviceUsageTest, IsAUsageError) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock());
    const auto result = RunCliIn(folder, GetParam().args);
    EXPECT_EQ(result.code, 1) << result.err;
    EXPECT_NE(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceUsageTest,
    testing::Values(
        UsageCase{"UnknownDevice", {"apply", "--device", "usb"}},
        UsageCase{"UnknownOrder", {"apply", "--device", "sim", "--sim-order", "random"}},
        UsageCase{"UnknownHandshake", {"device", "info", "--device", "sim", "--sim-handshake", "maybe"}},
        UsageCase{"SensorTypeOutOfRange", {"apply", "--device", "sim", "--sim-sensor-type", "256"}},
        UsageCase{"SimOptionWithoutSim", {"apply", "--sim-sensor-type", "1"}},
        UsageCase{"DeviceWithoutCommand", {"device"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Apply, ScrambleSettingsOfStrIniAndTheCommandLineReachLinkAndSimulatorAlike) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock());
    folder.Write("str.ini", "[Device]\r\nScrambleKey=a1a2a3a4a5a6\r\nScrambleTable=0001020304050607\r\n");
    const std::string trace = DirArg(folder) + "/t.jsonl";

    const auto fromFile = RunCliIn(folder, {"apply", "--device", "sim", "--trace", trace});
    ASSERT_EQ(fromFile.code, 0) << fromFile.err;
    const std::string fileKeyChallenge = ReadTrace(folder, "t.jsonl")[3]["report"];

    const auto fromLine =
        RunCliIn(folder, {"--scramble-key", "B1B2B3B4B5B6", "apply", "--device", "sim", "--trace", trace});
    ASSERT_EQ(fromLine.code, 0) << fromLine.err;
    const std::string lineKeyChallenge = ReadTrace(folder, "t.jsonl")[3]["report"];

    // The scrambled challenge (the second attempt) differs with each key and from the shipped one.
    EXPECT_NE(fileKeyChallenge, "00c4f2dabadb5fb178");
    EXPECT_NE(lineKeyChallenge, "00c4f2dabadb5fb178");
    EXPECT_NE(fileKeyChallenge, lineKeyChallenge);
}

TEST(Apply, BadScrambleKeyInStrIniWarnsAndUsesTheShippedKey) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock());
    folder.Write("str.ini", "[Device]\r\nScrambleKey=nothex\r\n");
    const auto result =
        RunCliIn(folder, {"apply", "--device", "sim", "--trace", DirArg(folder) + "/t.jsonl"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err,
              "kv12ctl: warning: str.ini [Device] ScrambleKey \"nothex\" is not 12 hexadecimal digits; the "
              "built-in value is used.\n");
    EXPECT_EQ(ReadTrace(folder, "t.jsonl")[3]["report"], "00c4f2dabadb5fb178");
}

TEST(DeviceInfo, PrintsSensorLightingAndBothLedGroups) {
    TestFolder folder;
    const auto result = RunCliIn(folder, {"device", "info", "--device", "sim", "--sim-sensor-type", "3"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
              "Device: \\\\?\\HID#VID_04D9&PID_A09F&MI_01&Col02#8&1a2b3c4d&0&0001#"
              "{4d1e55b2-f16f-11cf-88cb-001111000030}\n"
              "Sensor state: type 03, rate 01, option 1 00, option 2 00\n"
              "Lighting state: effect 01, option 1 05, option 2 02\n"
              "LED group 0: 01 7d 0a\n"
              "LED group 1: 02 03 04\n");
    EXPECT_TRUE(folder.Files().empty()) << "info writes nothing";
}

TEST(DeviceInfo, FailsClearlyWhenNoMouseAnswers) {
    TestFolder folder;
    const auto result = RunCliIn(folder, {"device", "info", "--device", "sim", "--sim-handshake", "none"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "kv12ctl: the mouse did not answer the handshake (check the scramble key and table)\n");
}

struct LostMouseCase {
    const char* name;
    int handled;  // reports the simulated mouse handles before it is unplugged
    const char* message;
};

void PrintTo(const LostMouseCase& c, std::ostream* os) {
    *os << c.name;
}

class ApplyToALostMouseTest : public testing::TestWithParam<LostMouseCase> {};

// Reports 0..3 are the handshake, 4..6 the sensor initialisation, 7..165 the
// apply (see the device layer's test of every one of them).
TEST_P(ApplyToALostMouseTest, FailsWithOneLineNamingTheStepAndWritesNoFile) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    const auto result = RunCliIn(
        folder, {"apply", "--device", "sim", "--sim-unplug-after", std::to_string(GetParam().handled)});

    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, std::string("kv12ctl: ") + GetParam().message + "\n");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"config.bin"});
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyToALostMouseTest,
    testing::Values(
        LostMouseCase{"DuringTheHandshake", 3,
                      "the mouse did not answer the handshake (check the scramble key and table)"},
        LostMouseCase{"BeforeTheSensorIsRead", 4,
                      "the mouse did not take the settings: initialising the sensor: the command did not get "
                      "through; config.bin and str.ini were left as they were"},
        LostMouseCase{"BeforeTheSensorAnswers", 5,
                      "the mouse did not take the settings: initialising the sensor: the reply did not come "
                      "back; config.bin and str.ini were left as they were"},
        LostMouseCase{"BeforeTheReportRate", 7,
                      "the mouse did not take the settings: setting the report rate: the command did not get "
                      "through; config.bin and str.ini were left as they were"},
        LostMouseCase{"InAMacroWrite", 25,
                      "the mouse did not take the settings: writing macro slot 1: data report 3 of 4 did not "
                      "get through; config.bin and str.ini were left as they were"},
        LostMouseCase{
            "InAMacroReadBack", 84,
            "the mouse did not take the settings: reading back macro slot 1: data report 1 of 4 did "
            "not come back; config.bin and str.ini were left as they were"},
        LostMouseCase{"AtTheLastReport", 165,
                      "the mouse did not take the settings: writing key matrix 4: data report 2 of 2 did not "
                      "get through; config.bin and str.ini were left as they were"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Apply, AMouseThatHandlesEveryReportTakesTheSettings) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    const auto result = RunCliIn(folder, {"apply", "--device", "sim", "--sim-unplug-after", "166"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(folder.Read("config.bin")[0], '\x01');
}

TEST(Apply, ASaveThatFailsAfterTheMouseTookTheSettingsLeavesBothFilesAsTheyWere) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    folder.Write("str.ini", SampleStrIni());
    // A folder where config.bin's new contents would be staged.
    std::filesystem::create_directory(folder / "config.bin.kv12ctl-new");

    const auto result = RunCliIn(folder, {"apply", "--device", "sim"});

    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "kv12ctl: the mouse took the settings, but saving failed: cannot write " +
                              PathToUtf8(folder / "config.bin.kv12ctl-new") +
                              ": it is a folder; config.bin, str.ini were left as they were\n");
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
    EXPECT_EQ(folder.Read("str.ini"), SampleStrIni());
}

TEST(DeviceInfo, AMouseLostWhileItIsReadIsAFailureNotZeros) {
    TestFolder folder;
    const auto result = RunCliIn(folder, {"device", "info", "--device", "sim", "--sim-unplug-after", "6"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(
        result.err,
        "kv12ctl: the mouse did not answer: reading the lighting state: the command did not get through\n");
}

TEST(Apply, ATraceThatCannotBeCreatedIsAFailureBeforeAnythingIsSent) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    const std::string trace = DirArg(folder) + "/no-such-folder/t.jsonl";
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"apply"}, std::vector<std::string>{"device", "info"}}) {
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--device", "sim", "--trace", trace});
        const auto result = RunCliIn(folder, args);
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "kv12ctl: " + trace + ": cannot write the trace file\n");
    }
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"config.bin"});
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}

// Linux only: /dev/full opens and then refuses every write. Windows has no such
// device (NUL takes every byte); the trace that cannot be created, above, fails
// there the same way.
#ifdef __linux__
TEST(Apply, ATraceThatCannotBeWrittenIsAFailureBeforeAnythingIsSent) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock(), 0);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"apply"}, std::vector<std::string>{"device", "info"}}) {
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--device", "sim", "--trace", "/dev/full"});
        const auto result = RunCliIn(folder, args);
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.substr(0, 57), "kv12ctl: /dev/full: cannot write the trace: No space left")
            << result.err;
    }
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"config.bin"});
    EXPECT_EQ(folder.Read("config.bin")[0], '\0');
}
#endif

}  // namespace
}  // namespace kv12::test
