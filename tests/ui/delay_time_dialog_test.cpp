#include "ui/delay_time_dialog.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "tests/ui/recording_host.h"
#include "ui/control_ids.h"

namespace kv12::test {
namespace {

using ui::CDelayTimeDialog;
using ui::EDIT_CHANGED;
using ui::EDIT_FOCUS_LOST;
using ui::control_ids::DELAY_FIELD;

constexpr Point OK{200, 260};
constexpr Point CANCEL{300, 260};
const ui::WindowsVersion WINDOWS_10{10, 0};
constexpr int LARGEST_INT = std::numeric_limits<int>::max();

class DelayTimeDialogTest : public ::testing::Test {
  protected:
    void Open(std::string_view language = "") {
        dialog = std::make_unique<CDelayTimeDialog>(skin, language, WINDOWS_10);
        ASSERT_TRUE(dialog->OnInitDialog(host));
        log.clear();
    }
    void Type(std::string_view text) {
        host.TypeInto(DELAY_FIELD, text);
        dialog->OnCommand(DELAY_FIELD, EDIT_CHANGED);
    }

    std::vector<std::string> log;
    RecordingDialogHost host{log};
    ui::SkinState skin{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
    std::unique_ptr<CDelayTimeDialog> dialog;
};

TEST_F(DelayTimeDialogTest, InitialisationCreatesAnEmptyNumberField) {
    dialog = std::make_unique<CDelayTimeDialog>(skin, "", WINDOWS_10);
    EXPECT_TRUE(dialog->OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /delay-time.png",
                                             "SetFonts Arial Tahoma", "CreateControl 600 74,129,150,143"}));
    const ui::ControlSpec& field = host.controls[DELAY_FIELD].desc;
    EXPECT_EQ(field.kind, ui::ControlKind::Edit);
    EXPECT_EQ(field.style, 0x50802001u);
    EXPECT_EQ(field.text, "");
    EXPECT_FALSE(host.capturingKeys);
}

TEST_F(DelayTimeDialogTest, PromptAndRangeAreWhiteInTheDialogsLanguage) {
    struct Case {
        const char* language;
        const char* prompt;
        const char* range;
    };
    for (const Case c : {Case{"", "Please enter a delay", "(value range 0-10000)"},
                         Case{"CHS", "请输入一个延时", "(数值范围 0-10000)"},
                         Case{"CHT", "請輸入一個延時", "(數值範圍 0-10000)"}}) {
        SCOPED_TRACE(c.language);
        host.textColors.clear();
        Open(c.language);
        dialog->OnEraseBackground();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
                  (std::vector<std::string>{TextLine(c.prompt, {14, 89, 210, 109}),
                                            TextLine(c.range, {14, 109, 210, 129}), "Present"}));
        const std::vector<Rgb> lastTwo(host.textColors.end() - 2, host.textColors.end());
        EXPECT_EQ(lastTwo, (std::vector<Rgb>{{255, 255, 255}, {255, 255, 255}}));
    }
}

TEST_F(DelayTimeDialogTest, OkOnAnEmptyFieldGivesZeroAndAnEmptyText) {
    Open();
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->Delay(), 0);
    EXPECT_EQ(dialog->DelayText(), "");
}

TEST_F(DelayTimeDialogTest, EachChangeKeepsTheTextAndReadsItsNumber) {
    struct Case {
        const char* text;
        int delay;
    };
    const Case cases[] = {
        {"250", 250},
        {"10000", 10000},
        {"10001", 10001},
        {"007", 7},
        {"", 0},
        {"abc", 0},
        {"-5", 0},  // the field takes digits only; a sign is no number
        {"12a", 12},
        {"2147483647", LARGEST_INT},
        {"2147483648", LARGEST_INT},  // would wrap round to a negative int
        {"99999999999999999999999", LARGEST_INT},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        log.clear();
        Type(c.text);
        EXPECT_EQ(dialog->DelayText(), c.text);
        EXPECT_EQ(dialog->Delay(), c.delay);
        EXPECT_EQ(log, std::vector<std::string>{"InvalidateControl 600"});
    }
}

TEST_F(DelayTimeDialogTest, OtherNotificationsChangeNothing) {
    Open();
    Type("40");
    host.TypeInto(DELAY_FIELD, "900");
    log.clear();
    dialog->OnCommand(DELAY_FIELD, EDIT_FOCUS_LOST);
    dialog->OnCommand(DELAY_FIELD + 1, EDIT_CHANGED);
    EXPECT_EQ(dialog->Delay(), 40);
    EXPECT_EQ(dialog->DelayText(), "40");
    EXPECT_TRUE(log.empty());
}

TEST_F(DelayTimeDialogTest, OkReturnsWhatTheFieldShowsEvenWithoutAChangeNotification) {
    Open();
    Type("40");
    host.TypeInto(DELAY_FIELD, "1500");
    dialog->OnEnterKey();
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->Delay(), 1500);
    EXPECT_EQ(dialog->DelayText(), "1500");
}

TEST_F(DelayTimeDialogTest, EnterIsOkAndEscAndCancelAreCancel) {
    Open();
    dialog->OnEscapeKey();
    EXPECT_EQ(host.result(), ui::DialogResult::Cancel);
    RecordingDialogHost okHost(log);
    ASSERT_TRUE(dialog->OnInitDialog(okHost));
    dialog->OnEnterKey();
    EXPECT_EQ(okHost.result(), ui::DialogResult::Ok);
    RecordingDialogHost cancelHost(log);
    ASSERT_TRUE(dialog->OnInitDialog(cancelHost));
    dialog->OnLButtonDown(CANCEL);
    EXPECT_EQ(cancelHost.result(), ui::DialogResult::Cancel);
}

TEST_F(DelayTimeDialogTest, MissingBackgroundSaysSoAndCannotRun) {
    host.missingImages = {"/delay-time.png"};
    dialog = std::make_unique<CDelayTimeDialog>(skin, "", WINDOWS_10);
    EXPECT_FALSE(dialog->OnInitDialog(host));
    EXPECT_EQ(log.back(), "ShowMessage error | DelayTime Dialog Load background image failed!!!");
    EXPECT_TRUE(host.controls.empty());
    EXPECT_EQ(dialog->Delay(), 0);
    EXPECT_EQ(dialog->DelayText(), "");
}

}  // namespace
}  // namespace kv12::test
