// Key tables: key names to HID usages, modifier bits, and the fixed lists of
// the fire-key, multimedia and Windows dialogs with their texts. Every lookup
// by position or kind is bounds-checked: outside its list it gives 0 or an
// empty text, never an access outside a table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/language.h"

namespace kv12 {

// One row of the key-name table.
struct KeyNameUsage {
    std::string_view name;
    std::uint8_t usage;
};
inline constexpr int KEY_NAME_COUNT = 107;

/// The usage of a key name, compared as an exact, case-sensitive whole string;
/// 0 when the name is not in the table (the empty name, "Left Ctrl", "a", ...).
std::uint8_t KeyUsageByName(std::string_view name);

/// The 107 rows in table order: keyboard usages 0x04..0x63, the modifiers
/// 0xE0..0xE7, then the mouse buttons "L-Button", "R-Button", "M-Button".
std::span<const KeyNameUsage> KeyUsageTable();

/// The first table name carrying a usage; empty when no row has it (0 included).
std::string_view KeyNameOfUsage(std::uint8_t usage);

// The combination dialog's modifier list.
inline constexpr int MODIFIER_COUNT = 8;

/// The modifier bit of a list name ("Left Ctrl" 0x01 ... "Right Win" 0x80);
/// 0 for any other text, the empty one included.
std::uint8_t ModifierBitByName(std::string_view name);

/// The eight modifier names in list order.
std::span<const std::string_view> ModifierNames();

// Fire-key list: 61 items, the same texts in every language.
inline constexpr int FIRE_KEY_COUNT = 61;

/// The usage stored for fire-key list position 0..60; 0 outside.
std::uint8_t FireKeyUsage(int position);

/// The 61 fire-key item texts in list order.
std::span<const std::string_view> FireKeyNames();

// Multimedia list: 7 items, consumer usages with high byte 0.
inline constexpr int MEDIA_KEY_COUNT = 7;

/// The consumer usage of multimedia list position 0..6; 0 outside.
std::uint16_t MediaUsage(int position);

/// The item text of multimedia list position 0..6 in a language; empty outside.
std::string_view MediaKeyText(int position, Language language);

// Windows (application and browser) list: 11 items.
inline constexpr int APP_KEY_COUNT = 11;

/// The consumer usage of Windows list position 0..10; 0 outside.
std::uint16_t AppUsage(int position);

/// The item text of Windows list position 0..10 in a language; empty outside.
std::string_view AppKeyText(int position, Language language);

/// High byte as stored in parameter row 5: 1 for positions 0..3, 2 for 4..10, else 0.
std::uint8_t AppUsageHighByte(int position);

/// Function kind names as the assignment list shows them (kind 0..15); empty outside.
std::string_view KeyFunctionKindText(int kind, Language language);

/// "Report Rate Switch": a text of the language tables that is not a list item.
std::string_view ReportRateSwitchText(Language language);

// The DPI side list of the assignment menu, the same in every language.
inline constexpr int DPI_STEP_COUNT = 3;

/// The side-list text of a DPI step: 1 "DPI +", 2 "DPI -", 3 "DPI Loop"; empty for any other step.
std::string_view DpiStepText(int step);

}  // namespace kv12
