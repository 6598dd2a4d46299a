#include "cli/key_function_text.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/key_tables.h"

namespace kv12 {

namespace {

constexpr std::array<std::string_view, 3> REPEAT_MODE_TEXT = {
    "repeat the set number of times or until any key",
    "repeat until any key",
    "repeat until released",
};

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string Kind(KeyFunctionKind kind) {
    return std::string(KeyFunctionKindText(static_cast<int>(kind), Language::English));
}

// A consumer usage by the list that offers it, or its number.
std::string ConsumerText(std::uint16_t usage, bool windowsList) {
    const int count = windowsList ? APP_KEY_COUNT : MEDIA_KEY_COUNT;
    for (int position = 0; position < count; ++position) {
        const std::uint16_t listed = windowsList ? AppUsage(position) : MediaUsage(position);
        if (listed == usage) {
            return std::string(windowsList ? AppKeyText(position, Language::English)
                                           : MediaKeyText(position, Language::English));
        }
    }
    return "consumer usage " + Hex(usage, 4);
}

std::string FireKeyText(const ButtonParams& p) {
    const std::uint8_t usage = p[7], speed = p[8], times = p[9];
    std::string text = Kind(KeyFunctionKind::FireKey) + ": " + KeyUsageText(usage) + ", speed " +
                       std::to_string(speed) + ", ";
    text += times == 0 ? std::string("until released")
                       : std::to_string(times) + (times == 1 ? " time" : " times");
    return text;
}

std::string ComboKeyText(const ButtonParams& p) {
    std::string parts = ModifierBitsText(p[11]);
    for (const std::uint8_t usage : {p[12], p[13]}) {
        if (usage == 0) continue;
        if (!parts.empty()) parts += " + ";
        parts += KeyUsageText(usage);
    }
    return Kind(KeyFunctionKind::ComboKey) + ": " + (parts.empty() ? std::string("no keys") : parts);
}

std::string MacroKeyText(const ButtonParams& p, const std::vector<std::string>& macroNames) {
    // The code carries the slot as p[14] + 1 in one byte, so 255 wraps to 0.
    const int number = (p[14] + 1) % 256;
    std::string text = Kind(KeyFunctionKind::MacroKey) + ": macro " + std::to_string(number);
    if (number == 0 || number > static_cast<int>(macroNames.size())) {
        text += " (no such macro in record.ini)";
    } else {
        text += " (" + macroNames[static_cast<std::size_t>(number - 1)] + ")";
    }
    const std::uint8_t mode = p[15];
    text += ", " + (mode < REPEAT_MODE_TEXT.size() ? std::string(REPEAT_MODE_TEXT[mode])
                                                   : "repeat mode " + std::to_string(mode) + " (unknown)");
    return text;
}

}  // namespace

std::string KeyUsageText(std::uint8_t usage) {
    const std::string_view name = KeyNameOfUsage(usage);
    if (!name.empty()) return std::string(name);
    const auto fireNames = FireKeyNames();
    for (int position = 0; position < FIRE_KEY_COUNT; ++position) {
        if (FireKeyUsage(position) == usage && usage != 0)
            return std::string(fireNames[static_cast<std::size_t>(position)]);
    }
    return "usage " + Hex(usage, 2);
}

std::string ModifierBitsText(std::uint8_t bits) {
    std::string text;
    for (const std::string_view name : ModifierNames()) {
        if ((bits & ModifierBitByName(name)) == 0) continue;
        if (!text.empty()) text += " + ";
        text += name;
    }
    return text;
}

std::string DescribeKeyFunction(std::uint8_t kind, const ButtonParams& params, std::uint8_t dpiStep,
                                const std::vector<std::string>& macroNames) {
    if (kind >= KEY_FUNCTION_KIND_COUNT)
        return "kind " + std::to_string(kind) + " (unknown: the button does nothing)";
    switch (static_cast<KeyFunctionKind>(kind)) {
        case KeyFunctionKind::DpiSwitch: {
            const std::string_view step = DpiStepText(dpiStep);
            return Kind(KeyFunctionKind::DpiSwitch) + ": " +
                   (step.empty() ? "step " + std::to_string(dpiStep) + " (unknown)" : std::string(step));
        }
        case KeyFunctionKind::Windows:
            return Kind(KeyFunctionKind::Windows) + ": " +
                   ConsumerText(static_cast<std::uint16_t>(params[4] | params[5] << 8), true);
        case KeyFunctionKind::Multimedia:
            return Kind(KeyFunctionKind::Multimedia) + ": " + ConsumerText(params[2], false);
        case KeyFunctionKind::FireKey:
            return FireKeyText(params);
        case KeyFunctionKind::SingleKey:
            return Kind(KeyFunctionKind::SingleKey) + ": " +
                   (params[10] == 0 ? std::string("no key") : KeyUsageText(params[10]));
        case KeyFunctionKind::ComboKey:
            return ComboKeyText(params);
        case KeyFunctionKind::MacroKey:
            return MacroKeyText(params, macroNames);
        default:
            return Kind(static_cast<KeyFunctionKind>(kind));
    }
}

}  // namespace kv12
