#include "cli/profile_summary.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "cli/key_function_text.h"
#include "cli/setting_texts.h"
#include "core/key_function.h"
#include "core/language.h"
#include "core/macros.h"
#include "core/texts.h"

namespace kv12 {

namespace {

std::string OnOff(std::uint8_t flag) {
    return flag == 0 ? "off" : flag == 1 ? "on" : "value " + std::to_string(flag) + " (neither on nor off)";
}

// The text of a value, or the value itself when no table names it.
std::string Unknown(std::string_view text, int value) {
    return text.empty() ? "value " + std::to_string(value) + " (unknown)" : std::string(text);
}

std::string Rgb(int red, int green, int blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
    return text;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Plural(std::size_t count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

std::vector<std::string> MacroNames(const Profile& profile) {
    std::vector<std::string> names;
    for (const auto& macro : profile.macros) names.push_back(macro.name);
    return names;
}

std::string SkinsValue(const Profile& profile, std::string_view key) {
    for (const auto& [name, value] : profile.skins) {
        if (IniNamesEqual(name, key)) return value;
    }
    return {};
}

void Buttons(std::ostream& out, const Profile& profile, KeyMode mode) {
    out << (mode == KeyMode::A ? "Mode A" : "Mode B") << " buttons:\n";
    const auto names = MacroNames(profile);
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        out << "  " << b + 1 << ": "
            << DescribeKeyFunction(profile.block.buttonType(mode, b), ButtonParamsOf(profile.block, mode, b),
                                   profile.block.dpiSwitchParam(mode, b), names)
            << "\n";
    }
}

void DpiStages(std::ostream& out, const SettingsBlock& block, int sensorType) {
    const auto values = DpiStepValues(sensorType);
    out << "DPI stages (step values for sensor type " << sensorType << ", " << values.size() << " steps):\n";
    for (int k = 0; k < STAGE_COUNT; ++k) {
        const std::uint8_t step = block.dpiStage(k);
        out << "  " << k + 1 << ": " << OnOff(block.dpiStageEnabled(k)) << ", step index " << int{step}
            << " ("
            << (step < values.size() ? std::string(values[step]) + " DPI"
                                     : "beyond the " + std::to_string(values.size()) + "-step table")
            << "), colour "
            << Rgb(block.stageColor(k, ColorChannel::Red), block.stageColor(k, ColorChannel::Green),
                   block.stageColor(k, ColorChannel::Blue))
            << "\n";
    }
}

void Lighting(std::ostream& out, const SettingsBlock& block) {
    out << "Lighting: " << Unknown(LightModeText(block.ledMode()), block.ledMode()) << "\n";
    out << "  " << LightModeText(1) << ": brightness "
        << Unknown(BrightnessText(block.ledParam(0)), block.ledParam(0)) << ", effect "
        << Unknown(LightEffectText(block.ledEffectOfMode12(0)), block.ledEffectOfMode12(0)) << "\n";
    out << "  " << LightModeText(2) << ": cycle "
        << Unknown(RespirationCycleText(block.ledParam(1)), block.ledParam(1)) << ", effect "
        << Unknown(LightEffectText(block.ledEffectOfMode12(1)), block.ledEffectOfMode12(1)) << "\n";
    out << "  " << LightModeText(3) << ": cycle "
        << Unknown(NeonCycleText(block.ledParam(2)), block.ledParam(2)) << ", effect "
        << Unknown(LightEffectText(block.ledEffect3()), block.ledEffect3()) << "\n";
}

// Whether the slot holds what compiling the items would give it.
bool SlotMatches(const SettingsBlock& block, int slot, const std::vector<std::string>& items) {
    const auto bytes = block.macroSlot(slot);
    if (items.empty()) return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
    auto events = EncodeMacroEvents(items);
    events.resize(MACRO_STREAM_MAX_BYTES, 0);
    return std::equal(events.begin(), events.end(), bytes.begin() + 2);
}

void MacroSlots(std::ostream& out, const Profile& profile) {
    out << "Macro slots:\n";
    for (int s = 0; s < MACRO_SLOT_COUNT; ++s) {
        const auto bytes = profile.block.macroSlot(s);
        std::size_t end = MACRO_SLOT_SIZE;
        while (end > 2 && bytes[end - 1] == 0) --end;
        const std::size_t used = end - 2;  // event bytes up to the last non-zero one
        out << "  " << s + 1 << ": ";
        if (static_cast<std::size_t>(s) < profile.macros.size()) {
            const auto& macro = profile.macros[static_cast<std::size_t>(s)];
            out << macro.name << ", loop count " << LoopCount(profile.block, s) << ", "
                << Plural(macro.items.size(), "item");
            if (!SlotMatches(profile.block, s, macro.items)) {
                out << " (the slot differs from record.ini: run kv12ctl macros compile)";
            }
            out << "\n";
            for (const auto& item : macro.items) out << "       " << item << "\n";
        } else if (used == 0 && LoopCount(profile.block, s) == 0) {
            out << "empty\n";
        } else {
            out << "no macro in record.ini; the slot holds " << Plural(used, "event byte") << ", loop count "
                << LoopCount(profile.block, s) << "\n";
        }
    }
    if (profile.macros.size() > static_cast<std::size_t>(MACRO_SLOT_COUNT)) {
        out << "  record.ini also holds macros that no slot can take:";
        for (std::size_t m = MACRO_SLOT_COUNT; m < profile.macros.size(); ++m)
            out << " " << Quoted(profile.macros[m].name);
        out << "\n";
    }
}

void Pointer(std::ostream& out, const SettingsBlock& block) {
    // "6 (pointer speed 10)": the slider position and what it means to Windows.
    const auto position = [](std::uint8_t p, const std::optional<int>& value, std::string_view prefix,
                             std::string_view unit) {
        return std::to_string(p) + " (" +
               (value ? std::string(prefix) + std::to_string(*value) + std::string(unit)
                      : "not a slider position") +
               ")";
    };
    const std::uint8_t lines = block.pointerValue(1);
    out << "Pointer settings:\n"
        << "  " << MainTextTable(TXT_MOUSE_SPEED).en << ": "
        << position(block.pointerValue(0), PointerSpeedOfPosition(block.pointerValue(0)), "pointer speed ",
                    "")
        << "\n"
        << "  " << MainTextTable(TXT_SCROLLING_SPEED).en << ": "
        << position(lines, lines <= 11 ? std::optional<int>(lines) : std::nullopt, "",
                    lines == 1 ? " line" : " lines")
        << "\n"
        << "  " << MainTextTable(TXT_DOUBLE_CLICK_SPEED).en << ": "
        << position(block.pointerValue(2), DoubleClickTimeOfPosition(block.pointerValue(2)), "", " ms")
        << "\n"
        << "  " << MainTextTable(TXT_ENHANCE_POINTER_PRECISION).en << ": " << OnOff(block.pointerFlag(0))
        << "\n"
        << "  " << MainTextTable(TXT_SCROLL_ONE_SCREEN).en << ": " << OnOff(block.pointerFlag(1)) << "\n";
}

void PreferenceLines(std::ostream& out, const Profile& profile) {
    const std::string code = SkinsValue(profile, "Lan");
    const std::string skin = SkinsValue(profile, "Path");
    out << "Preferences (str.ini):\n"
        << "  Language: " << (code.empty() ? "(not set)" : code) << ", button texts from "
        << TextSectionName(LanguageFromCode(code)) << "\n"
        << "  Skin: " << (skin.empty() ? "(not set: the Skins folder itself)" : skin) << "\n"
        << "  Text colour: "
        << Rgb(ParseColorComponent(SkinsValue(profile, "RColor")),
               ParseColorComponent(SkinsValue(profile, "GColor")),
               ParseColorComponent(SkinsValue(profile, "BColor")))
        << "\n";
    if (profile.itemTexts.empty()) out << "Button texts: none in str.ini\n";
    for (const auto& language : profile.itemTexts) {
        out << "Button texts [" << language.section << "]:\n";
        for (int m = 0; m < 2; ++m) {
            out << "  Mode " << (m == 0 ? "A" : "B") << ":";
            for (int b = 0; b < BUTTON_COUNT; ++b) {
                out << (b == 0 ? " " : ", ")
                    << Quoted(language.texts[static_cast<std::size_t>(m * BUTTON_COUNT + b)]);
            }
            out << "\n";
        }
    }
}

}  // namespace

std::string FormatProfileSummary(const Profile& profile, int sensorType) {
    std::ostringstream out;
    const SettingsBlock& block = profile.block;
    const std::uint8_t mode = block.keyMode();
    out << "config.bin: first-run flag " << int{profile.firstRunFlag} << ", key mode shown "
        << (mode == 0   ? std::string("Mode A")
            : mode == 1 ? std::string("Mode B")
                        : Unknown("", mode))
        << "\n";
    Buttons(out, profile, KeyMode::A);
    Buttons(out, profile, KeyMode::B);
    const auto hz = ReportRateHz(block.reportRate());
    out << "Report rate: " << (hz ? std::to_string(*hz) + " Hz" : Unknown("", block.reportRate())) << "\n";
    DpiStages(out, block, sensorType);
    Lighting(out, block);
    MacroSlots(out, profile);
    Pointer(out, block);
    PreferenceLines(out, profile);
    return out.str();
}

}  // namespace kv12
