#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/preferences.h"
#include "core/settings_file.h"
#include "core/texts.h"
#include "core/utf8_path.h"
#include "tests/common/case_name.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/skin_images.h"
#include "ui/window_fonts.h"

namespace kv12::test {
namespace {

using ui::ControlColors;
using ui::ControlKind;
using ui::TextFormat;

std::string Image(SkinImage image, Point at) {
    return ImageLine(SkinImageName(image), at);
}

std::vector<std::string> From(const std::vector<std::string>& log, const std::string& first) {
    const auto it = std::find(log.begin(), log.end(), first);
    return {it, log.end()};
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        if (line.starts_with(prefix)) out.push_back(line);
    }
    return out;
}

std::vector<std::string> FirstN(const std::vector<std::string>& lines, std::size_t n) {
    return {lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(n, lines.size()))};
}

TEST_F(MainWindowTest, BasicPageIsDrawnInItsOrderAndPresentedOnce) {
    Start();
    const auto build = From(host.log, Image(SkinImage::BasicBackground, {0, 0}));
    ASSERT_FALSE(build.empty());

    const std::vector<std::string> images = {
        Image(SkinImage::BasicBackground, {0, 0}),       Image(SkinImage::MinimiseNormal, {825, 5}),
        Image(SkinImage::CloseNormal, {850, 5}),         Image(SkinImage::SkinButtonNormal, {701, 5}),
        Image(SkinImage::ButtonNormal, {562, 623}),      Image(SkinImage::ButtonNormal, {666, 623}),
        Image(SkinImage::ButtonNormal, {770, 623}),      Image(SkinImage::ButtonNormal, {307, 549}),
        Image(SkinImage::PreviousPageNormal, {20, 58}),  Image(SkinImage::NextPageNormal, {70, 58}),
        Image(SkinImage::DropdownBoxNormal, {252, 199}), Image(SkinImage::DropdownBoxNormal, {252, 222}),
        Image(SkinImage::DropdownBoxNormal, {252, 245}), Image(SkinImage::DropdownBoxNormal, {252, 268}),
        Image(SkinImage::DropdownBoxNormal, {252, 291}), Image(SkinImage::DropdownBoxNormal, {252, 314}),
    };
    EXPECT_EQ(FirstN(build, images.size()), images);
    // The DPI area draws the rate cells when its turn comes.
    const std::vector<std::string> rateCells = {
        Image(SkinImage::RateSliderDark, {542, 204}),
        Image(SkinImage::RateSliderDark, {614, 204}),
        Image(SkinImage::RateSliderLight, {686, 204}),  // 500 Hz
        Image(SkinImage::RateSliderDark, {758, 204}),
    };
    EXPECT_EQ(Starting(build, "DrawImage /slider-RP"), rateCells);

    const std::vector<std::string> texts = {
        TextLine("Basic Settings", {120, 58, 352, 98}, TextFormat::Left, ui::FontRole::Title),
        TextLine("Key Setting", {259, 160, 364, 181}),
        TextLine("Report Rate Setting", {504, 161, 609, 182}),
        TextLine("DPI Setting", {504, 275, 609, 296}),
        TextLine("DPI Effect", {704, 275, 809, 296}),
        TextLine(MakerWebAddress, {273, 627, 449, 647}),
        TextLine("OK", {562, 623, 667, 644}),
        TextLine("Apply", {666, 623, 771, 644}),
        TextLine("Cancel", {770, 623, 875, 644}),
        TextLine("Default", {307, 549, 412, 570}),
        TextLine("1", {252, 199, 272, 220}, TextFormat::Left),
        TextLine("Left Click", {272, 199, 463, 220}, TextFormat::Left),
    };
    EXPECT_EQ(FirstN(Starting(build, "DrawText"), texts.size()), texts);

    // The mode buttons: Mode A is the edited mode.
    const auto modeA = std::find(build.begin(), build.end(), Image(SkinImage::ButtonOver, {253, 518}));
    ASSERT_NE(modeA, build.end());
    EXPECT_EQ(*(modeA + 1), TextLine("Mode A", {253, 518, 358, 539}));
    EXPECT_EQ(*(modeA + 2), Image(SkinImage::ButtonNormal, {357, 518}));

    EXPECT_EQ(
        Starting(build, "CreateControl"),
        (std::vector<std::string>{"CreateControl 71 554,523,570,539", "CreateControl 72 581,523,597,539",
                                  "CreateControl 73 608,523,624,539", "CreateControl 74 635,523,651,539",
                                  "CreateControl 80 767,330,835,344"}));  // lighting off: the mode box alone
    ASSERT_GE(build.size(), 2u);
    EXPECT_EQ(build[build.size() - 2], "areas.BuildBasicArea");
    EXPECT_EQ(build.back(), "Present");
    EXPECT_EQ(host.Count("Present"), 1);
    // Every text of the page is in the text colour read from str.ini.
    for (const Rgb& color : host.textColors) EXPECT_EQ(color, (Rgb{255, 200, 0}));
}

TEST_F(MainWindowTest, AdvancedPageTearsDownTheBasicPageFirstAndDrawsItsFrame) {
    Start();
    host.log.clear();

    window->BuildAdvancedPage();

    const std::vector<std::string> teardown = {"DestroyControl 71", "DestroyControl 72",
                                               "DestroyControl 73", "DestroyControl 74",
                                               "DestroyControl 80", "areas.TearDownBasicArea"};
    EXPECT_EQ(FirstN(host.log, teardown.size()), teardown);

    std::vector<std::string> images = {
        Image(SkinImage::AdvancedBackground, {0, 0}),   Image(SkinImage::MinimiseNormal, {825, 5}),
        Image(SkinImage::CloseNormal, {850, 5}),        Image(SkinImage::SkinButtonNormal, {701, 5}),
        Image(SkinImage::PreviousPageNormal, {20, 58}), Image(SkinImage::NextPageNormal, {70, 58}),
        Image(SkinImage::ButtonNormal, {562, 623}),     Image(SkinImage::ButtonNormal, {666, 623}),
        Image(SkinImage::ButtonNormal, {770, 623}),     Image(SkinImage::ButtonNormal, {194, 573}),
        Image(SkinImage::ButtonNormal, {513, 528}),     Image(SkinImage::ButtonNormal, {617, 528}),
        Image(SkinImage::ButtonNormal, {721, 528}),
    };
    // The page's areas draw after the frame (the pointer area: pointer_area_test).
    EXPECT_EQ(FirstN(Starting(host.log, "DrawImage"), images.size()), images);

    const std::vector<std::string> texts = {
        TextLine(MakerWebAddress, {273, 627, 449, 647}),
        TextLine("OK", {562, 623, 667, 644}),
        TextLine("Apply", {666, 623, 771, 644}),
        TextLine("Cancel", {770, 623, 875, 644}),
        TextLine("Default", {194, 573, 299, 594}),
        TextLine("Select Macro", {457, 196, 592, 220}),
        TextLine("Key Press Sequence", {591, 196, 726, 220}),
        TextLine("Record Option", {725, 196, 875, 220}),
        TextLine("New", {513, 528, 618, 549}),
        TextLine("Delete", {617, 528, 722, 549}),
        TextLine("Confirm", {721, 528, 826, 549}),
        TextLine("Mouse Speed", {38, 160, 143, 181}),
        TextLine("Scrolling Speed", {38, 310, 143, 331}),
        TextLine("Double-Click Speed", {38, 460, 143, 481}),
        TextLine("Macro Setting", {469, 160, 578, 181}),
        TextLine("Advanced Settings", {120, 58, 352, 98}, TextFormat::Left, ui::FontRole::Title),
    };
    EXPECT_EQ(FirstN(Starting(host.log, "DrawText"), texts.size()), texts);
    EXPECT_EQ(FirstN(From(host.log, "areas.BuildAdvancedArea"), 2),
              (std::vector<std::string>{"areas.BuildAdvancedArea", "Present"}));
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_ADVANCED);
}

TEST_F(MainWindowTest, BackToTheBasicPageTearsDownTheAdvancedPage) {
    Start();
    ShowAdvancedPage();
    window->BuildBasicPage();
    // The page's own areas go first (the macro area's controls), then the rest.
    const std::vector<std::string> macroControls = {"DestroyControl 151", "DestroyControl 152",
                                                    "DestroyControl 150", "DestroyControl 149",
                                                    "DestroyControl 119"};
    EXPECT_EQ(FirstN(host.log, macroControls.size()), macroControls);
    EXPECT_EQ(host.log[macroControls.size()], "areas.TearDownAdvancedArea");
    EXPECT_EQ(host.Count("Present"), 1);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_BASIC);
}

TEST_F(MainWindowTest, FirstRunSeedsTheDefaultTextsOfTheLanguageAndInitialisesTheSensor) {
    writeSampleFiles = false;
    folder.Write("str.ini", "[Skins]\r\nLan=CHS\r\n");
    Start();

    EXPECT_EQ(host.Lines("ShowMessage"),
              std::vector<std::string>{"ShowMessage Config file is not exist. | "});
    const IniDocument strIni = IniDocument::Load(folder / "str.ini");
    const std::vector<std::string> expected = {"左键",       "右键",     "中键",     "前进方向键",
                                               "后退方向键", "DPI Loop", "按键关闭", "按键关闭"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(strIni.GetString("Setting-CHS", ItemKeyName(i)), expected[static_cast<std::size_t>(i % 8)])
            << i;
        EXPECT_EQ(window->ItemTexts()[static_cast<std::size_t>(i)],
                  expected[static_cast<std::size_t>(i % 8)]);
    }
    EXPECT_EQ(sim->mouse.Firmware().sensorState[3] & 0x40, 0x40);
    EXPECT_TRUE(window->BasicPageBuilt());
}

TEST_F(MainWindowTest, SavedSettingsKeepTheTextsOfTheFile) {
    Start();
    EXPECT_EQ(folder.Read("str.ini"), SAMPLE_STR_INI);
    EXPECT_EQ(window->ItemTexts()[8], "B one");
    EXPECT_TRUE(host.Lines("ShowMessage").empty());
}

TEST_F(MainWindowTest, StartWithoutMouseBuildsNoPage) {
    Start(false);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_NONE);
    EXPECT_FALSE(window->BasicPageBuilt());
    EXPECT_TRUE(host.Lines("CreateControl").empty());
    EXPECT_EQ(host.Lines("LoadCanvas"), std::vector<std::string>{"LoadCanvas /BasicSet2.png"});
    EXPECT_EQ(
        host.Lines("ShowBalloon"),
        std::vector<std::string>{"ShowBalloon The system did not detect the gaming mouse! | Warning | 100"});
}

TEST_F(MainWindowTest, StartUpTakesSkinColourAndFontsFromStrIni) {
    writeSampleFiles = false;
    folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    folder.Write("str.ini", "[Skins]\r\nLan=CHS\r\nRColor=300\r\nGColor=abc\r\nBColor=-1\r\nPath=Blue\r\n");
    version = {6, 2};
    Start();

    EXPECT_EQ(window->LanguageCode(), "CHS");
    EXPECT_EQ(window->Skin().SkinName, "Blue");
    EXPECT_EQ(window->Skin().SkinPath, PathToUtf8(folder.path()) + "/Skins/Blue");
    EXPECT_EQ(host.skinFolder, window->Skin().SkinPath);
    EXPECT_EQ(window->Skin().TextColor, (Rgb{44, 0, 255}));
    EXPECT_EQ(host.normalFont, (FontSpec{"黑体", 13, 400}));
    EXPECT_EQ(host.titleFont, (FontSpec{"黑体", 18, 700}));
    EXPECT_EQ(window->Texts()[TXT_OK], "确定");
}

TEST_F(MainWindowTest, StartUpWithoutStrIniIsEnglishBlackAndUsesTheSkinsRoot) {
    writeSampleFiles = false;
    folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    Start();

    EXPECT_EQ(window->Texts()[TXT_SECTION_NAME], "Setting-EN");
    EXPECT_EQ(window->Skin().TextColor, (Rgb{0, 0, 0}));
    EXPECT_EQ(window->Skin().SkinPath, PathToUtf8(folder.path()) + "/Skins/");
    EXPECT_EQ(host.normalFont, (FontSpec{"Arial", 14, 400}));
    EXPECT_EQ(host.titleFont, (FontSpec{"Tahoma", 18, 700}));
}

struct FontCase {
    const char* language;
    ui::WindowsVersion version;
    FontSpec normal;
    FontSpec title;
};

class Fonts : public ::testing::TestWithParam<FontCase> {};

TEST_P(Fonts, FaceAndHeightFollowLanguageAndVersion) {
    const FontCase& c = GetParam();
    EXPECT_EQ(ui::FontsFor(c.language, c.version), (ui::WindowFonts{c.normal, c.title}));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Fonts,
                         ::testing::Values(FontCase{"CHS", {6, 2}, {"黑体", 13, 400}, {"黑体", 18, 700}},
                                           FontCase{"CHS", {6, 1}, {"宋体", 13, 400}, {"宋体", 18, 700}},
                                           FontCase{"CHS", {10, 0}, {"宋体", 13, 400}, {"宋体", 18, 700}},
                                           FontCase{"CHT", {6, 2}, {"黑体", 14, 400}, {"黑体", 18, 700}},
                                           FontCase{"CHT", {5, 1}, {"黑体", 14, 400}, {"黑体", 18, 700}},
                                           FontCase{"chs", {6, 2}, {"Arial", 14, 400}, {"Tahoma", 18, 700}},
                                           FontCase{"", {10, 0}, {"Arial", 14, 400}, {"Tahoma", 18, 700}}),
                         // "CHS_Windows6_2".
                         [](const auto& info) {
                             return LanguageCaseName(info.param.language) + "_Windows" +
                                    std::to_string(info.param.version.major) + "_" +
                                    std::to_string(info.param.version.minor);
                         });

struct ColorCase {
    int id;
    ControlKind kind;
    ControlColors expected;
};

std::string KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Static:
            return "Static";
        case ControlKind::Edit:
            return "Edit";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::Button:
            return "Button";
        case ControlKind::Other:
            break;
    }
    return "Other";
}

class ControlColorsTable : public MainWindowTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(ControlColorsTable, ControlIsPaintedAsItsKindAndIdSay) {
    Start();
    EXPECT_EQ(window->ControlColorsFor(GetParam().id, GetParam().kind), GetParam().expected);
}

constexpr Rgb TEXT{255, 200, 0};  // the sample str.ini's colour
constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb GREEN_GROUND{100, 150, 100};
const ControlColors ON_BLACK{.text = TEXT, .background = BLACK, .useNormalFont = true, .brush = BLACK};
// clang-format off
INSTANTIATE_TEST_SUITE_P(MainWindow, ControlColorsTable, ::testing::Values(
    ColorCase{71, ControlKind::Static, {.transparent = true, .brush = Rgb{255, 0, 0}}},
    ColorCase{72, ControlKind::Static, {.transparent = true, .brush = Rgb{0, 128, 0}}},
    ColorCase{74, ControlKind::Static, {.transparent = true, .brush = Rgb{0, 0, 64}}},
    ColorCase{80, ControlKind::Static, ON_BLACK},
    ColorCase{119, ControlKind::Static, ON_BLACK},
    ColorCase{75, ControlKind::Static,
              {.text = TEXT, .background = GREEN_GROUND, .useNormalFont = true, .brush = GREEN_GROUND}},
    ColorCase{71, ControlKind::Button, {.transparent = true}},
    ColorCase{150, ControlKind::Edit, {.text = TEXT, .transparent = true, .brush = BLACK}},
    ColorCase{151, ControlKind::ListBox, {.text = TEXT, .transparent = true, .brush = Rgb{4, 5, 6}}},
    ColorCase{152, ControlKind::ListBox, {.text = TEXT, .transparent = true, .brush = Rgb{4, 5, 6}}},
    ColorCase{41, ControlKind::ListBox,
              {.text = Rgb{255, 255, 255}, .transparent = true, .useNormalFont = true, .brush = BLACK}},
    ColorCase{9, ControlKind::Other, {.defaultHandling = true}}),
    // "Control71_Static": the control's id and kind.
    [](const auto& info) { return "Control" + std::to_string(info.param.id) + "_" + KindName(info.param.kind); });
// clang-format on

TEST_F(MainWindowTest, SwatchColourFollowsTheBlockAfterCancel) {
    Start();
    window->Store().block.stageColor(0, ColorChannel::Blue) = 99;
    EXPECT_EQ(window->ControlColorsFor(71, ControlKind::Static).brush, (Rgb{255, 0, 99}));
    window->OnLButtonDown({800, 630});
    EXPECT_EQ(window->ControlColorsFor(71, ControlKind::Static).brush, (Rgb{255, 0, 0}));
}

}  // namespace
}  // namespace kv12::test
