#include "ui/skins_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "core/utf8_path.h"
#include "tests/common/case_name.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::CSkinsDialog;
using ui::LIST_SELECTION_CHANGED;
using ui::SKIN_LIST_ID;

constexpr Point NAME_BOX{60, 135};
constexpr Point SWATCH{50, 100};
constexpr Point OK{200, 260};
constexpr Point CANCEL{300, 260};
constexpr Point CLOSE{360, 10};
constexpr Point OUTSIDE{300, 50};

// A skins root with two skins and a file that is not one.
void MakeSkins(const TestFolder& folder) {
    std::filesystem::create_directories(folder / "Skins/Blue");
    std::filesystem::create_directories(folder / "Skins/Red");
    folder.Write("Skins/readme.txt", "not a skin");
}

class SkinsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { MakeSkins(folder); }
    void Open(std::string_view language = "") {
        dialog = std::make_unique<CSkinsDialog>(skin, folder / "Skins", language, ui::WindowsVersion{10, 0});
        ASSERT_TRUE(dialog->OnInitDialog(host));
        log.clear();
    }
    // Opens the list and picks the item at a position.
    void Pick(int position) {
        dialog->OnLButtonDown(NAME_BOX);
        host.controls[SKIN_LIST_ID].selection = position;
        dialog->OnCommand(SKIN_LIST_ID, LIST_SELECTION_CHANGED);
    }

    TestFolder folder;
    std::vector<std::string> log;
    RecordingDialogHost host{log};
    ui::SkinState skin{"/prog/Skins/Blue", "Blue", {10, 20, 30}};
    std::unique_ptr<CSkinsDialog> dialog;
};

TEST_F(SkinsDialogTest, OnlyFoldersAreListed) {
    EXPECT_EQ(ui::ListSkinFolders(folder / "Skins"), (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_TRUE(ui::ListSkinFolders(folder / "NoSuchFolder").empty());
}

TEST_F(SkinsDialogTest, InitialisationLoadsItsBackgroundAndCreatesLabelAndSwatch) {
    dialog = std::make_unique<CSkinsDialog>(skin, folder / "Skins", "", ui::WindowsVersion{10, 0});
    EXPECT_TRUE(dialog->OnInitDialog(host));
    EXPECT_EQ(log, (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue", "LoadCanvas /skins.png",
                                             "SetFonts Arial Tahoma", "CreateControl 560 43,128,135,142",
                                             "CreateControl 561 42,94,151,110"}));
    EXPECT_EQ(host.controls[560].desc.text, "Blue");
    EXPECT_EQ(host.controls[561].desc.style, ui::STYLE_STATIC_CENTERED);
}

TEST_F(SkinsDialogTest, MissingBackgroundSaysSoAndCannotRun) {
    host.missingImages = {"/skins.png"};
    dialog = std::make_unique<CSkinsDialog>(skin, folder / "Skins", "", ui::WindowsVersion{10, 0});
    EXPECT_FALSE(dialog->OnInitDialog(host));
    EXPECT_EQ(log.back(), "ShowMessage error | Skins Dialog Load background image failed!!!");
    EXPECT_TRUE(host.controls.empty());
}

TEST_F(SkinsDialogTest, NameBoxOpensTheListOfFoldersAndClosesIt) {
    Open();
    dialog->OnLButtonDown(NAME_BOX);
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_EQ(log, (std::vector<std::string>{"CreateControl 562 42,146,151,264", "AddListItem 562 Blue",
                                             "AddListItem 562 Red"}));
    EXPECT_TRUE(host.controls[SKIN_LIST_ID].desc.selectionFollowsPointer);
    EXPECT_EQ(host.controls[SKIN_LIST_ID].desc.style, ui::STYLE_POPUP_LIST);
    log.clear();

    dialog->OnLButtonDown(NAME_BOX);
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_EQ(log, std::vector<std::string>{"DestroyControl 562"});
}

TEST_F(SkinsDialogTest, PickingASkinNamesItAndTakesItsFolder) {
    Open();
    Pick(1);
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_FALSE(host.ControlExists(SKIN_LIST_ID));
    EXPECT_EQ(dialog->ChosenName(), "Red");
    EXPECT_EQ(dialog->ChosenFolder(), PathToUtf8(folder / "Skins" / "Red"));
    EXPECT_EQ(host.controls[560].desc.text, "Red");
}

TEST_F(SkinsDialogTest, ClickOutsideClosesTheListWithoutAChoice) {
    Open();
    dialog->OnLButtonDown(NAME_BOX);
    log.clear();
    dialog->OnLButtonDown(OUTSIDE);
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_EQ(log, std::vector<std::string>{"DestroyControl 562"});
    EXPECT_EQ(dialog->ChosenName(), "Blue");
    EXPECT_EQ(dialog->ChosenFolder(), "/prog/Skins/Blue");
}

TEST_F(SkinsDialogTest, NotificationWithoutSelectionKeepsTheChoiceAndTheOpenList) {
    Open();
    Pick(-1);
    // The list stays as it was, so the next press on the box closes it.
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_TRUE(host.ControlExists(SKIN_LIST_ID));
    EXPECT_EQ(dialog->ChosenName(), "Blue");
}

TEST_F(SkinsDialogTest, FolderThatVanishedBeforeThePickIsNotChosen) {
    Open();
    dialog->OnLButtonDown(NAME_BOX);
    std::filesystem::remove_all(folder / "Skins/Red");
    host.controls[SKIN_LIST_ID].selection = 1;
    dialog->OnCommand(SKIN_LIST_ID, LIST_SELECTION_CHANGED);
    EXPECT_EQ(dialog->ChosenName(), "Blue");
    EXPECT_EQ(dialog->ChosenFolder(), "/prog/Skins/Blue");
    EXPECT_EQ(host.controls[560].desc.text, "Blue");
}

TEST_F(SkinsDialogTest, SwatchShowsTheColourBeingChosenWhileTheTextsKeepTheStoredOne) {
    Open();
    host.colorAnswers = {Rgb{200, 100, 50}};
    dialog->OnLButtonDown(SWATCH);
    EXPECT_EQ(log, (std::vector<std::string>{"ChooseColor 0,0,0", "InvalidateControl 561"}));
    EXPECT_EQ(dialog->Color(), (Rgb{200, 100, 50}));
    EXPECT_EQ(dialog->ControlColorsFor(561, ui::ControlKind::Static),
              (ui::ControlColors{.transparent = true, .brush = Rgb{200, 100, 50}}));

    dialog->OnEraseBackground();
    ASSERT_EQ(host.textColors.size(), 3u);
    for (const Rgb& color : host.textColors) EXPECT_EQ(color, (Rgb{10, 20, 30}));
}

TEST_F(SkinsDialogTest, CancelledColourChooserKeepsTheColour) {
    Open();
    dialog->OnLButtonDown(SWATCH);
    EXPECT_EQ(dialog->Color(), (Rgb{10, 20, 30}));
    EXPECT_EQ(log, std::vector<std::string>{"ChooseColor 0,0,0"});
}

TEST_F(SkinsDialogTest, OtherControlsAreWhiteOnDarkGrey) {
    Open();
    const ui::ControlColors grey{
        .text = Rgb{255, 255, 255}, .transparent = true, .useNormalFont = true, .brush = Rgb{40, 40, 40}};
    EXPECT_EQ(dialog->ControlColorsFor(560, ui::ControlKind::Static), grey);
    EXPECT_EQ(dialog->ControlColorsFor(562, ui::ControlKind::ListBox), grey);
    EXPECT_EQ(dialog->ControlColorsFor(563, ui::ControlKind::Edit),
              ui::ControlColors{.defaultHandling = true});
}

TEST_F(SkinsDialogTest, FrameButtonsEndTheDialog) {
    Open();
    dialog->OnLButtonDown(CLOSE);
    EXPECT_EQ(host.result(), ui::DialogResult::Cancel);
    RecordingDialogHost okHost(log);
    dialog->OnInitDialog(okHost);
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(okHost.result(), ui::DialogResult::Ok);
    RecordingDialogHost cancelHost(log);
    dialog->OnInitDialog(cancelHost);
    dialog->OnLButtonDown(CANCEL);
    EXPECT_EQ(cancelHost.result(), ui::DialogResult::Cancel);
}

TEST_F(SkinsDialogTest, EnterIsOkAndEscIsCancel) {
    Open();
    dialog->OnEnterKey();
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    RecordingDialogHost escHost(log);
    dialog->OnInitDialog(escHost);
    dialog->OnEscapeKey();
    EXPECT_EQ(escHost.result(), ui::DialogResult::Cancel);
}

TEST_F(SkinsDialogTest, WheelScrollsTheOpenListThreeLines) {
    Open();
    dialog->OnMouseWheel(-120);
    EXPECT_TRUE(log.empty());
    dialog->OnLButtonDown(NAME_BOX);
    log.clear();
    dialog->OnMouseWheel(-120);
    dialog->OnMouseWheel(0);
    dialog->OnMouseWheel(120);
    EXPECT_EQ(log, (std::vector<std::string>{"ScrollList 562 3", "ScrollList 562 3", "ScrollList 562 -3"}));
}

TEST_F(SkinsDialogTest, HoverFromOkToCancelIsOneRedraw) {
    Open();
    dialog->OnMouseMove(OK);
    dialog->OnMouseHover(OK);
    log.clear();
    dialog->OnMouseHover(CANCEL);
    const std::string over(SkinImageName(SkinImage::ButtonOver));
    const std::string normal(SkinImageName(SkinImage::ButtonNormal));
    EXPECT_EQ(log, (std::vector<std::string>{
                       ImageLine(over, {270, 253}), TextLine("Cancel", {270, 253, 375, 274}),
                       ImageLine(normal, {166, 253}), TextLine("OK", {166, 253, 271, 274}), "Present"}));
    log.clear();
    dialog->OnMouseMove(OUTSIDE);
    EXPECT_EQ(log, (std::vector<std::string>{ImageLine(normal, {270, 253}),
                                             TextLine("Cancel", {270, 253, 375, 274}), "Present"}));
}

struct LanguageCase {
    const char* language;
    const char* ok;
    const char* cancel;
    const char* prompt;
};

class SkinsDialogTexts : public SkinsDialogTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(SkinsDialogTexts, FrameAndPromptSpeakTheLanguage) {
    Open(GetParam().language);
    dialog->OnEraseBackground();
    EXPECT_EQ(log, (std::vector<std::string>{ImageLine(SkinImageName(SkinImage::ButtonNormal), {166, 253}),
                                             TextLine(GetParam().ok, {166, 253, 271, 274}),
                                             ImageLine(SkinImageName(SkinImage::ButtonNormal), {270, 253}),
                                             TextLine(GetParam().cancel, {270, 253, 375, 274}),
                                             ImageLine(SkinImageName(SkinImage::CloseNormal), {352, 6}),
                                             TextLine(GetParam().prompt, {12, 64, 181, 94}), "Present"}));
}

INSTANTIATE_TEST_SUITE_P(SkinsDialog, SkinsDialogTexts,
                         ::testing::Values(LanguageCase{"", "OK", "Cancel",
                                                        "Please click to set the UI text color"},
                                           LanguageCase{"CHS", "确定", "取消", "请点击设置UI文本颜色"},
                                           LanguageCase{"CHT", "確定", "取消", "請點擊設置UI文本顏色"}),
                         [](const auto& info) { return LanguageCaseName(info.param.language); });

// ApplySkin through the main window's skin button.
class ApplySkinTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MakeSkins(folder);
        writeSampleFiles = false;
        folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    }
};

TEST_F(ApplySkinTest, ColourWithoutASkinWritesTheColourAndTheUnchangedPath) {
    folder.Write("str.ini", "[Skins]\r\nLan=\r\nPath=Blue\r\n");
    Start();
    host.dialogScript = [](SkinnedDialog& d, RecordingDialogHost& h) {
        h.colorAnswers = {Rgb{12, 0, 255}};
        d.OnLButtonDown(SWATCH);
        d.OnLButtonDown(OK);
    };
    host.log.clear();

    window->OnLButtonDown({705, 10});

    EXPECT_EQ(folder.Read("str.ini"),
              "[Skins]\r\nLan=\r\nPath=Blue\r\nRColor=12\r\nGColor=0\r\nBColor=255\r\n");
    EXPECT_EQ(window->Skin().TextColor, (Rgb{12, 0, 255}));
    EXPECT_EQ(window->Skin().SkinName, "Blue");
    EXPECT_EQ(window->Skin().SkinPath, PathToUtf8(folder.path()) + "/Skins/Blue");
    EXPECT_EQ(window->LoadedPreferences().rColor, "12");
    // The page is rebuilt in the new colour and the window shown.
    const auto texts = host.textColors;
    EXPECT_EQ(texts.back(), (Rgb{12, 0, 255}));
    EXPECT_EQ(host.Lines("ShowInForeground").size(), 1u);
    EXPECT_EQ(host.Count("areas.BuildBasicArea"), 1);
}

TEST_F(ApplySkinTest, PickedSkinIsWrittenInOrderAndTheShownPageRepaintedFromIt) {
    folder.Write("str.ini", "[Setting-EN]\r\nItem1=Left Click\r\n");
    for (const char* page : {"BasicSet2.png", "AdvancedSet2.png"})
        folder.Write(std::string("Skins/Red/") + page, "png");
    Start();
    window->BuildAdvancedPage();
    host.dialogScript = [](SkinnedDialog& d, RecordingDialogHost& h) {
        d.OnLButtonDown(NAME_BOX);
        h.controls[SKIN_LIST_ID].selection = 1;
        d.OnCommand(SKIN_LIST_ID, LIST_SELECTION_CHANGED);
        d.OnLButtonDown(OK);
    };
    host.log.clear();

    window->OnLButtonDown({705, 10});

    EXPECT_EQ(
        folder.Read("str.ini"),
        "[Setting-EN]\r\nItem1=Left Click\r\n[Skins]\r\nRColor=0\r\nGColor=0\r\nBColor=0\r\nPath=Red\r\n");
    const std::string redFolder = PathToUtf8(folder / "Skins" / "Red");
    EXPECT_EQ(window->Skin().SkinPath, redFolder);
    EXPECT_EQ(window->Skin().SkinName, "Red");
    EXPECT_EQ(host.skinFolder, redFolder);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_ADVANCED);
    // After the dialog: the new folder, then the advanced page torn down and
    // painted again, then the window shown.
    const auto setFolder = std::find(host.log.begin(), host.log.end(), "SetSkinFolder " + redFolder);
    ASSERT_NE(setFolder, host.log.end());
    // (Without the controls the advanced page's areas destroy on the way.)
    std::vector<std::string> rest;
    std::copy_if(setFolder + 1, host.log.end(), std::back_inserter(rest),
                 [](const std::string& line) { return !line.starts_with("DestroyControl"); });
    ASSERT_GE(rest.size(), 3u);
    EXPECT_EQ(rest[0], "areas.TearDownAdvancedArea");
    EXPECT_EQ(rest[1], "areas.TearDownBasicArea");
    EXPECT_EQ(rest[2], ImageLine(SkinImageName(SkinImage::AdvancedBackground), {0, 0}));
    // The skin button does not end the dispatch: the page's own test follows.
    EXPECT_EQ(rest[rest.size() - 2], "ShowInForeground");
    EXPECT_EQ(rest.back(), "areas.CloseMouseEventListAwayFrom 705,10");
}

TEST_F(ApplySkinTest, PickedSkinThenCancelChangesNothing) {
    folder.Write("str.ini", "[Skins]\r\nPath=Blue\r\nRColor=1\r\n");
    Start();
    const ui::SkinState before = window->Skin();
    host.dialogScript = [](SkinnedDialog& d, RecordingDialogHost& h) {
        h.colorAnswers = {Rgb{9, 9, 9}};
        d.OnLButtonDown(SWATCH);
        d.OnLButtonDown(NAME_BOX);
        h.controls[SKIN_LIST_ID].selection = 1;
        d.OnCommand(SKIN_LIST_ID, LIST_SELECTION_CHANGED);
        d.OnLButtonDown(CANCEL);
    };
    host.log.clear();

    window->OnLButtonDown({705, 10});

    EXPECT_EQ(folder.Read("str.ini"), "[Skins]\r\nPath=Blue\r\nRColor=1\r\n");
    EXPECT_EQ(window->Skin().SkinPath, before.SkinPath);
    EXPECT_EQ(window->Skin().SkinName, before.SkinName);
    EXPECT_EQ(window->Skin().TextColor, before.TextColor);
    EXPECT_EQ(host.Lines("ShowInForeground").size(), 0u);
}

TEST_F(ApplySkinTest, ChooserWithoutItsBackgroundChangesNothing) {
    folder.Write("str.ini", "[Skins]\r\nPath=Blue\r\n");
    Start();
    host.dialogMissingImages = {"/skins.png"};
    host.log.clear();

    window->OnLButtonDown({705, 10});

    EXPECT_EQ(host.Lines("ShowMessage"),
              std::vector<std::string>{"ShowMessage error | Skins Dialog Load background image failed!!!"});
    EXPECT_EQ(folder.Read("str.ini"), "[Skins]\r\nPath=Blue\r\n");
    EXPECT_EQ(host.skinFolder, window->Skin().SkinPath);
}

}  // namespace
}  // namespace kv12::test
