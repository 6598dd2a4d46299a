#include "core/macros.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <unordered_map>

#include "core/key_tables.h"
#include "core/preferences.h"
#include "core/utf8_path.h"

namespace kv12 {

namespace {

// Delays up to this fit in one pair's timing byte, in units of 10 ms.
constexpr int SHORT_DELAY_MAX_MS = 1270;
constexpr std::uint8_t RELEASE_BIT = 0x80;
constexpr std::size_t STREAM_START = 2;  // after the loop count

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Every occurrence removed in one left-to-right pass.
std::string RemoveAll(std::string_view text, std::string_view part) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit = text.find(part); hit != std::string_view::npos; hit = text.find(part, pos)) {
        out.append(text.substr(pos, hit - pos));
        pos = hit + part.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string ItemKey(int index) {
    return "Item" + std::to_string(index);
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

struct EncodedEvents {
    std::vector<std::uint8_t> bytes;
    bool cut = false;
};

EncodedEvents EncodeEvents(const std::vector<std::string>& items) {
    EncodedEvents result;
    for (std::size_t j = 0; j < items.size(); ++j) {
        const MacroItem item{items[j]};
        const MacroItemKind kind = item.Kind();
        if (kind == MacroItemKind::Delay) continue;  // a delay only times the event before it
        const std::uint8_t direction = kind == MacroItemKind::Release ? RELEASE_BIT : 0;
        const std::uint8_t code = MacroKeyName(item.KeyName());

        // Only a delay item right behind the event times it; a second delay in a
        // row, or an event directly behind, leaves it at 0.
        int delay = 0;
        if (j + 1 < items.size()) {
            const MacroItem next{items[j + 1]};
            if (next.Kind() == MacroItemKind::Delay)
                delay = std::clamp(next.DelayMs(), 0, MACRO_DELAY_MAX_MS);
        }

        std::uint8_t event[4];
        std::size_t size = 2;
        if (delay <= SHORT_DELAY_MAX_MS) {
            event[0] = static_cast<std::uint8_t>(direction | ((delay / 10) & 0x7F));
            event[1] = code;
        } else {
            event[0] = static_cast<std::uint8_t>(direction | ((delay % 100) & 0x7F));
            event[1] = code;
            event[2] = static_cast<std::uint8_t>(delay / 100);
            event[3] = LONG_DELAY_MARK;
            size = 4;
        }
        // The slot ends here: stop at the last whole event, so the mouse never
        // reads half a long-delay group or a release without its press order.
        if (result.bytes.size() + size > MACRO_STREAM_MAX_BYTES) {
            result.cut = true;
            break;
        }
        result.bytes.insert(result.bytes.end(), event, event + size);
    }
    return result;
}

}  // namespace

MacroItem MacroItem::Press(std::string_view keyName) {
    return MacroItem{std::string(keyName) + PRESS_SUFFIX};
}

MacroItem MacroItem::Release(std::string_view keyName) {
    return MacroItem{std::string(keyName) + RELEASE_SUFFIX};
}

MacroItem MacroItem::Delay(int milliseconds) {
    return MacroItem{std::to_string(milliseconds) + DELAY_SUFFIX};
}

MacroItemKind MacroItem::Kind() const {
    if (Contains(text, PRESS_SUFFIX)) return MacroItemKind::Press;
    if (Contains(text, RELEASE_SUFFIX)) return MacroItemKind::Release;
    return MacroItemKind::Delay;
}

std::string MacroItem::KeyName() const {
    switch (Kind()) {
        case MacroItemKind::Press:
            return RemoveAll(text, PRESS_SUFFIX);
        case MacroItemKind::Release:
            return RemoveAll(text, RELEASE_SUFFIX);
        case MacroItemKind::Delay:
            break;
    }
    return {};
}

int MacroItem::DelayMs() const {
    return ParseProfileInt(RemoveAll(text, DELAY_SUFFIX));
}

std::uint8_t MacroKeyName(std::string_view name) {
    return KeyUsageByName(name);
}

std::vector<std::string> LoadMacroNames(const IniDocument& recordIni) {
    return recordIni.SectionNames();
}

std::vector<std::string> LoadMacroNames(const std::filesystem::path& recordIni) {
    return LoadMacroNames(IniDocument::Load(recordIni));
}

std::vector<std::string> ReadMacro(const IniDocument& recordIni, std::string_view name) {
    const int count = std::min(ParseProfileInt(recordIni.GetString(name, ITEM_COUNT_KEY)), MACRO_ITEM_MAX);
    if (count <= 0) return {};
    // One pass over the section instead of a search per item.
    std::unordered_map<std::string, std::string> values;
    for (auto& [key, value] : recordIni.Entries(name)) values.emplace(AsciiLower(key), std::move(value));
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        const auto found = values.find(AsciiLower(ItemKey(j)));
        items.push_back(found == values.end() ? std::string{} : CutProfileValue(found->second));
    }
    return items;
}

std::vector<std::string> ReadMacro(const std::filesystem::path& recordIni, std::string_view name) {
    return ReadMacro(IniDocument::Load(recordIni), name);
}

std::optional<FileError> CheckMacroLimits(const IniDocument& recordIni, const std::filesystem::path& path) {
    static constexpr Text3 TOO_MANY_ITEMS = {
        "%1 is not read: the macro \"%2\" has an ItemCount of %3, more than the %4 items a macro may hold. "
        "The file is left as it is.",
        "未读取 %1：宏“%2”的 ItemCount 为 %3，超过每个宏最多 %4 项的上限。文件保持原样。",
        "未讀取 %1：巨集「%2」的 ItemCount 為 %3，超過每個巨集最多 %4 項的上限。檔案保持原樣。",
    };
    for (const auto& name : LoadMacroNames(recordIni)) {
        const int count = ParseProfileInt(recordIni.GetString(name, ITEM_COUNT_KEY));
        if (count <= MACRO_ITEM_MAX) continue;
        const std::string file = PathToUtf8(path);
        const std::string found = std::to_string(count);
        const std::string limit = std::to_string(MACRO_ITEM_MAX);
        FileError error{FillMessage(TOO_MANY_ITEMS.en, {file, name, found, limit}), 0};
        error.translations = {error.message, FillMessage(TOO_MANY_ITEMS.chs, {file, name, found, limit}),
                              FillMessage(TOO_MANY_ITEMS.cht, {file, name, found, limit})};
        return error;
    }
    return std::nullopt;
}

bool SaveMacro(IniDocument& recordIni, std::string_view name, const std::vector<std::string>& items) {
    if (!IniDocument::IsStorableSectionName(name)) return false;
    // A macro keeps its place in the file, and so its slot: the buttons refer
    // to macros by slot, and a saved macro that moved to the end would leave
    // them playing another one.
    if (recordIni.HasSection(name)) {
        for (const std::string& key : recordIni.KeyNames(name)) recordIni.DeleteKey(name, key);
    }
    recordIni.Set(name, ITEM_COUNT_KEY, std::to_string(items.size()));
    for (std::size_t j = 0; j < items.size(); ++j)
        recordIni.Set(name, ItemKey(static_cast<int>(j)), items[j]);
    return true;
}

std::optional<FileError> SaveMacro(const std::filesystem::path& recordIni, std::string_view name,
                                   const std::vector<std::string>& items) {
    if (!IniDocument::IsStorableSectionName(name)) {
        return FileError{"cannot write " + PathToUtf8(recordIni) + ": a macro name cannot hold a line break",
                         EINVAL};
    }
    IniDocument doc;
    if (auto error = IniDocument::LoadForUpdate(recordIni, doc)) return error;
    SaveMacro(doc, name, items);
    return doc.Save(recordIni);
}

void DeleteMacro(IniDocument& recordIni, std::string_view name) {
    recordIni.DeleteSection(name);
}

std::optional<FileError> DeleteMacro(const std::filesystem::path& recordIni, std::string_view name) {
    IniDocument doc;
    if (auto error = IniDocument::LoadForUpdate(recordIni, doc)) return error;
    if (!doc.HasSection(name)) return std::nullopt;
    DeleteMacro(doc, name);
    return doc.Save(recordIni);
}

void SetLoopCount(SettingsBlock& block, int slot, std::uint16_t count) {
    auto bytes = block.macroSlot(slot);
    bytes[0] = static_cast<std::uint8_t>(count >> 8);
    bytes[1] = static_cast<std::uint8_t>(count & 0xFF);
}

std::uint16_t LoopCount(const SettingsBlock& block, int slot) {
    const auto bytes = block.macroSlot(slot);
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

std::vector<std::uint8_t> EncodeMacroEvents(const std::vector<std::string>& items) {
    return EncodeEvents(items).bytes;
}

bool MacroEventsFit(const std::vector<std::string>& items) {
    return !EncodeEvents(items).cut;
}

MacroEncodeReport EncodeMacros(const IniDocument& recordIni, SettingsBlock& block) {
    MacroEncodeReport report;
    const std::vector<std::string> names = LoadMacroNames(recordIni);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string& name = names[k];
        // The slots end at twelve; later sections have nowhere to go.
        if (k >= static_cast<std::size_t>(MACRO_MAX_COUNT)) {
            report.notCompiled.push_back(name);
            continue;
        }
        // Names are looked up whole, however long: the length limit only
        // matters where the interface shows them.
        const int count = ParseProfileInt(recordIni.GetString(name, ITEM_COUNT_KEY));
        const auto slot = block.macroSlot(static_cast<int>(k));
        if (count < 0) continue;
        if (count == 0) {
            std::fill(slot.begin(), slot.end(), std::uint8_t{0});
            continue;
        }
        const EncodedEvents events = EncodeEvents(ReadMacro(recordIni, name));
        std::fill(slot.begin() + STREAM_START, slot.end(), std::uint8_t{0});
        std::copy(events.bytes.begin(), events.bytes.end(), slot.begin() + STREAM_START);
        if (events.cut) report.cut.push_back(name);
    }
    return report;
}

MacroEncodeReport EncodeMacros(const std::filesystem::path& recordIni, SettingsBlock& block) {
    std::error_code ec;
    if (!std::filesystem::exists(recordIni, ec)) return {};
    return EncodeMacros(IniDocument::Load(recordIni), block);
}

}  // namespace kv12
