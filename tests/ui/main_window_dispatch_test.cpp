#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/texts.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::PAGE_ADVANCED;
using ui::PAGE_BASIC;
using ui::PAGE_NONE;

struct DispatchCase {
    const char* name;
    int page;
    bool mouse;
    Point point;
    std::vector<std::string> expected;  // the actions, in order
};

// Actions of one press, without the drawing and without the skin chooser's own set-up.
std::vector<std::string> PressActions(const std::vector<std::string>& log) {
    std::vector<std::string> actions;
    for (const auto& line : log) {
        for (const char* drawing : {"DrawImage", "DrawText", "Present", "CreateControl", "DestroyControl",
                                    "InvalidateControl", "SetSkinFolder", "LoadCanvas", "SetFonts"}) {
            if (line.starts_with(drawing)) goto skip;
        }
        actions.push_back(line);
    skip:;
    }
    return actions;
}

const std::string URL = "OpenUrl " + std::string(MakerWebAddress);

// clang-format off
const std::vector<DispatchCase> DISPATCH_CASES = {
    // The frame, on the basic page with the mouse.
    {"OkAppliesHidesAndGoesOnToThePage", PAGE_BASIC, true, {600, 630},
     {"areas.Applied", "Hide", "areas.CloseBasicListsAwayFrom 600,630"}},
    {"ApplyAppliesAndKeepsTheWindow", PAGE_BASIC, true, {700, 630},
     {"areas.Applied", "areas.CloseBasicListsAwayFrom 700,630"}},
    {"OkAndApplyOverlapAtTheirSharedEdge", PAGE_BASIC, true, {666, 630},
     {"areas.Applied", "Hide", "areas.Applied", "areas.CloseBasicListsAwayFrom 666,630"}},
    {"SkinButtonOpensTheChooser", PAGE_BASIC, true, {705, 10},
     {"RunModal", "areas.CloseBasicListsAwayFrom 705,10"}},
    {"MinimiseHidesAndStops", PAGE_BASIC, true, {830, 10}, {"Hide"}},
    {"CloseQuits", PAGE_BASIC, true, {855, 10}, {"Quit"}},
    {"PreviousPageOnTheBasicPageDoesNothing", PAGE_BASIC, true, {30, 70}, {}},
    {"NextPageBuildsTheAdvancedPage", PAGE_BASIC, true, {80, 70},
     {"areas.TearDownBasicArea", "SetControlText 149 ", "SetControlText 149 1", "areas.BuildAdvancedArea"}},
    {"CancelHidesAndGoesOn", PAGE_BASIC, true, {800, 630}, {"Hide", "areas.CloseBasicListsAwayFrom 800,630"}},
    {"WebAddressOpensThePage", PAGE_BASIC, true, {300, 635}, {URL}},
    // The basic page's regions are taken by its areas (what each does: PressReachesTheBasicPagesArea).
    {"ModeA", PAGE_BASIC, true, {260, 520}, {"areas.CloseBasicListsAwayFrom 260,520"}},
    {"KeyDefaults", PAGE_BASIC, true, {320, 555}, {"areas.CloseBasicListsAwayFrom 320,555"}},
    {"SeventhBoxIsBackground", PAGE_BASIC, true, {260, 342},
     {"areas.CloseBasicListsAwayFrom 260,342", "StartDrag 260,342"}},
    {"ReportRateCellIsAControl", PAGE_BASIC, true, {545, 208}, {"areas.CloseBasicListsAwayFrom 545,208"}},
    {"TopDpiCellOfTwelveStepSensor", PAGE_BASIC, true, {556, 304}, {"areas.CloseBasicListsAwayFrom 556,304"}},
    {"BackgroundDrags", PAGE_BASIC, true, {150, 400}, {"areas.CloseBasicListsAwayFrom 150,400",
     "StartDrag 150,400"}},
    {"AdvancedRegionIsBackgroundOnTheBasicPage", PAGE_BASIC, true, {520, 530},
     {"areas.CloseBasicListsAwayFrom 520,530", "StartDrag 520,530"}},
    // The advanced page. The pointer regions are taken by the pointer area
    // (what each does: PressReachesThePointerArea).
    {"PointerSwitchOne", PAGE_ADVANCED, true, {55, 260}, {"areas.CloseMouseEventListAwayFrom 55,260"}},
    {"PointerSwitchTwo", PAGE_ADVANCED, true, {55, 410}, {"areas.CloseMouseEventListAwayFrom 55,410"}},
    {"PointerDefaults", PAGE_ADVANCED, true, {200, 580}, {"areas.CloseMouseEventListAwayFrom 200,580"}},
    // The macro regions are the macro area's; record.ini is missing, so no
    // macro is listed (what each does with macros: macro_area_test).
    {"StartRecording", PAGE_ADVANCED, true, {740, 235},
     {"areas.CloseMouseEventListAwayFrom 740,235", "ShowMessage Macro name is blank | Warning"}},
    {"StopRecording", PAGE_ADVANCED, true, {740, 270},
     {"areas.CloseMouseEventListAwayFrom 740,270", "ShowMessage Stop Recording | ",
      "ShowMessage It doesn’t start recording, unnecessary to press Stop key! | Warning"}},
    {"NewWinsItsEdgeWithDelete", PAGE_ADVANCED, true, {617, 530},
     {"areas.CloseMouseEventListAwayFrom 617,530", "ShowMessage Macro name is blank | "}},
    {"ConfirmWithoutMacroDoesNothing", PAGE_ADVANCED, true, {800, 530},
     {"areas.CloseMouseEventListAwayFrom 800,530"}},
    {"MouseEventBox", PAGE_ADVANCED, true, {740, 405},
     {"areas.CloseMouseEventListAwayFrom 740,405", "AddListItem 154 L-Button Click",
      "AddListItem 154 R-Button Click", "AddListItem 154 M-Button Click", "AddListItem 154 L-Button   Dn",
      "AddListItem 154 L-Button   Up", "AddListItem 154 R-Button   Dn", "AddListItem 154 R-Button   Up",
      "AddListItem 154 M-Button   Dn", "AddListItem 154 M-Button   Up"}},
    {"FirstCellOfFirstSlider", PAGE_ADVANCED, true, {52, 200}, {"areas.CloseMouseEventListAwayFrom 52,200"}},
    {"LastCellOfThirdSlider", PAGE_ADVANCED, true, {315, 510}, {"areas.CloseMouseEventListAwayFrom 315,510"}},
    {"RightOfTheLastCellDrags", PAGE_ADVANCED, true, {316, 205},
     {"areas.CloseMouseEventListAwayFrom 316,205", "StartDrag 316,205"}},
    {"BackgroundOfTheAdvancedPageDrags", PAGE_ADVANCED, true, {400, 100},
     {"areas.CloseMouseEventListAwayFrom 400,100", "StartDrag 400,100"}},
    {"BasicRegionIsBackgroundOnTheAdvancedPage", PAGE_ADVANCED, true, {260, 520},
     {"areas.CloseMouseEventListAwayFrom 260,520", "StartDrag 260,520"}},
    {"PreviousPageBuildsTheBasicPage", PAGE_ADVANCED, true, {30, 70},
     {"areas.TearDownAdvancedArea", "areas.BuildBasicArea"}},
    {"NextPageOnTheAdvancedPageDoesNothing", PAGE_ADVANCED, true, {80, 70}, {}},
    // No mouse: no page was built.
    {"OkWithoutMouseDoesNothing", PAGE_NONE, false, {600, 630}, {}},
    {"ApplyWithoutMouseDoesNothing", PAGE_NONE, false, {700, 630}, {}},
    {"CancelWithoutMouseStillHides", PAGE_NONE, false, {800, 630}, {"Hide"}},
    {"BackgroundWithoutPageDrags", PAGE_NONE, false, {150, 400}, {"StartDrag 150,400"}},
    {"PageRegionWithoutPageDrags", PAGE_NONE, false, {260, 520}, {"StartDrag 260,520"}},
    {"MinimiseWithoutMouse", PAGE_NONE, false, {830, 10}, {"Hide"}},
};
// clang-format on

class DispatchTable : public MainWindowTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTable, PressRunsTheRegionsActionsInOrder) {
    const DispatchCase& c = GetParam();
    Start(c.mouse);
    if (c.page == PAGE_ADVANCED) window->BuildAdvancedPage();
    ASSERT_EQ(window->CurrentPage(), c.page);
    host.log.clear();

    window->OnLButtonDown(c.point);

    EXPECT_EQ(PressActions(host.log), c.expected);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, DispatchTable, ::testing::ValuesIn(DISPATCH_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// Presses on the basic page's key and lighting regions reach the area behind
// each: the key mode, the defaults, a button's list, a lighting list.
struct BasicRegionCase {
    const char* name;
    Point point;
    std::uint8_t keyMode;  // after the press (the window starts in Mode B)
    int openList;          // the list control the press opened, or 0
};

class BasicRegionTable : public MainWindowTest, public ::testing::WithParamInterface<BasicRegionCase> {};

TEST_P(BasicRegionTable, PressReachesTheBasicPagesArea) {
    const BasicRegionCase& c = GetParam();
    Start();
    window->Store().block.keyMode() = 1;
    window->ItemTexts()[0] = "changed";
    host.log.clear();

    window->OnLButtonDown(c.point);

    EXPECT_EQ(window->Store().block.keyMode(), c.keyMode);
    for (int list : {41, 46, 60, 61, 62}) {
        EXPECT_EQ(host.ControlExists(list), list == c.openList) << list;
    }
    EXPECT_EQ(window->ItemTexts()[0], std::string(c.name) == "KeyDefaults" ? "Left Click" : "changed");
    EXPECT_TRUE(host.Lines("StartDrag").empty());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, BasicRegionTable,
                         ::testing::Values(BasicRegionCase{"ModeA", {260, 520}, 0, 0},
                                           BasicRegionCase{"ModeAWinsTheSharedEdge", {357, 520}, 0, 0},
                                           BasicRegionCase{"ModeB", {461, 520}, 1, 0},
                                           BasicRegionCase{"KeyDefaults", {320, 555}, 1, 0},
                                           BasicRegionCase{"FirstDropDownBox", {260, 205}, 1, 41},
                                           BasicRegionCase{"SixthDropDownBox", {260, 319}, 1, 46},
                                           BasicRegionCase{"LightingModeRow", {800, 335}, 1, 60},
                                           BasicRegionCase{"LightingParameterRow", {800, 365}, 1, 61}),
                         [](const auto& info) { return std::string(info.param.name); });

// Presses on the advanced page's pointer regions reach the pointer area: the
// boxes, "Default" (which writes Windows at once) and the slider steps.
struct PointerRegionCase {
    const char* name;
    Point point;
    std::array<int, 2> flags;      // after the press; read from Windows: 1, 0
    std::array<int, 3> positions;  // after the press; read from Windows: 11, 7, 6
    std::size_t windowsWrites;
};

class PointerRegionTable : public MainWindowTest, public ::testing::WithParamInterface<PointerRegionCase> {};

TEST_P(PointerRegionTable, PressReachesThePointerArea) {
    const PointerRegionCase& c = GetParam();
    Start();
    host.pointer.speed = 20;
    host.pointer.wheelLines = 7;
    host.pointer.doubleClickTime = 550;
    ShowAdvancedPage();

    window->OnLButtonDown(c.point);

    const SettingsBlock& block = window->Store().block;
    EXPECT_EQ((std::array<int, 2>{block.pointerFlag(0), block.pointerFlag(1)}), c.flags);
    EXPECT_EQ((std::array<int, 3>{block.pointerValue(0), block.pointerValue(1), block.pointerValue(2)}),
              c.positions);
    EXPECT_EQ(host.pointer.writes.size(), c.windowsWrites);
    EXPECT_TRUE(host.Lines("StartDrag").empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, PointerRegionTable,
    ::testing::Values(PointerRegionCase{"PointerSwitchOne", {55, 260}, {0, 0}, {11, 7, 6}, 0},
                      PointerRegionCase{"PointerSwitchTwo", {55, 410}, {1, 1}, {11, 7, 6}, 0},
                      PointerRegionCase{"PointerDefaults", {200, 580}, {0, 0}, {6, 3, 6}, 4},
                      PointerRegionCase{"FirstCellOfFirstSlider", {52, 200}, {1, 0}, {1, 7, 6}, 0},
                      PointerRegionCase{"LastCellOfThirdSlider", {315, 510}, {1, 0}, {11, 7, 11}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OkSendsTheSettingsSavesThemAndHides) {
    Start();
    window->Store().block.reportRate() = REPORT_RATE_1000HZ;
    window->ItemTexts()[2] = "Single Key-Enter";

    window->OnLButtonDown({600, 630});

    EXPECT_EQ(sim->mouse.Firmware().reportRate, REPORT_RATE_1000HZ);
    const SettingsBlock expected = window->Store().block;
    const std::vector<std::uint8_t> configBytes = EncodeSettingsFile(expected);
    EXPECT_EQ(folder.Read("config.bin"), std::string(configBytes.begin(), configBytes.end()));
    EXPECT_NE(folder.Read("str.ini").find("Item3=Single Key-Enter"), std::string::npos);
    EXPECT_EQ(window->Store().savedBlock, expected);
    EXPECT_FALSE(host.visible);
}

TEST_F(MainWindowTest, ApplyLeavesTheWindowShown) {
    Start();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    window->Store().block.dpiStage(0) = 9;

    window->OnLButtonDown({700, 630});

    EXPECT_EQ(window->Store().savedBlock.dpiStage(0), 9);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.Count("Hide"), 0);
}

TEST_F(MainWindowTest, OkAndApplyWithoutMouseSendNothingAndWriteNothing) {
    Start(false);
    const std::string configBefore = folder.Read("config.bin");
    const std::string strIniBefore = folder.Read("str.ini");
    window->Store().block.reportRate() = REPORT_RATE_1000HZ;

    window->OnLButtonDown({600, 630});
    window->OnLButtonDown({700, 630});

    EXPECT_EQ(folder.Read("config.bin"), configBefore);
    EXPECT_EQ(folder.Read("str.ini"), strIniBefore);
    EXPECT_NE(window->Store().savedBlock, window->Store().block);
    EXPECT_EQ(host.Count("Hide"), 0);
}

TEST_F(MainWindowTest, CancelRestoresTheSavedBlockAndRebuildsOnTheNextShow) {
    Start();
    window->Store().block.reportRate() = REPORT_RATE_1000HZ;
    window->ItemTexts()[0] = "Macro Key-Unsaved";

    window->OnLButtonDown({800, 630});

    EXPECT_EQ(window->Store().block, SampleBlock());
    EXPECT_TRUE(window->RebuildOnShow());
    EXPECT_FALSE(host.visible);

    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);

    EXPECT_FALSE(window->RebuildOnShow());
    EXPECT_EQ(window->ItemTexts()[0], "Left Click");  // read back from str.ini
    EXPECT_EQ(Actions(), (std::vector<std::string>{"areas.TearDownBasicArea", "areas.TearDownAdvancedArea",
                                                   "areas.BuildBasicArea", "ShowInForeground"}));
    // The rebuilt page shows the restored rate: 500 Hz light.
    EXPECT_EQ(host.Count(ImageLine(SkinImageName(SkinImage::RateSliderLight), {686, 204})), 1);
}

TEST_F(MainWindowTest, CancelOnTheAdvancedPageAlsoReadsTheTextsBack) {
    Start();
    window->ItemTexts()[1] = "Fire Key-Unsaved";
    ShowAdvancedPage();

    window->OnLButtonDown({800, 630});
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);

    EXPECT_EQ(window->ItemTexts()[1], "Right Click");
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_ADVANCED);
    EXPECT_EQ(host.Count("areas.BuildAdvancedArea"), 1);
}

struct TopCellCase {
    std::uint8_t sensorType;
    int step;
    bool selectable;
};

class DpiTopCells : public MainWindowTest, public ::testing::WithParamInterface<TopCellCase> {};

TEST_P(DpiTopCells, UpperCellsOfAnEightStepSensorDragTheWindow) {
    const auto [sensorType, step, selectable] = GetParam();
    VirtualMouseOptions options;
    options.sensorType = sensorType;
    Start(true, options);
    ASSERT_EQ(window->SensorType(), sensorType);
    host.log.clear();
    const Point point{583, 500 - 18 * (step - 1) + 3};  // stage 2's column

    window->OnLButtonDown(point);

    if (selectable) {
        EXPECT_EQ(window->Store().block.dpiStage(1), step - 1);
        EXPECT_EQ(host.Lines("StartDrag").size(), 0u);
    } else {
        EXPECT_EQ(window->Store().block.dpiStage(1), SampleBlock().dpiStage(1));
        EXPECT_EQ(host.Lines("StartDrag"), std::vector<std::string>{"StartDrag " + Describe(point)});
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, DpiTopCells,
                         ::testing::Values(TopCellCase{0, 12, true}, TopCellCase{0, 9, true},
                                           TopCellCase{1, 8, true}, TopCellCase{1, 9, false},
                                           TopCellCase{3, 12, false}, TopCellCase{7, 9, false},
                                           TopCellCase{7, 1, true}),
                         [](const auto& info) {
                             return "Sensor" + std::to_string(info.param.sensorType) + "_Step" +
                                    std::to_string(info.param.step);
                         });

}  // namespace
}  // namespace kv12::test
