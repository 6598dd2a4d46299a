#include "core/texts.h"

#include "core/main_text_table.h"

namespace kv12 {

const Text3& MainTextTable(int row) {
    static constexpr Text3 none{};
    if (row < 1 || row > MAIN_TEXT_ROWS) {
        return none;
    }
    return MAIN_TEXT_TABLE[static_cast<std::size_t>(row - 1)];
}

MainTexts ApplyLanguage(std::string_view languageCode) {
    const Language language = LanguageFromCode(languageCode);
    MainTexts texts;
    for (int row = 1; row <= MAIN_TEXT_ROWS; ++row) {
        texts.rows[static_cast<std::size_t>(row)] = MainTextTable(row).In(language);
    }
    return texts;
}

std::string_view TextSectionName(Language language) {
    return MainTextTable(TXT_SECTION_NAME).In(language);
}

}  // namespace kv12
