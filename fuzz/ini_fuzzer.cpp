// The INI engine from arbitrary bytes. Parsing never fails; the written
// document reads back with the same sections, keys and values and writes
// again unchanged; the bounded parse gives the same document or an empty one;
// a key written with Set reads back as written (line breaks as blanks), before
// and after a save, and leaves every other section as it was; a refused name
// changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ini_file.h"
#include "fuzz_check.h"

namespace {

using kv12::IniDocument;
using kv12::fuzz::Check;

// What a reader of the document can see: the listed sections and, for each,
// its listed key names and the values read for them.
struct Snapshot {
    std::vector<std::string> sections;
    std::vector<std::vector<std::string>> keyNames;
    std::vector<std::vector<std::pair<std::string, std::string>>> entries;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Take(const IniDocument& doc) {
    Snapshot shot;
    shot.sections = doc.SectionNames();
    for (const auto& name : shot.sections) {
        shot.keyNames.push_back(doc.KeyNames(name));
        shot.entries.push_back(doc.Entries(name));
    }
    return shot;
}

// The value Set stores: each line break (CRLF, CR or LF) one blank.
std::string AsWritten(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += value[i] == '\r' || value[i] == '\n' ? ' ' : value[i];
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view blanks = "\t\n\v\f\r\x1A ";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Sets one key and checks everything the engine promises about it.
void ProbeSet(IniDocument& doc, std::string_view section, std::string_view key, std::string_view value) {
    const Snapshot before = Take(doc);
    const std::string textBefore = doc.Serialize();
    const bool storable = IniDocument::IsStorableSectionName(section) && IniDocument::IsStorableKeyName(key);
    const bool hadSection = doc.HasSection(section);
    const bool set = doc.Set(section, key, value);
    Check(set == storable, "Set takes exactly the storable names");
    if (!set) {
        Check(doc.Serialize() == textBefore, "a refused Set changes nothing");
        return;
    }
    const std::string expected = AsWritten(value);
    Check(doc.Get(section, key) == expected, "a written value reads back");

    const Snapshot after = Take(doc);
    std::vector<std::string> sections = before.sections;
    if (!hadSection) sections.emplace_back(TrimBlanks(section));
    Check(after.sections == sections, "Set adds a section only when it is missing, at the end");
    for (std::size_t i = 0; i < before.sections.size(); ++i) {
        if (kv12::IniNamesEqual(before.sections[i], TrimBlanks(section))) continue;
        Check(after.entries[i] == before.entries[i] && after.keyNames[i] == before.keyNames[i],
              "Set leaves the other sections as they were");
    }

    const IniDocument reread = IniDocument::Parse(doc.Serialize());
    Check(reread.Get(section, key) == expected, "a written value reads back after a save");
    Check(Take(reread) == after, "a saved document reads back as it was");
}

std::vector<std::string_view> FirstLines(std::string_view text, std::size_t count) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size() && lines.size() < count) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    IniDocument doc = IniDocument::Parse(bytes);
    const std::string once = doc.Serialize();
    const IniDocument reread = IniDocument::Parse(once);
    const Snapshot first = Take(doc);
    Check(Take(reread) == first, "the written document reads back with the same sections, keys and values");
    Check(reread.Serialize() == once, "the written document writes again unchanged");
    for (const auto& name : first.sections) {
        for (const auto& [key, value] : doc.Entries(name)) {
            Check(reread.Get(name, key) == value, "every listed key reads the same after a save");
        }
    }

    IniDocument bounded;
    const auto limit = IniDocument::ParseWithinLimits(bytes, bounded);
    if (limit == IniDocument::Limit::None) {
        Check(bounded.Serialize() == once, "a document within the limits parses as without them");
    } else {
        Check(bounded.Serialize().empty() && bounded.SectionNames().empty(),
              "a document beyond a limit is left empty");
        Check(limit != IniDocument::Limit::Bytes || size > kv12::INI_FILE_MAX_BYTES,
              "only a large file is beyond the size limit");
    }

    // Keys written over the file: the whole input as a value; the input's first
    // lines as section and key names; new values for the keys already there.
    ProbeSet(doc, "Probe", "key", bytes);
    for (const std::string_view line : FirstLines(bytes, 2)) {
        ProbeSet(doc, line, "key", line);
        ProbeSet(doc, "Probe", line, line);
    }
    const auto sections = doc.SectionNames();
    for (std::size_t s = 0; s < sections.size() && s < 3; ++s) {
        const auto keys = doc.KeyNames(sections[s]);
        for (std::size_t k = 0; k < keys.size() && k < 2; ++k) {
            std::string value = doc.GetString(sections[s], keys[k]);
            std::reverse(value.begin(), value.end());
            ProbeSet(doc, sections[s], keys[k], " " + value);
        }
    }

    // A deleted section is gone with every duplicate, and the rest stays.
    if (!sections.empty()) {
        const std::string gone = sections.front();
        const Snapshot before = Take(doc);
        doc.DeleteSection(gone);
        Snapshot expected;
        for (std::size_t i = 0; i < before.sections.size(); ++i) {
            if (kv12::IniNamesEqual(before.sections[i], gone)) continue;
            expected.sections.push_back(before.sections[i]);
            expected.keyNames.push_back(before.keyNames[i]);
            expected.entries.push_back(before.entries[i]);
        }
        Check(Take(doc) == expected, "a deleted section disappears and the others stay");
        Check(Take(IniDocument::Parse(doc.Serialize())) == expected,
              "a deleted section stays deleted after a save");
    }
    return 0;
}
