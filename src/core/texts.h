// The main window's 91 texts in three languages. The dialogs' own texts are in
// dialog_texts.h; the table itself is in main_text_table.h.
#pragma once

#include <array>
#include <cstddef>
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
    TXT_REPORT_RATE_SWITCH = 14,
    TXT_FUNCTION_LAST = 23,
    TXT_LEFT_KEY_REQUIRED = 24,
    TXT_KEY_DEFAULT = 25,
    TXT_KEY_CONFIGURATION_1 = 26,  // rows 26..29
    TXT_KEY_SETTING = 30,
    TXT_REPORT_RATE_SETTING = 31,
    TXT_DPI_SETTING = 32,
    TXT_AUXILIARY_LED_SETTING = 33,  // rows 34..36: its three choices
    TXT_DPI_EFFECT = 37,
    TXT_MODE = 38,
    TXT_PARAMETER = 39,
    TXT_SPEED = 40,
    TXT_BRIGHTNESS = 41,
    TXT_EFFECT = 42,
    TXT_LIGHT_MODE_FIRST = 43,    // rows 43..46: lighting modes 0..3
    TXT_LIGHT_EFFECT_FIRST = 47,  // rows 47..50: lighting effects 0..3
    TXT_MAKER_WEB_ADDRESS = 51,
    TXT_REPORT_RATE_1000 = 52,  // rows 52..55: 1000, 500, 250, 125 Hz
    TXT_DPI_STAGE_1 = 56,       // rows 56..59
    TXT_KEY_MATRIX_1 = 60,      // rows 60..63
    TXT_MACRO_KEY_SWITCH = 64,
    TXT_EXIT = 65,
    TXT_NOT_DETECTED = 66,
    TXT_DETECTED = 67,
    TXT_MOUSE_SPEED = 68,
    TXT_SCROLLING_SPEED = 69,
    TXT_DOUBLE_CLICK_SPEED = 70,
    TXT_MACRO_SETTING = 71,
    TXT_SELECT_MACRO = 72,
    TXT_KEY_PRESS_SEQUENCE = 73,
    TXT_RECORD_OPTION = 74,
    TXT_ENHANCE_POINTER_PRECISION = 75,
    TXT_SCROLL_ONE_SCREEN = 76,
    TXT_POINTER_DEFAULT = 77,
    TXT_MACRO_NAME = 78,
    TXT_START_RECORDING = 79,
    TXT_STOP_RECORDING = 80,
    TXT_RECORD_MOUSE_EVENT = 81,
    TXT_LOOP_TIMES = 82,
    TXT_INSERT_MOUSE_EVENT = 83,
    TXT_NEW = 84,
    TXT_DELETE = 85,
    TXT_CONFIRM = 86,
    TXT_MACRO_NAME_BLANK = 87,
    TXT_MACRO_NAME_EXISTS = 88,
    TXT_RECORDING_HINT = 89,
    TXT_STOP_WITHOUT_START = 90,
    TXT_SECTION_NAME = 91,
};

// The project's home page, drawn at the bottom of both pages.
inline constexpr std::string_view MakerWebAddress = "https://korvex.dev/kv12";

/// Row r (1..91) in all three languages; a row outside 1..91 gives three empty texts.
const Text3& MainTextTable(int row);

// The main window's texts in one language (what ApplyLanguage assigns).
struct MainTexts {
    std::array<std::string_view, MAIN_TEXT_ROWS + 1> rows{};  // index 0 unused
    /// Row 1..91; throws std::out_of_range for an index outside the array (a programming error).
    std::string_view operator[](int row) const { return rows.at(static_cast<std::size_t>(row)); }
};

/// Every row of the main table in the language of the code ("CHS", "CHT",
/// anything else English), as the main window assigns them at start-up.
MainTexts ApplyLanguage(std::string_view languageCode);

/// The str.ini section of the per-button texts: "Setting-CHS", "Setting-CHT" or "Setting-EN".
std::string_view TextSectionName(Language language);

// Texts of the dialogs, looked up by language.
struct DialogTexts;  // defined in dialog_texts.h

}  // namespace kv12
