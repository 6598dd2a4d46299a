#include "core/settings_block.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kv12 {
namespace {

// Each accessor must land on the offset of the field map; writing a marker
// through it and finding it at the expected byte pins that down.
struct FieldCase {
    const char* name;
    std::size_t offset;
    std::uint8_t& (*field)(SettingsBlock&);
};

const FieldCase kFieldCases[] = {
    {"buttonTypeA[0]", 0, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonType(KeyMode::A, 0); }},
    {"buttonTypeA[7]", 7, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonType(KeyMode::A, 7); }},
    {"buttonParamA[1][0]", 8, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonParam(KeyMode::A, 1, 0); }},
    {"buttonParamA[15][7]", 127, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonParam(KeyMode::A, 15, 7); }},
    {"reserved[0]", 128, [](SettingsBlock& s) -> std::uint8_t& { return s.reserved(0); }},
    {"reserved[4]", 132, [](SettingsBlock& s) -> std::uint8_t& { return s.reserved(4); }},
    {"reportRate", 133, [](SettingsBlock& s) -> std::uint8_t& { return s.reportRate(); }},
    {"reserved[5]", 134, [](SettingsBlock& s) -> std::uint8_t& { return s.reserved(5); }},
    {"dpiStage[0]", 135, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiStage(0); }},
    {"dpiStage[3]", 138, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiStage(3); }},
    {"dpiStageEnabled[0]", 139, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiStageEnabled(0); }},
    {"dpiStageEnabled[3]", 142, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiStageEnabled(3); }},
    {"stageColor[0].r", 143, [](SettingsBlock& s) -> std::uint8_t& { return s.stageColor(0, ColorChannel::Red); }},
    {"stageColor[1].g", 147, [](SettingsBlock& s) -> std::uint8_t& { return s.stageColor(1, ColorChannel::Green); }},
    {"stageColor[3].b", 154, [](SettingsBlock& s) -> std::uint8_t& { return s.stageColor(3, ColorChannel::Blue); }},
    {"ledMode", 155, [](SettingsBlock& s) -> std::uint8_t& { return s.ledMode(); }},
    {"ledParam[0]", 156, [](SettingsBlock& s) -> std::uint8_t& { return s.ledParam(0); }},
    {"ledParam[2]", 158, [](SettingsBlock& s) -> std::uint8_t& { return s.ledParam(2); }},
    {"ledEffect mode 1", 159, [](SettingsBlock& s) -> std::uint8_t& { return s.ledEffectOfMode12(0); }},
    {"ledEffect mode 2", 160, [](SettingsBlock& s) -> std::uint8_t& { return s.ledEffectOfMode12(1); }},
    {"ledEffect3", 161, [](SettingsBlock& s) -> std::uint8_t& { return s.ledEffect3(); }},
    {"reserved[6]", 162, [](SettingsBlock& s) -> std::uint8_t& { return s.reserved(6); }},
    {"macroSlot[0][0]", 163, [](SettingsBlock& s) -> std::uint8_t& { return s.macroSlot(0)[0]; }},
    {"macroSlot[1][0]", 291, [](SettingsBlock& s) -> std::uint8_t& { return s.macroSlot(1)[0]; }},
    {"macroSlot[11][127]", 1698, [](SettingsBlock& s) -> std::uint8_t& { return s.macroSlot(11)[127]; }},
    {"pointerFlags[0]", 1699, [](SettingsBlock& s) -> std::uint8_t& { return s.pointerFlag(0); }},
    {"pointerFlags[1]", 1700, [](SettingsBlock& s) -> std::uint8_t& { return s.pointerFlag(1); }},
    {"pointerValues[0]", 1701, [](SettingsBlock& s) -> std::uint8_t& { return s.pointerValue(0); }},
    {"pointerValues[2]", 1703, [](SettingsBlock& s) -> std::uint8_t& { return s.pointerValue(2); }},
    {"keyMode", 1704, [](SettingsBlock& s) -> std::uint8_t& { return s.keyMode(); }},
    {"buttonTypeB[0]", 1705, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonType(KeyMode::B, 0); }},
    {"buttonTypeB[7]", 1712, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonType(KeyMode::B, 7); }},
    {"buttonParamB[1][0]", 1713, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonParam(KeyMode::B, 1, 0); }},
    {"buttonParamB[15][7]", 1832, [](SettingsBlock& s) -> std::uint8_t& { return s.buttonParam(KeyMode::B, 15, 7); }},
    {"dpiSwitchParamA[0]", 1833, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiSwitchParam(KeyMode::A, 0); }},
    {"dpiSwitchParamA[7]", 1840, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiSwitchParam(KeyMode::A, 7); }},
    {"dpiSwitchParamB[0]", 1841, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiSwitchParam(KeyMode::B, 0); }},
    {"dpiSwitchParamB[7]", 1848, [](SettingsBlock& s) -> std::uint8_t& { return s.dpiSwitchParam(KeyMode::B, 7); }},
};

TEST(SettingsBlockFieldMap, EachAccessorWritesItsOwnOffsetOnly) {
    for (const auto& c : kFieldCases) {
        SettingsBlock block;
        c.field(block) = 0xA5;
        for (std::size_t i = 0; i < SETTINGS_BLOCK_SIZE; ++i) {
            ASSERT_EQ(block.bytes[i], i == c.offset ? 0xA5 : 0) << c.name << " at byte " << i;
        }
    }
}

TEST(SettingsBlockFieldMap, OutOfRangeIndicesThrowInsteadOfTouchingMemory) {
    SettingsBlock block;
    const SettingsBlock& cblock = block;
    EXPECT_THROW(block.buttonType(KeyMode::A, 8), std::out_of_range);
    EXPECT_THROW(block.buttonType(KeyMode::B, -1), std::out_of_range);
    EXPECT_THROW(block.buttonParam(KeyMode::A, 0, 0), std::out_of_range);
    EXPECT_THROW(block.buttonParam(KeyMode::B, 16, 0), std::out_of_range);
    EXPECT_THROW(block.dpiSwitchParam(KeyMode::A, 8), std::out_of_range);
    EXPECT_THROW(block.dpiStage(4), std::out_of_range);
    EXPECT_THROW(cblock.dpiStageEnabled(-1), std::out_of_range);
    EXPECT_THROW(block.stageColor(4, ColorChannel::Red), std::out_of_range);
    EXPECT_THROW(block.stageColor(0, static_cast<ColorChannel>(3)), std::out_of_range);
    EXPECT_THROW(block.ledParam(3), std::out_of_range);
    EXPECT_THROW(block.ledEffectOfMode12(2), std::out_of_range);
    EXPECT_THROW(block.macroSlot(12), std::out_of_range);
    EXPECT_THROW(cblock.macroSlot(-1), std::out_of_range);
    EXPECT_THROW(block.pointerFlag(2), std::out_of_range);
    EXPECT_THROW(block.pointerValue(3), std::out_of_range);
    EXPECT_THROW(block.reserved(7), std::out_of_range);
    EXPECT_EQ(block, SettingsBlock{});
}

TEST(SettingsBlockDefaults, DefaultSetsTypesOfBothModesAndDpiLoopOnButtonSixOnly) {
    SettingsBlock block;
    block.keyMode() = 1;
    block.buttonParam(KeyMode::A, 10, 2) = 0x2C;
    block.dpiSwitchParam(KeyMode::A, 0) = 2;
    ApplyDefaultButtons(block);

    SettingsBlock expected;
    expected.keyMode() = 1;
    expected.buttonParam(KeyMode::A, 10, 2) = 0x2C;
    expected.dpiSwitchParam(KeyMode::A, 0) = 2;
    const std::uint8_t types[] = {0, 1, 2, 3, 4, 6, 15, 15};
    for (int b = 0; b < 8; ++b) {
        expected.bytes[static_cast<std::size_t>(b)] = types[b];
        expected.bytes[1705 + static_cast<std::size_t>(b)] = types[b];
    }
    expected.bytes[1833 + 5] = 3;
    expected.bytes[1841 + 5] = 3;
    EXPECT_EQ(block, expected);
}

}  // namespace
}  // namespace kv12
