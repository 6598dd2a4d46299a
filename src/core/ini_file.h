// Our INI engine, with the private-profile semantics the program relies on:
// section and key names compare case-insensitively (ASCII letters), sections
// keep their file order, a written key replaces its value in place or is
// appended to its section (a new section goes to the end of the file), a
// deleted section disappears whole, and the section names list in file order.
// As with the system functions, names and values are trimmed of surrounding
// blanks, and the first of two same-named sections or keys is the one read.
//
// Files are UTF-8 on disk. Files starting with a UTF-16 byte-order mark (LE or
// BE) are read too and written back as UTF-8; a UTF-8 byte-order mark is
// skipped. Other bytes pass through unchanged, so a file in another encoding
// is never damaged by a save. Lines end in CRLF or LF when read and in CRLF
// when written. Comment lines (";"), blank lines and lines that are neither a
// section header nor a key are kept as they are when the file is written back.
//
// Every written line must read back as what was written: names with a line
// break, keys with "=" or starting with "[" or ";", and empty keys are refused;
// line breaks inside a value are written as single blanks.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace kv12 {

class IniDocument {
  public:
    IniDocument() = default;

    // Parses file contents (any of the encodings above). Never fails: a line
    // that is not understood is kept as it is.
    static IniDocument Parse(std::string_view bytes);
    // Loads a file; a missing or unreadable file gives an empty document.
    static IniDocument Load(const std::filesystem::path& path);
    // Loads a file that is about to be changed and saved. A missing file gives
    // an empty document; a file that exists but cannot be read gives an error
    // (and leaves document empty), so the caller never replaces it blindly.
    static std::optional<FileError> LoadForUpdate(const std::filesystem::path& path, IniDocument& document);

    // The value, or nullopt when the section or key is absent.
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
    // that no older copy comes back into view.
    void DeleteSection(std::string_view section);
    bool HasSection(std::string_view section) const;

    // Section names in file order (the first spelling of duplicates, once).
    std::vector<std::string> SectionNames() const;
    // Key names of a section in file order (the first spelling of duplicates, once).
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The keys of a section with their values, in file order; of duplicates the
    // first, the one Get reads. One pass, for readers of many keys.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

    // The document as UTF-8 text with "\r\n" line ends.
    std::string Serialize() const;
    // Writes the document atomically.
    std::optional<FileError> Save(const std::filesystem::path& path) const;

    // Whether a name can be written as a section header or key and read back.
    static bool IsStorableSectionName(std::string_view name);
    static bool IsStorableKeyName(std::string_view name);

  private:
    struct Line {
        std::string text;   // the line as read or last written, without its line end
        std::string key;    // key lines: the trimmed name
        std::string value;  // key lines: the trimmed value
        bool isKey = false;
    };
    struct Section {
        std::string name;    // trimmed, as spelled in the file
        std::string header;  // the header line as read or written
        std::vector<Line> lines;
    };
    // Lines before the first section header.
    std::vector<Line> preamble_;
    std::vector<Section> sections_;

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
