// The display texts of the factory assignment: what "Default" restores and what
// a first run writes to str.ini.
#pragma once

#include <array>
#include <string>

#include "core/language.h"
#include "core/preferences.h"

namespace kv12::ui {

/// The sixteen texts (Mode A buttons 1..8, then Mode B) of the default button
/// functions in a language: "Left Click", "Right Click", "Mid Click",
/// "Forward", "Backward", "DPI Loop", "Key Off", "Key Off" in both modes.
std::array<std::string, ITEM_TEXT_COUNT> DefaultItemTexts(Language language);

}  // namespace kv12::ui
