#include "core/texts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/dialog_texts.h"
#include "core/language.h"
#include "tests/common/case_name.h"

namespace kv12 {
namespace {

constexpr Language EN = Language::English;
constexpr Language CHS = Language::SimplifiedChinese;
constexpr Language CHT = Language::TraditionalChinese;

// The language in a test-case name.
const char* LanguageName(Language language) {
    switch (language) {
        case CHS:
            return "Chs";
        case CHT:
            return "Cht";
        default:
            return "En";
    }
}

TEST(LanguageFromCode, OnlyExactChsAndChtSelectChinese) {
    const std::pair<const char*, Language> cases[] = {{"CHS", CHS}, {"CHT", CHT}, {"chs", EN}, {"cht", EN},
                                                      {"Chs", EN},  {"EN", EN},   {"", EN},    {"CHS ", EN},
                                                      {" CHT", EN}, {"CHSX", EN}, {"CH", EN},  {"ENG", EN}};
    for (const auto& [code, language] : cases) {
        EXPECT_EQ(LanguageFromCode(code), language) << '"' << code << '"';
    }
}

struct LanCase {
    const char* lan;
    const char* ok;
    const char* section;
};

TEST(ApplyLanguage, ChoosesTheColumnFromTheLanguageCode) {
    const LanCase cases[] = {{"CHS", "确定", "Setting-CHS"},
                             {"CHT", "確定", "Setting-CHT"},
                             {"chs", "OK", "Setting-EN"},
                             {"EN", "OK", "Setting-EN"},
                             {"", "OK", "Setting-EN"}};
    for (const LanCase& c : cases) {
        const MainTexts texts = ApplyLanguage(c.lan);
        EXPECT_EQ(texts[TXT_OK], c.ok) << '"' << c.lan << '"';
        EXPECT_EQ(texts[TXT_SECTION_NAME], c.section) << '"' << c.lan << '"';
    }
}

TEST(ApplyLanguage, AssignsEveryRowInEveryLanguage) {
    const std::pair<const char*, Language> codes[] = {{"", EN}, {"CHS", CHS}, {"CHT", CHT}};
    for (const auto& [code, language] : codes) {
        const MainTexts texts = ApplyLanguage(code);
        for (int row = 1; row <= MAIN_TEXT_ROWS; ++row) {
            EXPECT_FALSE(texts[row].empty()) << "row " << row << " in \"" << code << '"';
            EXPECT_EQ(texts[row], MainTextTable(row).In(language)) << "row " << row;
        }
    }
    EXPECT_THROW(ApplyLanguage("")[MAIN_TEXT_ROWS + 1], std::out_of_range);
}

struct RowCase {
    int row;
    Language language;
    const char* text;
};

class MainTextRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(MainTextRows, HoldTheExactText) {
    const RowCase& c = GetParam();
    EXPECT_EQ(MainTextTable(c.row).In(c.language), c.text) << "row " << c.row;
}

// "Row24_Chs".
std::string RowCaseName(const ::testing::TestParamInfo<RowCase>& info) {
    return "Row" + test::CaseNumber(info.param.row) + "_" + LanguageName(info.param.language);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MainTextRows,
    ::testing::Values(
        RowCase{1, EN, "Basic Settings"}, RowCase{1, CHS, "基本设置"}, RowCase{2, CHT, "高級設置"},
        RowCase{3, EN, "Color Setting"}, RowCase{5, CHS, "应用"}, RowCase{6, CHT, "取消"},
        RowCase{13, EN, "DPI Switch"}, RowCase{14, CHT, "報告率切換"}, RowCase{21, CHT, "複合鍵"},
        RowCase{24, EN, "Left key must be selected!"}, RowCase{24, CHS, "左键功能必须选择！"},
        RowCase{24, CHT, "左鍵功能必須選擇！"}, RowCase{25, EN, "Default"}, RowCase{25, CHS, "按键恢复"},
        RowCase{25, CHT, "按鍵恢復"}, RowCase{29, CHT, "按鍵配置4"}, RowCase{36, CHT, "設為按鍵群組切換燈"},
        RowCase{40, EN, "Speed"}, RowCase{40, CHS, "速度:请调整灯光显示速度"}, RowCase{40, CHT, "速度"},
        RowCase{41, CHS, "亮度:请调整灯光显示亮度"}, RowCase{46, CHT, "霓虹模式"},
        RowCase{47, EN, "Non-Disolay"}, RowCase{47, CHS, "关闭"}, RowCase{50, CHT, "RGB常亮"},
        RowCase{52, EN, "Switch report rate into 1000HZ"}, RowCase{55, CHS, "报告率切换到125HZ"},
        RowCase{56, EN, "Switch DPI into the first stage "}, RowCase{56, CHS, "DPI切换到第一段"},
        RowCase{59, EN, "Switch DPI into the fourth stage "}, RowCase{59, CHT, "DPI切換到第四段"},
        RowCase{60, CHT, "切換到按鍵群組1"}, RowCase{64, CHS, "切换到宏"}, RowCase{65, CHT, "退出"},
        RowCase{66, EN, "The system did not detect the gaming mouse!"},
        RowCase{66, CHT, "系統沒有檢測到遊戲滑鼠！"}, RowCase{67, EN, "The system detect the gaming mouse."},
        RowCase{67, CHS, "系统检测到游戏鼠标。"}, RowCase{70, EN, "Double-Click Speed"},
        RowCase{76, CHT, "一次滾動一個螢幕"}, RowCase{77, EN, "Default"}, RowCase{77, CHS, "恢复默认"},
        RowCase{77, CHT, "恢復默認"}, RowCase{81, EN, "Record Mouse Event"},
        RowCase{81, CHS, "只录制键盘事件"}, RowCase{81, CHT, "只錄製鍵盤事件"}, RowCase{82, CHT, "迴圈次數"},
        RowCase{88, EN, "Macro name already exists"}, RowCase{89, CHS, "按Ctrl+Break可以停止录制"},
        RowCase{90, EN, "It doesn\u2019t start recording, unnecessary to press Stop key!"},
        RowCase{90, CHS, "没有开始录制,点击停止录制按钮没有意义！"},
        RowCase{90, CHT, "沒有開始錄製，點擊停止錄製按鈕沒有意義！"}, RowCase{91, EN, "Setting-EN"},
        RowCase{91, CHS, "Setting-CHS"}, RowCase{91, CHT, "Setting-CHT"}),
    RowCaseName);

// Outside 1..91 there is no row: three empty texts, never a read past the table.
INSTANTIATE_TEST_SUITE_P(OutsideTheTable, MainTextRows,
                         ::testing::Values(RowCase{0, EN, ""}, RowCase{92, CHS, ""}, RowCase{-1, CHT, ""}),
                         RowCaseName);

TEST(MainTextTable, OnlyRowsFiftySixToFiftyNineEndInASpace) {
    for (int row = 1; row <= MAIN_TEXT_ROWS; ++row) {
        for (Language language : {EN, CHS, CHT}) {
            const std::string_view text = MainTextTable(row).In(language);
            const bool trailingSpace = !text.empty() && text.back() == ' ';
            EXPECT_EQ(trailingSpace, language == EN && row >= 56 && row <= 59) << "row " << row;
        }
    }
}

TEST(MainTextTable, RowFiftyOneIsTheWebAddressInEveryLanguage) {
    for (Language language : {EN, CHS, CHT}) {
        EXPECT_EQ(MainTextTable(TXT_MAKER_WEB_ADDRESS).In(language), MakerWebAddress);
    }
}

TEST(TextSectionName, NamesTheSectionOfTheLanguage) {
    EXPECT_EQ(TextSectionName(EN), "Setting-EN");
    EXPECT_EQ(TextSectionName(CHS), "Setting-CHS");
    EXPECT_EQ(TextSectionName(CHT), "Setting-CHT");
    EXPECT_EQ(TextSectionName(static_cast<Language>(7)), "Setting-EN");
}

struct DialogCase {
    const char* what;
    Language language;
    std::string_view (*field)(const DialogTexts&);
    const char* text;
};

#define FIELD(expr) [](const DialogTexts& t) -> std::string_view { return t.expr; }

class DialogTextCases : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DialogTextCases, HoldTheExactText) {
    const DialogCase& c = GetParam();
    EXPECT_EQ(c.field(DialogTextsFor(c.language)), c.text) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogTextCases,
    ::testing::Values(
        DialogCase{"single ok", EN, FIELD(single.frame.ok), "OK"},
        DialogCase{"single ok", CHS, FIELD(single.frame.ok), "确定"},
        DialogCase{"combo ok", CHT, FIELD(combo.frame.ok), "確定"},
        DialogCase{"media cancel", EN, FIELD(media.frame.cancel), "Cancel"},
        DialogCase{"windows cancel", CHT, FIELD(windows.frame.cancel), "取消"},
        DialogCase{"single prompt", EN, FIELD(single.prompt), "Please enter a key"},
        DialogCase{"single prompt", CHS, FIELD(single.prompt), "请输入一个按键"},
        DialogCase{"single prompt", CHT, FIELD(single.prompt), "請輸入一個按鍵"},
        DialogCase{"fire speed", EN, FIELD(fireKey.speedLabel), "Speed"},
        DialogCase{"fire times", CHS, FIELD(fireKey.timesLabel), "次数"},
        DialogCase{"fire times", CHT, FIELD(fireKey.timesLabel), "次數"},
        DialogCase{"fire heading", EN, FIELD(fireKey.noteHeading), "Illustration:"},
        DialogCase{"fire heading", CHT, FIELD(fireKey.noteHeading), "說明:"},
        DialogCase{"fire speed note", EN, FIELD(fireKey.speedNote),
                   "Speed (value range 5-255, with smaller values faster)"},
        DialogCase{"fire speed note", CHS, FIELD(fireKey.speedNote), "速度(数值范围5-255，数值越小速度越快)"},
        DialogCase{"fire times note", EN, FIELD(fireKey.timesNote),
                   "Times (value range 0-255,0 indicates fire key to end when the key released)"},
        DialogCase{"fire times note", CHT, FIELD(fireKey.timesNote),
                   "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"},
        DialogCase{"delay prompt", EN, FIELD(delayTime.prompt), "Please enter a delay"},
        DialogCase{"delay prompt", CHT, FIELD(delayTime.prompt), "請輸入一個延時"},
        DialogCase{"delay range", EN, FIELD(delayTime.range), "(value range 0-10000)"},
        DialogCase{"delay range", CHS, FIELD(delayTime.range), "(数值范围 0-10000)"},
        DialogCase{"macro option 1", EN, FIELD(macro.repeatOptions[0]),
                   "Repeat a specified number of times or press any key to end"},
        DialogCase{"macro option 2", CHS, FIELD(macro.repeatOptions[1]), "重复直到按任意键结束"},
        DialogCase{"macro option 3", EN, FIELD(macro.repeatOptions[2]), "Repeat until the key is released"},
        DialogCase{"macro option 3", CHT, FIELD(macro.repeatOptions[2]), "重複直到該按鍵鬆開結束"},
        DialogCase{"macro prompt", EN, FIELD(macro.prompt), "Please select a macro"},
        DialogCase{"macro prompt", CHT, FIELD(macro.prompt), "請從清單方塊選擇一個巨集"},
        DialogCase{"skins prompt", EN, FIELD(skins.colorPrompt), "Please click to set the UI text color"},
        DialogCase{"skins prompt", CHS, FIELD(skins.colorPrompt), "请点击设置UI文本颜色"},
        DialogCase{"skins prompt", CHT, FIELD(skins.colorPrompt), "請點擊設置UI文本顏色"},
        DialogCase{"recorder start", CHT, FIELD(recorder.startNotice), "開始錄製"},
        DialogCase{"recorder stop", EN, FIELD(recorder.stopNotice), "Stop Recording"},
        DialogCase{"recorder empty list", CHS, FIELD(recorder.emptyMacroList), "宏名称为空"},
        DialogCase{"recorder window text", CHT, FIELD(recorder.recordingWindowText),
                   "按Ctrl+Break可以停止錄製"},
        DialogCase{"recorder stop without start", EN, FIELD(recorder.stopWithoutStart),
                   "It doesn\u2019t start recording, unnecessary to press Stop key!"},
        DialogCase{"editor heading", CHT, FIELD(editor.macroSetting), "巨集設置"},
        DialogCase{"editor select", EN, FIELD(editor.selectMacro), "Select Macro"},
        DialogCase{"editor sequence", CHS, FIELD(editor.keyPressSequence), "按键序列"},
        DialogCase{"editor record option", CHT, FIELD(editor.recordOption), "錄製選項"},
        DialogCase{"editor name", CHT, FIELD(editor.macroName), "巨集名稱"},
        DialogCase{"editor loop", CHT, FIELD(editor.loopTimes), "迴圈次數"},
        DialogCase{"editor insert", CHS, FIELD(editor.insertMouseEvent), "插入一个鼠标事件"},
        DialogCase{"editor new", CHT, FIELD(editor.newButton), "新建"},
        DialogCase{"editor delete", CHS, FIELD(editor.deleteButton), "删除"},
        DialogCase{"editor delete", CHT, FIELD(editor.deleteButton), "刪除"},
        DialogCase{"editor confirm", CHT, FIELD(editor.confirmButton), "確認"},
        DialogCase{"editor blank", EN, FIELD(editor.nameBlank), "Macro name is blank"},
        DialogCase{"editor exists", CHS, FIELD(editor.nameExists), "宏名称已经存在"}),
    [](const auto& info) {
        return test::CaseName(info.param.what) + "_" + LanguageName(info.param.language);
    });

#undef FIELD

std::vector<std::string_view> EveryText(const DialogTexts& t) {
    std::vector<std::string_view> all;
    for (const DialogFrameTexts& f : {t.single.frame, t.combo.frame, t.fireKey.frame, t.delayTime.frame,
                                      t.media.frame, t.windows.frame, t.macro.frame, t.skins.frame}) {
        all.insert(all.end(), {f.ok, f.cancel});
    }
    all.insert(all.end(), {t.single.prompt, t.fireKey.speedLabel, t.fireKey.timesLabel, t.fireKey.noteHeading,
                           t.fireKey.speedNote, t.fireKey.timesNote, t.delayTime.prompt, t.delayTime.range});
    all.insert(all.end(), t.macro.repeatOptions.begin(), t.macro.repeatOptions.end());
    all.insert(all.end(), {t.macro.prompt, t.skins.colorPrompt});
    const MacroRecorderTexts& r = t.recorder;
    all.insert(all.end(),
               {r.startNotice, r.stopNotice, r.emptyMacroList, r.recordingWindowText, r.stopWithoutStart});
    const MacroEditorTexts& e = t.editor;
    all.insert(all.end(),
               {e.macroSetting, e.selectMacro, e.keyPressSequence, e.recordOption, e.macroName, e.loopTimes,
                e.insertMouseEvent, e.newButton, e.deleteButton, e.confirmButton, e.nameBlank, e.nameExists});
    return all;
}

TEST(DialogTextsFor, EveryDialogHasEveryTextInEveryLanguage) {
    for (Language language : {EN, CHS, CHT}) {
        const auto all = EveryText(DialogTextsFor(language));
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_FALSE(all[i].empty()) << "text " << i << " of language " << static_cast<int>(language);
        }
    }
}

TEST(DialogTextsFor, FrameCaptionsAreTheMainWindowsOkAndCancel) {
    for (Language language : {EN, CHS, CHT}) {
        const DialogTexts& t = DialogTextsFor(language);
        for (const DialogFrameTexts& f : {t.single.frame, t.fireKey.frame, t.macro.frame, t.skins.frame}) {
            EXPECT_EQ(f.ok, MainTextTable(TXT_OK).In(language));
            EXPECT_EQ(f.cancel, MainTextTable(TXT_CANCEL).In(language));
        }
    }
}

TEST(DialogTextsFor, LanguageOutsideTheEnumFallsBackToEnglish) {
    EXPECT_EQ(DialogTextsFor(static_cast<Language>(-1)).single.prompt, "Please enter a key");
    EXPECT_EQ(DialogTextsFor(static_cast<Language>(3)).single.frame.ok, "OK");
}

}  // namespace
}  // namespace kv12
