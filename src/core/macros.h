// Macros: record.ini (one section per macro with "ItemCount" and "Item%d"),
// the item texts, and the compiler into the twelve 128-byte macro slots.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/settings_block.h"

namespace kv12 {

inline constexpr int MACRO_MAX_COUNT = 12;
inline constexpr std::size_t MACRO_NAME_MAX_CHARS = 31;
inline constexpr std::size_t MACRO_STREAM_MAX_BYTES = 126;
inline constexpr std::uint8_t LONG_DELAY_MARK = 3;
inline constexpr const char* PRESS_SUFFIX = "   Dn";
inline constexpr const char* RELEASE_SUFFIX = "   Up";
inline constexpr const char* DELAY_SUFFIX = " ms";
inline constexpr const char* ITEM_COUNT_KEY = "ItemCount";

// The longest delay an event can carry: a long-delay group holds the hundreds
// in one byte and the rest below 100. Longer delays are written as this.
inline constexpr int MACRO_DELAY_MAX_MS = 255 * 100 + 99;
// At most this many items are read from one macro. A slot's 126 bytes hold at
// most 63 events, about 126 items with their delays, so a recorded macro never
// needs more; a larger "ItemCount" comes from a damaged or hostile file, and
// reading stops here instead of building millions of empty items. With at most
// INI_SECTION_MAX macros per file, a record.ini costs at most about half a
// million items however it is made.
inline constexpr int MACRO_ITEM_MAX = 4096;

enum class MacroItemKind { Press, Release, Delay };

// One item, held as its display text ("A   Dn", "A   Up", "50 ms").
struct MacroItem {
    std::string text;

    // The item texts of a press, a release and a delay.
    static MacroItem Press(std::string_view keyName);
    static MacroItem Release(std::string_view keyName);
    static MacroItem Delay(int milliseconds);

    // Press if the text contains "   Dn", else release if it contains "   Up",
    // else a delay.
    MacroItemKind Kind() const;
    // The key name (the text without every "   Dn" / "   Up"); empty for a delay.
    std::string KeyName() const;
    // The leading decimal number once every " ms" is removed; 0 when none.
    int DelayMs() const;
};

struct Macro {
    std::string name;
    std::vector<MacroItem> items;
    std::uint16_t loopCount = 1;  // held in the slot, not in record.ini
};

// The key code of a key name: the key table's usage, 0 when not listed.
std::uint8_t MacroKeyName(std::string_view name);

// Every section name in file order, whatever the names' lengths; a name that
// appears twice is listed twice and takes two slots (the second one compiles
// the first one's items, the ones that are read). Empty when the file is missing.
std::vector<std::string> LoadMacroNames(const std::filesystem::path& recordIni);
std::vector<std::string> LoadMacroNames(const IniDocument& recordIni);

// The item texts of a macro: "ItemCount" then "Item0".."Item<n-1>" (missing
// ones empty, at most MACRO_ITEM_MAX); empty for a count of 0 or below. A
// caller that writes the items back checks CheckMacroLimits first, so that a
// longer macro is never cut.
std::vector<std::string> ReadMacro(const IniDocument& recordIni, std::string_view name);
std::vector<std::string> ReadMacro(const std::filesystem::path& recordIni, std::string_view name);

// The first macro, in file order, whose "ItemCount" is above MACRO_ITEM_MAX,
// described for the user (in English and the window's languages) with the
// file's path; nullopt when every macro is within the limit.
std::optional<FileError> CheckMacroLimits(const IniDocument& recordIni, const std::filesystem::path& path);

// Writes the macro as "ItemCount" and "Item0".."Item<n-1>": an existing
// section is emptied and rewritten where it stands (its slot stays), a new
// one goes at the end of the file. Returns false, changing nothing, for a name that
// cannot be a section name (one holding a line break).
bool SaveMacro(IniDocument& recordIni, std::string_view name, const std::vector<std::string>& items);
// The same on the file, saved atomically; an unstorable name or a record.ini
// that exists but cannot be read is reported and the file left alone.
std::optional<FileError> SaveMacro(const std::filesystem::path& recordIni, std::string_view name,
                                   const std::vector<std::string>& items);
// Deletes the whole section of that name.
void DeleteMacro(IniDocument& recordIni, std::string_view name);
// The same on the file; a missing file or section leaves everything as it is.
std::optional<FileError> DeleteMacro(const std::filesystem::path& recordIni, std::string_view name);

// Writes n big-endian into bytes 0..1 of the slot (0..11).
void SetLoopCount(SettingsBlock& block, int slot, std::uint16_t count);
// Reads bytes 0..1 of the slot (0..11) big-endian.
std::uint16_t LoopCount(const SettingsBlock& block, int slot);

// The event stream of one macro's items, cut at the last whole event that
// fits in 126 bytes (a long-delay group is never split).
std::vector<std::uint8_t> EncodeMacroEvents(const std::vector<std::string>& items);
// Whether every event of the items fits in the 126 bytes of a slot.
bool MacroEventsFit(const std::vector<std::string>& items);

// What EncodeMacros could not place whole, for the caller to tell the user.
struct MacroEncodeReport {
    std::vector<std::string> cut;          // macros whose event stream was cut at 126 bytes
    std::vector<std::string> notCompiled;  // sections beyond the twelfth, left out
};

// Recompiles every section (up to twelve, in file order) into the slots.
// A missing file changes nothing; slots beyond the last section keep their bytes.
MacroEncodeReport EncodeMacros(const IniDocument& recordIni, SettingsBlock& block);
MacroEncodeReport EncodeMacros(const std::filesystem::path& recordIni, SettingsBlock& block);

}  // namespace kv12
