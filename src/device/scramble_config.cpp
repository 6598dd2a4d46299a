#include "device/scramble_config.h"

#include <array>
#include <cstddef>

namespace kv12 {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ParseHexBytes(std::string_view text) {
    if (text.size() != 2 * N) return std::nullopt;
    std::array<std::uint8_t, N> bytes{};
    for (std::size_t i = 0; i < N; ++i) {
        const int hi = HexDigitValue(text[2 * i]);
        const int lo = HexDigitValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return bytes;
}

std::string BadValueMessage(std::string_view where, std::string_view name, std::string_view value,
                            std::size_t digits) {
    std::string text;
    text.append(where).append(name).append(" \"").append(value).append("\" is not ");
    text.append(std::to_string(digits)).append(" hexadecimal digits; the built-in value is used.");
    return text;
}

}  // namespace

std::optional<ScrambleKey> ParseScrambleKey(std::string_view text) {
    return ParseHexBytes<SCRAMBLE_KEY_SIZE>(text);
}

std::optional<ScrambleTable> ParseScrambleTable(std::string_view text) {
    return ParseHexBytes<SCRAMBLE_TABLE_SIZE>(text);
}

LoadedScrambleConfig LoadScrambleConfig(const IniDocument& strIni) {
    LoadedScrambleConfig result;
    constexpr std::string_view where = "str.ini [Device] ";
    if (const auto text = strIni.Get(DEVICE_SECTION, SCRAMBLE_KEY_NAME)) {
        if (const auto key = ParseScrambleKey(*text)) {
            result.config.key = *key;
        } else {
            result.messages.push_back(
                BadValueMessage(where, SCRAMBLE_KEY_NAME, *text, 2 * SCRAMBLE_KEY_SIZE));
        }
    }
    if (const auto text = strIni.Get(DEVICE_SECTION, SCRAMBLE_TABLE_NAME)) {
        if (const auto table = ParseScrambleTable(*text)) {
            result.config.table = *table;
        } else {
            result.messages.push_back(
                BadValueMessage(where, SCRAMBLE_TABLE_NAME, *text, 2 * SCRAMBLE_TABLE_SIZE));
        }
    }
    return result;
}

LoadedScrambleConfig OverrideScrambleConfig(const ScrambleConfig& base,
                                            const std::optional<std::string>& keyHex,
                                            const std::optional<std::string>& tableHex) {
    LoadedScrambleConfig result{base, {}};
    if (keyHex) {
        if (const auto key = ParseScrambleKey(*keyHex)) {
            result.config.key = *key;
        } else {
            result.messages.push_back("--scramble-key \"" + *keyHex + "\" is not 12 hexadecimal digits.");
        }
    }
    if (tableHex) {
        if (const auto table = ParseScrambleTable(*tableHex)) {
            result.config.table = *table;
        } else {
            result.messages.push_back("--scramble-table \"" + *tableHex + "\" is not 16 hexadecimal digits.");
        }
    }
    return result;
}

std::string ToHex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(DIGITS[bytes[i] >> 4]);
        text.push_back(DIGITS[bytes[i] & 0x0F]);
    }
    return text;
}

}  // namespace kv12
