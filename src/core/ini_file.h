// Our INI engine, with the private-profile semantics the program relies on:
// section and key names compare case-insensitively (ASCII letters), sections
// keep their file order, a written key replaces its value in place or is
// appended to its section (a new section goes to the end of the file), a
// deleted section disappears whole, and the section names list in file order.
// As with the system functions, names and values are trimmed of surrounding
// blanks, and the first of two same-named sections or keys is the one read.
//
// Files are UTF-8 on disk. Files starting with a UTF-16LE byte-order mark are
// read too (and written back as UTF-8); a UTF-8 byte-order mark is skipped.
// Comment lines and lines that are neither a section header nor a key are kept
// as they are when the file is written back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

namespace kv12 {

class IniDocument {
public:
    IniDocument() = default;

    // Parses file contents (any of the encodings above).
    static IniDocument Parse(std::string_view bytes);
    // Loads a file; a missing or unreadable file gives an empty document.
    static IniDocument Load(const std::filesystem::path& path);

    // The value, or nullopt when the section or key is absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value, or the empty string when absent (how the program reads texts).
    std::string GetString(std::string_view section, std::string_view key) const;

    // Replaces the value in place, or appends the key to the end of its section,
    // or appends a new section to the end of the document.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);
    bool HasSection(std::string_view section) const;

    // Section names in file order (the first spelling of duplicates, once).
    std::vector<std::string> SectionNames() const;
    // Key names of a section in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;

    // The document as UTF-8 text with "\r\n" line ends.
    std::string Serialize() const;
    // Writes the document atomically.
    std::optional<FileError> Save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;  // raw text for comments/blank/other lines
        std::string key;   // set for key lines
        std::string value;
        bool isKey = false;
    };
    struct Section {
        std::string name;
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

}  // namespace kv12
