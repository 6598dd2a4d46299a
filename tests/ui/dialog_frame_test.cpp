// The frame every skinned dialog shares, run over each of them: its own
// background and failure caption, the three frame buttons and their hover
// images, the rule for Enter and Esc, and the default colours of its controls.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/ui/recording_host.h"
#include "ui/delay_time_dialog.h"
#include "ui/fire_key_dialog.h"
#include "ui/key_dialogs.h"
#include "ui/list_choice_dialog.h"
#include "ui/macro_dialog.h"
#include "ui/skin_images.h"
#include "ui/skins_dialog.h"

namespace kv12::test {
namespace {

using ui::ControlColors;
using ui::ControlKind;
using ui::DialogResult;
using ui::SkinnedDialogBase;

constexpr Point OK{200, 260};
constexpr Point CANCEL{300, 260};
constexpr Point CLOSE{360, 10};
constexpr Point OUTSIDE{300, 40};

const ui::SkinState SKIN{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
const ui::WindowsVersion WINDOWS_10{10, 0};
const Rgb WHITE{255, 255, 255};
const Rgb GROUND{40, 40, 40};

const ControlColors STATIC_COLORS{.text = WHITE, .transparent = true, .useNormalFont = true, .brush = GROUND};
const ControlColors EDIT_COLORS{.text = WHITE, .background = GROUND, .useNormalFont = true, .brush = GROUND};
const ControlColors PLATFORM_COLORS{.defaultHandling = true};

template <typename Dialog>
std::unique_ptr<SkinnedDialogBase> Make() {
    return std::make_unique<Dialog>(SKIN, "", WINDOWS_10);
}

struct FrameCase {
    const char* name;
    std::unique_ptr<SkinnedDialogBase> (*make)();
    const char* background;
    const char* failureCaption;
    bool enterAndEscEnd;
    int control;               // one of the dialog's controls, for the colour question
    ControlColors editColors;  // the answer for an edit control
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

const FrameCase CASES[] = {
    {"Single", &Make<ui::CSingleDialog>, "/single-key.png",
     "Single Key Dialog Load background image failed!!!", false, 502, EDIT_COLORS},
    {"Combo", &Make<ui::CComboDialog>, "/combo-key.png", "Combo Dialog Load background image failed!!!",
     false, 516, EDIT_COLORS},
    {"FireKey", &Make<ui::CFireKeyDialog>, "/fire-key.png", "FireKey Dialog Load background image failed!!!",
     true, 574, EDIT_COLORS},
    {"DelayTime", &Make<ui::CDelayTimeDialog>, "/delay-time.png",
     "DelayTime Dialog Load background image failed!!!", true, 600, EDIT_COLORS},
    {"Media", &Make<ui::CMediaDialog>, "/media-key.png", "Media Dialog Load background image failed!!!", true,
     552, EDIT_COLORS},
    {"Windows", &Make<ui::CWindowsDialog>, "/windows-key.png",
     "Windows Dialog Load background image failed!!!", true, 532, EDIT_COLORS},
    {"Macro",
     [] {
         return std::unique_ptr<SkinnedDialogBase>(
             std::make_unique<ui::CMacroDialog>(SKIN, "", WINDOWS_10, "/no/such/record.ini"));
     },
     "/macro-key.png", "Macro Key Dialog Load background image failed!!!", true, 592, EDIT_COLORS},
    // The skin chooser has no edit box and leaves one to the platform.
    {"Skins",
     [] {
         return std::unique_ptr<SkinnedDialogBase>(
             std::make_unique<ui::CSkinsDialog>(SKIN, "/no/such/Skins", "", WINDOWS_10));
     },
     "/skins.png", "Skins Dialog Load background image failed!!!", true, 560, PLATFORM_COLORS},
};

class DialogFrameTest : public ::testing::TestWithParam<FrameCase> {
  protected:
    // A dialog initialised on a fresh host.
    struct Running {
        std::vector<std::string> log;
        RecordingDialogHost host{log};
        std::unique_ptr<SkinnedDialogBase> dialog;
    };
    std::unique_ptr<Running> Open() const {
        auto run = std::make_unique<Running>();
        run->dialog = GetParam().make();
        EXPECT_TRUE(run->dialog->OnInitDialog(run->host));
        run->log.clear();
        return run;
    }
};

TEST_P(DialogFrameTest, LoadsItsOwnBackgroundFromTheSkinFolder) {
    std::vector<std::string> log;
    RecordingDialogHost host(log);
    const auto dialog = GetParam().make();
    ASSERT_TRUE(dialog->OnInitDialog(host));
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "SetSkinFolder /prog/Skins/Blue");
    EXPECT_EQ(log[1], "LoadCanvas " + std::string(GetParam().background));
    EXPECT_EQ(log[2], "SetFonts Arial Tahoma");
}

TEST_P(DialogFrameTest, MissingBackgroundSaysSoAndTheDialogEndsWithCancel) {
    std::vector<std::string> log;
    RecordingDialogHost host(log);
    host.missingImages = {GetParam().background};
    const auto dialog = GetParam().make();
    EXPECT_FALSE(dialog->OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{
                       "SetSkinFolder /prog/Skins/Blue", "LoadCanvas " + std::string(GetParam().background),
                       "ShowMessage error | " + std::string(GetParam().failureCaption)}));
    EXPECT_TRUE(host.controls.empty());
    // Nothing of the dialog acts without its picture.
    dialog->OnLButtonDown(OK);
    dialog->OnEnterKey();
    dialog->OnEraseBackground();
    EXPECT_EQ(host.result(), std::nullopt);
    EXPECT_EQ(log.size(), 3u);

    // Run modally, the host ends it at once with Cancel.
    RecordingMainHost main;
    main.dialogMissingImages = {GetParam().background};
    const auto modal = GetParam().make();
    EXPECT_EQ(main.RunModal(*modal), DialogResult::Cancel);
    EXPECT_EQ(main.Lines("ShowMessage"),
              std::vector<std::string>{"ShowMessage error | " + std::string(GetParam().failureCaption)});
}

TEST_P(DialogFrameTest, FrameButtonsEndTheDialog) {
    const struct {
        Point at;
        DialogResult result;
    } presses[] = {{OK, DialogResult::Ok}, {CANCEL, DialogResult::Cancel}, {CLOSE, DialogResult::Cancel}};
    for (const auto& press : presses) {
        SCOPED_TRACE(Describe(press.at));
        const auto run = Open();
        run->dialog->OnLButtonDown(press.at);
        EXPECT_EQ(run->host.result(), press.result);
    }
    const auto run = Open();
    run->dialog->OnLButtonDown(OUTSIDE);
    EXPECT_EQ(run->host.result(), std::nullopt);
}

TEST_P(DialogFrameTest, EnterAndEscFollowTheDialogsRule) {
    const auto enter = Open();
    enter->dialog->OnEnterKey();
    const auto esc = Open();
    esc->dialog->OnEscapeKey();
    if (GetParam().enterAndEscEnd) {
        EXPECT_EQ(enter->host.result(), DialogResult::Ok);
        EXPECT_EQ(esc->host.result(), DialogResult::Cancel);
    } else {
        EXPECT_EQ(enter->host.result(), std::nullopt);
        EXPECT_EQ(esc->host.result(), std::nullopt);
    }
}

TEST_P(DialogFrameTest, FrameShowsItsOverImagesWhileThePointerRests) {
    const std::string over(SkinImageName(SkinImage::ButtonOver));
    const std::string normal(SkinImageName(SkinImage::ButtonNormal));
    const auto run = Open();
    auto& dialog = *run->dialog;
    auto& log = run->log;

    dialog.OnMouseMove(CLOSE);
    EXPECT_EQ(log, std::vector<std::string>{"TrackHover"});
    log.clear();
    dialog.OnMouseHover(CLOSE);
    EXPECT_EQ(
        log, (std::vector<std::string>{ImageLine(SkinImageName(SkinImage::CloseOver), {352, 6}), "Present"}));
    EXPECT_TRUE(dialog.HoverFlag(0));
    log.clear();
    dialog.OnMouseMove(OUTSIDE);
    EXPECT_EQ(log, (std::vector<std::string>{ImageLine(SkinImageName(SkinImage::CloseNormal), {352, 6}),
                                             "Present"}));

    dialog.OnMouseHover(OK);
    log.clear();
    run->host.textColors.clear();
    dialog.OnMouseHover(CANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{
                       ImageLine(over, {270, 253}), TextLine("Cancel", {270, 253, 375, 274}),
                       ImageLine(normal, {166, 253}), TextLine("OK", {166, 253, 271, 274}), "Present"}));
    EXPECT_FALSE(dialog.HoverFlag(1));
    EXPECT_TRUE(dialog.HoverFlag(2));
    // The captions keep the skin's text colour.
    EXPECT_EQ(run->host.textColors, (std::vector<Rgb>{SKIN.TextColor, SKIN.TextColor}));
}

TEST_P(DialogFrameTest, ControlsAreWhiteOnTheDialogsGround) {
    const auto run = Open();
    const int id = GetParam().control;
    EXPECT_EQ(run->dialog->ControlColorsFor(id, ControlKind::Static), STATIC_COLORS);
    EXPECT_EQ(run->dialog->ControlColorsFor(id, ControlKind::ListBox), STATIC_COLORS);
    EXPECT_EQ(run->dialog->ControlColorsFor(id, ControlKind::Edit), GetParam().editColors);
    EXPECT_EQ(run->dialog->ControlColorsFor(id, ControlKind::Button), PLATFORM_COLORS);
}

INSTANTIATE_TEST_SUITE_P(DialogFrame, DialogFrameTest, ::testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12::test
