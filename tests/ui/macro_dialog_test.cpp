#include "ui/macro_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/common/case_name.h"
#include "tests/core/test_folder.h"
#include "tests/ui/recording_host.h"

namespace kv12::test {
namespace {

using ui::CMacroDialog;

constexpr int DISPLAY = 592;
constexpr int LIST = 593;

constexpr Point MACRO_BOX{145, 136};
constexpr Point AWAY{300, 230};
constexpr Point OK{200, 260};
// The centres of the three option boxes.
constexpr Point OPTION[] = {{0, 0}, {228, 86}, {228, 136}, {228, 186}};
constexpr Point BOX_AT[] = {{0, 0}, {220, 78}, {220, 128}, {220, 178}};

const std::string TICKED = "/PaneMakingTick.png";
const std::string CLEAR = "/Pane.png";

class MacroDialogTest : public ::testing::Test {
  protected:
    void Open(std::string_view language = "") {
        dialog =
            std::make_unique<CMacroDialog>(skin, language, ui::WindowsVersion{10, 0}, folder / "record.ini");
        ASSERT_TRUE(dialog->OnInitDialog(host));
        log.clear();
    }
    void Pick(int position) {
        dialog->OnLButtonDown(MACRO_BOX);
        host.controls[LIST].selection = position;
        dialog->OnCommand(LIST, ui::LIST_SELECTION_CHANGED);
    }
    // The option boxes as the last drawing left them: true where ticked.
    std::vector<bool> Ticks() const {
        std::vector<bool> ticked(4, false);
        for (const std::string& line : log) {
            for (int k = 1; k <= 3; ++k) {
                if (line == ImageLine(TICKED, BOX_AT[k])) ticked[static_cast<std::size_t>(k)] = true;
                if (line == ImageLine(CLEAR, BOX_AT[k])) ticked[static_cast<std::size_t>(k)] = false;
            }
        }
        return {ticked.begin() + 1, ticked.end()};
    }

    TestFolder folder;
    std::vector<std::string> log;
    RecordingDialogHost host{log};
    ui::SkinState skin{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
    std::unique_ptr<CMacroDialog> dialog;
};

TEST_F(MacroDialogTest, OpensOnItsBackgroundWithAnEmptyMacroBoxAndModeOne) {
    dialog = std::make_unique<CMacroDialog>(skin, "", ui::WindowsVersion{10, 0}, folder / "record.ini");
    ASSERT_TRUE(dialog->OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /macro-key.png",
                                             "SetFonts Arial Tahoma", "CreateControl 592 43,129,135,143"}));
    EXPECT_EQ(host.controls[DISPLAY].desc.style, ui::STYLE_STATIC);
    EXPECT_EQ(host.controls[DISPLAY].desc.text, "");
    EXPECT_EQ(dialog->SelectedIndex(), 0);
    EXPECT_EQ(dialog->SelectedName(), "");
    EXPECT_EQ(dialog->RepeatMode(), 1);
}

TEST_F(MacroDialogTest, OkWithoutAChoiceKeepsTheFirstSlotAndAnEmptyName) {
    folder.Write("record.ini", "[Fire]\r\nItemCount=0\r\n");
    Open();
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->SelectedIndex(), 0);
    EXPECT_EQ(dialog->SelectedName(), "");
    EXPECT_EQ(dialog->RepeatMode(), 1);
}

TEST_F(MacroDialogTest, BoxListsTheMacrosInFileOrderAndAChoiceIsShown) {
    folder.Write(
        "record.ini",
        "[Zeta]\r\nItemCount=1\r\nItem0=A\r\n[Alpha]\r\nItemCount=0\r\n[Mid one]\r\nItemCount=0\r\n");
    Open();
    dialog->OnLButtonDown(MACRO_BOX);
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_EQ(host.controls[LIST].desc.rect, (Rect{43, 146, 151, 285}));
    EXPECT_EQ(host.controls[LIST].desc.style, ui::STYLE_POPUP_LIST);
    EXPECT_EQ(host.controls[LIST].items, (std::vector<std::string>{"Zeta", "Alpha", "Mid one"}));

    host.controls[LIST].selection = 2;
    dialog->OnCommand(LIST, ui::LIST_DOUBLE_CLICKED);
    EXPECT_EQ(dialog->SelectedIndex(), 2);
    EXPECT_EQ(dialog->SelectedName(), "Mid one");
    EXPECT_EQ(host.controls[DISPLAY].desc.text, "Mid one");
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_FALSE(host.ControlExists(LIST));
}

TEST_F(MacroDialogTest, MissingMacroFileOpensAnEmptyList) {
    Open();
    dialog->OnLButtonDown(MACRO_BOX);
    EXPECT_EQ(log, std::vector<std::string>{"CreateControl 593 43,146,151,285"});
    EXPECT_TRUE(dialog->ListOpen());
    dialog->OnLButtonDown(MACRO_BOX);
    EXPECT_FALSE(dialog->ListOpen());
}

TEST_F(MacroDialogTest, ListIsReadAgainEachTimeItOpens) {
    Open();
    dialog->OnLButtonDown(MACRO_BOX);
    dialog->OnLButtonDown(MACRO_BOX);
    folder.Write("record.ini", "[New]\r\nItemCount=0\r\n");
    dialog->OnLButtonDown(MACRO_BOX);
    EXPECT_EQ(host.controls[LIST].items, std::vector<std::string>{"New"});
}

TEST_F(MacroDialogTest, PressAwayClosesTheListAndKeepsThePreviousChoice) {
    folder.Write("record.ini", "[One]\r\n[Two]\r\n");
    Open();
    Pick(1);
    dialog->OnLButtonDown(MACRO_BOX);
    host.controls[LIST].selection = 0;
    log.clear();
    dialog->OnLButtonDown(AWAY);
    EXPECT_EQ(log, std::vector<std::string>{"DestroyControl 593"});
    EXPECT_EQ(dialog->SelectedIndex(), 1);
    EXPECT_EQ(dialog->SelectedName(), "Two");
}

TEST_F(MacroDialogTest, WheelScrollsTheOpenList) {
    Open();
    dialog->OnMouseWheel(-120);
    EXPECT_TRUE(log.empty());
    dialog->OnLButtonDown(MACRO_BOX);
    log.clear();
    dialog->OnMouseWheel(120);
    EXPECT_EQ(log, std::vector<std::string>{"ScrollList 593 -3"});
}

struct OptionCase {
    std::vector<int> clicks;
    int mode;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << "clicks";
    for (const int k : c.clicks) *os << ' ' << k;
}

class MacroRepeatOptions : public MacroDialogTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(MacroRepeatOptions, TheLastClickedOptionIsTheOnlyOneTicked) {
    Open();
    dialog->OnEraseBackground();
    for (const int k : GetParam().clicks) dialog->OnLButtonDown(OPTION[k]);
    EXPECT_EQ(dialog->RepeatMode(), GetParam().mode);
    std::vector<bool> expected(3, false);
    expected[static_cast<std::size_t>(GetParam().mode - 1)] = true;
    EXPECT_EQ(Ticks(), expected);
    // A repaint draws the same.
    log.clear();
    dialog->OnEraseBackground();
    EXPECT_EQ(Ticks(), expected);
}

INSTANTIATE_TEST_SUITE_P(MacroDialog, MacroRepeatOptions,
                         ::testing::Values(OptionCase{{}, 1}, OptionCase{{2}, 2}, OptionCase{{3, 1}, 1},
                                           OptionCase{{3, 3}, 3}, OptionCase{{1, 2, 3}, 3}),
                         // "Clicks3Then1", "NoClick": the options clicked, in order.
                         [](const auto& info) {
                             std::string name;
                             for (const int k : info.param.clicks)
                                 name += (name.empty() ? "Clicks" : "Then") + std::to_string(k);
                             return name.empty() ? std::string("NoClick") : name;
                         });

TEST_F(MacroDialogTest, OptionClickRedrawsTheTwoBoxesOnceAndTheCurrentOptionNothing) {
    Open();
    dialog->OnLButtonDown(OPTION[3]);
    EXPECT_EQ(log, (std::vector<std::string>{ImageLine(TICKED, {220, 178}), ImageLine(CLEAR, {220, 78}),
                                             "Present"}));
    log.clear();
    dialog->OnLButtonDown(OPTION[3]);
    dialog->OnLButtonDown({219, 86});  // just left of box 1
    dialog->OnLButtonDown({300, 86});  // on the text of option 1
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(dialog->RepeatMode(), 3);
}

TEST_F(MacroDialogTest, ModeIsOneAgainWhenTheDialogOpens) {
    Open();
    dialog->OnLButtonDown(OPTION[2]);
    RecordingDialogHost again(log);
    ASSERT_TRUE(dialog->OnInitDialog(again));
    EXPECT_EQ(dialog->RepeatMode(), 1);
}

struct TextsCase {
    const char* language;
    const char* prompt;
    const char* options[3];
};

void PrintTo(const TextsCase& c, std::ostream* os) {
    *os << '"' << c.language << '"';
}

class MacroTexts : public MacroDialogTest, public ::testing::WithParamInterface<TextsCase> {};

TEST_P(MacroTexts, PromptAndWrappedOptionTextsAreDrawnWhiteBesideTheirBoxes) {
    Open(GetParam().language);
    dialog->OnEraseBackground();
    const std::vector<std::string> drawn(log.end() - 8, log.end());
    EXPECT_EQ(drawn, (std::vector<std::string>{
                         TextLine(GetParam().prompt, {-7, 113, 201, 129}),
                         TextLine(GetParam().options[0], {237, 62, 390, 110}, TextFormat::WrappedLeft),
                         ImageLine(TICKED, {220, 78}),
                         TextLine(GetParam().options[1], {237, 112, 390, 160}, TextFormat::WrappedLeft),
                         ImageLine(CLEAR, {220, 128}),
                         TextLine(GetParam().options[2], {237, 162, 390, 210}, TextFormat::WrappedLeft),
                         ImageLine(CLEAR, {220, 178}), "Present"}));
    ASSERT_EQ(host.textColors.size(), 6u);
    for (std::size_t i = 2; i < host.textColors.size(); ++i)
        EXPECT_EQ(host.textColors[i], (Rgb{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(
    MacroDialog, MacroTexts,
    ::testing::Values(
        TextsCase{"",
                  "Please select a macro",
                  {"Repeat a specified number of times or press any key to end",
                   "Repeat until press any key to end", "Repeat until the key is released"}},
        TextsCase{"CHS",
                  "请从列表框选择一个宏",
                  {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"}},
        TextsCase{"CHT",
                  "請從清單方塊選擇一個巨集",
                  {"重複指定次數或按任意鍵結束", "重複直到按任意鍵結束", "重複直到該按鍵鬆開結束"}}),
    [](const auto& info) { return LanguageCaseName(info.param.language); });

}  // namespace
}  // namespace kv12::test
