// The main window's 91 texts in three languages, and the dialogs' own texts.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/language.h"

namespace kv12 {

inline constexpr int MAIN_TEXT_ROWS = 91;

// Rows by their 1-based number; the names say what each row is for.
enum MainTextRow : int {
    TXT_BASIC_SETTINGS = 1,
    TXT_ADVANCED_SETTINGS = 2,
    TXT_COLOR_SETTING = 3,
    TXT_OK = 4,
    TXT_APPLY = 5,
    TXT_CANCEL = 6,
    TXT_FUNCTION_FIRST = 7,  // rows 7..23: function names
    TXT_LEFT_KEY_REQUIRED = 24,
    TXT_KEY_DEFAULT = 25,
    TXT_MAKER_WEB_ADDRESS = 51,
    TXT_REPORT_RATE_1000 = 52,
    TXT_DPI_STAGE_1 = 56,
    TXT_KEY_MATRIX_1 = 60,
    TXT_MACRO_KEY_SWITCH = 64,
    TXT_EXIT = 65,
    TXT_NOT_DETECTED = 66,
    TXT_DETECTED = 67,
    TXT_POINTER_DEFAULT = 77,
    TXT_SECTION_NAME = 91,
};

// The project's home page, drawn at the bottom of both pages.
inline constexpr std::string_view MakerWebAddress = "https://github.com/korvex-tools/kv12";

// Row r (1..91) in all three languages.
const Text3& MainTextTable(int row);

// The main window's texts in one language (what ApplyLanguage assigns).
struct MainTexts {
    std::array<std::string_view, MAIN_TEXT_ROWS + 1> rows{};  // index 0 unused
    std::string_view operator[](int row) const { return rows.at(static_cast<std::size_t>(row)); }
};
MainTexts ApplyLanguage(std::string_view languageCode);

// "Setting-CHS", "Setting-CHT" or "Setting-EN".
std::string_view TextSectionName(Language language);

// Texts of the dialogs. Each is looked up by language.
struct DialogTexts;  // defined in dialog_texts.h

}  // namespace kv12
