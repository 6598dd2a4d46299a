// Key functions: the closed set of function kinds a button can carry, their
// four-byte codes, and the four key matrices an apply writes to the mouse.
#pragma once

#include <array>
#include <cstdint>

#include "core/settings_block.h"

namespace kv12 {

enum class KeyFunctionKind : std::uint8_t {
    LeftClick = 0,
    RightClick = 1,
    MidClick = 2,
    Forward = 3,
    Backward = 4,
    TripleClick = 5,
    DpiSwitch = 6,
    RgbOnOff = 7,
    Windows = 8,
    Multimedia = 9,
    FireKey = 10,
    SingleKey = 11,
    ComboKey = 12,
    MacroKey = 13,
    Shift = 14,
    KeyOff = 15,
};
inline constexpr int KEY_FUNCTION_KIND_COUNT = 16;

// Code types (byte 0 of a key function code).
inline constexpr std::uint8_t CODE_KEYBOARD = 0x00;
inline constexpr std::uint8_t CODE_MOUSE = 0x01;
inline constexpr std::uint8_t CODE_CONSUMER = 0x03;
inline constexpr std::uint8_t CODE_DPI = 0x07;
inline constexpr std::uint8_t CODE_DEVICE = 0x08;
inline constexpr std::uint8_t CODE_MACRO = 0x09;
inline constexpr std::uint8_t CODE_FIRE = 0x0A;

// Mouse button codes, usable wherever a key usage goes.
inline constexpr std::uint8_t MOUSE_LEFT = 0xF0;
inline constexpr std::uint8_t MOUSE_RIGHT = 0xF1;
inline constexpr std::uint8_t MOUSE_MIDDLE = 0xF2;
inline constexpr std::uint8_t MOUSE_BUTTON4 = 0xF3;
inline constexpr std::uint8_t MOUSE_BUTTON5 = 0xF4;
inline constexpr std::uint8_t MOUSE_TILT_LEFT = 0xF5;
inline constexpr std::uint8_t MOUSE_TILT_RIGHT = 0xF6;

// Four bytes, byte 0 (the code type) first on the wire.
using KeyFunctionCode = std::array<std::uint8_t, 4>;
// Sixteen codes, entry j at bytes 4j..4j+3.
using KeyMatrix = std::array<std::uint8_t, 64>;
inline constexpr int KEY_MATRIX_COUNT = 4;

// Parameter rows 1..15 of one button in one mode; index 0 is unused.
using ButtonParams = std::array<std::uint8_t, 16>;

/// The code of one button in one mode: its kind (any byte; 15 and above 15 give
/// the all-zero code), its parameter rows and its DPI-switch step. Pure; never fails.
KeyFunctionCode EncodeKeyFunction(std::uint8_t kind, const ButtonParams& params, std::uint8_t dpiStep);

/// Rows 1..15 of button 0..7 in a mode, gathered from the block. A button
/// outside 0..7 is a programming error and throws std::out_of_range.
ButtonParams ButtonParamsOf(const SettingsBlock& block, KeyMode mode, int button);

/// The four matrices an apply writes, matrix 1 first. Matrix 1: the Mode A codes
/// of buttons 0..7, zeros, then the two fixed entries 14 and 15; matrix 3 the
/// same for Mode B; matrices 2 and 4 all zero. keyMode plays no part.
std::array<KeyMatrix, KEY_MATRIX_COUNT> BuildKeyMatrices(const SettingsBlock& block);

// Entries 14 and 15 of matrices 1 and 3: mouse codes the firmware expects there.
inline constexpr int KEY_MATRIX_FIXED_ENTRY_1 = 14;
inline constexpr int KEY_MATRIX_FIXED_ENTRY_2 = 15;
inline constexpr std::uint8_t MOUSE_FIXED_1 = 0xF7;
inline constexpr std::uint8_t MOUSE_FIXED_2 = 0xF8;

// Byte 2 of CODE_DEVICE codes.
inline constexpr std::uint8_t DEVICE_KEY_MODE_SHIFT = 0x02;
inline constexpr std::uint8_t DEVICE_RGB_ON_OFF = 0x03;

// "Triple-click": the left button fired 3 times at speed 32.
inline constexpr std::uint8_t TRIPLE_CLICK_SPEED = 0x20;
inline constexpr std::uint8_t TRIPLE_CLICK_TIMES = 0x03;

/// One code from its four bytes, byte 0 (the code type) first.
constexpr KeyFunctionCode MakeCode(std::uint8_t type, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return KeyFunctionCode{type, b1, b2, b3};
}

/// The code as a 32-bit little-endian value (byte 0 least significant).
constexpr std::uint32_t CodeValue(const KeyFunctionCode& c) {
    return static_cast<std::uint32_t>(c[0]) | static_cast<std::uint32_t>(c[1]) << 8 |
           static_cast<std::uint32_t>(c[2]) << 16 | static_cast<std::uint32_t>(c[3]) << 24;
}

}  // namespace kv12
