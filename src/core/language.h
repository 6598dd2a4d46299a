// The interface languages. The language code comes from "Lan" in str.ini:
// exactly "CHS" or "CHT" (case-sensitive), anything else is English.
#pragma once

#include <string_view>

namespace kv12 {

enum class Language { English = 0, SimplifiedChinese = 1, TraditionalChinese = 2 };

Language LanguageFromCode(std::string_view code);

// A text in the three languages; the table columns.
struct Text3 {
    std::string_view en, chs, cht;
    constexpr std::string_view In(Language l) const {
        return l == Language::SimplifiedChinese ? chs : l == Language::TraditionalChinese ? cht : en;
    }
};

}  // namespace kv12
