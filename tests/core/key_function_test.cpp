#include "core/key_function.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <vector>

#include "core/key_tables.h"
#include "core/settings_block.h"
#include "tests/common/case_name.h"

namespace kv12 {
namespace {

KeyFunctionCode Code(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return {b0, b1, b2, b3};
}

// Row r holds 0x10 * r, so a code that reads the wrong row shows it.
ButtonParams DistinctRows() {
    ButtonParams p{};
    for (int r = PARAM_ROW_FIRST; r <= PARAM_ROW_LAST; ++r) {
        p[static_cast<std::size_t>(r)] = static_cast<std::uint8_t>(0x10 * r);
    }
    return p;
}

struct KindCase {
    int kind;
    KeyFunctionCode expected;
};

class EncodeEveryKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(EncodeEveryKind, GivesTheCodeOfItsKindFromItsOwnRows) {
    const KindCase& c = GetParam();
    EXPECT_EQ(EncodeKeyFunction(static_cast<std::uint8_t>(c.kind), DistinctRows(), 2), c.expected)
        << "kind " << c.kind;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(KeyFunction, EncodeEveryKind, ::testing::Values(
    KindCase{0, Code(0x01, 0x00, 0xF0, 0x00)},
    KindCase{1, Code(0x01, 0x00, 0xF1, 0x00)},
    KindCase{2, Code(0x01, 0x00, 0xF2, 0x00)},
    KindCase{3, Code(0x01, 0x00, 0xF4, 0x00)},    // forward: fifth button
    KindCase{4, Code(0x01, 0x00, 0xF3, 0x00)},    // backward: fourth button
    KindCase{5, Code(0x0A, 0xF0, 0x20, 0x03)},    // fire rows ignored
    KindCase{6, Code(0x07, 0x00, 0x02, 0x00)},    // the DPI step
    KindCase{7, Code(0x08, 0x00, 0x03, 0x00)},
    KindCase{8, Code(0x03, 0x00, 0x40, 0x50)},    // rows 4, 5
    KindCase{9, Code(0x03, 0x00, 0x20, 0x00)},    // row 2
    KindCase{10, Code(0x0A, 0x70, 0x80, 0x90)},   // rows 7, 8, 9
    KindCase{11, Code(0x00, 0x00, 0xA0, 0x00)},   // row 10
    KindCase{12, Code(0x00, 0xB0, 0xC0, 0xD0)},   // rows 11, 12, 13
    KindCase{13, Code(0x09, 0xF0, 0xE1, 0x00)},   // row 15, row 14 + 1
    KindCase{14, Code(0x08, 0x00, 0x02, 0x00)},
    KindCase{15, Code(0x00, 0x00, 0x00, 0x00)},
    KindCase{16, Code(0x00, 0x00, 0x00, 0x00)},
    KindCase{200, Code(0x00, 0x00, 0x00, 0x00)},
    KindCase{255, Code(0x00, 0x00, 0x00, 0x00)}),
    [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });
// clang-format on

TEST(KeyFunctionCode, ReadsLittleEndianWithTheCodeTypeLowest) {
    EXPECT_EQ(CodeValue(Code(0x01, 0x00, 0xF0, 0x00)), 0x00F00001u);
    EXPECT_EQ(CodeValue(Code(0x0A, 0xF0, 0x20, 0x03)), 0x0320F00Au);
}

TEST(KeyFunctionEdgeCases, UnconfirmedFireKeyEncodesAsBareFireCode) {
    EXPECT_EQ(CodeValue(EncodeKeyFunction(10, ButtonParams{}, 0)), 0x0000000Au);
}

TEST(KeyFunctionEdgeCases, MacroPositionTwoFiftyFiveWrapsToMacroNumberZero) {
    ButtonParams p{};
    p[14] = 255;
    p[15] = 2;
    EXPECT_EQ(EncodeKeyFunction(13, p, 0), Code(0x09, 0x02, 0x00, 0x00));
}

TEST(KeyFunctionEdgeCases, TripleClickIgnoresTheFireRows) {
    ButtonParams p{};
    p.fill(0xFF);
    EXPECT_EQ(CodeValue(EncodeKeyFunction(5, p, 0xFF)), 0x0320F00Au);
}

TEST(KeyFunctionEdgeCases, WindowsFunctionCarriesTheUsageLittleEndian) {
    struct Case {
        int position;
        KeyFunctionCode expected;
    };
    for (const Case& c : {Case{4, Code(0x03, 0x00, 0x21, 0x02)}, Case{0, Code(0x03, 0x00, 0x83, 0x01)}}) {
        ButtonParams p{};
        p[3] = static_cast<std::uint8_t>(c.position);
        p[4] = static_cast<std::uint8_t>(AppUsage(c.position) & 0xFF);
        p[5] = AppUsageHighByte(c.position);
        EXPECT_EQ(EncodeKeyFunction(8, p, 0), c.expected) << "position " << c.position;
    }
}

TEST(KeyFunctionEdgeCases, ComboKeyLeavesUnchosenPartsZero) {
    ButtonParams modifierOnly{};
    modifierOnly[11] = ModifierBitByName("Left Shift");
    modifierOnly[12] = KeyUsageByName("");
    modifierOnly[13] = KeyUsageByName("");
    EXPECT_EQ(EncodeKeyFunction(12, modifierOnly, 0), Code(0x00, 0x02, 0x00, 0x00));

    ButtonParams twoKeys{};
    twoKeys[11] = ModifierBitByName("");
    twoKeys[12] = KeyUsageByName("A");
    twoKeys[13] = KeyUsageByName("B");
    EXPECT_EQ(EncodeKeyFunction(12, twoKeys, 0), Code(0x00, 0x00, 0x04, 0x05));
}

std::vector<std::uint32_t> Entries(const KeyMatrix& m) {
    std::vector<std::uint32_t> values;
    for (std::size_t j = 0; j < 16; ++j) {
        values.push_back(CodeValue(Code(m[4 * j], m[4 * j + 1], m[4 * j + 2], m[4 * j + 3])));
    }
    return values;
}

const std::vector<std::uint32_t> kZeroMatrix(16, 0);

TEST(BuildKeyMatrices, AllZeroBlockMakesEveryButtonLeftClick) {
    const auto matrices = BuildKeyMatrices(SettingsBlock{});
    const std::vector<std::uint32_t> expected = {
        0x00F00001, 0x00F00001, 0x00F00001, 0x00F00001, 0x00F00001, 0x00F00001, 0x00F00001, 0x00F00001,
        0,          0,          0,          0,          0,          0,          0x00F70001, 0x00F80001};
    EXPECT_EQ(Entries(matrices[0]), expected);
    EXPECT_EQ(Entries(matrices[1]), kZeroMatrix);
    EXPECT_EQ(Entries(matrices[2]), expected);
    EXPECT_EQ(Entries(matrices[3]), kZeroMatrix);
}

TEST(BuildKeyMatrices, DefaultsGiveTheFactoryMatrices) {
    SettingsBlock block;
    ApplyDefaultButtons(block);
    const std::vector<std::uint32_t> expected = {
        0x00F00001, 0x00F10001, 0x00F20001, 0x00F40001, 0x00F30001, 0x00030007, 0,          0,
        0,          0,          0,          0,          0,          0,          0x00F70001, 0x00F80001};
    const auto matrices = BuildKeyMatrices(block);
    EXPECT_EQ(Entries(matrices[0]), expected);
    EXPECT_EQ(Entries(matrices[1]), kZeroMatrix);
    EXPECT_EQ(Entries(matrices[2]), expected);
    EXPECT_EQ(Entries(matrices[3]), kZeroMatrix);
}

// Mode A and Mode B differ in every button, so a matrix built from the wrong
// table, row or button shows.
SettingsBlock TwoDifferentModes() {
    SettingsBlock block;
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        block.buttonType(KeyMode::A, b) = 11;  // Single Key
        block.buttonParam(KeyMode::A, 10, b) = static_cast<std::uint8_t>(0x04 + b);
        block.buttonType(KeyMode::B, b) = 6;  // DPI Switch
        block.dpiSwitchParam(KeyMode::B, b) = static_cast<std::uint8_t>(0x20 + b);
        block.dpiSwitchParam(KeyMode::A, b) = 0x77;  // belongs to a kind A does not use
        block.buttonParam(KeyMode::B, 10, b) = 0x66;
    }
    return block;
}

TEST(BuildKeyMatrices, MatrixOneIsModeAAndMatrixThreeIsModeB) {
    const auto matrices = BuildKeyMatrices(TwoDifferentModes());
    const auto a = Entries(matrices[0]);
    const auto b = Entries(matrices[2]);
    for (std::size_t j = 0; j < 8; ++j) {
        EXPECT_EQ(a[j], CodeValue(Code(0x00, 0x00, static_cast<std::uint8_t>(0x04 + j), 0x00)))
            << "entry " << j;
        EXPECT_EQ(b[j], CodeValue(Code(0x07, 0x00, static_cast<std::uint8_t>(0x20 + j), 0x00)))
            << "entry " << j;
    }
    for (const auto* m : {&a, &b}) {
        EXPECT_EQ((*m)[14], 0x00F70001u);
        EXPECT_EQ((*m)[15], 0x00F80001u);
    }
}

TEST(BuildKeyMatrices, KeyModeAloneChangesNothing) {
    SettingsBlock block = TwoDifferentModes();
    block.keyMode() = 0;
    const auto before = BuildKeyMatrices(block);
    block.keyMode() = 1;
    EXPECT_EQ(BuildKeyMatrices(block), before);
}

TEST(ButtonParamsOf, GathersRowsOneToFifteenOfOneButtonInOneMode) {
    SettingsBlock block;
    for (int r = PARAM_ROW_FIRST; r <= PARAM_ROW_LAST; ++r) {
        block.buttonParam(KeyMode::B, r, 3) = static_cast<std::uint8_t>(r * 7);
        block.buttonParam(KeyMode::A, r, 3) = 0xEE;
        block.buttonParam(KeyMode::B, r, 2) = 0xDD;
    }
    const ButtonParams p = ButtonParamsOf(block, KeyMode::B, 3);
    EXPECT_EQ(p[0], 0);
    for (int r = PARAM_ROW_FIRST; r <= PARAM_ROW_LAST; ++r) {
        EXPECT_EQ(p[static_cast<std::size_t>(r)], r * 7) << "row " << r;
    }
}

TEST(ButtonParamsOf, RejectsAButtonOutsideTheTable) {
    EXPECT_THROW(ButtonParamsOf(SettingsBlock{}, KeyMode::A, 8), std::out_of_range);
    EXPECT_THROW(ButtonParamsOf(SettingsBlock{}, KeyMode::A, -1), std::out_of_range);
}

}  // namespace
}  // namespace kv12
