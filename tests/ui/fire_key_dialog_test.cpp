#include "ui/fire_key_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/key_tables.h"
#include "tests/common/case_name.h"
#include "tests/ui/recording_host.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::CFireKeyDialog;
using ui::EDIT_CHANGED;
using ui::EDIT_FOCUS_LOST;

constexpr int DISPLAY = 572;
constexpr int LIST = 573;
constexpr int SPEED = 574;
constexpr int TIMES = 575;
constexpr int R_TILT_WHEEL = 60;  // the last of the 61 items

constexpr Point KEY_BOX{125, 77};  // right of the display, still in the box
constexpr Point AWAY{300, 100};
constexpr Point OK{200, 260};

class FireKeyDialogTest : public ::testing::Test {
  protected:
    void Open(std::string_view language = "") {
        dialog = std::make_unique<CFireKeyDialog>(skin, language, ui::WindowsVersion{10, 0});
        ASSERT_TRUE(dialog->OnInitDialog(host));
        log.clear();
    }
    void Pick(int position, int notifyCode = ui::LIST_SELECTION_CHANGED) {
        dialog->OnLButtonDown(KEY_BOX);
        host.controls[LIST].selection = position;
        dialog->OnCommand(LIST, notifyCode);
    }
    void Type(int field, std::string_view text, int notifyCode) {
        host.TypeInto(field, text);
        dialog->OnCommand(field, notifyCode);
    }
    // Both number fields are in this state.
    bool FieldsEnabled(bool enabled) {
        return host.controls[SPEED].enabled == enabled && host.controls[TIMES].enabled == enabled;
    }

    std::vector<std::string> log;
    RecordingDialogHost host{log};
    ui::SkinState skin{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
    std::unique_ptr<CFireKeyDialog> dialog;
};

TEST_F(FireKeyDialogTest, InitialisationCreatesTheKeyDisplayAndTheTwoNumberFields) {
    dialog = std::make_unique<CFireKeyDialog>(skin, "", ui::WindowsVersion{10, 0});
    ASSERT_TRUE(dialog->OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /fire-key.png",
                                             "SetFonts Arial Tahoma", "CreateControl 572 50,70,116,84",
                                             "CreateControl 574 50,120,131,134",
                                             "CreateControl 575 50,170,131,184"}));
    EXPECT_EQ(host.controls[DISPLAY].desc.text, "A");
    EXPECT_EQ(host.controls[DISPLAY].desc.style, ui::STYLE_STATIC_CENTERED);
    EXPECT_EQ(host.controls[SPEED].desc.text, "32");
    EXPECT_EQ(host.controls[TIMES].desc.text, "1");
    for (const int field : {SPEED, TIMES}) {
        EXPECT_EQ(host.controls[field].desc.kind, ui::ControlKind::Edit);
        EXPECT_EQ(host.controls[field].desc.style, 0x50002001u);  // WS_CHILD|WS_VISIBLE|ES_NUMBER|ES_CENTER
    }
    EXPECT_FALSE(host.ControlExists(LIST));
}

TEST_F(FireKeyDialogTest, OkWithoutTouchingAnythingReturnsTheStartingChoice) {
    Open();
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->KeyPosition(), 0);
    EXPECT_EQ(dialog->KeyText(), "A");
    EXPECT_EQ(FireKeyUsage(dialog->KeyPosition()), 0x04);
    EXPECT_EQ(dialog->Speed(), 32);
    EXPECT_EQ(dialog->Times(), 1);
    EXPECT_EQ(host.controls[SPEED].desc.text, "32");
}

TEST_F(FireKeyDialogTest, KeyBoxOpensTheListOverDisabledFieldsAndClosesIt) {
    Open();
    dialog->OnLButtonDown(KEY_BOX);
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_EQ(host.controls[LIST].desc.rect, (Rect{50, 86, 132, 256}));
    EXPECT_EQ(host.controls[LIST].desc.style, ui::STYLE_POPUP_LIST);
    EXPECT_TRUE(host.controls[LIST].desc.selectionFollowsPointer);
    const auto names = FireKeyNames();
    EXPECT_EQ(host.controls[LIST].items, std::vector<std::string>(names.begin(), names.end()));
    EXPECT_EQ(host.controls[LIST].items.size(), 61u);
    EXPECT_TRUE(FieldsEnabled(false));

    dialog->OnLButtonDown(KEY_BOX);
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_FALSE(host.ControlExists(LIST));
    EXPECT_TRUE(FieldsEnabled(true));
    EXPECT_EQ(dialog->KeyText(), "A");
}

TEST_F(FireKeyDialogTest, ChoosingAnItemShowsItClosesTheListAndEnablesTheFields) {
    for (const int notifyCode : {ui::LIST_SELECTION_CHANGED, ui::LIST_DOUBLE_CLICKED}) {
        SCOPED_TRACE(notifyCode);
        Open();
        Pick(R_TILT_WHEEL, notifyCode);
        EXPECT_EQ(dialog->KeyPosition(), R_TILT_WHEEL);
        EXPECT_EQ(dialog->KeyText(), "R-Tilt Wheel");
        EXPECT_EQ(host.controls[DISPLAY].desc.text, "R-Tilt Wheel");
        EXPECT_FALSE(dialog->ListOpen());
        EXPECT_FALSE(host.ControlExists(LIST));
        EXPECT_TRUE(FieldsEnabled(true));
        EXPECT_EQ(log.back(), "EnableControl 575");
    }
}

TEST_F(FireKeyDialogTest, PressAwayClosesTheListKeepsTheKeyAndEnablesTheFields) {
    Open();
    Pick(7);
    dialog->OnLButtonDown(KEY_BOX);
    log.clear();
    dialog->OnLButtonDown(AWAY);
    EXPECT_EQ(log,
              (std::vector<std::string>{"DestroyControl 573", "EnableControl 574", "EnableControl 575"}));
    EXPECT_EQ(dialog->KeyPosition(), 7);
    EXPECT_EQ(dialog->KeyText(), "H");
}

TEST_F(FireKeyDialogTest, WheelScrollsTheOpenListOnly) {
    Open();
    dialog->OnMouseWheel(-120);
    EXPECT_TRUE(log.empty());
    dialog->OnLButtonDown(KEY_BOX);
    log.clear();
    dialog->OnMouseWheel(-120);
    dialog->OnMouseWheel(120);
    EXPECT_EQ(log, (std::vector<std::string>{"ScrollList 573 3", "ScrollList 573 -3"}));
}

struct FieldCase {
    const char* typed;
    int value;            // what the dialog holds afterwards
    const char* showing;  // what the field shows afterwards
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

// "Typed300", "TypedNothing", "TypedMinus1": what was typed into the field.
std::string TypedName(std::string_view typed) {
    if (typed.empty()) return "TypedNothing";
    if (typed.front() == '-') return "TypedMinus" + CaseName(typed.substr(1));
    return "Typed" + CaseName(typed);
}

class FireKeySpeed : public FireKeyDialogTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FireKeySpeed, IsTakenOrPutRightWhenTheFieldLosesTheFocus) {
    Open();
    Type(SPEED, GetParam().typed, EDIT_CHANGED);
    // A change alone only repaints the field.
    EXPECT_EQ(dialog->Speed(), 32);
    EXPECT_EQ(log, std::vector<std::string>{"InvalidateControl 574"});
    Type(SPEED, GetParam().typed, EDIT_FOCUS_LOST);
    EXPECT_EQ(dialog->Speed(), GetParam().value);
    EXPECT_EQ(host.controls[SPEED].desc.text, GetParam().showing);
}

INSTANTIATE_TEST_SUITE_P(FireKeyDialog, FireKeySpeed,
                         ::testing::Values(FieldCase{"3", 5, "5"}, FieldCase{"300", 5, "5"},
                                           FieldCase{"4", 5, "5"}, FieldCase{"256", 5, "5"},
                                           FieldCase{"", 5, "5"}, FieldCase{"x", 5, "5"},
                                           FieldCase{"99999999999999999999999", 5, "5"},
                                           FieldCase{"5", 5, "5"}, FieldCase{"40", 40, "40"},
                                           FieldCase{"255", 255, "255"}),
                         [](const auto& info) { return TypedName(info.param.typed); });

class FireKeyTimes : public FireKeyDialogTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FireKeyTimes, IsTakenOrPutRightAtEveryChange) {
    Open();
    Type(TIMES, GetParam().typed, EDIT_CHANGED);
    EXPECT_EQ(dialog->Times(), GetParam().value);
    EXPECT_EQ(host.controls[TIMES].desc.text, GetParam().showing);
}

INSTANTIATE_TEST_SUITE_P(FireKeyDialog, FireKeyTimes,
                         ::testing::Values(FieldCase{"256", 1, "1"}, FieldCase{"", 0, ""},
                                           FieldCase{"0", 0, "0"}, FieldCase{"255", 255, "255"},
                                           FieldCase{"-1", 1, "1"},
                                           FieldCase{"99999999999999999999999", 1, "1"},
                                           FieldCase{"7", 7, "7"}),
                         [](const auto& info) { return TypedName(info.param.typed); });

TEST_F(FireKeyDialogTest, TimesFieldIsNotReadOnFocusLoss) {
    Open();
    Type(TIMES, "256", EDIT_FOCUS_LOST);
    EXPECT_EQ(dialog->Times(), 1);
    EXPECT_EQ(host.controls[TIMES].desc.text, "256");
    EXPECT_TRUE(log.empty());
}

struct OkCase {
    const char* typed;
    int speed;
    const char* showing;
    bool byEnter;
};

void PrintTo(const OkCase& c, std::ostream* os) {
    *os << '"' << c.typed << (c.byEnter ? "\" Enter" : "\" OK");
}

class FireKeyOk : public FireKeyDialogTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(FireKeyOk, ReturnsTheSpeedTheFieldShowsEvenWithoutAFocusLoss) {
    Open();
    Type(SPEED, GetParam().typed, EDIT_CHANGED);
    Type(TIMES, "9", EDIT_CHANGED);
    if (GetParam().byEnter) {
        dialog->OnEnterKey();
    } else {
        dialog->OnLButtonDown(OK);
    }
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->Speed(), GetParam().speed);
    EXPECT_EQ(host.controls[SPEED].desc.text, GetParam().showing);
    EXPECT_EQ(dialog->Times(), 9);
}

INSTANTIATE_TEST_SUITE_P(FireKeyDialog, FireKeyOk,
                         ::testing::Values(OkCase{"3", 5, "5", false}, OkCase{"40", 40, "40", false},
                                           OkCase{"3", 5, "5", true}, OkCase{"", 5, "5", true}),
                         [](const auto& info) {
                             return TypedName(info.param.typed) +
                                    (info.param.byEnter ? "_ThenEnter" : "_ThenOk");
                         });

TEST_F(FireKeyDialogTest, CancelKeepsTheFieldAsTyped) {
    Open();
    Type(SPEED, "3", EDIT_CHANGED);
    dialog->OnEscapeKey();
    EXPECT_EQ(host.result(), ui::DialogResult::Cancel);
    EXPECT_EQ(host.controls[SPEED].desc.text, "3");
    EXPECT_EQ(dialog->Speed(), 32);
}

struct TextsCase {
    const char* language;
    const char* speed;
    const char* times;
    const char* heading;
    const char* speedNote;
    const char* timesNote;
};

void PrintTo(const TextsCase& c, std::ostream* os) {
    *os << '"' << c.language << '"';
}

class FireKeyTexts : public FireKeyDialogTest, public ::testing::WithParamInterface<TextsCase> {};

TEST_P(FireKeyTexts, LabelsAndNotesAreDrawnWhiteInTheLanguage) {
    Open(GetParam().language);
    dialog->OnEraseBackground();
    const std::vector<std::string> drawn(log.end() - 6, log.end());
    EXPECT_EQ(
        drawn,
        (std::vector<std::string>{
            TextLine(GetParam().speed, {10, 100, 171, 120}), TextLine(GetParam().times, {10, 150, 171, 170}),
            TextLine(GetParam().heading, {20, 190, 400, 206}, TextFormat::Left),
            TextLine(GetParam().speedNote, {20, 206, 400, 222}, TextFormat::Left),
            TextLine(GetParam().timesNote, {20, 222, 400, 252}, TextFormat::WrappedLeft), "Present"}));
    // The two frame captions in the skin's colour, then the five texts in white.
    ASSERT_EQ(host.textColors.size(), 7u);
    EXPECT_EQ(host.textColors[0], (Rgb{10, 20, 30}));
    EXPECT_EQ(host.textColors[1], (Rgb{10, 20, 30}));
    for (std::size_t i = 2; i < host.textColors.size(); ++i)
        EXPECT_EQ(host.textColors[i], (Rgb{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(
    FireKeyDialog, FireKeyTexts,
    ::testing::Values(
        TextsCase{"", "Speed", "Times",
                  "Illustration:", "Speed (value range 5-255, with smaller values faster)",
                  "Times (value range 0-255,0 indicates fire key to end when the key released)"},
        TextsCase{"CHS", "速度", "次数", "说明:", "速度(数值范围5-255，数值越小速度越快)",
                  "次数(数值范围0-255，0表示按键放开火力键结束)"},
        TextsCase{"CHT", "速度", "次數", "說明:", "速度(數值範圍5-255，數值越小速度越快)",
                  "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"}),
    [](const auto& info) { return LanguageCaseName(info.param.language); });

}  // namespace
}  // namespace kv12::test
