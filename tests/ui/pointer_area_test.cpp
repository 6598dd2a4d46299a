#include "ui/pointer_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/page_context_fixture.h"
#include "tests/ui/recording_host.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::PointerArea;
using ui::WHEEL_PAGE_SCROLL;

std::string Step(int slider, int step, bool light) {
    return ImageLine(SkinImageName(light ? SkinImage::SliderLight : SkinImage::SliderDark),
                     {52 + 24 * (step - 1), 200 + 150 * (slider - 1)});
}

// The eleven steps of a slider, the first `lit` light.
std::vector<std::string> Slider(int slider, int lit) {
    std::vector<std::string> lines;
    for (int step = 1; step <= 11; ++step) lines.push_back(Step(slider, step, step <= lit));
    return lines;
}

std::string Box(int index, bool ticked) {
    return ImageLine(SkinImageName(ticked ? SkinImage::CheckBoxTicked : SkinImage::CheckBoxClear),
                     {51, index == 0 ? 255 : 405});
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// How many steps of each slider the log shows light, by the last drawing of each step.
std::array<int, 3> LitSteps(const std::vector<std::string>& log) {
    std::array<int, 3> lit{};
    for (int slider = 1; slider <= 3; ++slider) {
        for (int step = 1; step <= 11; ++step) {
            const auto last = std::find_if(log.rbegin(), log.rend(), [&](const std::string& line) {
                return line == Step(slider, step, true) || line == Step(slider, step, false);
            });
            if (last != log.rend() && *last == Step(slider, step, true)) ++lit[slider - 1];
        }
    }
    return lit;
}

class PointerAreaTest : public ::testing::Test {
  protected:
    PageContextParts parts;
    std::vector<std::string>& log = parts.host.log;
    FakePointerSettings& windows = parts.host.pointer;
    SettingsBlock& block = parts.store.block;
    PointerArea area{parts.context};

    void SetPositions(int speed, int scrolling, int doubleClick) {
        block.pointerValue(0) = static_cast<std::uint8_t>(speed);
        block.pointerValue(1) = static_cast<std::uint8_t>(scrolling);
        block.pointerValue(2) = static_cast<std::uint8_t>(doubleClick);
    }
    std::array<int, 3> Positions() const {
        return {block.pointerValue(0), block.pointerValue(1), block.pointerValue(2)};
    }
    std::array<int, 2> Flags() const { return {block.pointerFlag(0), block.pointerFlag(1)}; }
    // Builds once (reading Windows) and forgets the log.
    void BuildOnce() {
        area.Build();
        log.clear();
    }
};

TEST_F(PointerAreaTest, FirstBuildReadsWindowsAndDrawsSlidersNumbersAndBoxes) {
    // Windows' own defaults, with precision on.
    area.Build();

    EXPECT_TRUE(area.ValuesRead());
    EXPECT_EQ(Flags(), (std::array<int, 2>{1, 0}));
    EXPECT_EQ(Positions(), (std::array<int, 3>{6, 3, 6}));
    EXPECT_TRUE(windows.writes.empty());

    std::vector<std::string> expected = Concat({Slider(1, 6), Slider(2, 3), Slider(3, 6)});
    for (int top : {211, 361, 511}) {
        for (int step = 1; step <= 11; ++step) {
            const int left = 52 + 24 * (step - 1);
            expected.push_back(TextLine(std::to_string(step), {left, top + 10, left + 24, top + 30}));
        }
    }
    expected.push_back(Box(0, true));
    expected.push_back(TextLine("Enhance Pointer Precision", {77, 255, 408, 271}, ui::TextFormat::Left));
    expected.push_back(Box(1, false));
    expected.push_back(TextLine("Scroll One Screen", {77, 405, 408, 421}, ui::TextFormat::Left));
    EXPECT_EQ(log, expected);  // the main window presents the page
    for (const Rgb& color : parts.host.textColors) EXPECT_EQ(color, (Rgb{1, 2, 3}));
}

TEST_F(PointerAreaTest, BoxTextsFollowTheLanguage) {
    parts.SetLanguage("CHS");
    area.Build();
    EXPECT_EQ(parts.host.Lines("DrawText [提高指针准确度]").size(), 1u);
    EXPECT_EQ(parts.host.Lines("DrawText [一次滚动一个屏幕]").size(), 1u);
}

struct ReadCase {
    const char* name;
    int acceleration;
    std::uint32_t speed, lines, milliseconds;
    std::set<std::string> failing;
    std::array<int, 2> flags;      // after reading
    std::array<int, 3> positions;  // after reading
    std::array<int, 3> lit;        // steps shown light
    std::vector<std::string> messages;
};

class PointerRead : public PointerAreaTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(PointerRead, WindowsValuesBecomePositionsAndFlags) {
    const ReadCase& c = GetParam();
    windows.mouse = {6, 10, c.acceleration};
    windows.speed = c.speed;
    windows.wheelLines = c.lines;
    windows.doubleClickTime = c.milliseconds;
    windows.failing = c.failing;
    // What config.bin held before: a setting Windows does not give keeps it.
    block.pointerFlag(0) = 1;
    block.pointerFlag(1) = 1;
    SetPositions(4, 7, 9);

    area.ReadPointerSettings();

    EXPECT_EQ(Flags(), c.flags);
    EXPECT_EQ(Positions(), c.positions);
    EXPECT_EQ(LitSteps(log), c.lit);
    std::vector<std::string> expectedMessages;
    for (const auto& text : c.messages) expectedMessages.push_back("ShowMessage " + text + " | Warning");
    EXPECT_EQ(parts.host.Lines("ShowMessage"), expectedMessages);
    EXPECT_TRUE(area.ValuesRead());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PointerArea, PointerRead, ::testing::Values(
    ReadCase{"WindowsDefaults", 1, 10, 3, 500, {}, {1, 0}, {6, 3, 6}, {6, 3, 6}, {}},
    ReadCase{"SlowestEnds", 0, 1, 1, 900, {}, {0, 0}, {1, 1, 1}, {1, 1, 1}, {}},
    ReadCase{"FastestEnds", 2, 20, 11, 200, {}, {1, 0}, {11, 11, 11}, {11, 11, 11}, {}},
    ReadCase{"OddSpeedReadsAsTheStepBelow", 0, 3, 5, 830, {}, {0, 0}, {2, 5, 2}, {2, 5, 2}, {}},
    ReadCase{"OneScreenPerNotch", 0, 10, WHEEL_PAGE_SCROLL, 500, {}, {0, 1}, {6, 0, 6}, {6, 0, 6}, {}},
    ReadCase{"NoWheelScrolling", 0, 10, 0, 500, {}, {0, 0}, {6, 0, 6}, {6, 0, 6}, {}},
    // Beyond the sliders: stored as computed, shown at 11.
    ReadCase{"BeyondTheSliders", 0, 10, 20, 100, {}, {0, 0}, {6, 20, 12}, {6, 11, 11}, {}},
    // Slower than the slider: its slowest step, not a wrapped position at the fastest.
    ReadCase{"SlowDoubleClickIsTheSlowestStep", 0, 10, 3, 1000, {}, {0, 0}, {6, 3, 1}, {6, 3, 1}, {}},
    ReadCase{"MouseParametersFailSilently", 1, 10, 3, 500, {"GetMouse"}, {0, 0}, {6, 3, 6}, {6, 3, 6}, {}},
    ReadCase{"SpeedFailureKeepsTheStoredPosition", 1, 10, 3, 500, {"GetMouseSpeed"}, {1, 0}, {4, 3, 6},
             {4, 3, 6}, {"GETMOUSESPEED failed."}},
    ReadCase{"WheelFailureKeepsTheStoredFlagAndPosition", 1, 10, 3, 500, {"GetWheelScrollLines"}, {1, 1},
             {6, 7, 6}, {6, 7, 6}, {"GETWHEELSCROLLLINES failed."}},
    // A failed double-click read (0 ms) keeps the stored position.
    ReadCase{"DoubleClickFailureKeepsTheStoredPosition", 1, 10, 3, 500, {"GetDoubleClickTime"}, {1, 0},
             {6, 3, 9}, {6, 3, 9}, {"GetDoubleClickTime failed."}},
    ReadCase{"EveryReadFailsAndEachIsNamed", 1, 10, 3, 500,
             {"GetMouse", "GetMouseSpeed", "GetWheelScrollLines", "GetDoubleClickTime"}, {0, 1}, {4, 7, 9},
             {4, 7, 9}, {"GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.", "GetDoubleClickTime failed."}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(PointerAreaTest, LaterBuildsDrawTheStoredFieldsWithoutAskingWindows) {
    BuildOnce();
    windows.speed = 2;
    windows.failing = {"GetMouse", "GetMouseSpeed", "GetWheelScrollLines", "GetDoubleClickTime"};
    SetPositions(0, 12, 255);
    block.pointerFlag(1) = 1;

    area.Build();

    EXPECT_EQ(Positions(), (std::array<int, 3>{0, 12, 255}));
    EXPECT_EQ(Flags(), (std::array<int, 2>{1, 1}));
    EXPECT_TRUE(parts.host.Lines("ShowMessage").empty());
    // A position past the slider shows all its steps, 0 none.
    ASSERT_GE(log.size(), 33u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 33),
              Concat({Slider(1, 0), Slider(2, 11), Slider(3, 11)}));
    EXPECT_EQ(parts.host.Count(Box(1, true)), 1);
}

struct StepCase {
    int slider, step;
    std::array<int, 3> positions;  // from 4, 7, 9
};

TEST_F(PointerAreaTest, ChosenStepIsStoredAndItsSliderRedrawnWithoutTouchingWindows) {
    const StepCase cases[] = {
        {1, 1, {1, 7, 9}},
        {2, 11, {4, 11, 9}},
        {3, 5, {4, 7, 5}},
    };
    for (const auto& c : cases) {
        SetPositions(4, 7, 9);
        log.clear();
        area.SelectPointerStep(c.slider, c.step);
        EXPECT_EQ(Positions(), c.positions) << c.slider;
        std::vector<std::string> expected = Slider(c.slider, c.step);
        expected.push_back("Present");
        EXPECT_EQ(log, expected) << c.slider;
    }
    EXPECT_TRUE(windows.writes.empty());
}

TEST_F(PointerAreaTest, StepOutsideTheSlidersChangesNothing) {
    SetPositions(4, 7, 9);
    const int cases[][2] = {{0, 3}, {4, 3}, {1, 0}, {2, 12}};
    for (const auto& [slider, step] : cases) area.SelectPointerStep(slider, step);
    EXPECT_EQ(Positions(), (std::array<int, 3>{4, 7, 9}));
    EXPECT_TRUE(log.empty());
}

TEST_F(PointerAreaTest, BoxesFlipTheirFlagAndRedraw) {
    area.TogglePrecision();
    area.ToggleOneScreen();
    EXPECT_EQ(Flags(), (std::array<int, 2>{1, 1}));
    area.TogglePrecision();
    EXPECT_EQ(Flags(), (std::array<int, 2>{0, 1}));
    // A flag that is neither 0 nor 1 counts as ticked.
    block.pointerFlag(1) = 2;
    area.ToggleOneScreen();
    EXPECT_EQ(Flags(), (std::array<int, 2>{0, 0}));

    EXPECT_EQ(log, (std::vector<std::string>{Box(0, true), "Present", Box(1, true), "Present", Box(0, false),
                                             "Present", Box(1, false), "Present"}));
    EXPECT_TRUE(windows.writes.empty());
}

struct PressCase {
    const char* name;
    Point point;
    bool taken;
    std::array<int, 2> flags;      // from 0, 0
    std::array<int, 3> positions;  // from 4, 7, 9
};

class PointerPress : public PointerAreaTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PointerPress, PressReachesTheControlUnderIt) {
    const PressCase& c = GetParam();
    SetPositions(4, 7, 9);
    EXPECT_EQ(area.OnPress(c.point), c.taken);
    EXPECT_EQ(Flags(), c.flags);
    EXPECT_EQ(Positions(), c.positions);
    if (!c.taken) {
        EXPECT_TRUE(log.empty());
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PointerArea, PointerPress, ::testing::Values(
    PressCase{"PrecisionBox", {51, 255}, true, {1, 0}, {4, 7, 9}},
    PressCase{"OneScreenBox", {66, 420}, true, {0, 1}, {4, 7, 9}},
    PressCase{"BoxTextIsBackground", {100, 260}, false, {0, 0}, {4, 7, 9}},
    PressCase{"Default", {194, 573}, true, {0, 0}, {6, 3, 6}},
    PressCase{"FirstStepOfTheSpeed", {52, 200}, true, {0, 0}, {1, 7, 9}},
    PressCase{"SharedEdgeBelongsToTheNextStep", {76, 350}, true, {0, 0}, {4, 2, 9}},
    PressCase{"LastStepOfTheDoubleClick", {315, 510}, true, {0, 0}, {4, 7, 11}},
    PressCase{"RightOfTheLastStep", {316, 205}, false, {0, 0}, {4, 7, 9}},
    PressCase{"UnderAStep", {60, 211}, false, {0, 0}, {4, 7, 9}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct ApplyCase {
    const char* name;
    std::array<int, 2> flags;
    std::array<int, 3> positions;
    std::vector<std::string> writes;
};

class PointerApply : public PointerAreaTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(PointerApply, StoredChoicesReachWindows) {
    const ApplyCase& c = GetParam();
    block.pointerFlag(0) = static_cast<std::uint8_t>(c.flags[0]);
    block.pointerFlag(1) = static_cast<std::uint8_t>(c.flags[1]);
    SetPositions(c.positions[0], c.positions[1], c.positions[2]);

    area.OnApplied();

    EXPECT_EQ(windows.writes, c.writes);
    EXPECT_TRUE(log.empty());  // nothing drawn, nothing to say
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PointerArea, PointerApply, ::testing::Values(
    ApplyCase{"MiddleSteps", {1, 0}, {6, 3, 6},
              {"SetMouse 6,10,1", "SetMouseSpeed 10", "SetWheelScrollLines 3", "SetDoubleClickTime 550"}},
    ApplyCase{"SlowestSteps", {0, 0}, {1, 1, 1},
              {"SetMouse 0,0,0", "SetMouseSpeed 1", "SetWheelScrollLines 1", "SetDoubleClickTime 900"}},
    ApplyCase{"FastestSteps", {0, 0}, {11, 11, 11},
              {"SetMouse 0,0,0", "SetMouseSpeed 20", "SetWheelScrollLines 11", "SetDoubleClickTime 200"}},
    ApplyCase{"OneScreenWhateverTheSliderShows", {0, 1}, {2, 9, 2},
              {"SetMouse 0,0,0", "SetMouseSpeed 2", "SetWheelScrollLines 4294967295",
               "SetDoubleClickTime 830"}},
    ApplyCase{"OneScreenAtPositionZero", {0, 1}, {6, 0, 6},
              {"SetMouse 0,0,0", "SetMouseSpeed 10", "SetWheelScrollLines 4294967295",
               "SetDoubleClickTime 550"}},
    // An all-zero block gives the slowest steps, never speed 0 or 0 lines.
    ApplyCase{"AllZeroBlock", {0, 0}, {0, 0, 0},
              {"SetMouse 0,0,0", "SetMouseSpeed 1", "SetWheelScrollLines 1", "SetDoubleClickTime 900"}},
    // Positions read past the sliders are written as shown, at the fastest step.
    ApplyCase{"PastTheSliders", {0, 0}, {12, 20, 131},
              {"SetMouse 0,0,0", "SetMouseSpeed 20", "SetWheelScrollLines 11", "SetDoubleClickTime 200"}},
    ApplyCase{"PrecisionFlagOtherThanOne", {2, 0}, {6, 3, 6},
              {"SetMouse 6,10,1", "SetMouseSpeed 10", "SetWheelScrollLines 3", "SetDoubleClickTime 550"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(PointerAreaTest, EachRefusedWriteIsNamedAndTheNextStillGoes) {
    SetPositions(6, 3, 6);
    windows.failing = {"SetMouse", "SetWheelScrollLines"};
    area.ApplyPointerSettings();
    EXPECT_EQ(windows.writes.size(), 4u);
    EXPECT_EQ(windows.speed, 10u);
    EXPECT_EQ(windows.doubleClickTime, 550u);
    EXPECT_EQ(log, (std::vector<std::string>{"ShowMessage SETMOUSE failed. | Warning",
                                             "ShowMessage SETWHEELSCROLLLINES failed. | Warning"}));

    log.clear();
    windows.failing = {"SetMouse", "SetMouseSpeed", "SetWheelScrollLines", "SetDoubleClickTime"};
    area.ApplyPointerSettings();
    EXPECT_EQ(parts.host.Lines("ShowMessage"),
              (std::vector<std::string>{"ShowMessage SETMOUSE failed. | Warning",
                                        "ShowMessage SETMOUSESPEED failed. | Warning",
                                        "ShowMessage SETWHEELSCROLLLINES failed. | Warning",
                                        "ShowMessage SPI_SETDOUBLECLICKTIME failed. | Warning"}));
}

TEST_F(PointerAreaTest, DefaultWritesWindowsAtOnceAndShowsTheDefaults) {
    block.pointerFlag(0) = 1;
    block.pointerFlag(1) = 1;
    SetPositions(11, 0, 2);

    area.RestorePointerDefaults();

    EXPECT_EQ(windows.writes, (std::vector<std::string>{"SetMouse 0,0,0", "SetMouseSpeed 10",
                                                        "SetWheelScrollLines 3", "SetDoubleClickTime 500"}));
    EXPECT_EQ(Flags(), (std::array<int, 2>{0, 0}));
    EXPECT_EQ(Positions(), (std::array<int, 3>{6, 3, 6}));
    std::vector<std::string> expected =
        Concat({{Box(0, false), Box(1, false)}, Slider(1, 6), Slider(2, 3), Slider(3, 6), {"Present"}});
    EXPECT_EQ(log, expected);

    // Windows holds 500 ms until the next OK or Apply writes position 6 as 550 ms.
    EXPECT_EQ(windows.doubleClickTime, 500u);
    area.OnApplied();
    EXPECT_EQ(windows.doubleClickTime, 550u);
    EXPECT_EQ(windows.speed, 10u);
    EXPECT_EQ(windows.wheelLines, 3u);
    EXPECT_EQ(windows.mouse, (ui::MouseParameters{0, 0, 0}));
}

TEST_F(PointerAreaTest, DefaultNamesEachRefusedWriteAndStillShowsTheDefaults) {
    windows.failing = {"SetMouseSpeed", "SetDoubleClickTime"};
    area.RestorePointerDefaults();
    EXPECT_EQ(parts.host.Lines("ShowMessage"),
              (std::vector<std::string>{"ShowMessage SETMOUSESPEED failed. | Warning",
                                        "ShowMessage SPI_SETDOUBLECLICKTIME failed. | Warning"}));
    EXPECT_EQ(windows.wheelLines, 3u);
    EXPECT_EQ(Positions(), (std::array<int, 3>{6, 3, 6}));
}

// --- in the main window --------------------------------------------------------

// config.bin with pointer choices of its own.
class PointerInTheWindow : public MainWindowTest {
  protected:
    void StartWithPointerChoices() {
        SettingsBlock saved = SampleBlock();
        saved.pointerFlag(0) = 1;
        saved.pointerFlag(1) = 0;
        saved.pointerValue(0) = 4;
        saved.pointerValue(1) = 5;
        saved.pointerValue(2) = 7;
        folder.Write("config.bin", EncodeSettingsFile(saved));
        folder.Write("str.ini", SAMPLE_STR_INI);
        writeSampleFiles = false;
        Start();
    }
};

TEST_F(PointerInTheWindow, OkBeforeTheAdvancedPageWritesWhatConfigBinHolds) {
    StartWithPointerChoices();
    host.pointer.speed = 16;  // not read: the page was never shown

    window->OnLButtonDown({600, 630});  // OK

    EXPECT_EQ(host.pointer.writes,
              (std::vector<std::string>{"SetMouse 6,10,1", "SetMouseSpeed 6", "SetWheelScrollLines 5",
                                        "SetDoubleClickTime 480"}));
}

TEST_F(PointerInTheWindow, OkAfterMovingTheSlidersWritesThem) {
    StartWithPointerChoices();
    ShowAdvancedPage();                          // reads Windows: precision on, 6, 3, 6
    window->OnLButtonDown({52 + 24 * 8, 203});   // speed step 9
    window->OnLButtonDown({52 + 24 * 10, 353});  // scrolling step 11
    window->OnLButtonDown({52, 503});            // double-click step 1
    window->OnLButtonDown({55, 260});            // precision off
    EXPECT_TRUE(host.pointer.writes.empty());

    window->OnLButtonDown({700, 630});  // Apply

    EXPECT_EQ(host.pointer.speed, 16u);
    EXPECT_EQ(host.pointer.wheelLines, 11u);
    EXPECT_EQ(host.pointer.doubleClickTime, 900u);
    EXPECT_EQ(host.pointer.mouse, (ui::MouseParameters{0, 0, 0}));
    EXPECT_EQ(window->Store().savedBlock.pointerValue(0), 9);
}

TEST_F(PointerInTheWindow, CancelRestoresTheChoicesWithoutTouchingWindows) {
    StartWithPointerChoices();
    ShowAdvancedPage();
    window->OnLButtonDown({52 + 24 * 10, 203});  // speed step 11
    window->OnLButtonDown({55, 410});            // one screen
    window->OnLButtonDown({800, 630});           // Cancel

    EXPECT_TRUE(host.pointer.writes.empty());
    EXPECT_EQ(window->Store().block.pointerValue(0), 4);
    EXPECT_EQ(window->Store().block.pointerFlag(1), 0);

    // Shown again, the page draws config.bin's choices; Windows is not read a second time.
    host.pointer.speed = 20;
    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_ADVANCED);
    EXPECT_EQ(window->Store().block.pointerValue(0), 4);
    EXPECT_EQ(LitSteps(host.log), (std::array<int, 3>{4, 5, 7}));
    EXPECT_TRUE(host.pointer.writes.empty());
}

}  // namespace
}  // namespace kv12::test
