#include "ui/key_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/recording_host.h"
#include "ui/control_ids.h"

namespace kv12::test {
namespace {

using ui::CComboDialog;
using ui::CSingleDialog;
using ui::KeyEvent;
using ui::LIST_SELECTION_CHANGED;
using ui::SkinnedDialogBase;
namespace ids = ui::control_ids;

constexpr Point OK{200, 260};
constexpr Point CLOSE{360, 10};
constexpr Point MODIFIER_BOX{125, 77};  // right of the display, still in the box
constexpr Point AWAY{300, 150};
const ui::WindowsVersion WINDOWS_10{10, 0};

// Keys as the keyboard reports them: virtual key, scan code, extended flag.
struct Key {
    std::uint32_t vk;
    std::uint8_t scan;
    bool extended = false;
};
constexpr Key CTRL{0x11, 0x1D};
constexpr Key A{0x41, 0x1E};
constexpr Key ENTER{0x0D, 0x1C};
constexpr Key ESC{0x1B, 0x01};
constexpr Key RIGHT_CTRL{0x11, 0x1D, true};

KeyEvent Down(Key key) {
    return {key.vk, key.scan, key.extended, false, false};
}
KeyEvent Repeat(Key key) {
    return {key.vk, key.scan, key.extended, true, false};
}
KeyEvent Up(Key key) {
    return {key.vk, key.scan, key.extended, true, true};
}
void Press(ui::SkinnedDialog& dialog, Key key) {
    dialog.OnKeyEvent(Down(key));
    dialog.OnKeyEvent(Up(key));
}

class KeyDialogTest : public ::testing::Test {
  protected:
    template <typename Dialog>
    std::unique_ptr<Dialog> Open(std::string_view language = "") {
        auto dialog = std::make_unique<Dialog>(skin, language, WINDOWS_10);
        EXPECT_TRUE(dialog->OnInitDialog(host));
        log.clear();
        return dialog;
    }

    std::vector<std::string> log;
    RecordingDialogHost host{log};
    ui::SkinState skin{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
};

// --- the single-key dialog ------------------------------------------------------------

TEST_F(KeyDialogTest, SingleInitialisationCreatesTheDisplayAndStartsCapture) {
    CSingleDialog dialog(skin, "", WINDOWS_10);
    EXPECT_TRUE(dialog.OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /single-key.png",
                                             "SetFonts Arial Tahoma", "CreateControl 502 74,128,150,142",
                                             "StartKeyCapture"}));
    EXPECT_EQ(host.controls[ids::SINGLE_KEY_DISPLAY].desc.style, ui::STYLE_STATIC_CENTERED);
    EXPECT_EQ(host.controls[ids::SINGLE_KEY_DISPLAY].desc.kind, ui::ControlKind::Static);
    EXPECT_TRUE(host.capturingKeys);
    EXPECT_EQ(dialog.KeyText(), "");
}

TEST_F(KeyDialogTest, SingleEveryKeyEventCountsSoTheKeyReleasedLastStays) {
    auto dialog = Open<CSingleDialog>();
    dialog->OnKeyEvent(Down(CTRL));
    dialog->OnKeyEvent(Down(A));
    dialog->OnKeyEvent(Repeat(A));
    EXPECT_EQ(dialog->KeyText(), "A");
    dialog->OnKeyEvent(Up(A));
    dialog->OnKeyEvent(Up(CTRL));

    EXPECT_EQ(dialog->KeyText(), "Ctrl");
    EXPECT_EQ(host.ControlText(ids::SINGLE_KEY_DISPLAY), "Ctrl");
    const std::vector<std::string> lastTwo(log.end() - 2, log.end());
    EXPECT_EQ(lastTwo, (std::vector<std::string>{"SetControlText 502 Ctrl", "InvalidateControl 502"}));
    EXPECT_EQ(log.size(), 10u);  // five events, each shown and repainted
}

TEST_F(KeyDialogTest, SingleNamesKeysByScanCodeAndExtendedFlag) {
    struct Case {
        Key key;
        const char* name;
    };
    // The virtual key of each pair is the same; only the scan code and flag tell them apart.
    const Case cases[] = {
        {{0x11, 0x1D, true}, "Right Ctrl"},    {{0x12, 0x38, true}, "Right Alt"},
        {{0x12, 0x38, false}, "Alt"},          {{0x10, 0x36, false}, "Right Shift"},
        {{0x0D, 0x1C, true}, "Num Enter"},     {{0x23, 0x4F, false}, "Num 1"},
        {{0x23, 0x4F, true}, "End"},           {{0x5B, 0x5B, true}, "Left Windows"},
        {{0x5C, 0x5C, true}, "Right Windows"}, {{0xFF, 0x7F, false}, "Key 0x7F"},
    };
    auto dialog = Open<CSingleDialog>();
    for (const Case& c : cases) {
        Press(*dialog, c.key);
        EXPECT_EQ(dialog->KeyText(), c.name);
        EXPECT_EQ(host.ControlText(ids::SINGLE_KEY_DISPLAY), c.name);
    }
}

TEST_F(KeyDialogTest, SingleWindowsKeysNeverReachTheDialogButAreNamed) {
    auto dialog = Open<CSingleDialog>();
    EXPECT_TRUE(dialog->DiscardsKey(91));
    EXPECT_TRUE(dialog->DiscardsKey(92));
    for (const std::uint32_t vk : {0x0Du, 0x1Bu, 0x41u, 0x5Du, 0x5Au})
        EXPECT_FALSE(dialog->DiscardsKey(vk)) << vk;
    Press(*dialog, {91, 0x5B, true});
    EXPECT_EQ(dialog->KeyText(), "Left Windows");
}

TEST_F(KeyDialogTest, EnterAndEscAreCapturedAndEndNeitherDialog) {
    auto single = Open<CSingleDialog>();
    Press(*single, ENTER);
    single->OnEnterKey();
    EXPECT_EQ(single->KeyText(), "Enter");
    Press(*single, ESC);
    single->OnEscapeKey();
    EXPECT_EQ(single->KeyText(), "Esc");
    EXPECT_FALSE(host.result().has_value());
    single->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(single->KeyText(), "Esc");

    RecordingDialogHost comboHost(log);
    CComboDialog combo(skin, "", WINDOWS_10);
    ASSERT_TRUE(combo.OnInitDialog(comboHost));
    comboHost.focusedControl = ids::COMBO_FIRST_KEY;
    Press(combo, ENTER);
    combo.OnEnterKey();
    combo.OnEscapeKey();
    EXPECT_FALSE(comboHost.result().has_value());
    EXPECT_EQ(combo.FirstKeyText(), "Enter");
    EXPECT_FALSE(combo.DiscardsKey(91));
}

TEST_F(KeyDialogTest, SinglePromptIsWhiteInTheDialogsLanguage) {
    struct Case {
        const char* language;
        const char* prompt;
    };
    for (const Case c :
         {Case{"", "Please enter a key"}, Case{"CHS", "请输入一个按键"}, Case{"CHT", "請輸入一個按鍵"}}) {
        RecordingDialogHost paintHost(log);
        CSingleDialog dialog(skin, c.language, WINDOWS_10);
        ASSERT_TRUE(dialog.OnInitDialog(paintHost));
        log.clear();
        dialog.OnEraseBackground();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[log.size() - 2], TextLine(c.prompt, {23, 108, 201, 124}));
        EXPECT_EQ(log.back(), "Present");
        EXPECT_EQ(paintHost.textColors.back(), (Rgb{255, 255, 255}));
    }
}

// --- what both dialogs share ------------------------------------------------------------

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<SkinnedDialogBase>(const ui::SkinState&)> make;
    const char* background;
    const char* loadFailedCaption;
    const char* hookFailedText;
};

const DialogCase KEY_DIALOGS[] = {
    {"single", [](const ui::SkinState& s) { return std::make_unique<CSingleDialog>(s, "", WINDOWS_10); },
     "/single-key.png", "Single Key Dialog Load background image failed!!!",
     "KeyboardHook_SingleDlgKey Install error code :1428\n"},
    {"combo", [](const ui::SkinState& s) { return std::make_unique<CComboDialog>(s, "", WINDOWS_10); },
     "/combo-key.png", "Combo Dialog Load background image failed!!!",
     "KeyboardHook_ComboDlg Install error code :1428\n"},
};

TEST_F(KeyDialogTest, MissingBackgroundSaysSoAndCannotRun) {
    for (const DialogCase& c : KEY_DIALOGS) {
        SCOPED_TRACE(c.name);
        log.clear();
        RecordingDialogHost failingHost(log);
        failingHost.missingImages = {c.background};
        auto dialog = c.make(skin);
        EXPECT_FALSE(dialog->OnInitDialog(failingHost));
        EXPECT_EQ(log.back(), std::string("ShowMessage error | ") + c.loadFailedCaption);
        EXPECT_TRUE(failingHost.controls.empty());
        EXPECT_EQ(std::count(log.begin(), log.end(), "StartKeyCapture"), 0);
    }
}

TEST_F(KeyDialogTest, RefusedCaptureIsReportedWithTheCodeAndTheDialogStaysUsable) {
    for (const DialogCase& c : KEY_DIALOGS) {
        SCOPED_TRACE(c.name);
        log.clear();
        RecordingDialogHost refusingHost(log);
        refusingHost.keyCaptureError = 1428;
        auto dialog = c.make(skin);
        EXPECT_TRUE(dialog->OnInitDialog(refusingHost));
        EXPECT_EQ(log.back(), std::string("ShowMessage ") + c.hookFailedText + " | ");
        EXPECT_FALSE(refusingHost.controls.empty());
        dialog->OnLButtonDown(OK);
        EXPECT_EQ(refusingHost.result(), ui::DialogResult::Ok);
    }
}

// --- the combination dialog -------------------------------------------------------------

class ComboDialogTest : public KeyDialogTest {
  protected:
    void SetUp() override { dialog = Open<CComboDialog>(); }
    void ChooseModifier(int position) {
        dialog->OnLButtonDown(MODIFIER_BOX);
        host.controls[ids::COMBO_MODIFIER_LIST].selection = position;
        dialog->OnCommand(ids::COMBO_MODIFIER_LIST, LIST_SELECTION_CHANGED);
    }
    bool FieldsEnabled() {
        return host.controls[ids::COMBO_FIRST_KEY].enabled && host.controls[ids::COMBO_SECOND_KEY].enabled;
    }

    std::unique_ptr<CComboDialog> dialog;
};

TEST_F(ComboDialogTest, InitialisationCreatesTheDisplayAndTwoCentredFieldsAndStartsCapture) {
    RecordingDialogHost fresh(log);
    log.clear();
    CComboDialog combo(skin, "", WINDOWS_10);
    EXPECT_TRUE(combo.OnInitDialog(fresh));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /combo-key.png",
                                             "SetFonts Arial Tahoma", "CreateControl 512 50,70,116,84",
                                             "CreateControl 516 50,120,131,134",
                                             "CreateControl 517 50,170,131,184", "StartKeyCapture"}));
    EXPECT_EQ(fresh.controls[ids::COMBO_MODIFIER_DISPLAY].desc.style, ui::STYLE_STATIC_CENTERED);
    for (const int id : {ids::COMBO_FIRST_KEY, ids::COMBO_SECOND_KEY}) {
        EXPECT_EQ(fresh.controls[id].desc.kind, ui::ControlKind::Edit);
        EXPECT_EQ(fresh.controls[id].desc.style, 0x50000001u);
    }
    // The combination dialog draws no prompt: its labels are in its picture.
    log.clear();
    combo.OnEraseBackground();
    EXPECT_EQ(fresh.textColors.size(), 2u);  // the OK and Cancel captions only
}

TEST_F(ComboDialogTest, AKeyGoesToTheFocusedFieldOnly) {
    Press(*dialog, A);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(dialog->FirstKeyText(), "");
    EXPECT_EQ(dialog->SecondKeyText(), "");

    host.focusedControl = ids::COMBO_FIRST_KEY;
    Press(*dialog, A);
    host.focusedControl = ids::COMBO_SECOND_KEY;
    Press(*dialog, RIGHT_CTRL);
    host.focusedControl = ids::COMBO_MODIFIER_DISPLAY;
    Press(*dialog, ENTER);

    EXPECT_EQ(dialog->FirstKeyText(), "A");
    EXPECT_EQ(dialog->SecondKeyText(), "Right Ctrl");
    EXPECT_EQ(host.ControlText(ids::COMBO_FIRST_KEY), "A");
    EXPECT_EQ(host.ControlText(ids::COMBO_SECOND_KEY), "Right Ctrl");
    EXPECT_EQ(host.ControlText(ids::COMBO_MODIFIER_DISPLAY), "");
    EXPECT_EQ(log.back(), "InvalidateControl 517");
    EXPECT_EQ(dialog->ModifierText(), "");
}

TEST_F(ComboDialogTest, OpeningTheModifierListDisablesTheFieldsAndTheyTakeNoKeys) {
    host.focusedControl = ids::COMBO_FIRST_KEY;
    dialog->OnLButtonDown(MODIFIER_BOX);
    EXPECT_TRUE(dialog->ModifierListOpen());
    EXPECT_EQ(log,
              (std::vector<std::string>{
                  "DisableControl 516", "DisableControl 517", "CreateControl 515 50,86,132,226",
                  "AddListItem 515 Left Ctrl", "AddListItem 515 Left Shift", "AddListItem 515 Left Alt",
                  "AddListItem 515 Left Win", "AddListItem 515 Right Ctrl", "AddListItem 515 Right Shift",
                  "AddListItem 515 Right Alt", "AddListItem 515 Right Win"}));
    EXPECT_TRUE(host.controls[ids::COMBO_MODIFIER_LIST].desc.selectionFollowsPointer);

    // A disabled field that had the focus may keep it; its keys still do not count.
    log.clear();
    Press(*dialog, A);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(dialog->FirstKeyText(), "");
}

TEST_F(ComboDialogTest, ChoosingAModifierShowsItClosesTheListAndEnablesTheFields) {
    ChooseModifier(6);
    EXPECT_EQ(dialog->ModifierText(), "Right Alt");
    EXPECT_EQ(dialog->ModifierPosition(), 6);
    EXPECT_EQ(host.ControlText(ids::COMBO_MODIFIER_DISPLAY), "Right Alt");
    EXPECT_FALSE(dialog->ModifierListOpen());
    EXPECT_FALSE(host.ControlExists(ids::COMBO_MODIFIER_LIST));
    EXPECT_TRUE(FieldsEnabled());
    const std::vector<std::string> tail(log.end() - 5, log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"SetControlText 512 Right Alt", "InvalidateControl 512",
                                        "DestroyControl 515", "EnableControl 516", "EnableControl 517"}));

    // A notification without a selection is no choice: the list stays open.
    ChooseModifier(-1);
    EXPECT_TRUE(dialog->ModifierListOpen());
    EXPECT_EQ(dialog->ModifierText(), "Right Alt");
}

TEST_F(ComboDialogTest, ListClosedWithoutAChoiceEnablesTheFieldsAgain) {
    // Again in the box; in the gap between the box and the list; far away.
    for (const Point second : {MODIFIER_BOX, Point{100, 85}, AWAY}) {
        SCOPED_TRACE(Describe(second));
        dialog->OnLButtonDown(MODIFIER_BOX);
        ASSERT_FALSE(FieldsEnabled());
        log.clear();
        dialog->OnLButtonDown(second);
        EXPECT_FALSE(dialog->ModifierListOpen());
        EXPECT_EQ(log,
                  (std::vector<std::string>{"DestroyControl 515", "EnableControl 516", "EnableControl 517"}));
        EXPECT_EQ(dialog->ModifierText(), "");
        EXPECT_EQ(dialog->ModifierPosition(), std::nullopt);
    }
    // A press in the open list itself leaves it open.
    dialog->OnLButtonDown(MODIFIER_BOX);
    dialog->OnLButtonDown({60, 100});
    EXPECT_TRUE(dialog->ModifierListOpen());
}

TEST_F(ComboDialogTest, OkWithTheListOpenClosesItFirstThenEndsWithOk) {
    host.focusedControl = ids::COMBO_FIRST_KEY;
    Press(*dialog, A);
    dialog->OnLButtonDown(MODIFIER_BOX);
    log.clear();
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(log, (std::vector<std::string>{"DestroyControl 515", "EnableControl 516", "EnableControl 517",
                                             "EndDialog Ok"}));
    EXPECT_EQ(dialog->FirstKeyText(), "A");
}

TEST_F(ComboDialogTest, OkWithNothingEnteredReturnsThreeEmptyTexts) {
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->ModifierText(), "");
    EXPECT_EQ(dialog->FirstKeyText(), "");
    EXPECT_EQ(dialog->SecondKeyText(), "");
    EXPECT_EQ(dialog->ModifierPosition(), std::nullopt);
}

}  // namespace
}  // namespace kv12::test
