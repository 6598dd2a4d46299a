// record.ini from arbitrary text, compiled into the settings block. The
// compiler writes only inside the twelve macro slots; every slot holds what
// its section asks for (cleared for an ItemCount of 0, left for a negative
// one, the events of the items otherwise); a stream that does not fit is cut
// at a whole event and reported, sections beyond the twelfth are reported, and
// an ItemCount beyond the limit is named by CheckMacroLimits. A macro saved
// back into the file reads back with the same items.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "core/macros.h"
#include "fuzz_check.h"

namespace {

using kv12::fuzz::Check;

constexpr std::size_t SLOTS_BEGIN = kv12::offsets::MACRO_SLOTS;
constexpr std::size_t SLOTS_END = SLOTS_BEGIN + kv12::MACRO_SLOT_COUNT * kv12::MACRO_SLOT_SIZE;
// Twice the items a slot's events can come from.
constexpr std::size_t SAVED_ITEMS_MAX = 256;

// A block whose every byte is known and none is zero, so that a stray write shows.
kv12::SettingsBlock PatternBlock() {
    kv12::SettingsBlock block;
    for (std::size_t i = 0; i < block.bytes.size(); ++i)
        block.bytes[i] = static_cast<std::uint8_t>(i * 31 + 7) | 1;
    return block;
}

// The bytes the items' events need, counted from the items alone: a press or
// a release takes 2 bytes, or 4 when the delay right behind it is longer than
// 1270 ms.
std::size_t EventBytesNeeded(const std::vector<std::string>& items) {
    std::size_t bytes = 0;
    for (std::size_t j = 0; j < items.size(); ++j) {
        const kv12::MacroItem item{items[j]};
        if (item.Kind() == kv12::MacroItemKind::Delay) continue;
        int delay = 0;
        if (j + 1 < items.size()) {
            const kv12::MacroItem next{items[j + 1]};
            if (next.Kind() == kv12::MacroItemKind::Delay)
                delay = std::clamp(next.DelayMs(), 0, kv12::MACRO_DELAY_MAX_MS);
        }
        bytes += delay > 1270 ? 4 : 2;
    }
    return bytes;
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv12::IniDocument doc;
    const auto limit = kv12::IniDocument::ParseWithinLimits(text, doc);

    const kv12::SettingsBlock before = PatternBlock();
    kv12::SettingsBlock block = before;
    const kv12::MacroEncodeReport report = kv12::EncodeMacros(doc, block);

    Check(
        std::equal(block.bytes.begin(), block.bytes.begin() + SLOTS_BEGIN, before.bytes.begin()) &&
            std::equal(block.bytes.begin() + SLOTS_END, block.bytes.end(), before.bytes.begin() + SLOTS_END),
        "the compiler writes only inside the macro slots");
    if (limit != kv12::IniDocument::Limit::None) {
        Check(block == before && report.cut.empty() && report.notCompiled.empty(),
              "a file beyond the limits compiles nothing");
        return 0;
    }

    const std::vector<std::string> names = kv12::LoadMacroNames(doc);
    const std::size_t compiled = std::min<std::size_t>(names.size(), kv12::MACRO_MAX_COUNT);
    Check(report.notCompiled == std::vector<std::string>(names.begin() + compiled, names.end()),
          "every section beyond the twelfth is reported as not compiled");

    std::size_t cutCount = 0;
    bool beyondItemLimit = false;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const int count = kv12::ParseProfileInt(doc.GetString(names[k], kv12::ITEM_COUNT_KEY));
        if (count > kv12::MACRO_ITEM_MAX) beyondItemLimit = true;
        if (k >= compiled) continue;
        const auto slot = block.macroSlot(static_cast<int>(k));
        const auto old = before.macroSlot(static_cast<int>(k));
        if (count < 0) {
            Check(std::equal(slot.begin(), slot.end(), old.begin()), "a negative ItemCount leaves the slot");
            continue;
        }
        if (count == 0) {
            Check(std::all_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b == 0; }),
                  "an ItemCount of 0 clears the slot");
            continue;
        }
        const std::vector<std::string> items = kv12::ReadMacro(doc, names[k]);
        Check(items.size() == static_cast<std::size_t>(std::min(count, kv12::MACRO_ITEM_MAX)),
              "ItemCount items are read, up to the limit");
        Check(slot[0] == old[0] && slot[1] == old[1], "the loop count is kept");
        const std::vector<std::uint8_t> events = kv12::EncodeMacroEvents(items);
        Check(events.size() <= kv12::MACRO_STREAM_MAX_BYTES && events.size() % 2 == 0,
              "the event stream fits the slot in whole pairs");
        Check(std::equal(events.begin(), events.end(), slot.begin() + 2) &&
                  std::all_of(slot.begin() + 2 + static_cast<std::ptrdiff_t>(events.size()), slot.end(),
                              [](std::uint8_t b) { return b == 0; }),
              "the slot holds the events, then zeros");
        const std::size_t needed = EventBytesNeeded(items);
        const bool cut = needed > kv12::MACRO_STREAM_MAX_BYTES;
        Check(cut == !kv12::MacroEventsFit(items), "MacroEventsFit says whether every event fits");
        Check(cut || events.size() == needed, "a stream that fits holds every event");
        Check(!cut || events.size() + 4 > kv12::MACRO_STREAM_MAX_BYTES,
              "a cut stream stops only where the next event does not fit");
        if (cut) {
            ++cutCount;
            Check(Listed(report.cut, names[k]), "a cut macro is reported");
        }

        // Saved back under its name, the macro reads back with the same items.
        // Only for macros of a size the editor makes: each saved item looks
        // through its section, and thousands of them would set the pace.
        if (items.size() > SAVED_ITEMS_MAX) continue;
        kv12::IniDocument copy = doc;
        const bool storable = kv12::IniDocument::IsStorableSectionName(names[k]);
        Check(kv12::SaveMacro(copy, names[k], items) == storable,
              "a macro is saved unless its name cannot be");
        if (!storable) continue;
        Check(kv12::ReadMacro(copy, names[k]) == items, "a saved macro reads back with its items");
        Check(kv12::LoadMacroNames(copy) == names, "saving a macro keeps every section in its place");
    }
    Check(report.cut.size() == cutCount, "only cut macros are reported as cut");
    Check(kv12::CheckMacroLimits(doc, "record.ini").has_value() == beyondItemLimit,
          "CheckMacroLimits names a macro exactly when one is beyond the item limit");
    return 0;
}
