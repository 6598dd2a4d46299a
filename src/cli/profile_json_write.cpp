#include <algorithm>
#include <cstdio>

#include "cli/command_error.h"
#include "cli/profile_json.h"
#include "cli/utf8_text.h"
#include "core/key_function.h"
#include "core/key_tables.h"
#include "core/macros.h"

namespace kv12 {

namespace {

// A text from str.ini or record.ini. JSON holds only UTF-8, and replacing bad
// bytes would lose the user's text without a word, so it is refused instead.
std::string Text(const std::string& text, const std::string& where) {
    if (!IsValidUtf8(text))
        throw CommandError(where + ": the text is not valid UTF-8, so it cannot be exported");
    return text;
}

std::string ColorText(const SettingsBlock& block, int stage) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", block.stageColor(stage, ColorChannel::Red),
                  block.stageColor(stage, ColorChannel::Green), block.stageColor(stage, ColorChannel::Blue));
    return text;
}

// Bytes 2..127 of a slot as hex pairs, without the trailing zeros that only fill the slot.
std::string EventsText(std::span<const std::uint8_t, MACRO_SLOT_SIZE> slot) {
    std::size_t end = slot.size();
    while (end > 2 && slot[end - 1] == 0) --end;
    std::string text;
    for (std::size_t i = 2; i < end; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", slot[i]);
        if (!text.empty()) text += ' ';
        text += pair;
    }
    return text;
}

Json ButtonsJson(const SettingsBlock& block, KeyMode mode) {
    Json buttons = Json::array();
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        const std::uint8_t kind = block.buttonType(mode, b);
        Json params = Json::array();
        for (int row = PARAM_ROW_FIRST; row <= PARAM_ROW_LAST; ++row)
            params.push_back(block.buttonParam(mode, row, b));
        const std::string_view name = KeyFunctionKindText(kind, Language::English);
        buttons.push_back(Json{
            {"kind", kind},
            {"kindName", name.empty() ? std::string("Unknown") : std::string(name)},
            {"params", std::move(params)},
            {"dpiSwitchParam", block.dpiSwitchParam(mode, b)},
        });
    }
    return buttons;
}

Json SettingsJson(std::uint8_t firstRunFlag, const SettingsBlock& block) {
    Json stages = Json::array();
    for (int k = 0; k < STAGE_COUNT; ++k) {
        stages.push_back(Json{{"step", block.dpiStage(k)},
                              {"enabled", block.dpiStageEnabled(k)},
                              {"color", ColorText(block, k)}});
    }
    Json slots = Json::array();
    for (int s = 0; s < MACRO_SLOT_COUNT; ++s) {
        slots.push_back(Json{{"loopCount", LoopCount(block, s)}, {"events", EventsText(block.macroSlot(s))}});
    }
    Json reserved128 = Json::array();
    for (int i = 0; i < 5; ++i) reserved128.push_back(block.reserved(i));

    return Json{
        {"firstRunFlag", firstRunFlag},
        {"keyMode", block.keyMode()},
        {"buttonsA", ButtonsJson(block, KeyMode::A)},
        {"buttonsB", ButtonsJson(block, KeyMode::B)},
        {"reportRate", block.reportRate()},
        {"dpiStages", std::move(stages)},
        {"lighting",
         Json{
             {"mode", block.ledMode()},
             {"brightness", block.ledParam(0)},
             {"respirationCycle", block.ledParam(1)},
             {"neonCycle", block.ledParam(2)},
             {"standardEffect", block.ledEffectOfMode12(0)},
             {"respirationEffect", block.ledEffectOfMode12(1)},
             {"neonEffect", block.ledEffect3()},
         }},
        {"macroSlots", std::move(slots)},
        {"pointer",
         Json{
             {"enhancePrecision", block.pointerFlag(0)},
             {"scrollOneScreen", block.pointerFlag(1)},
             {"mouseSpeed", block.pointerValue(0)},
             {"scrollingSpeed", block.pointerValue(1)},
             {"doubleClickSpeed", block.pointerValue(2)},
         }},
        {"reserved", Json{{"bytes128to132", std::move(reserved128)},
                          {"byte134", block.reserved(5)},
                          {"byte162", block.reserved(6)}}},
    };
}

Json PreferencesJson(const Profile& profile) {
    Json skins = Json::object();
    for (const auto& [key, value] : profile.skins) {
        const std::string where = "str.ini: [Skins] " + key;
        skins[Text(key, where)] = Text(value, where);
    }
    Json itemTexts = Json::object();
    for (const auto& language : profile.itemTexts) {
        const std::string section = Text(language.section, "str.ini: [" + language.section + "]");
        Json modes[2] = {Json::array(), Json::array()};
        for (int i = 0; i < ITEM_TEXT_COUNT; ++i) {
            modes[i / BUTTON_COUNT].push_back(Text(language.texts[static_cast<std::size_t>(i)],
                                                   "str.ini: [" + section + "] " + ItemKeyName(i)));
        }
        itemTexts[section] = Json{{"modeA", std::move(modes[0])}, {"modeB", std::move(modes[1])}};
    }
    return Json{{"skins", std::move(skins)}, {"itemTexts", std::move(itemTexts)}};
}

Json MacrosJson(const Profile& profile) {
    Json macros = Json::array();
    for (const auto& macro : profile.macros) {
        const std::string name = Text(macro.name, "record.ini: [" + macro.name + "]");
        Json items = Json::array();
        for (std::size_t j = 0; j < macro.items.size(); ++j) {
            items.push_back(Text(macro.items[j], "record.ini: [" + name + "] Item" + std::to_string(j)));
        }
        macros.push_back(Json{{"name", name}, {"items", std::move(items)}});
    }
    return macros;
}

bool IsFlat(const Json& value) {
    return !value.is_structured() ||
           (value.is_array() &&
            std::none_of(value.begin(), value.end(), [](const Json& v) { return v.is_structured(); }));
}

// The value on one line, blanks after separators.
std::string OneLine(const Json& value) {
    if (!value.is_structured()) return value.dump();
    std::string out = value.is_array() ? "[" : "{";
    bool first = true;
    for (const auto& member : value.items()) {
        out += first ? "" : ", ";
        first = false;
        if (value.is_object()) out += Json(member.key()).dump() + ": ";
        out += OneLine(member.value());
    }
    return out + (value.is_array() ? "]" : "}");
}

// Indented like dump(2), but an array of plain values stays on one line, and
// so does an array element whose members are all flat (a button, a stage, a
// slot, a macro): one line per thing the reader looks for.
void WriteReadable(const Json& value, int indent, bool inArray, std::string& out) {
    const bool flatObject = value.is_object() && std::all_of(value.begin(), value.end(), IsFlat);
    if (value.empty() || IsFlat(value) || (inArray && flatObject)) {
        out += OneLine(value);
        return;
    }
    const bool isArray = value.is_array();
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    out += isArray ? "[\n" : "{\n";
    bool first = true;
    for (const auto& member : value.items()) {
        out += first ? "" : ",\n";
        first = false;
        out += inner;
        if (!isArray) out += Json(member.key()).dump() + ": ";
        WriteReadable(member.value(), indent + 2, isArray, out);
    }
    out += "\n" + std::string(static_cast<std::size_t>(indent), ' ') + (isArray ? "]" : "}");
}

}  // namespace

Json ProfileToJson(const Profile& profile) {
    return Json{
        {"format", PROFILE_FORMAT},
        {"version", PROFILE_VERSION},
        {"settings", SettingsJson(profile.firstRunFlag, profile.block)},
        {"preferences", PreferencesJson(profile)},
        {"macros", MacrosJson(profile)},
    };
}

std::string ProfileToText(const Profile& profile) {
    std::string text;
    WriteReadable(ProfileToJson(profile), 0, false, text);
    return text + "\n";
}

std::string ExportableProfileText(const Profile& profile, std::string_view label) {
    std::string text = ProfileToText(profile);
    // The folder can hold what a profile cannot carry (a key of str.ini that
    // starts with "[", for one): such a profile is refused here rather than
    // written as a backup that import would refuse to restore.
    const std::string refused = "; import would refuse this profile, so it is not exported";
    Profile again;
    try {
        again = ProfileFromText(text, label);
    } catch (const CommandError& e) {
        throw CommandError(e.what() + refused);
    }
    if (again != profile)
        throw CommandError(std::string(label) +
                           ": import would not give back this profile as it is, so it is not exported");
    return text;
}

}  // namespace kv12
