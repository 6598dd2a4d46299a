// Our INI engine against the system's own private-profile functions
// (GetPrivateProfileSectionNamesW, GetPrivateProfileStringW) on the same files:
// hand-picked files and seeded pseudo-random ones, in the encodings the system
// reads faithfully (UTF-8 and UTF-16 behind a byte-order mark; plain ASCII
// without one, which the system reads in the ANSI code page). For every file
// the section listing, the key listing of every section asked for and every
// value asked for must be the same. Then the other way round: what our engine
// writes, the system reads back as it was written.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../core/test_folder.h"
#include "core/ini_file.h"
#include "win32/wide_text.h"

namespace kv12::win32 {
namespace {

using test::TestFolder;

// Far larger than anything generated: nothing is ever cut.
constexpr DWORD BUFFER_CHARS = 1 << 16;
// Returned for a key that is absent or has no value; no generated value holds it.
constexpr const wchar_t* ABSENT = L"\x01absent\x01";

// A list of NUL-ended names of the given length as UTF-8 strings, read as its
// callers read it: an empty name ends it.
std::vector<std::string> SplitList(const std::wstring& buffer, DWORD length) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < length && buffer[start] != L'\0') {
        const std::size_t end = buffer.find(L'\0', start);
        items.push_back(Utf8FromWide(std::wstring_view(buffer).substr(start, end - start)));
        start = end + 1;
    }
    return items;
}

// What the system reads from one file.
class SystemProfile {
  public:
    explicit SystemProfile(std::filesystem::path file) : file_(std::move(file)) {}

    std::vector<std::string> SectionNames() const {
        std::wstring buffer(BUFFER_CHARS, L'\0');
        const DWORD n = GetPrivateProfileSectionNamesW(buffer.data(), BUFFER_CHARS, file_.c_str());
        return SplitList(buffer, n);
    }
    std::vector<std::string> KeyNames(std::string_view section) const {
        std::wstring buffer(BUFFER_CHARS, L'\0');
        const DWORD n = GetPrivateProfileStringW(WideFromUtf8(section).c_str(), nullptr, ABSENT,
                                                 buffer.data(), BUFFER_CHARS, file_.c_str());
        // A missing section gives the default as its "list".
        if (std::wstring_view(buffer.data(), n) == ABSENT) return {};
        return SplitList(buffer, n);
    }
    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        std::wstring buffer(BUFFER_CHARS, L'\0');
        const DWORD n = GetPrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                                 ABSENT, buffer.data(), BUFFER_CHARS, file_.c_str());
        const std::wstring_view value(buffer.data(), n);
        if (value == ABSENT) return std::nullopt;
        return Utf8FromWide(value);
    }

  private:
    std::filesystem::path file_;
};

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Listed(const std::vector<std::string>& names) {
    std::string out = "{";
    for (const auto& name : names) out += (out.size() > 1 ? ", \"" : "\"") + Escaped(name) + "\"";
    return out + "}";
}

std::string Shown(const std::optional<std::string>& value) {
    return value ? "\"" + Escaped(*value) + "\"" : "(none)";
}

// A file and the names to ask it for.
struct IniCase {
    std::string what;
    std::string bytes;
    std::vector<std::string> sections;
    std::vector<std::string> keys;
};

// Writes the file, reads it both ways and returns every difference, one per line.
std::string Differences(const TestFolder& dir, int number, const IniCase& c) {
    const std::string name = "case" + std::to_string(number) + ".ini";
    dir.Write(name, c.bytes);
    // The system keeps a file it has read only once the file is a few seconds
    // old; an older time spares it reading the file again for every question.
    std::filesystem::last_write_time(dir / name,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const SystemProfile system(dir / name);
    const IniDocument ours = IniDocument::Parse(c.bytes);

    std::string differences;
    auto differ = [&](const std::string& what, const std::string& theirs, const std::string& mine) {
        differences += what + ": system " + theirs + ", ours " + mine + "\n";
    };
    if (system.SectionNames() != ours.SectionNames())
        differ("section names", Listed(system.SectionNames()), Listed(ours.SectionNames()));
    std::set<std::string> sections(c.sections.begin(), c.sections.end());
    for (const auto& listed : ours.SectionNames()) sections.insert(listed);
    sections.insert({"", "Absent"});
    std::set<std::string> keys(c.keys.begin(), c.keys.end());
    keys.insert({"", "Absent"});
    for (const auto& section : sections) {
        if (system.KeyNames(section) != ours.KeyNames(section))
            differ("keys of [" + Escaped(section) + "]", Listed(system.KeyNames(section)),
                   Listed(ours.KeyNames(section)));
        for (const auto& key : keys) {
            const auto theirs = system.Get(section, key);
            const auto mine = ours.Get(section, key);
            if (theirs != mine)
                differ("[" + Escaped(section) + "] " + Escaped(key), Shown(theirs), Shown(mine));
        }
    }
    if (!differences.empty()) differences = c.what + " (" + Escaped(c.bytes) + "):\n" + differences;
    return differences;
}

const std::string UTF8_BOM = "\xEF\xBB\xBF";

std::string Utf16(std::string_view utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t unit : WideFromUtf8(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(IniDifferential, HandPickedFilesReadAsTheSystemReadsThem) {
    const std::vector<std::string> commonKeys = {"k", "K", " k ", "Item0", "ItemCount", "Lan", "x", "y"};
    const std::string macro = "[Macro 1]\r\nItemCount=2\r\nItem0=\"A   Dn\"\r\nItem1='50 ms'\r\n";
    const std::vector<IniCase> cases = {
        {"plain ASCII",
         "[Skins]\r\nLan=CHS\r\nPath=Blue\r\n[Setting-EN]\r\nItem1=Left Click\r\n",
         {"skins", "SETTING-en"},
         {"Lan", "lan", "Path", "Item1"}},
        {"UTF-8 without a mark, ASCII only", macro, {"macro 1"}, commonKeys},
        {"UTF-8 with a mark",
         UTF8_BOM + "[\xE5\xAE\x8F]\r\nk=\xE5\xB7\xA6\xE9\x94\xAE\r\n",
         {"\xE5\xAE\x8F"},
         commonKeys},
        {"a doubled UTF-8 mark",
         UTF8_BOM + UTF8_BOM + "[A]\r\nk=1\r\n[B]\r\nk=2\r\n",
         {"A", "B"},
         commonKeys},
        {"text starting with FF FE after a UTF-8 mark",
         UTF8_BOM + "\xFF\xFE\r\n[A]\r\nk=1\r\n",
         {"A"},
         commonKeys},
        {"UTF-16LE with a mark",
         Utf16("[\xE5\xAE\x8F]\r\nk=\xF0\x9F\x98\x80\r\n[A]\r\nk=\"q\"\r\n", false),
         {"\xE5\xAE\x8F", "a"},
         commonKeys},
        {"UTF-16BE with a mark", Utf16("[A]\r\nk=\xE5\xAE\x8F\r\n", true), {"A"}, commonKeys},
        {"a doubled UTF-16 mark",
         Utf16("\xEF\xBB\xBF[A]\r\nk=1\r\n[B]\r\nk=2\r\n", false),
         {"A", "B"},
         commonKeys},
        {"quoted values",
         "[Q]\r\nk=\"A   Dn\"\r\nx='single'\r\ny=\"mis'\r\nItem0=\"\"\r\nLan=\"\r\nItemCount= \" in \" \r\n",
         {"Q"},
         commonKeys},
        {"quotes inside and around",
         "[Q]\r\nk=\"x\"y\"\r\nx=\"\"x\"\"\r\ny='x\"\r\nItem0=a \"b\" c\r\n",
         {"Q"},
         commonKeys},
        {"duplicate keys", "[A]\r\nk=first\r\nK=second\r\n k =third\r\n", {"A"}, commonKeys},
        {"duplicate sections",
         "[A]\r\nk=1\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\nx=4\r\n[ A ]\r\ny=5\r\n",
         {"A", "a", " A "},
         commonKeys},
        {"comments",
         "; top\r\n[A]\r\n;k=1\r\n# x=2\r\n#y=3\r\nk=4\r\n;\r\n",
         {"A"},
         {"k", ";k", "# x", "#y", ";", "x", "y"}},
        {"blanks and tabs around names and values",
         "  [ \tA\t ]  \r\n\t k \t=\t v w \t\r\n  x=  \r\n",
         {"A", " A"},
         commonKeys},
        {"Ctrl+Z blanks", "\x1A[A]\x1A\r\n\x1Ak\x1A=\x1A v\x1A\r\n", {"A"}, commonKeys},
        {"case differences",
         "[Setting-CHS]\r\nITEM1=a\r\nitem1=b\r\n[SETTING-chs]\r\nItem2=c\r\n",
         {"setting-chs", "Setting-CHS"},
         {"item1", "Item1", "ITEM2", "item2"}},
        {"non-ASCII names keep their case",
         UTF8_BOM + "[\xC3\x89t\xC3\xA9]\r\nk=1\r\n[\xC3\xA9t\xC3\xA9]\r\nk=2\r\n",
         {"\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},
         commonKeys},
        {"empty values", "[A]\r\nk=\r\nx= \r\ny=\t\r\n", {"A"}, commonKeys},
        {"lines without =",
         "[A]\r\nk\r\nk=hidden\r\nx y\r\nx=1\r\nItem0\r\n",
         {"A"},
         {"k", "x y", "x", "Item0"}},
        {"keys without a name", "[A]\r\n=a\r\n=b\r\nk=1\r\n=c\r\n", {"A"}, commonKeys},
        {"keys before the first section",
         "k=top\r\nx\r\n[]\r\nk=empty\r\n[ ]\r\ny=blank\r\n[A]\r\nk=a\r\n",
         {"A", "", " "},
         commonKeys},
        {"headers with more brackets",
         "[A]]\r\nk=1\r\n[[B]\r\nk=2\r\n[C] junk ]\r\nk=3\r\n[D] tail\r\nk=4\r\n",
         {"A]", "[B", "C] junk", "D"},
         commonKeys},
        {"an unclosed header is a line without =",
         "[A]\r\n[B\r\nk=1\r\n[C=x\r\n",
         {"A", "B"},
         {"k", "[B", "[C"}},
        {"line ends CR, LF, CRLF and none", "[A]\rk=1\ny=2\r\n\r\n\n[B]\rx=3", {"A", "B"}, commonKeys},
        {"empty file", "", {"A"}, commonKeys},
    };
    TestFolder dir;
    std::string differences;
    for (std::size_t i = 0; i < cases.size(); ++i)
        differences += Differences(dir, static_cast<int>(i), cases[i]);
    EXPECT_EQ(differences, "");
}

// Seeded pseudo-random files made of the pieces that matter to the format.
class FileGenerator {
  public:
    FileGenerator(unsigned seed, bool unicode) : random_(seed), unicode_(unicode) {}

    IniCase Next() {
        IniCase c;
        // A few names per file, so that sections and keys come back as duplicates.
        const std::vector<std::string> sectionNames = {Word(), Word(), Word()};
        const std::vector<std::string> keyNames = {Word(), Word(), Word(), Word()};
        const int lines = Pick(30);
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += Line(sectionNames, keyNames);
            static const char* ENDS[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
            if (i + 1 < lines || Pick(2) == 0) text += ENDS[Pick(5)];
        }
        c.bytes = text;
        for (const auto& name : sectionNames) c.sections.insert(c.sections.end(), {name, CaseVariant(name)});
        for (const auto& name : keyNames) c.keys.insert(c.keys.end(), {name, CaseVariant(name), " " + name});
        c.keys.insert(c.keys.end(), {";" + keyNames[0], "#" + keyNames[1]});
        return c;
    }

  private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string Word() {
        static const char* ASCII[] = {"Skins", "Lan",       "Item1", "Macro 1", "Setting-CHS",
                                      "k",     "ItemCount", "a b",   "x"};
        static const char* BEYOND_ASCII[] = {
            "\xC3\xA9", "\xC3\x89",         "\xE5\xAE\x8F", "\xD0\x96",
            "\xD0\xB6", "\xF0\x9F\x98\x80", "\xE3\x80\x80"};  // é É 宏 Ж ж 😀, ideographic space
        std::string word = ASCII[Pick(9)];
        if (unicode_ && Pick(3) == 0) word += BEYOND_ASCII[Pick(7)];
        if (Pick(4) == 0) word += std::to_string(Pick(3));
        return word;
    }

    std::string CaseVariant(std::string word) {
        for (char& ch : word) {
            if (ch >= 'a' && ch <= 'z' && Pick(2) == 0)
                ch = static_cast<char>(ch - 'a' + 'A');
            else if (ch >= 'A' && ch <= 'Z' && Pick(2) == 0)
                ch = static_cast<char>(ch - 'A' + 'a');
        }
        return word;
    }

    std::string Pad() {
        static const char* PADS[] = {"", "", "", " ", "\t", "  ", " \t ", "\x1A"};
        return PADS[Pick(8)];
    }

    std::string Value() {
        static const char* PLAIN[] = {"",    "v",   "A   Dn",          "50 ms", "a=b",
                                      "x y", "300", "; not a comment", "#"};
        std::string value = PLAIN[Pick(9)];
        if (unicode_ && Pick(3) == 0) value += "\xE5\xB7\xA6\xE9\x94\xAE \xF0\x9F\x98\x80";
        switch (Pick(8)) {
            case 0:
                return "\"" + value + "\"";
            case 1:
                return "'" + Pad() + value + Pad() + "'";
            case 2:
                return "\"" + value + "'";
            case 3:
                return "\"" + value;
            case 4:
                return value + "\" in \"" + value;
            default:
                return value;
        }
    }

    std::string Line(const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
        const std::string& section = sections[static_cast<std::size_t>(Pick(3))];
        const std::string& key = keys[static_cast<std::size_t>(Pick(4))];
        switch (Pick(12)) {
            case 0:
            case 1:
            case 2: {
                static const char* TAILS[] = {"", "", "", " junk", "]", " ; note"};
                return Pad() + "[" + Pad() + CaseVariant(section) + Pad() + "]" + TAILS[Pick(6)] + Pad();
            }
            case 3:
                return Pad() + "[" + section;  // unclosed
            case 4:
                return Pad() + CaseVariant(key) + Pad();  // no "="
            case 5:
                return Pad() + "=" + Pad() + Value();
            case 6:
                return std::string(Pick(2) == 0 ? ";" : "#") + CaseVariant(key) + Pad() + "=" + Value();
            case 7:
                return Pad();  // blank
            default:
                return Pad() + CaseVariant(key) + Pad() + "=" + Pad() + Value() + Pad();
        }
    }

    std::mt19937 random_;
    bool unicode_;
};

// Every difference over the files one generator makes, each file in one encoding.
std::string GeneratedDifferences(const char* encoding, unsigned seed, bool unicode,
                                 std::string (*encode)(const std::string&)) {
    constexpr int FILES = 80;
    FileGenerator generator(seed, unicode);
    TestFolder dir;
    std::string differences;
    for (int i = 0; i < FILES; ++i) {
        IniCase c = generator.Next();
        c.what = std::string(encoding) + " #" + std::to_string(i);
        c.bytes = encode(c.bytes);
        differences += Differences(dir, i, c);
    }
    return differences;
}

TEST(IniDifferential, GeneratedAsciiFilesWithoutAMarkReadAsTheSystemReadsThem) {
    EXPECT_EQ(GeneratedDifferences("ASCII without a mark", 20240611u, false,
                                   [](const std::string& text) { return text; }),
              "");
}

TEST(IniDifferential, GeneratedUtf8FilesWithAMarkReadAsTheSystemReadsThem) {
    EXPECT_EQ(GeneratedDifferences("UTF-8 with a mark", 20240612u, true,
                                   [](const std::string& text) { return UTF8_BOM + text; }),
              "");
}

TEST(IniDifferential, GeneratedUtf16FilesWithAMarkReadAsTheSystemReadsThem) {
    EXPECT_EQ(GeneratedDifferences("UTF-16LE with a mark", 20240613u, true,
                                   [](const std::string& text) { return Utf16(text, false); }),
              "");
}

// What our engine writes, the system reads back as it was written: values with
// blanks at their ends, in quotes or with quotes inside.
TEST(IniDifferential, WrittenValuesAreReadBackByTheSystemAsWritten) {
    const std::vector<std::string> values = {
        "plain",       "A   Dn", "",       " leading", "trailing ", "\t tabs \t", "\"quoted\"", "'single'",
        "\"",          "''",     "\"open", "close'",   "'mixed\"",  "a \"b\" c",  "a=b",        "; x",
        "  \"both\" ", "\x1A",   "#hash",  "[x]",
    };
    for (bool unicode : {false, true}) {
        // A document that starts with a mark keeps it, so the system reads UTF-8.
        IniDocument doc = unicode ? IniDocument::Parse(UTF8_BOM) : IniDocument{};
        std::vector<std::pair<std::string, std::string>> written;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::string value = unicode ? values[i] + " \xE5\xAE\x8F" + values[i] : values[i];
            const std::string key = "Item" + std::to_string(i);
            ASSERT_TRUE(doc.Set(unicode ? "\xE5\xAE\x8F" : "Macro", key, value));
            written.emplace_back(key, value);
        }
        TestFolder dir;
        dir.Write("written.ini", doc.Serialize());
        const SystemProfile system(dir / "written.ini");
        const std::string section = unicode ? "\xE5\xAE\x8F" : "Macro";
        for (const auto& [key, value] : written) {
            EXPECT_EQ(system.Get(section, key), value) << Escaped(value);
            EXPECT_EQ(doc.Get(section, key), value) << Escaped(value);
        }
        std::vector<std::string> keys;
        for (const auto& entry : written) keys.push_back(entry.first);
        EXPECT_EQ(system.KeyNames(section), keys);
    }
}

}  // namespace
}  // namespace kv12::win32
