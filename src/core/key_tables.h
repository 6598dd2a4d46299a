// Key tables: key names to HID usages, modifier bits, and the fixed lists of
// the fire-key, multimedia and Windows dialogs with their texts.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/language.h"

namespace kv12 {

// Maps a key name (exact, case-sensitive) to its usage; 0 when not listed.
std::uint8_t KeyUsageByName(std::string_view name);
// The 107 names in table order, with their usages.
struct KeyNameUsage {
    std::string_view name;
    std::uint8_t usage;
};
std::span<const KeyNameUsage> KeyUsageTable();

// The combination dialog's modifier list: names in list order and their bits.
std::uint8_t ModifierBitByName(std::string_view name);
std::span<const std::string_view> ModifierNames();

// Fire-key list: 61 items, the same texts in every language.
inline constexpr int FIRE_KEY_COUNT = 61;
std::uint8_t FireKeyUsage(int position);  // 0 outside 0..60
std::span<const std::string_view> FireKeyNames();

// Multimedia list: 7 items, consumer usages with high byte 0.
inline constexpr int MEDIA_KEY_COUNT = 7;
std::uint16_t MediaUsage(int position);  // 0 outside 0..6
std::string_view MediaKeyText(int position, Language language);

// Windows (application and browser) list: 11 items.
inline constexpr int APP_KEY_COUNT = 11;
std::uint16_t AppUsage(int position);  // 0 outside 0..10
std::string_view AppKeyText(int position, Language language);
// High byte as stored in parameter row 5: 1 for positions 0..3, 2 for 4..10, else 0.
std::uint8_t AppUsageHighByte(int position);

// Function kind names as the assignment list shows them (kind 0..15), and the
// "Report Rate Switch" text that is not a list item.
std::string_view KeyFunctionKindText(int kind, Language language);  // empty outside 0..15
std::string_view ReportRateSwitchText(Language language);

}  // namespace kv12
