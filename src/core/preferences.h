// str.ini: the language, the skin and its text colour, and the display texts
// of the sixteen button assignments, one language section each.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "core/ini_file.h"

namespace kv12 {

inline constexpr const char* SKINS_SECTION = "Skins";
inline constexpr int ITEM_TEXT_COUNT = 16;  // 0..7 Mode A buttons 1..8, 8..15 Mode B buttons 1..8

// Values longer than this many characters (UTF-16 code units on Windows) are
// cut, as the program's read buffer is 1024 characters with the terminator.
inline constexpr std::size_t PROFILE_VALUE_MAX_CHARS = 1023;

// "Item1".."Item8" for index 0..7, "Item13".."Item83" for 8..15; empty outside.
std::string ItemKeyName(int index);

// What LoadPreferences reads; every field empty when str.ini or its key is missing.
struct Preferences {
    std::array<std::string, ITEM_TEXT_COUNT> itemTexts;
    std::string rColor, gColor, bColor;  // as written in the file
    std::string skinPath;                // the skin folder's name under "Skins"
};

// "Lan" in "Skins"; empty when the file or key is missing.
std::string ReadLanguage(const IniDocument& strIni);

// The item texts of a language section, then the colour strings and "Path".
Preferences LoadPreferences(const IniDocument& strIni, std::string_view languageSection);

// Writes all sixteen "Item" keys (empty ones included) to the language section
// in the order "Item1".."Item8", "Item13".."Item83".
void SetItemTexts(IniDocument& strIni, std::string_view languageSection,
                  const std::array<std::string, ITEM_TEXT_COUNT>& itemTexts);
// Loads str.ini, writes the item texts and saves it atomically. A str.ini that
// exists but cannot be read, or is beyond the INI limits, is left alone and
// reported.
std::optional<FileError> SaveItemTexts(const std::filesystem::path& strIni, std::string_view languageSection,
                                       const std::array<std::string, ITEM_TEXT_COUNT>& itemTexts);

// The skin chooser's writes: "RColor", "GColor", "BColor" formatted "%d" and
// "Path"; a str.ini that cannot be read is left alone and reported.
std::optional<FileError> SaveSkinChoice(const std::filesystem::path& strIni, int red, int green, int blue,
                                        std::string_view skinName);

// Decimal string to integer (leading digits, optional sign; anything else 0),
// kept as its low 8 bits like the C runtime's conversion cast to a byte: "300"
// gives 44, "-1" gives 255, "" and "abc" give 0.
std::uint8_t ParseColorComponent(std::string_view text);

// Cuts a value read from a file to what the program's read buffer holds:
// 1023 characters counted as UTF-16 code units, never inside a character.
std::string CutProfileValue(std::string value);

}  // namespace kv12
