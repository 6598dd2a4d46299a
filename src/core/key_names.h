// English key names from a key's scan code and extended flag, on every
// platform: the platform's own key-name function answers in the keyboard
// layout's language (and with X11 names under Wine), which the key table
// cannot map. Every name of KeyUsageByName's keyboard rows is reachable here.
#pragma once

#include <cstdint>
#include <string>

namespace kv12 {

/// The English name of a key, as Windows names it with a US English layout
/// ("A", "Enter", "Ctrl", "Right Ctrl", "Num 1", "Prnt Scrn", "Left Windows").
/// scanCode: the set-1 make code (bits 16..23 of a keyboard message's lParam);
/// extended: bit 24. A key without an English name gets "Key 0x5A" (plain) or
/// "Key 0xE05A" (extended), which no key-table row matches. Never fails.
std::string KeyNameFromScanCode(std::uint8_t scanCode, bool extended);

}  // namespace kv12
