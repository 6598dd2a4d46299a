// Our INI engine. It reads a file exactly as the Windows private-profile
// functions (GetPrivateProfileString and its kin) read it, since those are what
// the program's files were made for:
// - a line ends at CR, LF or CRLF; names and values are trimmed of blanks
//   (space, tab, the other ASCII control blanks and Ctrl+Z);
// - a line starting with "[" that holds a "]" is a section header, the name
//   lying between the "[" and the last "]"; every other non-blank line is a key
//   ("name=value"), or a key without a value when it has no "=";
// - section and key names compare case-insensitively in ASCII letters only;
// - of two same-named sections the first is read, but both are listed; of two
//   same-named keys the first is read, and a key without a value hides a
//   later one of the same name;
// - a value enclosed in a pair of double or single quotes is read without them;
// - keys whose name starts with ";" can be read but are not listed (comments);
// - lines before the first header belong to the nameless section "", which is
//   never listed.
// Writing keeps the file's own lines: a written key replaces its value in
// place or is appended to its section (a new section goes to the end of the
// file), a deleted section disappears whole. Every written value reads back
// unchanged: one with blanks at either end, or enclosed in matching quotes, is
// written in double quotes. Names that could not be read back are refused:
// section names that are blank or hold a line break or a NUL; key names that
// are blank, hold a line break, a NUL or "=", or start with "[" or ";".
// Line breaks inside a value are written as single blanks.
//
// Files are UTF-8 on disk; one UTF-8 byte-order mark is taken at the start and
// written back. Files starting with a UTF-16 byte-order mark (LE or BE) are
// read too and written back as UTF-8. Other bytes pass through unchanged, so a
// file in another encoding is never damaged by a save. Lines end in CRLF when
// written.
//
// What is read from a file is bounded (INI_FILE_MAX_BYTES, INI_LINE_MAX,
// INI_SECTION_MAX): a file beyond a limit is not read, and a file that cannot
// be read is never replaced by a save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace kv12 {

// A str.ini or record.ini the program writes stays far below these: the
// largest str.ini (three languages, sixteen labels of 1023 characters) is about
// 150 kB, a record.ini of twelve long recorded macros a few tens of kB. The
// limits keep the memory and time a hostile or damaged file can cost small.
inline constexpr std::uintmax_t INI_FILE_MAX_BYTES = 1024 * 1024;
inline constexpr std::size_t INI_LINE_MAX = 65536;
inline constexpr std::size_t INI_SECTION_MAX = 128;

class IniDocument {
  public:
    IniDocument() = default;

    // Which limit a file's contents are beyond.
    enum class Limit { None, Bytes, Lines, Sections };

    // Parses file contents (any of the encodings above). Never fails: a line
    // that is not understood is kept as it is. No limits: for text the caller
    // already holds.
    static IniDocument Parse(std::string_view bytes);
    // Parses file contents unless they are beyond a limit; document is then
    // left empty.
    static Limit ParseWithinLimits(std::string_view bytes, IniDocument& document);
    // Loads a file; a missing or unreadable file, or one beyond the limits,
    // gives an empty document.
    static IniDocument Load(const std::filesystem::path& path);
    // Loads a file that is about to be changed and saved. A missing file gives
    // an empty document; a file that exists but cannot be read, or is beyond
    // the limits, gives an error (and leaves document empty), so the caller
    // never replaces it blindly.
    static std::optional<FileError> LoadForUpdate(const std::filesystem::path& path, IniDocument& document);

    // The value, or nullopt when the section or key is absent or the key has no value.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value, or the empty string when absent (how the program reads texts).
    std::string GetString(std::string_view section, std::string_view key) const;

    // Replaces the value in place, or appends the key to the end of its section,
    // or appends a new section to the end of the document. Returns false (and
    // changes nothing) when the section or key name cannot be stored, see above.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key (every copy of it) from the section that is read.
    void DeleteKey(std::string_view section, std::string_view key);
    // Removes the section with all its lines, and any same-named duplicate, so
    // that no older copy comes back into view. A blank name removes nothing.
    void DeleteSection(std::string_view section);
    // Whether a section of that name is listed.
    bool HasSection(std::string_view section) const;

    // Section names in file order, each duplicate again, as the system lists them.
    std::vector<std::string> SectionNames() const;
    // Key names of a section in file order, each duplicate again, as the system
    // lists them: keys with a value whose name does not start with ";", up to
    // the first key without a name (the system's list of names ends there).
    // The section name is taken as given, untrimmed, as the system does here.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The listed keys of a section with the values Get reads for them, in file
    // order, each name once (its first spelling). One pass, for readers of many keys.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

    // The document as UTF-8 text with "\r\n" line ends, behind a byte-order
    // mark when the file had one (or when the text would otherwise start with
    // bytes that read as one).
    std::string Serialize() const;
    // Writes the document atomically.
    std::optional<FileError> Save(const std::filesystem::path& path) const;

    // Whether a name can be written as a section header or key and read back.
    static bool IsStorableSectionName(std::string_view name);
    static bool IsStorableKeyName(std::string_view name);

    // The message for a file beyond a limit, in English and the window's languages.
    static FileError LimitError(const std::filesystem::path& path, Limit limit);

  private:
    enum class LineKind { Other, Key, KeyWithoutValue };
    struct Line {
        std::string text;   // the line as read or last written, without its line end
        std::string key;    // keys: the trimmed name
        std::string value;  // keys with a value: as read (trimmed, quotes taken off)
        LineKind kind = LineKind::Other;
    };
    struct Section {
        std::string name;    // trimmed, as spelled in the file
        std::string header;  // the header line as read or written
        std::vector<Line> lines;
    };
    // sections_[0] holds the lines before the first header: the section "".
    std::vector<Section> sections_ = std::vector<Section>(1);
    bool byteOrderMark_ = false;  // the file started with a UTF-8 byte-order mark

    static Limit ParseInto(std::string_view bytes, bool limited, IniDocument& document);
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
};

// Case-insensitive comparison of ASCII letters, as the INI names use.
bool IniNamesEqual(std::string_view a, std::string_view b);

// The leading decimal integer of a value, read as the C runtime's wcstol does:
// leading blanks skipped, an optional sign, then digits; 0 when there are no
// digits. Values beyond the int range are clamped to it.
int ParseProfileInt(std::string_view text);

}  // namespace kv12
