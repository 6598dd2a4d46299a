// The interface languages. The language code comes from "Lan" in str.ini:
// exactly "CHS" or "CHT" (case-sensitive), anything else is English.
#pragma once

#include <cstddef>
#include <string_view>

namespace kv12 {

enum class Language { English = 0, SimplifiedChinese = 1, TraditionalChinese = 2 };
inline constexpr int LANGUAGE_COUNT = 3;

/// The language of a code as stored under "Lan": "CHS" and "CHT" compared as
/// whole, case-sensitive strings; anything else, the empty code included, is English.
Language LanguageFromCode(std::string_view code);

/// Position of a language in a per-language table (the order of the enum);
/// a value outside the enum counts as English, so a table lookup never leaves its array.
constexpr std::size_t LanguageIndex(Language l) {
    const auto i = static_cast<int>(l);
    return i >= 0 && i < LANGUAGE_COUNT ? static_cast<std::size_t>(i) : 0;
}

// A text in the three languages; the table columns.
struct Text3 {
    std::string_view en, chs, cht;
    /// The text in one language; English for a value outside the enum.
    constexpr std::string_view In(Language l) const {
        return l == Language::SimplifiedChinese ? chs : l == Language::TraditionalChinese ? cht : en;
    }
};

}  // namespace kv12
