#include "core/ini_file.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "core/utf8_path.h"

namespace kv12 {

namespace {

// The blanks the system trims from names and values: tab to carriage return,
// space, and Ctrl+Z (an old end-of-file mark found in files from DOS days).
constexpr std::string_view BLANKS = "\t\n\v\f\r\x1A ";
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";
constexpr std::string_view UTF16LE_BOM = "\xFF\xFE";
constexpr std::string_view UTF16BE_BOM = "\xFE\xFF";
constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

bool IsBlank(char c) {
    return BLANKS.find(c) != std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(BLANKS);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(BLANKS);
    return text.substr(first, last - first + 1);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

// Characters that cannot stay inside one line of the file: a NUL ends the
// text for the system's functions.
bool BreaksTheLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 text (after its byte-order mark) to UTF-8. Unpaired surrogates and a
// stray last byte become U+FFFD, so damaged files still load.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? static_cast<char32_t>((b0 << 8) | b1) : static_cast<char32_t>((b1 << 8) | b0);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const char32_t next = i + 1 < units ? unitAt(i + 1) : 0;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
            } else {
                AppendUtf8(out, REPLACEMENT_CHARACTER);
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            AppendUtf8(out, REPLACEMENT_CHARACTER);
        } else {
            AppendUtf8(out, unit);
        }
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, REPLACEMENT_CHARACTER);
    return out;
}

struct DecodedText {
    std::string text;
    bool utf8Bom = false;
};

// One byte-order mark is taken; a second one is text, as the system reads it.
DecodedText DecodeFileText(std::string_view bytes) {
    if (bytes.starts_with(UTF16LE_BOM)) return {Utf16ToUtf8(bytes.substr(2), false), false};
    if (bytes.starts_with(UTF16BE_BOM)) return {Utf16ToUtf8(bytes.substr(2), true), false};
    if (bytes.starts_with(UTF8_BOM)) return {std::string(bytes.substr(UTF8_BOM.size())), true};
    return {std::string(bytes), false};
}

bool StartsLikeAByteOrderMark(std::string_view text) {
    return text.starts_with(UTF8_BOM) || text.starts_with(UTF16LE_BOM) || text.starts_with(UTF16BE_BOM);
}

// A value must stay on its line: each line break (CRLF, CR or LF) becomes one blank.
std::string OneLine(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

bool EnclosedInQuotes(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

// The value as the system reads it: one pair of enclosing quotes taken off.
std::string_view Unquote(std::string_view value) {
    return EnclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// The value as written, so that trimming and unquoting give it back.
std::string Quoted(std::string_view value) {
    if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || EnclosedInQuotes(value)))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

// The next line of text from pos: up to CR, LF or CRLF; pos moves behind the break.
std::string_view NextLine(const std::string& text, std::size_t& pos) {
    const std::size_t start = pos;
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
        pos = text.size();
        return std::string_view(text).substr(start);
    }
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return std::string_view(text).substr(start, end - start);
}

// The messages for a file beyond a limit: %1 is the file, %2 the limit.
static_assert(INI_FILE_MAX_BYTES == 1024 * 1024, "the messages call the size limit 1 MB");
struct LimitTexts {
    IniDocument::Limit limit;
    Text3 text;
};
constexpr LimitTexts LIMIT_TEXTS[] = {
    {IniDocument::Limit::Bytes,
     {"%1 is not read: it is larger than %2 bytes (1 MB), the most an INI file of this program may hold. "
      "The file is left as it is.",
      "未读取 %1：文件大于 %2 字节（1 MB），超出本程序 INI 文件的上限。文件保持原样。",
      "未讀取 %1：檔案大於 %2 位元組（1 MB），超出本程式 INI 檔案的上限。檔案保持原樣。"}},
    {IniDocument::Limit::Lines,
     {"%1 is not read: it has more than %2 lines, the most an INI file of this program may hold. "
      "The file is left as it is.",
      "未读取 %1：文件超过 %2 行，超出本程序 INI 文件的上限。文件保持原样。",
      "未讀取 %1：檔案超過 %2 行，超出本程式 INI 檔案的上限。檔案保持原樣。"}},
    {IniDocument::Limit::Sections,
     {"%1 is not read: it has more than %2 sections, the most an INI file of this program may hold. "
      "The file is left as it is.",
      "未读取 %1：文件包含超过 %2 个节，超出本程序 INI 文件的上限。文件保持原样。",
      "未讀取 %1：檔案包含超過 %2 個區段，超出本程式 INI 檔案的上限。檔案保持原樣。"}},
};

std::uintmax_t LimitValue(IniDocument::Limit limit) {
    switch (limit) {
        case IniDocument::Limit::Bytes:
            return INI_FILE_MAX_BYTES;
        case IniDocument::Limit::Lines:
            return INI_LINE_MAX;
        case IniDocument::Limit::Sections:
            return INI_SECTION_MAX;
        case IniDocument::Limit::None:
            break;
    }
    return 0;
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

int ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;  // clamped below either way
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

IniDocument::Limit IniDocument::ParseInto(std::string_view bytes, bool limited, IniDocument& doc) {
    doc = IniDocument{};
    if (limited && bytes.size() > INI_FILE_MAX_BYTES) return Limit::Bytes;
    DecodedText decoded = DecodeFileText(bytes);
    const std::string& text = decoded.text;
    doc.byteOrderMark_ = decoded.utf8Bom;

    Section* current = &doc.sections_.front();
    // A key without a name right behind another one without a name is no key
    // (the system drops it).
    bool lastKeyNameless = false;
    std::size_t lineCount = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view raw = NextLine(text, pos);
        if (limited && ++lineCount > INI_LINE_MAX) {
            doc = IniDocument{};
            return Limit::Lines;
        }
        const std::string_view trimmed = Trim(raw);
        if (trimmed.starts_with('[')) {
            // The last "]" closes the name, so names holding "]" read back whole.
            const auto close = trimmed.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                if (limited && doc.sections_.size() > INI_SECTION_MAX) {
                    doc = IniDocument{};
                    return Limit::Sections;
                }
                doc.sections_.push_back(
                    Section{std::string(Trim(trimmed.substr(1, close - 1))), std::string(raw), {}});
                current = &doc.sections_.back();
                lastKeyNameless = false;
                continue;
            }
        }
        Line line{std::string(raw), {}, {}, LineKind::Other};
        if (!trimmed.empty()) {
            const auto eq = trimmed.find('=');
            const std::string_view name =
                eq == std::string_view::npos ? trimmed : Trim(trimmed.substr(0, eq));
            if (!name.empty() || !lastKeyNameless) {
                line.key = std::string(name);
                if (eq == std::string_view::npos) {
                    line.kind = LineKind::KeyWithoutValue;
                } else {
                    line.kind = LineKind::Key;
                    line.value = std::string(Unquote(Trim(trimmed.substr(eq + 1))));
                }
                lastKeyNameless = name.empty();
            }
        }
        current->lines.push_back(std::move(line));
    }
    return Limit::None;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    ParseInto(bytes, false, doc);
    return doc;
}

IniDocument::Limit IniDocument::ParseWithinLimits(std::string_view bytes, IniDocument& document) {
    return ParseInto(bytes, true, document);
}

FileError IniDocument::LimitError(const std::filesystem::path& path, Limit limit) {
    FileError error;
    for (const auto& entry : LIMIT_TEXTS) {
        if (entry.limit != limit) continue;
        const std::string file = PathToUtf8(path);
        const std::string value = std::to_string(LimitValue(limit));
        error.message = FillMessage(entry.text.en, {file, value});
        error.translations = {error.message, FillMessage(entry.text.chs, {file, value}),
                              FillMessage(entry.text.cht, {file, value})};
    }
    return error;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
    IniDocument document;
    LoadForUpdate(path, document);
    return document;
}

std::optional<FileError> IniDocument::LoadForUpdate(const std::filesystem::path& path,
                                                    IniDocument& document) {
    document = IniDocument{};
    const BoundedRead read = ReadFileUpTo(path, INI_FILE_MAX_BYTES);
    switch (read.outcome) {
        case BoundedRead::Outcome::Missing:
            return std::nullopt;
        case BoundedRead::Outcome::Unreadable:
            return FileError{"cannot read " + PathToUtf8(path) + ": " + read.reason, 0};
        case BoundedRead::Outcome::TooLarge:
            return LimitError(path, Limit::Bytes);
        case BoundedRead::Outcome::Read:
            break;
    }
    const Limit limit = ParseWithinLimits(read.bytes, document);
    if (limit != Limit::None) return LimitError(path, limit);
    return std::nullopt;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const std::string_view wanted = Trim(name);
    for (auto& section : sections_) {
        if (IniNamesEqual(section.name, wanted)) return &section;
    }
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return std::nullopt;
    const std::string_view wanted = Trim(key);
    for (const auto& line : found->lines) {
        if (line.kind != LineKind::Other && IniNamesEqual(line.key, wanted)) {
            if (line.kind == LineKind::KeyWithoutValue) return std::nullopt;
            return line.value;
        }
    }
    return std::nullopt;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key) const {
    return Get(section, key).value_or(std::string{});
}

bool IniDocument::IsStorableSectionName(std::string_view name) {
    return !Trim(name).empty() && !BreaksTheLine(name);
}

bool IniDocument::IsStorableKeyName(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    return !trimmed.empty() && !BreaksTheLine(trimmed) && trimmed.find('=') == std::string_view::npos &&
           !trimmed.starts_with('[') && !trimmed.starts_with(';');
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableSectionName(section) || !IsStorableKeyName(key)) return false;
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    const std::string newValue = OneLine(value);

    Section* target = FindSection(sectionName);
    if (target == nullptr) {
        sections_.push_back(Section{std::string(sectionName), "[" + std::string(sectionName) + "]", {}});
        target = &sections_.back();
    }
    for (auto& line : target->lines) {
        if (line.kind != LineKind::Other && IniNamesEqual(line.key, keyName)) {
            line.value = newValue;
            line.text = line.key + "=" + Quoted(newValue);
            line.kind = LineKind::Key;
            return true;
        }
    }
    // A new key goes behind the last non-blank line of its section, so blank
    // lines that separate it from the next section stay where they are.
    auto insertAt = target->lines.end();
    while (insertAt != target->lines.begin() && Trim(std::prev(insertAt)->text).empty()) --insertAt;
    Line line{std::string(keyName) + "=" + Quoted(newValue), std::string(keyName), newValue, LineKind::Key};
    target->lines.insert(insertAt, std::move(line));
    return true;
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (found == nullptr) return;
    const std::string_view wanted = Trim(key);
    std::erase_if(found->lines, [&](const Line& line) {
        return line.kind != LineKind::Other && IniNamesEqual(line.key, wanted);
    });
}

void IniDocument::DeleteSection(std::string_view section) {
    const std::string_view wanted = Trim(section);
    if (wanted.empty()) return;
    // The lines before the first header are never a section of this name.
    sections_.erase(std::remove_if(std::next(sections_.begin()), sections_.end(),
                                   [&](const Section& s) { return IniNamesEqual(s.name, wanted); }),
                    sections_.end());
}

bool IniDocument::HasSection(std::string_view section) const {
    return !Trim(section).empty() && FindSection(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& section : sections_) {
        if (!section.name.empty()) names.push_back(section.name);
    }
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    // The system's listing takes the section name as given, untrimmed.
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const Section& s) { return IniNamesEqual(s.name, section); });
    if (found == sections_.end()) return names;
    for (const auto& line : found->lines) {
        if (line.kind != LineKind::Key || line.key.starts_with(';')) continue;
        // The listing is a run of NUL-ended names that an empty name ends.
        if (line.key.empty()) break;
        names.push_back(line.key);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const Section* found = FindSection(section);
    if (found == nullptr) return entries;
    std::unordered_set<std::string> seen;
    for (const auto& line : found->lines) {
        if (line.kind == LineKind::Other || !seen.insert(AsciiLower(line.key)).second) continue;
        // The first of a name decides: one without a value hides the later ones.
        if (line.kind == LineKind::Key && !line.key.starts_with(';'))
            entries.emplace_back(line.key, line.value);
    }
    return entries;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0) out += sections_[i].header + "\r\n";
        for (const auto& line : sections_[i].lines) out += line.text + "\r\n";
    }
    // Without the mark a file that starts with bytes like a byte-order mark
    // would be read in another encoding next time.
    if (byteOrderMark_ || StartsLikeAByteOrderMark(out)) out.insert(0, UTF8_BOM);
    return out;
}

std::optional<FileError> IniDocument::Save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, Serialize());
}

}  // namespace kv12
