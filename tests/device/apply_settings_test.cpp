#include "device/apply_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "device/dpi_stage_codes.h"
#include "device/mouse_commands.h"
#include "tests/core/test_folder.h"
#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;
using Bytes = std::vector<std::uint8_t>;

// The expectations below are built from the protocol's tables by hand: the
// checksum, the scrambling and the command layouts are written out here
// again rather than taken from the code under test.

Command Cmd(std::uint8_t b0, std::uint8_t b1 = 0, std::uint8_t b2 = 0, std::uint8_t b3 = 0,
            std::uint8_t b4 = 0, std::uint8_t b5 = 0, std::uint8_t b6 = 0) {
    const int sum = b0 + b1 + b2 + b3 + b4 + b5 + b6;
    return Command{b0, b1, b2, b3, b4, b5, b6, static_cast<std::uint8_t>(0xFF - (sum % 256))};
}

// The transform spelled out bit by bit.
Command ReferenceScramble(const Command& c, const ScrambleConfig& config) {
    Command s = {c[5], c[4], c[7], c[6], c[1], c[0], c[3], c[2]};
    for (int i = 1; i <= 6; ++i) s[i] = static_cast<std::uint8_t>(s[i] ^ config.key[i - 1]);
    Command r{};
    for (int bit = 0; bit < 64; ++bit) {
        const int from = (bit + 3) % 64;
        const int value = (s[from / 8] >> (7 - from % 8)) & 1;
        r[bit / 8] = static_cast<std::uint8_t>(r[bit / 8] | value << (7 - bit % 8));
    }
    for (int i = 0; i < 8; ++i) {
        const int t = config.table[i];
        r[i] = static_cast<std::uint8_t>(r[i] + ((t & 0x0F) << 4 | t >> 4));
    }
    return r;
}

class ExpectedTrace {
  public:
    void Set(const Command& c) { events.push_back({TraceOp::SetFeature, Wire(c), c, 0}); }
    void Get(const Command& c) { events.push_back({TraceOp::GetFeature, Wire(c), c, 0}); }
    void Write(const Bytes& chunk) { events.push_back({TraceOp::Write, Data(chunk), std::nullopt, 0}); }
    void Read(const Bytes& chunk) { events.push_back({TraceOp::Read, Data(chunk), std::nullopt, 0}); }
    void Wait(int ms) { events.push_back({TraceOp::Wait, {}, std::nullopt, ms}); }
    std::vector<TraceEvent> events;

  private:
    static Bytes Wire(const Command& c) {
        const Command scrambled = ReferenceScramble(c, DEFAULT_SCRAMBLE_CONFIG);
        Bytes report{0};
        report.insert(report.end(), scrambled.begin(), scrambled.end());
        return report;
    }
    static Bytes Data(Bytes chunk) {
        chunk.resize(32, 0);
        chunk.insert(chunk.begin(), 0);
        return chunk;
    }
};

std::string Hex(const Bytes& bytes) {
    std::string text;
    char two[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(two, sizeof two, "%02x", b);
        text += two;
    }
    return text;
}

// One line per event, so that a mismatch shows where the sequence parts.
std::vector<std::string> Describe(const std::vector<TraceEvent>& events) {
    static const char* const NAMES[] = {"set", "get", "write", "read", "wait"};
    std::vector<std::string> lines;
    for (const TraceEvent& e : events) {
        std::string line = NAMES[static_cast<int>(e.op)];
        if (e.op == TraceOp::Wait) line += " " + std::to_string(e.ms);
        line += " " + Hex(e.report);
        if (e.command) line += " cmd " + Hex(Bytes(e.command->begin(), e.command->end()));
        lines.push_back(line);
    }
    return lines;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// Macro slots 1, 2 and 12 carry macros; the others are empty.
Bytes MacroSlotBytes(int slot) {
    Bytes bytes(128, 0);
    if (slot == 1) bytes = {0x00, 0x01, 0x05, 0x04, 0x80, 0x04, 0x14, 0x03};
    if (slot == 2) {
        bytes = {0x01, 0x2C};  // 300 times
        for (int i = 0; i < 63; ++i) {
            bytes.push_back(static_cast<std::uint8_t>((i % 2 ? 0x80 : 0x00) | (i % 128)));
            bytes.push_back(static_cast<std::uint8_t>(0x04 + i / 2));
        }
    }
    if (slot == 12) bytes = {0xFF, 0xFF, 0x03, 0xF0, 0x83, 0xF0};
    bytes.resize(128, 0);
    return bytes;
}

// Matrices 1 and 3 entry by entry, from the key function table.
const std::vector<Bytes> MATRIX_1 = {
    {0x01, 0x00, 0xF0, 0x00},  // Left Click
    {0x01, 0x00, 0xF1, 0x00},  // Right Click
    {0x00, 0x02, 0x04, 0x05},  // Combo Key: left Shift + A + B
    {0x0A, 0xF0, 0x20, 0x03},  // Triple-click
    {0x07, 0x00, 0x01, 0x00},  // DPI +
    {0x09, 0x02, 0x02, 0x00},  // Macro Key: second macro, repeat until released
    {0x01, 0x00, 0xF4, 0x00},  // Forward
    {0x00, 0x00, 0x00, 0x00},  // kind 20: nothing
};
const std::vector<Bytes> MATRIX_3 = {
    {0x01, 0x00, 0xF0, 0x00},  // Left Click
    {0x0A, 0x2C, 0x20, 0x05},  // Fire Key: Space, speed 32, 5 times
    {0x08, 0x00, 0x03, 0x00},  // RGB On/Off
    {0x03, 0x00, 0x21, 0x02},  // Windows: Browser-Search
    {0x03, 0x00, 0xCD, 0x00},  // Multimedia: Play/Pause
    {0x00, 0x00, 0x29, 0x00},  // Single Key: Escape
    {0x08, 0x00, 0x02, 0x00},  // Shift
    {0x00, 0x00, 0x00, 0x00},  // Key Off
};

Bytes MatrixBytes(const std::vector<Bytes>& buttons) {
    Bytes matrix;
    for (const Bytes& entry : buttons) matrix.insert(matrix.end(), entry.begin(), entry.end());
    matrix.resize(56, 0);
    const Bytes fixed = {0x01, 0x00, 0xF7, 0x00, 0x01, 0x00, 0xF8, 0x00};
    matrix.insert(matrix.end(), fixed.begin(), fixed.end());
    return matrix;
}

SettingsBlock Profile(std::uint8_t ledMode, std::uint8_t ledEffect3) {
    SettingsBlock block;
    block.reportRate() = REPORT_RATE_500HZ;
    const std::uint8_t stages[] = {0, 4, 7, 2};
    const std::uint8_t enabled[] = {1, 1, 0, 1};
    const std::uint8_t colors[] = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x12, 0x34, 0x56, 0xFE, 0xDC, 0xBA};
    for (int k = 0; k < 4; ++k) {
        block.dpiStage(k) = stages[k];
        block.dpiStageEnabled(k) = enabled[k];
        for (int ch = 0; ch < 3; ++ch)
            block.stageColor(k, static_cast<ColorChannel>(ch)) = colors[3 * k + ch];
    }
    block.ledMode() = ledMode;
    block.ledParam(0) = 6;
    block.ledParam(1) = 3;
    block.ledParam(2) = 20;
    block.ledEffectOfMode12(0) = 0x77;  // shown only, never sent
    block.ledEffect3() = ledEffect3;
    for (int s = 0; s < 12; ++s) {
        const Bytes bytes = MacroSlotBytes(s + 1);
        std::copy(bytes.begin(), bytes.end(), block.macroSlot(s).begin());
    }
    block.keyMode() = 1;

    const std::uint8_t typesA[] = {0, 1, 12, 5, 6, 13, 3, 20};
    const std::uint8_t typesB[] = {0, 10, 7, 8, 9, 11, 14, 15};
    for (int b = 0; b < 8; ++b) {
        block.buttonType(KeyMode::A, b) = typesA[b];
        block.buttonType(KeyMode::B, b) = typesB[b];
        // Rows of other kinds hold leftovers that must not leak into the codes.
        for (int row = 1; row <= 15; ++row) {
            block.buttonParam(KeyMode::A, row, b) = 0x90;
            block.buttonParam(KeyMode::B, row, b) = 0x90;
        }
    }
    block.buttonParam(KeyMode::A, 11, 2) = 0x02;
    block.buttonParam(KeyMode::A, 12, 2) = 0x04;
    block.buttonParam(KeyMode::A, 13, 2) = 0x05;
    block.dpiSwitchParam(KeyMode::A, 4) = 1;
    block.buttonParam(KeyMode::A, 14, 5) = 1;
    block.buttonParam(KeyMode::A, 15, 5) = 2;
    block.buttonParam(KeyMode::B, 7, 1) = 0x2C;
    block.buttonParam(KeyMode::B, 8, 1) = 0x20;
    block.buttonParam(KeyMode::B, 9, 1) = 0x05;
    block.buttonParam(KeyMode::B, 4, 3) = 0x21;
    block.buttonParam(KeyMode::B, 5, 3) = 0x02;
    block.buttonParam(KeyMode::B, 2, 4) = 0xCD;
    block.buttonParam(KeyMode::B, 10, 5) = 0x29;
    return block;
}

struct LightingCase {
    const char* name;
    std::uint8_t ledMode;
    std::uint8_t ledEffect3;
    Bytes lighting;  // sent with 0x0D
    Bytes group0;    // sent with 0x07 group 0
};

void PrintTo(const LightingCase& c, std::ostream* os) {
    *os << c.name;
}

// What the mouse holds before the apply, so that "as read" is visible.
const Bytes READ_LIGHTING = {0x04, 0x09, 0x06};
const Bytes READ_GROUP0 = {0x05, 0x7D, 0x0A};
const Bytes READ_GROUP1 = {0x02, 0x03, 0x04};  // the factory's

ExpectedTrace ExpectedApply(const LightingCase& c) {
    ExpectedTrace t;
    t.Set(Cmd(0x01, 0x02));
    t.Set(Cmd(0x8D));
    t.Get(Cmd(0x8D, READ_LIGHTING[0], READ_LIGHTING[1], READ_LIGHTING[2]));
    t.Set(Cmd(0x87, 0x00));
    t.Get(Cmd(0x87, 0x00, READ_GROUP0[0], READ_GROUP0[1], READ_GROUP0[2]));
    t.Wait(2);
    // The same buffer again: the first reply's bytes ride along.
    t.Set(Cmd(0x87, 0x01, READ_GROUP0[0], READ_GROUP0[1], READ_GROUP0[2]));
    t.Get(Cmd(0x87, 0x01, READ_GROUP1[0], READ_GROUP1[1], READ_GROUP1[2]));
    t.Wait(2);

    t.Set(Cmd(0x10, 0x00, 0x00));
    t.Wait(2);
    t.Set(Cmd(0x10, 0x01, 24));
    t.Write({0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x12, 0x34, 0x56, 0xFE, 0xDC, 0xBA});
    t.Wait(3);
    t.Wait(2);

    t.Set(Cmd(0x07, 0x00, c.group0[0], c.group0[1], c.group0[2]));
    t.Wait(2);
    t.Set(Cmd(0x07, 0x01, READ_GROUP1[0], READ_GROUP1[1], READ_GROUP1[2]));
    t.Wait(2);
    t.Set(Cmd(0x0D, c.lighting[0], c.lighting[1], c.lighting[2]));

    // Sensor type 2: steps 0, 4, 7 (disabled), 2.
    t.Set(Cmd(0x11, 0x04, 0x08));
    t.Write({0x02, 0x0A, 0xAA, 0x06, 0x80, 0x80, 0x80, 0x80});
    t.Wait(3);

    for (std::uint8_t slot = 1; slot <= 12; ++slot) {
        t.Set(Cmd(0x13, slot, 0x80));
        for (std::size_t chunk = 0; chunk < 4; ++chunk) {
            t.Write(Slice(MacroSlotBytes(slot), 32 * chunk, 32));
            t.Wait(3);
        }
        t.Wait(2);
    }
    for (std::uint8_t slot = 1; slot <= 12; ++slot) {
        t.Set(Cmd(0x93, slot, slot == 1 ? 0x00 : 0x80));
        t.Get(Cmd(0x93, slot, 0x80));
        for (std::size_t chunk = 0; chunk < 4; ++chunk) t.Read(Slice(MacroSlotBytes(slot), 32 * chunk, 32));
        t.Wait(2);
    }
    const Bytes matrices[4] = {MatrixBytes(MATRIX_1), Bytes(64, 0), MatrixBytes(MATRIX_3), Bytes(64, 0)};
    for (std::uint8_t number = 1; number <= 4; ++number) {
        t.Set(Cmd(0x12, number, 0x40));
        for (std::size_t chunk = 0; chunk < 2; ++chunk) {
            t.Write(Slice(matrices[number - 1], 32 * chunk, 32));
            t.Wait(3);
        }
        t.Wait(2);
    }
    return t;
}

VirtualMouseOptions SensorType2() {
    VirtualMouseOptions options;
    options.sensorType = 2;
    return options;
}

// Connected, the sensor initialised and the lighting the tests expect read
// back; the mouse's trace starts empty.
void PrepareMouse(SimulatedMouse& sim) {
    ASSERT_TRUE(sim.Connect());
    InitialiseSensor(sim.link);
    WriteLightingState(sim.link, {READ_LIGHTING[0], READ_LIGHTING[1], READ_LIGHTING[2]});
    WriteLedOptions(sim.link, 0, {READ_GROUP0[0], READ_GROUP0[1], READ_GROUP0[2]});
    sim.mouse.ClearTrace();
}

class ApplyToMouse : public testing::Test {
  protected:
    ApplyToMouse() : sim(SensorType2()) {}

    void SetUp() override {
        PrepareMouse(sim);
        files.config = folder / "config.bin";
        files.preferences = folder / "str.ini";
        files.languageSection = "Setting-EN";
        for (int i = 0; i < ITEM_TEXT_COUNT; ++i) files.itemTexts[i] = "Button " + std::to_string(i);
        files.itemTexts[15] = "";
    }

    SimulatedMouse sim;
    test::TestFolder folder;
    ApplyFiles files;
};

class ApplyTraceTest : public ApplyToMouse, public testing::WithParamInterface<LightingCase> {};

TEST_P(ApplyTraceTest, SendsEveryReportAndWaitInOrder) {
    const LightingCase& c = GetParam();
    const SettingsBlock block = Profile(c.ledMode, c.ledEffect3);

    const ApplyResult result = ApplySettings(sim.link, block, files);

    EXPECT_TRUE(result.sent);
    EXPECT_EQ(Describe(sim.mouse.Trace()), Describe(ExpectedApply(c).events));
    EXPECT_EQ(sim.mouse.Trace(), ExpectedApply(c).events);
    EXPECT_TRUE(sim.mouse.RejectedCommands().empty());
}

TEST_P(ApplyTraceTest, LeavesTheMouseHoldingTheProfile) {
    const LightingCase& c = GetParam();
    ApplySettings(sim.link, Profile(c.ledMode, c.ledEffect3), files);

    const MouseFirmwareState firmware = sim.mouse.Firmware();
    EXPECT_EQ(firmware.reportRate, 2);
    EXPECT_EQ(Bytes(firmware.lightingState.begin(), firmware.lightingState.end()), c.lighting);
    EXPECT_EQ(Bytes(firmware.ledGroups[0].begin(), firmware.ledGroups[0].end()), c.group0);
    EXPECT_EQ(Bytes(firmware.ledGroups[1].begin(), firmware.ledGroups[1].end()), READ_GROUP1);
    EXPECT_EQ(firmware.dpiStageCount, 4);
    EXPECT_EQ(Bytes(firmware.keyMatrices[0].begin(), firmware.keyMatrices[0].end()), MatrixBytes(MATRIX_1));
    EXPECT_EQ(Bytes(firmware.keyMatrices[2].begin(), firmware.keyMatrices[2].end()), MatrixBytes(MATRIX_3));
    for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(Bytes(firmware.macroSlots[s].begin(), firmware.macroSlots[s].end()), MacroSlotBytes(s + 1));
    }
    // The read-back landed in the device image.
    const DeviceImage& image = sim.link.state().image;
    EXPECT_EQ(Bytes(image.macroImage.begin() + 128, image.macroImage.begin() + 256), MacroSlotBytes(2));
}

INSTANTIATE_TEST_SUITE_P(
    LightingModes, ApplyTraceTest,
    testing::Values(LightingCase{"OffWritesBackWhatWasRead", 0, 2, READ_LIGHTING, READ_GROUP0},
                    LightingCase{"Standard", 1, 2, {0x01, 0x07, 0x02}, {0x01, 0x7D, 0x0A}},
                    LightingCase{"Respiration", 2, 2, {0x02, 0x04, 0x02}, {0x01, 0x7D, 0x0A}},
                    LightingCase{"NeonEffect2", 3, 2, {0x03, 0x15, 0x06}, {0x02, 0x7D, 0x0A}},
                    LightingCase{"NeonEffect3", 3, 3, {0x03, 0x15, 0x06}, {0x03, 0x0A, 0x0A}},
                    LightingCase{"NeonOtherEffectKeepsGroup0", 3, 0, {0x03, 0x15, 0x06}, READ_GROUP0},
                    LightingCase{"UnknownModeWritesBackWhatWasRead", 7, 3, READ_LIGHTING, READ_GROUP0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplyToMouse, WaitsAndTransfersAddUpToTheProtocolsFloor) {
    ApplySettings(sim.link, Profile(1, 2), files);
    int waited = 0;
    std::size_t transfers = 0;
    for (const TraceEvent& e : sim.mouse.Trace()) {
        if (e.op == TraceOp::Wait) {
            waited += e.ms;
        } else {
            ++transfers;
        }
    }
    // 68 ms between commands, 3 ms after each of 58 written chunks.
    EXPECT_EQ(waited, 68 + 58 * 3);
    // 38 commands, 15 replies, 58 chunks written, 48 read.
    EXPECT_EQ(transfers, 38u + 15u + 58u + 48u);
}

TEST_F(ApplyToMouse, SavesConfigAndTheSixteenItemTexts) {
    const SettingsBlock block = Profile(1, 2);
    const ApplyResult result = ApplySettings(sim.link, block, files);

    EXPECT_TRUE(result.configWritten);
    EXPECT_TRUE(result.preferencesWritten);
    EXPECT_TRUE(result.messages.empty());
    const auto config = ReadFileBytes(files.config);
    ASSERT_TRUE(config);
    ASSERT_EQ(config->size(), 1850u);
    EXPECT_EQ((*config)[0], 1);
    EXPECT_TRUE(std::equal(block.bytes.begin(), block.bytes.end(), config->begin() + 1));
    const IniDocument ini = IniDocument::Load(files.preferences);
    EXPECT_EQ(ini.Get("Setting-EN", "Item1"), "Button 0");
    EXPECT_EQ(ini.Get("Setting-EN", "Item13"), "Button 8");
    EXPECT_EQ(ini.Get("Setting-EN", "Item83"), "");
}

TEST_F(ApplyToMouse, ReportsAConfigThatCannotBeWrittenAndStillSavesTheTexts) {
    std::filesystem::create_directory(files.config);  // a folder where config.bin should be
    const ApplyResult result = ApplySettings(sim.link, Profile(1, 2), files);
    EXPECT_FALSE(result.configWritten);
    EXPECT_TRUE(result.preferencesWritten);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].caption, "NULL ==fp ");
}

// The step a command belongs to, spelt out from the command table.
std::string StepOf(const Command& command) {
    const std::string n = std::to_string(command[1]);
    switch (command[0]) {
        case 0x01:
            return "setting the report rate";
        case 0x8D:
            return "reading the lighting state";
        case 0x87:
            return "reading LED option group " + n;
        case 0x10:
            return command[1] == 0 ? "announcing the stage colours" : "writing the stage colours";
        case 0x07:
            return "writing LED option group " + n;
        case 0x0D:
            return "writing the lighting state";
        case 0x11:
            return "writing the DPI stages";
        case 0x13:
            return "writing macro slot " + n;
        case 0x93:
            return "reading back macro slot " + n;
        case 0x12:
            return "writing key matrix " + n;
        default:
            return "unknown command";
    }
}

// What the apply must report when transfer `lost` (counted from 0) of the
// expected exchange is the first one the mouse does not handle.
SendFailure ExpectedFailure(const std::vector<TraceEvent>& exchange, std::size_t lost) {
    std::vector<TraceEvent> transfers;
    for (const TraceEvent& e : exchange) {
        if (e.op != TraceOp::Wait) transfers.push_back(e);
    }
    std::size_t command = lost;
    while (transfers[command].op != TraceOp::SetFeature) --command;
    TransferFailure failure{transfers[lost].op, *transfers[command].command, 0, 0, ""};
    if (failure.op == TraceOp::Write || failure.op == TraceOp::Read) {
        for (std::size_t i = command + 1; i < transfers.size() && transfers[i].op != TraceOp::SetFeature;
             ++i) {
            if (transfers[i].op != failure.op) continue;
            ++failure.chunkCount;
            if (i <= lost) ++failure.chunk;
        }
    }
    return SendFailure{StepOf(failure.command), failure};
}

TEST(ApplySettings, AMouseLostAtAnyTransferEndsTheApplyThereAndWritesNoFile) {
    const LightingCase lighting{"Standard", 1, 2, {0x01, 0x07, 0x02}, {0x01, 0x7D, 0x0A}};
    const std::vector<TraceEvent> exchange = ExpectedApply(lighting).events;
    const auto transfers = static_cast<std::size_t>(std::count_if(
        exchange.begin(), exchange.end(), [](const TraceEvent& e) { return e.op != TraceOp::Wait; }));
    ASSERT_EQ(transfers, 159u);

    for (std::size_t handled = 0; handled <= transfers; ++handled) {
        SCOPED_TRACE("unplugged after " + std::to_string(handled) + " transfers");
        SimulatedMouse sim(SensorType2());
        PrepareMouse(sim);
        test::TestFolder folder;
        const ApplyFiles files{folder / "config.bin", folder / "str.ini", "Setting-EN", {}};
        TraceRecorder linkTrace;
        sim.link.SetTraceSink(&linkTrace);
        sim.mouse.UnplugAfterTransfers(handled);

        const ApplyResult result =
            ApplySettings(sim.link, Profile(lighting.ledMode, lighting.ledEffect3), files);

        EXPECT_TRUE(result.sent);
        if (handled == transfers) {
            EXPECT_TRUE(result.MouseTookSettings());
            EXPECT_EQ(folder.Files(), (std::vector<std::string>{"config.bin", "str.ini"}));
            continue;
        }
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(*result.failure, ExpectedFailure(exchange, handled));
        EXPECT_FALSE(result.MouseTookSettings());
        EXPECT_FALSE(result.configWritten);
        EXPECT_FALSE(result.preferencesWritten);
        EXPECT_TRUE(folder.Files().empty());
        // Nothing follows the lost transfer but the reply fetch of its own command.
        std::vector<TraceEvent> attempted;
        for (const TraceEvent& e : linkTrace.events) {
            if (e.op != TraceOp::Wait) attempted.push_back(e);
        }
        ASSERT_GT(attempted.size(), handled);
        const bool replyFollows = attempted.size() == handled + 2 &&
                                  attempted[handled].op == TraceOp::SetFeature &&
                                  attempted.back().op == TraceOp::GetFeature;
        EXPECT_TRUE(attempted.size() == handled + 1 || replyFollows) << attempted.size();
        EXPECT_NE(linkTrace.events.back().op, TraceOp::Wait) << "no wait after the lost transfer";
    }
}

struct DescribeCase {
    const char* name;
    SendFailure failure;
    const char* text;
};

void PrintTo(const DescribeCase& c, std::ostream* os) {
    *os << c.name;
}

class DescribeSendFailureTest : public testing::TestWithParam<DescribeCase> {};

TEST_P(DescribeSendFailureTest, NamesTheStepTheTransferAndTheReason) {
    EXPECT_EQ(DescribeSendFailure(GetParam().failure), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, DescribeSendFailureTest,
    testing::Values(
        DescribeCase{"Command",
                     {"setting the report rate", {TraceOp::SetFeature, Cmd(0x01, 2), 0, 0, ""}},
                     "setting the report rate: the command did not get through"},
        DescribeCase{"Reply",
                     {"reading the lighting state", {TraceOp::GetFeature, Cmd(0x8D), 0, 0, "Broken pipe"}},
                     "reading the lighting state: the reply did not come back (Broken pipe)"},
        DescribeCase{"Write",
                     {"writing key matrix 3", {TraceOp::Write, Cmd(0x12, 3, 0x40), 2, 2, ""}},
                     "writing key matrix 3: data report 2 of 2 did not get through"},
        DescribeCase{"Read",
                     {"reading back macro slot 7", {TraceOp::Read, Cmd(0x93, 7), 1, 4, "timed out"}},
                     "reading back macro slot 7: data report 1 of 4 did not come back (timed out)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyNotTakenMessage, SaysSoInEachInterfaceLanguage) {
    const std::string english = ApplyNotTakenMessage(Language::English).text;
    const std::string simplified = ApplyNotTakenMessage(Language::SimplifiedChinese).text;
    const std::string traditional = ApplyNotTakenMessage(Language::TraditionalChinese).text;
    EXPECT_NE(english.find("did not take the settings"), std::string::npos);
    EXPECT_NE(simplified.find("鼠标"), std::string::npos);
    EXPECT_NE(traditional.find("滑鼠"), std::string::npos);
    EXPECT_NE(english, simplified);
    EXPECT_NE(simplified, traditional);
    EXPECT_EQ(ApplyNotTakenMessage(Language::English).caption, "");
}

TEST(ApplySettings, WithoutAMouseSendsNothingAndWritesNoFile) {
    VirtualMouseOptions options;
    options.pluggedIn = false;
    SimulatedMouse sim(options);
    EXPECT_FALSE(sim.Connect());
    sim.link.SetDeviceReady(false);  // as the caller does after a failed search
    test::TestFolder folder;
    ApplyFiles files{folder / "config.bin", folder / "str.ini", "Setting-EN", {}};

    const ApplyResult result = ApplySettings(sim.link, Profile(1, 2), files);

    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.configWritten);
    EXPECT_FALSE(result.preferencesWritten);
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_TRUE(sim.mouse.Trace().empty());
}

TEST(InitialiseSensor, TakesTheSensorTypeAndSetsBitSixOfOptionTwo) {
    VirtualMouseOptions options;
    options.sensorType = 1;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.Connect());
    sim.mouse.ClearTrace();

    InitialiseSensor(sim.link);

    EXPECT_EQ(sim.link.state().sensorType, 1);
    EXPECT_EQ(sim.link.state().image.sensorState, (SensorState{1, 1, 0, 0}));
    EXPECT_EQ(sim.mouse.Firmware().sensorState, (SensorState{1, 1, 0, 0x40}));
    ExpectedTrace expected;
    expected.Set(Cmd(0x83));
    expected.Get(Cmd(0x83, 1, 1, 0, 0));
    expected.Set(Cmd(0x03, 1, 1, 0, 0x40));
    EXPECT_EQ(Describe(sim.mouse.Trace()), Describe(expected.events));
}

struct DpiCase {
    std::uint8_t sensorType;
    std::uint8_t step;
    bool enabled;
    std::uint8_t code;
};

class DpiStageCodeTest : public testing::TestWithParam<DpiCase> {};

TEST_P(DpiStageCodeTest, LooksUpTheSensorsRowAndMarksDisabledStages) {
    const DpiCase& c = GetParam();
    EXPECT_EQ(DpiStageCode(c.sensorType, c.step, c.enabled), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DpiStageCodeTest,
    testing::Values(DpiCase{0, 0, true, 0x01}, DpiCase{0, 3, false, 0x84}, DpiCase{0, 8, true, 0x25},
                    DpiCase{0, 11, true, 0x28}, DpiCase{1, 5, true, 0x23}, DpiCase{1, 7, false, 0xA5},
                    DpiCase{2, 4, true, 0x0A}, DpiCase{2, 4, false, 0x8A}, DpiCase{3, 7, true, 0x08},
                    // Unknown sensor: code 0, still carrying the disabled bit.
                    DpiCase{4, 0, true, 0x00}, DpiCase{9, 2, false, 0x80},
                    // A step beyond the sensor's row reads no neighbouring row.
                    DpiCase{1, 8, true, 0x00}, DpiCase{3, 11, false, 0x80}, DpiCase{0, 12, true, 0x00}),
    [](const auto& info) {
        return "Sensor" + std::to_string(info.param.sensorType) + "_Step" + std::to_string(info.param.step) +
               (info.param.enabled ? "_Enabled" : "_Disabled");
    });

}  // namespace
}  // namespace kv12
