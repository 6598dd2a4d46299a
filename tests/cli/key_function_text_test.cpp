#include "cli/key_function_text.h"

#include <gtest/gtest.h>

namespace kv12 {
namespace {

// Parameter rows from (row, value) pairs; every other row 0.
ButtonParams Rows(std::initializer_list<std::pair<int, std::uint8_t>> rows) {
    ButtonParams params{};
    for (const auto& [row, value] : rows) params[static_cast<std::size_t>(row)] = value;
    return params;
}

TEST(DescribeKeyFunction, NamesEachKindWithTheParametersItsCodeCarries) {
    const std::vector<std::string> macros = {"Copy", "Paste", "\xE5\xA4\x8D\xE5\x88\xB6"};
    struct Case {
        std::uint8_t kind;
        ButtonParams params;
        std::uint8_t dpiStep;
        std::string text;
    } cases[] = {
        {0, {}, 0, "Left Click"},
        {5, Rows({{7, 0x04}}), 0, "Triple-click"},
        {14, {}, 0, "Shift"},
        {15, {}, 0, "Key Off"},
        {6, {}, 3, "DPI Switch: DPI Loop"},
        {6, {}, 1, "DPI Switch: DPI +"},
        {6, {}, 9, "DPI Switch: step 9 (unknown)"},
        {9, Rows({{1, 5}, {2, 0xE9}}), 0, "Multimedia: Vol+"},
        // The encoder reads the usage (row 2), not the stored list position (row 1).
        {9, Rows({{1, 0}, {2, 0xE2}}), 0, "Multimedia: Mute"},
        {9, Rows({{2, 0x30}}), 0, "Multimedia: consumer usage 0x0030"},
        {8, Rows({{3, 2}, {4, 0x92}, {5, 0x01}}), 0, "Windows: Calculator"},
        {8, Rows({{4, 0x21}, {5, 0x02}}), 0, "Windows: Browser-Search"},
        {8, Rows({{4, 0x21}, {5, 0x01}}), 0, "Windows: consumer usage 0x0121"},
        {11, Rows({{10, 0x28}}), 0, "Single Key: Enter"},
        {11, Rows({{10, 0xE4}}), 0, "Single Key: Right Ctrl"},
        {11, {}, 0, "Single Key: no key"},
        {12, Rows({{11, 0x01}, {12, 0x06}}), 0, "Combo Key: Left Ctrl + C"},
        {12, Rows({{11, 0x22}, {12, 0x04}, {13, 0x05}}), 0, "Combo Key: Left Shift + Right Shift + A + B"},
        {12, Rows({{13, 0x05}}), 0, "Combo Key: B"},
        {12, {}, 0, "Combo Key: no keys"},
        {10, Rows({{7, 0xF1}, {8, 32}, {9, 3}}), 0, "Fire Key: R-Button, speed 32, 3 times"},
        {10, Rows({{7, 0xF3}, {8, 5}, {9, 0}}), 0, "Fire Key: B4-Button, speed 5, until released"},
        {10, Rows({{7, 0x04}, {8, 10}, {9, 1}}), 0, "Fire Key: A, speed 10, 1 time"},
        {10, {}, 0, "Fire Key: usage 0x00, speed 0, until released"},
        {13, Rows({{14, 1}, {15, 2}}), 0, "Macro Key: macro 2 (Paste), repeat until released"},
        {13, Rows({{14, 0}, {15, 0}}), 0,
         "Macro Key: macro 1 (Copy), repeat the set number of times or until any key"},
        {13, Rows({{14, 2}, {15, 1}}), 0,
         "Macro Key: macro 3 (\xE5\xA4\x8D\xE5\x88\xB6), repeat until any key"},
        {13, Rows({{14, 7}, {15, 2}}), 0,
         "Macro Key: macro 8 (no such macro in record.ini), repeat until released"},
        // 255 + 1 wraps to slot number 0 in the code byte.
        {13, Rows({{14, 255}, {15, 9}}), 0,
         "Macro Key: macro 0 (no such macro in record.ini), repeat mode 9 (unknown)"},
        {16, {}, 0, "kind 16 (unknown: the button does nothing)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeKeyFunction(c.kind, c.params, c.dpiStep, macros), c.text) << int{c.kind};
    }
}

TEST(KeyUsageText, NamesKeysAndMouseButtonsFromTheProgramsTables) {
    EXPECT_EQ(KeyUsageText(0x04), "A");
    EXPECT_EQ(KeyUsageText(0xE0), "Ctrl");
    EXPECT_EQ(KeyUsageText(0xF0), "L-Button");
    EXPECT_EQ(KeyUsageText(0xF6), "R-Tilt Wheel");
    EXPECT_EQ(KeyUsageText(0x00), "usage 0x00");
    EXPECT_EQ(KeyUsageText(0x87), "usage 0x87");
}

TEST(ModifierBitsText, ListsEverySetBitInListOrder) {
    EXPECT_EQ(ModifierBitsText(0), "");
    EXPECT_EQ(ModifierBitsText(0x80), "Right Win");
    EXPECT_EQ(
        ModifierBitsText(0xFF),
        "Left Ctrl + Left Shift + Left Alt + Left Win + Right Ctrl + Right Shift + Right Alt + Right Win");
}

}  // namespace
}  // namespace kv12
