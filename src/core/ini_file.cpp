#include "core/ini_file.h"

#include <climits>
#include <system_error>
#include <unordered_set>

#include "core/utf8_path.h"

namespace kv12 {

namespace {

// The blanks the system trims from names and values.
constexpr std::string_view BLANKS = " \t\v\f\r";
constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

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

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
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

std::string DecodeFileText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return std::string(bytes);
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

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    const std::string text = DecodeFileText(bytes);
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view raw(text.data() + start, end - start);
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        start = end + 1;

        const std::string_view trimmed = Trim(raw);
        if (trimmed.starts_with('[')) {
            // The last "]" closes the name, so names holding "]" read back whole.
            const auto close = trimmed.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                doc.sections_.push_back(
                    Section{std::string(Trim(trimmed.substr(1, close - 1))), std::string(raw), {}});
                current = &doc.sections_.back();
                continue;
            }
        }
        Line line{std::string(raw), {}, {}, false};
        const auto eq = trimmed.find('=');
        if (current != nullptr && eq != std::string_view::npos && !trimmed.starts_with(';')) {
            line.key = std::string(Trim(trimmed.substr(0, eq)));
            line.value = std::string(Trim(trimmed.substr(eq + 1)));
            line.isKey = true;
        }
        (current != nullptr ? current->lines : doc.preamble_).push_back(std::move(line));
    }
    return doc;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
    const auto bytes = ReadFileText(path);
    return bytes ? Parse(*bytes) : IniDocument{};
}

std::optional<FileError> IniDocument::LoadForUpdate(const std::filesystem::path& path,
                                                    IniDocument& document) {
    document = IniDocument{};
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (ec) return FileError{"cannot read " + PathToUtf8(path) + ": " + ec.message(), ec.value()};
    if (!exists) return std::nullopt;
    const auto bytes = ReadFileText(path);
    if (!bytes) return FileError{"cannot read " + PathToUtf8(path) + ": the file cannot be opened", 0};
    document = Parse(*bytes);
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
        if (line.isKey && IniNamesEqual(line.key, wanted)) return line.value;
    }
    return std::nullopt;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key) const {
    return Get(section, key).value_or(std::string{});
}

bool IniDocument::IsStorableSectionName(std::string_view name) {
    return !HasLineBreak(name);
}

bool IniDocument::IsStorableKeyName(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    return !trimmed.empty() && !HasLineBreak(trimmed) && trimmed.find('=') == std::string_view::npos &&
           !trimmed.starts_with('[') && !trimmed.starts_with(';');
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableSectionName(section) || !IsStorableKeyName(key)) return false;
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    const std::string newValue(Trim(OneLine(value)));

    Section* target = FindSection(sectionName);
    if (target == nullptr) {
        sections_.push_back(Section{std::string(sectionName), "[" + std::string(sectionName) + "]", {}});
        target = &sections_.back();
    }
    for (auto& line : target->lines) {
        if (line.isKey && IniNamesEqual(line.key, keyName)) {
            line.value = newValue;
            line.text = line.key + "=" + newValue;
            return true;
        }
    }
    // A new key goes behind the last non-blank line of its section, so blank
    // lines that separate it from the next section stay where they are.
    auto insertAt = target->lines.end();
    while (insertAt != target->lines.begin() && Trim(std::prev(insertAt)->text).empty()) --insertAt;
    Line line{std::string(keyName) + "=" + newValue, std::string(keyName), newValue, true};
    target->lines.insert(insertAt, std::move(line));
    return true;
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (found == nullptr) return;
    const std::string_view wanted = Trim(key);
    std::erase_if(found->lines,
                  [&](const Line& line) { return line.isKey && IniNamesEqual(line.key, wanted); });
}

void IniDocument::DeleteSection(std::string_view section) {
    const std::string_view wanted = Trim(section);
    std::erase_if(sections_, [&](const Section& s) { return IniNamesEqual(s.name, wanted); });
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const auto& section : sections_) {
        if (seen.insert(AsciiLower(section.name)).second) names.push_back(section.name);
    }
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    for (auto& entry : Entries(section)) names.push_back(std::move(entry.first));
    return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const Section* found = FindSection(section);
    if (found == nullptr) return entries;
    std::unordered_set<std::string> seen;
    for (const auto& line : found->lines) {
        if (line.isKey && seen.insert(AsciiLower(line.key)).second)
            entries.emplace_back(line.key, line.value);
    }
    return entries;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (const auto& line : preamble_) out += line.text + "\r\n";
    for (const auto& section : sections_) {
        out += section.header + "\r\n";
        for (const auto& line : section.lines) out += line.text + "\r\n";
    }
    return out;
}

std::optional<FileError> IniDocument::Save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, Serialize());
}

}  // namespace kv12
