#include "core/preferences.h"

namespace kv12 {

namespace {

// Mode A buttons 1..8, then Mode B buttons 1..8 (the tens digit is the button).
constexpr std::array<std::string_view, ITEM_TEXT_COUNT> ITEM_KEYS = {
    "Item1",  "Item2",  "Item3",  "Item4",  "Item5",  "Item6",  "Item7",  "Item8",
    "Item13", "Item23", "Item33", "Item43", "Item53", "Item63", "Item73", "Item83",
};

constexpr const char* LANGUAGE_KEY = "Lan";
constexpr const char* RED_KEY = "RColor";
constexpr const char* GREEN_KEY = "GColor";
constexpr const char* BLUE_KEY = "BColor";
constexpr const char* SKIN_PATH_KEY = "Path";

// Length in bytes of the well-formed UTF-8 sequence at text[pos], 0 when the
// byte there does not start one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string ItemKeyName(int index) {
    if (index < 0 || index >= ITEM_TEXT_COUNT) return {};
    return std::string(ITEM_KEYS[static_cast<std::size_t>(index)]);
}

std::string ReadLanguage(const IniDocument& strIni) {
    return CutProfileValue(strIni.GetString(SKINS_SECTION, LANGUAGE_KEY));
}

Preferences LoadPreferences(const IniDocument& strIni, std::string_view languageSection) {
    Preferences prefs;
    for (std::size_t i = 0; i < ITEM_KEYS.size(); ++i) {
        prefs.itemTexts[i] = CutProfileValue(strIni.GetString(languageSection, ITEM_KEYS[i]));
    }
    prefs.rColor = CutProfileValue(strIni.GetString(SKINS_SECTION, RED_KEY));
    prefs.gColor = CutProfileValue(strIni.GetString(SKINS_SECTION, GREEN_KEY));
    prefs.bColor = CutProfileValue(strIni.GetString(SKINS_SECTION, BLUE_KEY));
    prefs.skinPath = CutProfileValue(strIni.GetString(SKINS_SECTION, SKIN_PATH_KEY));
    return prefs;
}

void SetItemTexts(IniDocument& strIni, std::string_view languageSection,
                  const std::array<std::string, ITEM_TEXT_COUNT>& itemTexts) {
    for (std::size_t i = 0; i < ITEM_KEYS.size(); ++i)
        strIni.Set(languageSection, ITEM_KEYS[i], itemTexts[i]);
}

std::optional<FileError> SaveItemTexts(const std::filesystem::path& strIni, std::string_view languageSection,
                                       const std::array<std::string, ITEM_TEXT_COUNT>& itemTexts) {
    IniDocument doc;
    if (auto error = IniDocument::LoadForUpdate(strIni, doc)) return error;
    SetItemTexts(doc, languageSection, itemTexts);
    return doc.Save(strIni);
}

std::optional<FileError> SaveSkinChoice(const std::filesystem::path& strIni, int red, int green, int blue,
                                        std::string_view skinName) {
    IniDocument doc;
    if (auto error = IniDocument::LoadForUpdate(strIni, doc)) return error;
    doc.Set(SKINS_SECTION, RED_KEY, std::to_string(red));
    doc.Set(SKINS_SECTION, GREEN_KEY, std::to_string(green));
    doc.Set(SKINS_SECTION, BLUE_KEY, std::to_string(blue));
    doc.Set(SKINS_SECTION, SKIN_PATH_KEY, skinName);
    return doc.Save(strIni);
}

std::uint8_t ParseColorComponent(std::string_view text) {
    // The low 8 bits of the two's-complement value, as a cast to BYTE keeps them.
    return static_cast<std::uint8_t>(static_cast<unsigned int>(ParseProfileInt(text)) & 0xFFu);
}

std::string CutProfileValue(std::string value) {
    // Characters count as UTF-16 code units: one, or two beyond U+FFFF. A byte
    // that starts no valid sequence counts as one character (it would be one
    // replacement character) and is never merged with its neighbours.
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < value.size()) {
        const std::size_t length = Utf8SequenceLength(value, pos);
        const std::size_t step = length == 0 ? 1 : length;
        const std::size_t cost = length == 4 ? 2 : 1;
        if (units + cost > PROFILE_VALUE_MAX_CHARS) {
            value.resize(pos);
            break;
        }
        units += cost;
        pos += step;
    }
    return value;
}

}  // namespace kv12
