#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <limits>

#include "cli/command_error.h"
#include "cli/profile_json.h"
#include "cli/utf8_text.h"
#include "core/key_tables.h"
#include "core/macros.h"
#include "core/preferences.h"

namespace kv12 {

namespace {

constexpr std::size_t SHOWN_VALUE_MAX = 40;  // bytes of a wrong value quoted in a message
constexpr int RESERVED_BLOCK_1_SIZE = 5;

// A name taken from the document as a message shows it: as it is, or in
// JSON's quotes and escapes when it holds a control character, so that the
// message stays one line and shows every character of the name.
std::string Named(std::string_view name) {
    const bool plain =
        std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return plain ? std::string(name) : Json(std::string(name)).dump();
}

std::string Member(const std::string& path, std::string_view key) {
    return path.empty() ? Named(key) : path + "." + Named(key);
}

std::string Element(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// The wrong value as the message quotes it: short values as JSON, containers by their kind.
std::string Shown(const Json& value) {
    if (value.is_array()) return "an array";
    if (value.is_object()) return "an object";
    std::string text = value.dump();
    if (text.size() > SHOWN_VALUE_MAX) {
        std::size_t cut = SHOWN_VALUE_MAX - 4;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole characters
        text = text.substr(0, cut) + "...\"";
    }
    return text;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Whether str.ini or record.ini gives back exactly this text: as a value, as a
// section name, as a key name. Asked of the INI engine itself, so that import
// accepts whatever the files can hold, and so whatever export reads from them.
bool StoresValue(std::string_view text) {
    IniDocument document;
    if (!document.Set("S", "K", text)) return false;
    return IniDocument::Parse(document.Serialize()).Get("S", "K") == std::optional<std::string>(text);
}

bool StoresSectionName(std::string_view name) {
    IniDocument document;
    if (!document.Set(name, "K", "v")) return false;
    return IniDocument::Parse(document.Serialize()).SectionNames() ==
           std::vector<std::string>{std::string(name)};
}

bool StoresKeyName(std::string_view name) {
    IniDocument document;
    if (!document.Set("S", name, "v")) return false;
    return IniDocument::Parse(document.Serialize()).KeyNames("S") ==
           std::vector<std::string>{std::string(name)};
}

// Walks the document and turns the first problem into one clear line; what
// it accepts but the program may not use as the writer meant becomes a warning.
class Validator {
  public:
    Validator(std::string_view label, std::vector<std::string>* warnings)
        : label_(label), warnings_(warnings) {}

    [[noreturn]] void Fail(const std::string& path, const std::string& what) const {
        throw CommandError(label_ + ": " + (path.empty() ? what : path + ": " + what));
    }

    void Warn(const std::string& path, const std::string& what) const {
        if (warnings_) warnings_->push_back(label_ + ": " + path + ": " + what);
    }

    // An object holding exactly the required keys (and any of the optional ones).
    const Json& Object(const Json& value, const std::string& path,
                       std::initializer_list<std::string_view> required,
                       std::initializer_list<std::string_view> optional = {}) const {
        if (!value.is_object()) Fail(path, "expected an object, got " + Shown(value));
        for (const auto& member : value.items()) {
            const std::string& key = member.key();
            const auto known = [&](std::initializer_list<std::string_view> keys) {
                return std::find(keys.begin(), keys.end(), key) != keys.end();
            };
            if (!known(required) && !known(optional)) Fail(Member(path, key), "unknown field");
        }
        for (const auto key : required) {
            if (!value.contains(key)) Fail(Member(path, key), "missing");
        }
        return value;
    }

    const Json& Array(const Json& value, const std::string& path, std::size_t size,
                      std::string_view what) const {
        if (!value.is_array() || value.size() != size) {
            Fail(path, "expected an array of " + std::to_string(size) + " " + std::string(what) + ", got " +
                           (value.is_array() ? std::to_string(value.size()) + " entries" : Shown(value)));
        }
        return value;
    }

    std::int64_t Integer(const Json& value, const std::string& path, std::int64_t low,
                         std::int64_t high) const {
        const auto fail = [&] {
            Fail(path, "expected an integer " + std::to_string(low) + ".." + std::to_string(high) + ", got " +
                           Shown(value));
        };
        if (value.is_number_unsigned()) {
            const auto number = value.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(high)) fail();
            return static_cast<std::int64_t>(number);
        }
        if (!value.is_number_integer()) fail();
        const auto number = value.get<std::int64_t>();
        if (number < low || number > high) fail();
        return number;
    }

    std::uint8_t Byte(const Json& object, const std::string& path, std::string_view key) const {
        return static_cast<std::uint8_t>(Integer(object.at(key), Member(path, key), 0, 255));
    }

    std::string String(const Json& value, const std::string& path) const {
        if (!value.is_string()) Fail(path, "expected a string, got " + Shown(value));
        return value.get<std::string>();
    }

    // A text that goes into an INI file as a value and must read back unchanged.
    std::string IniText(const Json& value, const std::string& path) const {
        std::string text = String(value, path);
        if (!StoresValue(text)) Unstorable(text, path);
        return text;
    }

    [[noreturn]] void Unstorable(std::string_view text, const std::string& path) const {
        if (HasLineBreak(text)) Fail(path, "a line break (or a NUL character) cannot be stored");
        Fail(path, "cannot be stored in the file as it is and read back unchanged");
    }

  private:
    std::string label_;
    std::vector<std::string>* warnings_;
};

void ReadButtons(const Validator& v, const Json& buttons, const std::string& path, KeyMode mode,
                 SettingsBlock& block) {
    v.Array(buttons, path, BUTTON_COUNT, "buttons");
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        const std::string at = Element(path, static_cast<std::size_t>(b));
        const Json& button = v.Object(buttons[static_cast<std::size_t>(b)], at,
                                      {"kind", "params", "dpiSwitchParam"}, {"kindName"});
        const std::uint8_t kind = v.Byte(button, at, "kind");
        if (button.contains("kindName")) {
            const std::string_view known = KeyFunctionKindText(kind, Language::English);
            const std::string expected = known.empty() ? "Unknown" : std::string(known);
            const std::string given = v.String(button["kindName"], Member(at, "kindName"));
            if (given != expected) {
                v.Fail(Member(at, "kindName"), Shown(button["kindName"]) + " does not match kind " +
                                                   std::to_string(kind) + " (\"" + expected + "\")");
            }
        }
        block.buttonType(mode, b) = kind;
        const Json& params =
            v.Array(button["params"], Member(at, "params"), PARAM_ROW_LAST, "parameter rows");
        for (int row = PARAM_ROW_FIRST; row <= PARAM_ROW_LAST; ++row) {
            const auto i = static_cast<std::size_t>(row - PARAM_ROW_FIRST);
            block.buttonParam(mode, row, b) =
                static_cast<std::uint8_t>(v.Integer(params[i], Element(Member(at, "params"), i), 0, 255));
        }
        block.dpiSwitchParam(mode, b) = v.Byte(button, at, "dpiSwitchParam");
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

void ReadStageColor(const Validator& v, const Json& value, const std::string& path, int stage,
                    SettingsBlock& block) {
    const std::string text = v.String(value, path);
    const bool wellFormed =
        text.size() == 7 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](char c) { return HexDigit(c) >= 0; });
    if (!wellFormed) v.Fail(path, "expected a colour \"#rrggbb\", got " + Shown(value));
    for (int channel = 0; channel < 3; ++channel) {
        const auto i = static_cast<std::size_t>(1 + 2 * channel);
        block.stageColor(stage, static_cast<ColorChannel>(channel)) =
            static_cast<std::uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1]));
    }
}

void ReadMacroSlot(const Validator& v, const Json& slot, const std::string& path, int index,
                   SettingsBlock& block) {
    v.Object(slot, path, {"loopCount", "events"});
    SetLoopCount(block, index,
                 static_cast<std::uint16_t>(v.Integer(slot["loopCount"], Member(path, "loopCount"), 0,
                                                      std::numeric_limits<std::uint16_t>::max())));
    const std::string eventsPath = Member(path, "events");
    const std::string text = v.String(slot["events"], eventsPath);
    std::vector<std::uint8_t> events;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || HexDigit(text[i]) < 0 || HexDigit(text[i + 1]) < 0 ||
            (i + 2 < text.size() && text[i + 2] != ' ')) {
            v.Fail(eventsPath, "expected hex bytes separated by blanks, such as \"05 04 80 04\", got " +
                                   Shown(slot["events"]));
        }
        events.push_back(static_cast<std::uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
        i += 2;
    }
    if (events.size() > MACRO_STREAM_MAX_BYTES) {
        v.Fail(eventsPath, "holds " + std::to_string(events.size()) + " bytes; a macro slot has room for " +
                               std::to_string(MACRO_STREAM_MAX_BYTES));
    }
    auto bytes = block.macroSlot(index);
    std::fill(bytes.begin() + 2, bytes.end(), std::uint8_t{0});
    std::copy(events.begin(), events.end(), bytes.begin() + 2);
}

void ReadSettings(const Validator& v, const Json& value, Profile& profile) {
    const std::string path = "settings";
    const Json& s = v.Object(value, path,
                             {"firstRunFlag", "keyMode", "buttonsA", "buttonsB", "reportRate", "dpiStages",
                              "lighting", "macroSlots", "pointer", "reserved"});
    SettingsBlock& block = profile.block;
    profile.firstRunFlag = v.Byte(s, path, "firstRunFlag");
    block.keyMode() = v.Byte(s, path, "keyMode");
    ReadButtons(v, s["buttonsA"], Member(path, "buttonsA"), KeyMode::A, block);
    ReadButtons(v, s["buttonsB"], Member(path, "buttonsB"), KeyMode::B, block);
    block.reportRate() = v.Byte(s, path, "reportRate");

    const std::string stagesPath = Member(path, "dpiStages");
    v.Array(s["dpiStages"], stagesPath, STAGE_COUNT, "stages");
    for (int k = 0; k < STAGE_COUNT; ++k) {
        const std::string at = Element(stagesPath, static_cast<std::size_t>(k));
        const Json& stage =
            v.Object(s["dpiStages"][static_cast<std::size_t>(k)], at, {"step", "enabled", "color"});
        block.dpiStage(k) = v.Byte(stage, at, "step");
        block.dpiStageEnabled(k) = v.Byte(stage, at, "enabled");
        ReadStageColor(v, stage["color"], Member(at, "color"), k, block);
    }

    const std::string lightPath = Member(path, "lighting");
    const Json& light = v.Object(s["lighting"], lightPath,
                                 {"mode", "brightness", "respirationCycle", "neonCycle", "standardEffect",
                                  "respirationEffect", "neonEffect"});
    block.ledMode() = v.Byte(light, lightPath, "mode");
    block.ledParam(0) = v.Byte(light, lightPath, "brightness");
    block.ledParam(1) = v.Byte(light, lightPath, "respirationCycle");
    block.ledParam(2) = v.Byte(light, lightPath, "neonCycle");
    block.ledEffectOfMode12(0) = v.Byte(light, lightPath, "standardEffect");
    block.ledEffectOfMode12(1) = v.Byte(light, lightPath, "respirationEffect");
    block.ledEffect3() = v.Byte(light, lightPath, "neonEffect");

    const std::string slotsPath = Member(path, "macroSlots");
    v.Array(s["macroSlots"], slotsPath, MACRO_SLOT_COUNT, "macro slots");
    for (int slot = 0; slot < MACRO_SLOT_COUNT; ++slot) {
        ReadMacroSlot(v, s["macroSlots"][static_cast<std::size_t>(slot)],
                      Element(slotsPath, static_cast<std::size_t>(slot)), slot, block);
    }

    const std::string pointerPath = Member(path, "pointer");
    const Json& pointer =
        v.Object(s["pointer"], pointerPath,
                 {"enhancePrecision", "scrollOneScreen", "mouseSpeed", "scrollingSpeed", "doubleClickSpeed"});
    block.pointerFlag(0) = v.Byte(pointer, pointerPath, "enhancePrecision");
    block.pointerFlag(1) = v.Byte(pointer, pointerPath, "scrollOneScreen");
    block.pointerValue(0) = v.Byte(pointer, pointerPath, "mouseSpeed");
    block.pointerValue(1) = v.Byte(pointer, pointerPath, "scrollingSpeed");
    block.pointerValue(2) = v.Byte(pointer, pointerPath, "doubleClickSpeed");

    const std::string reservedPath = Member(path, "reserved");
    const Json& reserved = v.Object(s["reserved"], reservedPath, {"bytes128to132", "byte134", "byte162"});
    const std::string firstPath = Member(reservedPath, "bytes128to132");
    v.Array(reserved["bytes128to132"], firstPath, RESERVED_BLOCK_1_SIZE, "bytes");
    for (int i = 0; i < RESERVED_BLOCK_1_SIZE; ++i) {
        const auto at = static_cast<std::size_t>(i);
        block.reserved(i) = static_cast<std::uint8_t>(
            v.Integer(reserved["bytes128to132"][at], Element(firstPath, at), 0, 255));
    }
    block.reserved(5) = v.Byte(reserved, reservedPath, "byte134");
    block.reserved(6) = v.Byte(reserved, reservedPath, "byte162");
}

// Names that INI files compare without regard to case must differ in more than case.
template <typename Names>
void RequireUnique(const Validator& v, const Names& earlier, const std::string& name,
                   const std::string& path) {
    for (const auto& other : earlier) {
        if (IniNamesEqual(other, name)) {
            v.Fail(path, Json(name).dump() + " is given twice (names are compared without regard to case)");
        }
    }
}

void ReadPreferences(const Validator& v, const Json& value, Profile& profile) {
    const std::string path = "preferences";
    const Json& p = v.Object(value, path, {"skins", "itemTexts"});

    const std::string skinsPath = Member(path, "skins");
    if (!p["skins"].is_object()) v.Fail(skinsPath, "expected an object, got " + Shown(p["skins"]));
    std::vector<std::string> keys;
    for (const auto& entry : p["skins"].items()) {
        const std::string& key = entry.key();
        const Json& text = entry.value();
        const std::string at = Member(skinsPath, key);
        if (!StoresKeyName(key)) v.Fail(at, "this name cannot be a key of str.ini");
        RequireUnique(v, keys, key, at);
        keys.push_back(key);
        profile.skins.emplace_back(key, v.IniText(text, at));
    }

    const std::string textsPath = Member(path, "itemTexts");
    if (!p["itemTexts"].is_object()) v.Fail(textsPath, "expected an object, got " + Shown(p["itemTexts"]));
    std::vector<std::string> sections;
    for (const auto& entry : p["itemTexts"].items()) {
        const std::string& section = entry.key();
        const Json& modes = entry.value();
        const std::string at = Member(textsPath, section);
        if (!IsLanguageSection(section) || !StoresSectionName(section)) {
            v.Fail(at, "expected a language section name such as \"Setting-EN\"");
        }
        RequireUnique(v, sections, section, at);
        sections.push_back(section);
        v.Object(modes, at, {"modeA", "modeB"});
        LanguageItemTexts texts{section, {}};
        for (int m = 0; m < 2; ++m) {
            const std::string modePath = Member(at, m == 0 ? "modeA" : "modeB");
            const Json& list = v.Array(modes[m == 0 ? "modeA" : "modeB"], modePath, BUTTON_COUNT, "texts");
            for (int b = 0; b < BUTTON_COUNT; ++b) {
                const auto i = static_cast<std::size_t>(b);
                texts.texts[static_cast<std::size_t>(m * BUTTON_COUNT + b)] =
                    v.IniText(list[i], Element(modePath, i));
            }
        }
        profile.itemTexts.push_back(std::move(texts));
    }
}

// What the program makes of an item that is not in the form the macro editor
// writes; nullopt for a well-formed item.
std::optional<std::string> MacroItemWarning(const std::string& item) {
    const std::string asItIs = "; imported as it is";
    for (const std::string_view suffix : {std::string_view(PRESS_SUFFIX), std::string_view(RELEASE_SUFFIX)}) {
        if (!item.ends_with(suffix)) continue;
        const std::string key = item.substr(0, item.size() - suffix.size());
        if (key.empty() || HasSurroundingBlank(key) || key.find(PRESS_SUFFIX) != std::string::npos ||
            key.find(RELEASE_SUFFIX) != std::string::npos) {
            break;
        }
        if (CountCharacters(key) > MACRO_NAME_MAX_CHARS) {
            return "the key name is longer than the " + std::to_string(MACRO_NAME_MAX_CHARS) +
                   " characters the macro editor writes" + asItIs;
        }
        return std::nullopt;
    }
    const std::string_view ms = DELAY_SUFFIX;
    if (item.ends_with(ms) && item.size() > ms.size()) {
        const std::string digits = item.substr(0, item.size() - ms.size());
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            const auto significant = digits.find_first_not_of('0');
            const bool tooLong = significant != std::string::npos &&
                                 (digits.size() - significant > 6 || std::stoi(digits) > MACRO_DELAY_MAX_MS);
            if (tooLong) {
                return "a delay above " + std::to_string(MACRO_DELAY_MAX_MS) + " ms" + asItIs +
                       " (macros compile shortens it to " + std::to_string(MACRO_DELAY_MAX_MS) + " ms)";
            }
            return std::nullopt;
        }
    }
    return Shown(Json(item)) + " is not \"<key>   Dn\", \"<key>   Up\" or \"<milliseconds> ms\"" + asItIs;
}

// Macros are taken as record.ini can hold them, since a profile is also the
// backup of a folder: whatever export read from a record.ini comes back. What
// the macro editor would not have written is imported with a warning.
void ReadMacros(const Validator& v, const Json& value, Profile& profile) {
    const std::string path = "macros";
    if (!value.is_array()) v.Fail(path, "expected an array, got " + Shown(value));
    if (value.size() > static_cast<std::size_t>(MACRO_MAX_COUNT)) {
        v.Warn(path,
               std::to_string(value.size()) + " macros, but the mouse has " +
                   std::to_string(MACRO_MAX_COUNT) +
                   " macro slots; imported as they are (macros compile leaves out those after the twelfth)");
    }
    std::vector<std::string> names;
    for (std::size_t m = 0; m < value.size(); ++m) {
        const std::string at = Element(path, m);
        const Json& macro = v.Object(value[m], at, {"name", "items"});
        const std::string namePath = Member(at, "name");
        ProfileMacro entry{v.String(macro["name"], namePath), {}};
        if (!StoresSectionName(entry.name)) {
            if (entry.name.empty()) v.Fail(namePath, "an empty name cannot be stored in record.ini");
            v.Unstorable(entry.name, namePath);
        }
        RequireUnique(v, names, entry.name, namePath);
        names.push_back(entry.name);
        if (entry.name.empty()) v.Warn(namePath, "an empty macro name; imported as it is");
        if (CountCharacters(entry.name) > MACRO_NAME_MAX_CHARS) {
            v.Warn(namePath, Json(entry.name).dump() + " has " + std::to_string(CountCharacters(entry.name)) +
                                 " characters, more than the " + std::to_string(MACRO_NAME_MAX_CHARS) +
                                 " the macro editor takes; imported as it is");
        }

        const std::string itemsPath = Member(at, "items");
        if (!macro["items"].is_array()) v.Fail(itemsPath, "expected an array, got " + Shown(macro["items"]));
        for (std::size_t j = 0; j < macro["items"].size(); ++j) {
            const std::string itemPath = Element(itemsPath, j);
            entry.items.push_back(v.IniText(macro["items"][j], itemPath));
            // record.ini keeps a longer item, but every reader of it takes only
            // the first 1023 characters: such an item would not come back.
            if (CutProfileValue(entry.items.back()).size() != entry.items.back().size()) {
                v.Fail(itemPath, "longer than the " + std::to_string(PROFILE_VALUE_MAX_CHARS) +
                                     " characters record.ini gives back of a macro item");
            }
            if (auto warning = MacroItemWarning(entry.items.back())) v.Warn(itemPath, *warning);
        }
        if (!MacroEventsFit(entry.items)) {
            v.Warn(itemsPath, "the events need more than the " + std::to_string(MACRO_STREAM_MAX_BYTES) +
                                  " bytes of a macro slot; imported as they are (macros compile cuts them at "
                                  "the last whole event)");
        }
        profile.macros.push_back(std::move(entry));
    }
}

}  // namespace

Profile ProfileFromJson(const Json& document, std::string_view label, std::vector<std::string>* warnings) {
    const Validator v(label, warnings);
    if (!document.is_object()) v.Fail("", "expected a JSON object (a kv12 profile), got " + Shown(document));
    if (!document.contains("format")) v.Fail("format", "missing: this is not a kv12 profile");
    if (document["format"] != PROFILE_FORMAT) {
        v.Fail("format",
               "expected \"" + std::string(PROFILE_FORMAT) + "\", got " + Shown(document["format"]));
    }
    if (!document.contains("version")) v.Fail("version", "missing");
    if (document["version"] != PROFILE_VERSION) {
        v.Fail("version", "this kv12ctl reads version " + std::to_string(PROFILE_VERSION) +
                              " profiles, got " + Shown(document["version"]));
    }
    v.Object(document, "", {"format", "version", "settings", "preferences", "macros"});
    Profile profile;
    ReadSettings(v, document["settings"], profile);
    ReadPreferences(v, document["preferences"], profile);
    ReadMacros(v, document["macros"], profile);
    return profile;
}

std::string JsonErrorText(const Json::exception& e) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." -> "line 3, column 5: ..."
    // "[json.exception.out_of_range.406] number overflow parsing '1e400'" -> "number overflow parsing
    // '1e400'"
    std::string what = e.what();
    if (what.starts_with("[json.exception.")) {
        const auto end = what.find("] ");
        if (end != std::string::npos) what = what.substr(end + 2);
    }
    const auto at = what.find("parse error at line ");
    return at == 0 ? what.substr(std::string_view("parse error at ").size()) : what;
}

Profile ProfileFromText(std::string_view text, std::string_view label, std::vector<std::string>* warnings) {
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& e) {
        // Syntax errors, and numbers beyond what a double holds (1e400).
        throw CommandError(std::string(label) + ": not valid JSON: " + JsonErrorText(e));
    }
    try {
        return ProfileFromJson(document, label, warnings);
    } catch (const Json::exception& e) {
        // The checks ask for every type before they read; this is only the
        // safety net that keeps a case they missed one clear line.
        throw CommandError(std::string(label) + ": not a valid profile: " + JsonErrorText(e));
    }
}

}  // namespace kv12
