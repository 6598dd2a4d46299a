// Names of the cases of parameterised suites. CTest lists each case under the
// name its suite's name generator gives it, so every table names its cases
// from its own fields, in words, rather than by their position or their bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace kv12::test {

/// A text as a test-case name (letters, digits and '_' only). Words run
/// together, each after the first starting with a capital ("Caps Lock" gives
/// "CapsLock", "single ok" "singleOk", "Eurpo(Note 2)" "EurpoNote2"); a minus
/// sign before a number is "Minus" ("-1" gives "Minus1"); a word of signs alone
/// is spelled out ("Num *" gives "NumStar", "/" "Slash"); other bytes (UTF-8
/// text) are left out. An empty text is "Empty".
inline std::string CaseName(std::string_view text) {
    static constexpr std::array<std::pair<char, const char*>, 14> SIGNS{{{'*', "Star"},
                                                                         {'/', "Slash"},
                                                                         {'\\', "Backslash"},
                                                                         {'+', "Plus"},
                                                                         {'-', "Minus"},
                                                                         {'.', "Dot"},
                                                                         {',', "Comma"},
                                                                         {';', "Semicolon"},
                                                                         {'\'', "Quote"},
                                                                         {'`', "Backquote"},
                                                                         {'=', "Equals"},
                                                                         {'[', "OpenBracket"},
                                                                         {']', "CloseBracket"},
                                                                         {'&', "Ampersand"}}};
    const auto isAlnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::string name;
    bool wordStart = false;  // the next letter starts a word
    const auto add = [&](char c) {
        const bool capital = wordStart && !name.empty();
        name += capital ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        wordStart = false;
    };
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        bool hasAlnum = false;
        for (char c : word) hasAlnum = hasAlnum || isAlnum(c);
        for (std::size_t k = 0; k < word.size(); ++k) {
            const char c = word[k];
            if (isAlnum(c)) {
                add(c);
                continue;
            }
            const bool minus = c == '-' && k + 1 < word.size() && isDigit(word[k + 1]) &&
                               (k == 0 || (!isAlnum(word[k - 1]) && word[k - 1] != '-'));
            if (minus) {
                wordStart = true;
                for (char m : std::string_view("Minus")) add(m);
                continue;
            }
            wordStart = true;
            if (hasAlnum) continue;
            std::string spelled;
            for (const auto& [sign, spelling] : SIGNS) {
                if (sign == c) spelled = spelling;
            }
            if (spelled.empty() && static_cast<unsigned char>(c) < 0x80) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
                spelled = hex;
            }
            for (char s : spelled) add(s);
            wordStart = true;
        }
        wordStart = true;
    }
    return name.empty() ? "Empty" : name;
}

/// A language code of str.ini in a test-case name: "CHS", "CHT"; an empty
/// code (English, as any other) is "NoLanguage".
inline std::string LanguageCaseName(std::string_view code) {
    return code.empty() ? "NoLanguage" : CaseName(code);
}

/// A number in a test-case name: "12", or "Minus1" for -1.
inline std::string CaseNumber(long long value) {
    return value < 0 ? "Minus" + std::to_string(-value) : std::to_string(value);
}

/// A byte in a test-case name, as two capital hexadecimal digits: "0A".
inline std::string CaseHex(unsigned value) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X", value & 0xFFu);
    return hex;
}

}  // namespace kv12::test
