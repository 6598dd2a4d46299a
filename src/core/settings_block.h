// The settings block: the 1849-byte packed record of everything the mouse is
// configured with, exactly as it is stored in config.bin (after the flag byte)
// and turned into device commands on apply. Every field is an unsigned byte.
//
// Accessors check their indices and throw std::out_of_range on a bad one: an
// index out of range is a programming error, never a value read from a file.
// Values read from the block (types, stage indices, ...) are not checked here;
// each consumer bounds-checks them before they index one of its tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kv12 {

inline constexpr std::size_t SETTINGS_BLOCK_SIZE = 1849;

inline constexpr int BUTTON_COUNT = 8;
inline constexpr int PARAM_ROW_FIRST = 1;
inline constexpr int PARAM_ROW_LAST = 15;
inline constexpr int STAGE_COUNT = 4;
inline constexpr int MACRO_SLOT_COUNT = 12;
inline constexpr std::size_t MACRO_SLOT_SIZE = 128;

// Byte offsets of the field map.
namespace offsets {
inline constexpr std::size_t BUTTON_TYPE_A = 0;        // 8 bytes
inline constexpr std::size_t BUTTON_PARAM_A = 0;       // row r of button b at 8*r + b, r = 1..15
inline constexpr std::size_t RESERVED_1 = 128;         // 5 bytes
inline constexpr std::size_t RESERVED_1_SIZE = 5;
inline constexpr std::size_t REPORT_RATE = 133;
inline constexpr std::size_t RESERVED_2 = 134;
inline constexpr std::size_t DPI_STAGE = 135;          // 4 bytes
inline constexpr std::size_t DPI_STAGE_ENABLED = 139;  // 4 bytes
inline constexpr std::size_t STAGE_COLOR = 143;        // 4 x (r, g, b)
inline constexpr std::size_t LED_MODE = 155;
inline constexpr std::size_t LED_PARAM = 156;          // 3 bytes, one per lighting mode 1..3
inline constexpr std::size_t LED_EFFECT_12 = 159;      // 2 bytes, effects of modes 1 and 2
inline constexpr std::size_t LED_EFFECT_3 = 161;
inline constexpr std::size_t RESERVED_3 = 162;
inline constexpr std::size_t MACRO_SLOTS = 163;        // 12 x 128 bytes
inline constexpr std::size_t POINTER_FLAGS = 1699;     // 2 bytes
inline constexpr std::size_t POINTER_VALUES = 1701;    // 3 bytes
inline constexpr std::size_t KEY_MODE = 1704;
inline constexpr std::size_t BUTTON_TYPE_B = 1705;     // 8 bytes
inline constexpr std::size_t BUTTON_PARAM_B = 1705;    // row r of button b at 1705 + 8*r + b
inline constexpr std::size_t DPI_SWITCH_PARAM_A = 1833;
inline constexpr std::size_t DPI_SWITCH_PARAM_B = 1841;
}  // namespace offsets

// The two complete assignment tables. The numeric value is what keyMode stores.
enum class KeyMode : std::uint8_t { A = 0, B = 1 };

// Report-rate codes: the polling interval in milliseconds.
enum ReportRateCode : std::uint8_t {
    REPORT_RATE_1000HZ = 1,
    REPORT_RATE_500HZ = 2,
    REPORT_RATE_250HZ = 4,
    REPORT_RATE_125HZ = 8,
};

enum class ColorChannel : int { Red = 0, Green = 1, Blue = 2 };

struct SettingsBlock {
    std::array<std::uint8_t, SETTINGS_BLOCK_SIZE> bytes{};

    // Button b (0..7) of a key mode: function kind, parameter rows 1..15 and
    // the DPI step used by the "DPI Switch" kind.
    std::uint8_t& buttonType(KeyMode mode, int button);
    std::uint8_t buttonType(KeyMode mode, int button) const;
    std::uint8_t& buttonParam(KeyMode mode, int row, int button);
    std::uint8_t buttonParam(KeyMode mode, int row, int button) const;
    std::uint8_t& dpiSwitchParam(KeyMode mode, int button);
    std::uint8_t dpiSwitchParam(KeyMode mode, int button) const;

    std::uint8_t& reportRate() { return bytes[offsets::REPORT_RATE]; }
    std::uint8_t reportRate() const { return bytes[offsets::REPORT_RATE]; }

    // Stage k (0..3): DPI step index, enable flag, colour.
    std::uint8_t& dpiStage(int stage);
    std::uint8_t dpiStage(int stage) const;
    std::uint8_t& dpiStageEnabled(int stage);
    std::uint8_t dpiStageEnabled(int stage) const;
    std::uint8_t& stageColor(int stage, ColorChannel channel);
    std::uint8_t stageColor(int stage, ColorChannel channel) const;

    std::uint8_t& ledMode() { return bytes[offsets::LED_MODE]; }
    std::uint8_t ledMode() const { return bytes[offsets::LED_MODE]; }
    // Parameter of lighting mode i + 1, i = 0..2.
    std::uint8_t& ledParam(int index);
    std::uint8_t ledParam(int index) const;
    // Effect bytes of lighting modes 1 and 2 (index 0, 1): shown, never sent.
    std::uint8_t& ledEffectOfMode12(int index);
    std::uint8_t ledEffectOfMode12(int index) const;
    std::uint8_t& ledEffect3() { return bytes[offsets::LED_EFFECT_3]; }
    std::uint8_t ledEffect3() const { return bytes[offsets::LED_EFFECT_3]; }

    // Macro slot s (0..11), 128 bytes: loop count big-endian, then the events.
    std::span<std::uint8_t, MACRO_SLOT_SIZE> macroSlot(int slot);
    std::span<const std::uint8_t, MACRO_SLOT_SIZE> macroSlot(int slot) const;

    // Pointer page: two 0/1 switches (i = 0..1) and three values (i = 0..2).
    std::uint8_t& pointerFlag(int index);
    std::uint8_t pointerFlag(int index) const;
    std::uint8_t& pointerValue(int index);
    std::uint8_t pointerValue(int index) const;

    std::uint8_t& keyMode() { return bytes[offsets::KEY_MODE]; }
    std::uint8_t keyMode() const { return bytes[offsets::KEY_MODE]; }

    // Reserved bytes, kept as stored: 0..4 -> 128..132, 5 -> 134, 6 -> 162.
    std::uint8_t& reserved(int index);
    std::uint8_t reserved(int index) const;
    static constexpr int RESERVED_COUNT = 7;

    friend bool operator==(const SettingsBlock&, const SettingsBlock&) = default;
};

static_assert(sizeof(SettingsBlock) == SETTINGS_BLOCK_SIZE, "the block is packed bytes");

// The button types and DPI-switch step that the "Default" command sets.
inline constexpr std::array<std::uint8_t, BUTTON_COUNT> DEFAULT_BUTTON_TYPES = {0, 1, 2, 3, 4, 6, 15, 15};
inline constexpr int DEFAULT_DPI_SWITCH_BUTTON = 5;
inline constexpr std::uint8_t DEFAULT_DPI_SWITCH_STEP = 3;

// "Default" on the basic page: button types of both modes and the DPI-switch
// step of button 6. Parameter rows and keyMode are left as they are.
void ApplyDefaultButtons(SettingsBlock& block);

}  // namespace kv12
