// A button's function in words, from its kind and parameter bytes: what
// `kv12ctl profile show` prints for each button ("Single Key: Enter",
// "Combo Key: Left Ctrl + C", "Macro Key: macro 2 (Copy), repeat until released").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/key_function.h"

namespace kv12 {

/// The name of a key usage or mouse-button code as the program's tables name
/// it ("Enter", "Ctrl", "L-Button", "B4-Button"); "usage 0xNN" for a code no
/// table names.
std::string KeyUsageText(std::uint8_t usage);

/// The names of the bits of a modifier byte in list order ("Left Ctrl",
/// "Right Shift"), joined by " + "; empty for 0.
std::string ModifierBitsText(std::uint8_t bits);

/// The function of one button in one mode, read from exactly the bytes the
/// encoder reads. macroNames are record.ini's macros in slot order; they name
/// the macro a "Macro Key" refers to.
std::string DescribeKeyFunction(std::uint8_t kind, const ButtonParams& params, std::uint8_t dpiStep,
                                const std::vector<std::string>& macroNames);

}  // namespace kv12
