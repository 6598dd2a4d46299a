// English key names from a key's scan code and extended flag, on every
// platform: the platform's own key-name function answers in the keyboard
// layout's language (and with X11 names under Wine), which the key table
// cannot map. Every name of KeyUsageByName's keyboard rows is reachable here.
#pragma once

#include <cstdint>
#include <string>

namespace kv12 {

// scanCode: the set-1 make code (bits 16..23 of a keyboard message's lParam);
// extended: bit 24. Unknown keys get a sensible English name ("Key 0x5A").
std::string KeyNameFromScanCode(std::uint8_t scanCode, bool extended);

}  // namespace kv12
