#include "core/dialog_texts.h"

#include "core/main_text_table.h"
#include "core/texts.h"

namespace kv12 {
namespace {

// Each table below holds one dialog's texts, indexed by LanguageIndex:
// English, simplified Chinese, traditional Chinese.

constexpr std::array<std::string_view, LANGUAGE_COUNT> SINGLE_PROMPT = {
    "Please enter a key",
    "请输入一个按键",
    "請輸入一個按鍵",
};

struct FireKeyOwnTexts {
    std::string_view speedLabel, timesLabel, noteHeading, speedNote, timesNote;
};
constexpr std::array<FireKeyOwnTexts, LANGUAGE_COUNT> FIRE_KEY = {{
    {"Speed", "Times", "Illustration:", "Speed (value range 5-255, with smaller values faster)",
     "Times (value range 0-255,0 indicates fire key to end when the key released)"},
    {"速度", "次数", "说明:", "速度(数值范围5-255，数值越小速度越快)",
     "次数(数值范围0-255，0表示按键放开火力键结束)"},
    {"速度", "次數", "說明:", "速度(數值範圍5-255，數值越小速度越快)",
     "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"},
}};

struct DelayTimeOwnTexts {
    std::string_view prompt, range;
};
constexpr std::array<DelayTimeOwnTexts, LANGUAGE_COUNT> DELAY_TIME = {{
    {"Please enter a delay", "(value range 0-10000)"},
    {"请输入一个延时", "(数值范围 0-10000)"},
    {"請輸入一個延時", "(數值範圍 0-10000)"},
}};

struct MacroOwnTexts {
    std::array<std::string_view, REPEAT_OPTION_COUNT> repeatOptions;
    std::string_view prompt;
};
constexpr std::array<MacroOwnTexts, LANGUAGE_COUNT> MACRO = {{
    {{"Repeat a specified number of times or press any key to end", "Repeat until press any key to end",
      "Repeat until the key is released"},
     "Please select a macro"},
    {{"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"},
     "请从列表框选择一个宏"},
    {{"重複指定次數或按任意鍵結束", "重複直到按任意鍵結束", "重複直到該按鍵鬆開結束"},
     "請從清單方塊選擇一個巨集"},
}};

constexpr std::array<std::string_view, LANGUAGE_COUNT> SKINS_COLOR_PROMPT = {
    "Please click to set the UI text color",
    "请点击设置UI文本颜色",
    "請點擊設置UI文本顏色",
};

constexpr std::array<std::string_view, LANGUAGE_COUNT> KEY_NOT_ASSIGNABLE = {
    "The key \"%s\" cannot be sent by the mouse. The button keeps its function.",
    "鼠标无法发送按键“%s”，该按键保持原来的功能。",
    "滑鼠無法發送按鍵「%s」，該按鍵保持原來的功能。",
};

constexpr std::array<MacroEditorNoticeTexts, LANGUAGE_COUNT> MACRO_EDITOR_NOTICES = {{
    {"A macro name holds at most %1 characters. Please shorten the name.",
     "A macro name cannot hold \"]\" or a line break, begin with \";\", or begin or end with a blank. "
     "Please change the name.",
     "The key press sequence of \"%1\" is too long for the mouse: only its first %2 of %3 items fit in a "
     "macro. Nothing was saved; please shorten the sequence and press Confirm again.",
     "Buttons play a macro by its place in the macro list. Once \"%1\" is deleted, the macros after it move "
     "up one place, and %2 will play another macro or none. Please choose their macros again.",
     "%1 button %2", ", ",
     "These macros are longer than the mouse holds and reach it cut to the events that fit: %1.",
     "The mouse holds 12 macros; these are not sent to it: %1."},
    {"宏名称最多 %1 个字符，请缩短名称。",
     "宏名称不能包含“]”或换行，不能以“;”开头，也不能以空格开头或结尾。请修改名称。",
     "宏“%1”的按键序列太长，鼠标只能容纳其 %3 项中的前 %2 项。未保存任何内容，请缩短序列后再按确认。",
     "按键按宏在宏列表中的位置播放宏。删除“%1”后，其后的宏会前移一位，%2 将播放其他宏或不播放宏。"
     "请重新为它们选择宏。",
     "%1 按键%2", "、", "以下宏超出鼠标容量，只有能容纳的部分会写入鼠标：%1。",
     "鼠标最多容纳 12 个宏，以下宏不会写入鼠标：%1。"},
    {"巨集名稱最多 %1 個字元，請縮短名稱。",
     "巨集名稱不能包含「]」或換行，不能以「;」開頭，也不能以空格開頭或結尾。請修改名稱。",
     "巨集「%1」的按鍵序列太長，滑鼠只能容納其 %3 項中的前 %2 項。未儲存任何內容，請縮短序列後再按確認。",
     "按鍵依巨集在巨集清單中的位置播放巨集。刪除「%1」後，其後的巨集會前移一位，"
     "%2 將播放其他巨集或不播放巨集。請重新為它們選擇巨集。",
     "%1 按鍵%2", "、", "以下巨集超出滑鼠容量，只有能容納的部分會寫入滑鼠：%1。",
     "滑鼠最多容納 12 個巨集，以下巨集不會寫入滑鼠：%1。"},
}};

constexpr std::string_view Row(int row, Language language) {
    return MAIN_TEXT_TABLE[static_cast<std::size_t>(row - 1)].In(language);
}

constexpr DialogTexts TextsIn(Language language) {
    const std::size_t i = LanguageIndex(language);
    // The standard frame says what the main window's own OK and Cancel say.
    const DialogFrameTexts frame{Row(TXT_OK, language), Row(TXT_CANCEL, language)};
    return DialogTexts{
        .single = {frame, SINGLE_PROMPT[i]},
        .combo = {frame},
        .fireKey = {frame, FIRE_KEY[i].speedLabel, FIRE_KEY[i].timesLabel, FIRE_KEY[i].noteHeading,
                    FIRE_KEY[i].speedNote, FIRE_KEY[i].timesNote},
        .delayTime = {frame, DELAY_TIME[i].prompt, DELAY_TIME[i].range},
        .media = {frame},
        .windows = {frame},
        .macro = {frame, MACRO[i].repeatOptions, MACRO[i].prompt},
        .skins = {frame, SKINS_COLOR_PROMPT[i]},
        .recorder = {Row(TXT_START_RECORDING, language), Row(TXT_STOP_RECORDING, language),
                     Row(TXT_MACRO_NAME_BLANK, language), Row(TXT_RECORDING_HINT, language),
                     Row(TXT_STOP_WITHOUT_START, language)},
        .editor = {Row(TXT_MACRO_SETTING, language), Row(TXT_SELECT_MACRO, language),
                   Row(TXT_KEY_PRESS_SEQUENCE, language), Row(TXT_RECORD_OPTION, language),
                   Row(TXT_MACRO_NAME, language), Row(TXT_LOOP_TIMES, language),
                   Row(TXT_INSERT_MOUSE_EVENT, language), Row(TXT_NEW, language), Row(TXT_DELETE, language),
                   Row(TXT_CONFIRM, language), Row(TXT_MACRO_NAME_BLANK, language),
                   Row(TXT_MACRO_NAME_EXISTS, language)},
    };
}

constexpr std::array<DialogTexts, LANGUAGE_COUNT> DIALOG_TEXTS = {
    TextsIn(Language::English),
    TextsIn(Language::SimplifiedChinese),
    TextsIn(Language::TraditionalChinese),
};

}  // namespace

const DialogTexts& DialogTextsFor(Language language) {
    return DIALOG_TEXTS[LanguageIndex(language)];
}

std::string_view KeyNotAssignableFormat(Language language) {
    return KEY_NOT_ASSIGNABLE[LanguageIndex(language)];
}

const MacroEditorNoticeTexts& MacroEditorNoticeTextsFor(Language language) {
    return MACRO_EDITOR_NOTICES[LanguageIndex(language)];
}

}  // namespace kv12
