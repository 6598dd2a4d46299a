#include "ui/lighting_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/page_context_fixture.h"

namespace kv12::test {
namespace {

using ui::LightingArea;
using ui::LIST_SELECTION_CHANGED;

constexpr int MODE_LIST = 60;
constexpr int PARAMETER_LIST = 61;
constexpr int EFFECT_LIST = 62;
constexpr int MODE_BOX = 80;
constexpr int PARAMETER_BOX = 81;
constexpr int EFFECT_BOX = 82;
constexpr Point MODE_ROW{800, 335};
constexpr Point PARAMETER_ROW{845, 365};
constexpr Point EFFECT_ROW{800, 395};
constexpr Point ELSEWHERE{600, 100};

class LightingAreaTest : public ::testing::Test {
  protected:
    // Opens a row's list and picks a position in it.
    void Choose(Point row, int listId, int position) {
        area.CloseListsAwayFrom(row);
        area.OnPress(row);
        ASSERT_TRUE(host.ControlExists(listId));
        host.controls[listId].selection = position;
        area.OnCommand(listId, LIST_SELECTION_CHANGED);
    }
    std::string Box(int id) { return host.ControlExists(id) ? host.controls[id].desc.text : "(none)"; }

    PageContextParts parts;
    RecordingMainHost& host = parts.host;
    SettingsBlock& block = parts.store.block;
    LightingArea area{parts.context};
};

struct BuildCase {
    const char* name;
    std::uint8_t mode, param0, param1, param2, effect1, effect2, effect3;
    std::string modeText, parameterText, effectText;
};

class LightingBuild : public LightingAreaTest, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(LightingBuild, BoxesShowTheStoredModeWithItsOwnParameterAndEffect) {
    const BuildCase& c = GetParam();
    block.ledMode() = c.mode;
    block.ledParam(0) = c.param0;
    block.ledParam(1) = c.param1;
    block.ledParam(2) = c.param2;
    block.ledEffectOfMode12(0) = c.effect1;
    block.ledEffectOfMode12(1) = c.effect2;
    block.ledEffect3() = c.effect3;

    area.Build();

    EXPECT_EQ(Box(MODE_BOX), c.modeText);
    EXPECT_EQ(Box(PARAMETER_BOX), c.parameterText);
    EXPECT_EQ(Box(EFFECT_BOX), c.effectText);
    EXPECT_EQ(host.controls[MODE_BOX].desc.rect, (Rect{767, 330, 835, 344}));
    EXPECT_EQ(host.controls[MODE_BOX].desc.style, ui::STYLE_STATIC_CENTERED);
}

INSTANTIATE_TEST_SUITE_P(
    LightingArea, LightingBuild,
    ::testing::Values(BuildCase{"Off", 0, 3, 3, 3, 1, 1, 2, "Off", "(none)", "(none)"},
                      BuildCase{"Standard", 1, 9, 0, 0, 0, 2, 2, "Standard", "100%", "Non-Disolay"},
                      BuildCase{"Respiration", 2, 0, 4, 0, 0, 2, 2, "Respiration", "4S", "RGB Flash"},
                      BuildCase{"Neon", 3, 0, 0, 29, 0, 0, 3, "Neon", "15S", "RGB Fixed On"},
                      // Values outside their lists show nothing rather than a neighbour's text.
                      BuildCase{"NeonValuesOutsideTheirLists", 3, 0, 0, 30, 0, 0, 9, "Neon", "", ""},
                      BuildCase{"UnknownMode", 7, 0, 0, 0, 0, 0, 0, "", "(none)", "(none)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LightingAreaTest, BuildDrawsTheRowLabelsRightAlignedLeftOfTheRows) {
    parts.SetLanguage("CHT");
    area.Build();
    EXPECT_EQ(host.Lines("DrawText"),
              (std::vector<std::string>{TextLine("模式", {697, 330, 757, 344}, ui::TextFormat::Right),
                                        TextLine("參數", {697, 360, 757, 374}, ui::TextFormat::Right),
                                        TextLine("效果", {697, 390, 757, 404}, ui::TextFormat::Right)}));
}

TEST_F(LightingAreaTest, NeonThenStandardShowEachModesOwnValues) {
    block.ledMode() = 1;
    block.ledParam(0) = 4;
    block.ledParam(2) = 5;
    block.ledEffect3() = 3;
    area.Build();

    Choose(MODE_ROW, MODE_LIST, 2);
    EXPECT_EQ(block.ledMode(), 3);
    EXPECT_EQ(Box(MODE_BOX), "Neon");
    EXPECT_EQ(Box(PARAMETER_BOX), "3S");
    EXPECT_EQ(Box(EFFECT_BOX), "RGB Fixed On");
    EXPECT_FALSE(host.ControlExists(MODE_LIST));

    Choose(MODE_ROW, MODE_LIST, 0);
    EXPECT_EQ(block.ledMode(), 1);
    EXPECT_EQ(Box(PARAMETER_BOX), "45%");
    EXPECT_EQ(Box(EFFECT_BOX), "RGB Effect");
    EXPECT_EQ(block.ledParam(2), 5);
    EXPECT_EQ(block.ledEffect3(), 3);
}

TEST_F(LightingAreaTest, ModeListOffersTheThreeLitModesInTheLanguage) {
    parts.SetLanguage("CHS");
    area.Build();
    area.OnPress(MODE_ROW);
    EXPECT_EQ(host.controls[MODE_LIST].items, (std::vector<std::string>{"标准模式", "呼吸模式", "霓虹模式"}));
    EXPECT_EQ(host.controls[MODE_LIST].desc.rect, (Rect{766, 347, 851, 407}));
}

struct ParameterCase {
    const char* name;
    std::uint8_t mode;
    Rect listRect;
    std::size_t items;
    int pick;
    std::string text;
};

class LightingParameters : public LightingAreaTest, public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(LightingParameters, ListFollowsTheModeAndTheChoiceGoesToItsByte) {
    const ParameterCase& c = GetParam();
    block.ledMode() = c.mode;
    area.Build();
    area.OnPress(PARAMETER_ROW);
    ASSERT_TRUE(host.ControlExists(PARAMETER_LIST));
    EXPECT_EQ(host.controls[PARAMETER_LIST].desc.rect, c.listRect);
    EXPECT_EQ(host.controls[PARAMETER_LIST].items.size(), c.items);

    host.controls[PARAMETER_LIST].selection = c.pick;
    area.OnCommand(PARAMETER_LIST, LIST_SELECTION_CHANGED);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(block.ledParam(i), i + 1 == c.mode ? c.pick : 0) << i;
    EXPECT_EQ(Box(PARAMETER_BOX), c.text);
    EXPECT_FALSE(host.ControlExists(PARAMETER_LIST));
}

INSTANTIATE_TEST_SUITE_P(LightingArea, LightingParameters,
                         ::testing::Values(ParameterCase{"Standard", 1, {767, 377, 851, 547}, 10, 9, "100%"},
                                           ParameterCase{"Respiration", 2, {767, 377, 851, 467}, 5, 1, "7S"},
                                           ParameterCase{"Neon", 3, {767, 377, 851, 577}, 30, 29, "15S"},
                                           // Lighting off: the neon times are listed, nothing is stored.
                                           ParameterCase{"Off", 0, {767, 377, 851, 577}, 30, 3, "(none)"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LightingAreaTest, EffectOfModesOneAndTwoIsShownWithoutAList) {
    block.ledMode() = 2;
    block.ledEffectOfMode12(1) = 2;
    area.Build();
    area.OnPress(EFFECT_ROW);
    EXPECT_FALSE(host.ControlExists(EFFECT_LIST));
    EXPECT_EQ(Box(EFFECT_BOX), "RGB Effect");
    EXPECT_EQ(block.ledEffectOfMode12(1), 2);  // shown, never changed

    block.ledMode() = 0;
    area.OnPress(EFFECT_ROW);
    EXPECT_FALSE(host.ControlExists(EFFECT_LIST));
}

TEST_F(LightingAreaTest, NeonEffectIsOneOfTwo) {
    block.ledMode() = 3;
    block.ledEffect3() = 2;
    area.Build();
    Choose(EFFECT_ROW, EFFECT_LIST, 1);
    EXPECT_EQ(block.ledEffect3(), 3);
    EXPECT_EQ(Box(EFFECT_BOX), "RGB Fixed On");
    EXPECT_FALSE(host.ControlExists(EFFECT_LIST));
}

TEST_F(LightingAreaTest, RowTogglesItsListAndAPressElsewhereClosesIt) {
    area.Build();
    area.OnPress(PARAMETER_ROW);
    EXPECT_TRUE(area.ListOpen(PARAMETER_LIST));
    area.CloseListsAwayFrom(PARAMETER_ROW);
    area.OnPress(PARAMETER_ROW);
    EXPECT_FALSE(host.ControlExists(PARAMETER_LIST));

    area.OnPress(PARAMETER_ROW);
    area.CloseListsAwayFrom({800, 400});  // inside the open list
    EXPECT_TRUE(host.ControlExists(PARAMETER_LIST));
    area.CloseListsAwayFrom(ELSEWHERE);
    EXPECT_FALSE(host.ControlExists(PARAMETER_LIST));
    EXPECT_FALSE(area.OnPress(ELSEWHERE));
}

// A page built with lighting off has no parameter and effect boxes; choosing
// a mode makes them, so the user sees what the mode will do.
TEST_F(LightingAreaTest, ChoosingAModeAfterOffShowsItsParameterAndEffect) {
    block.ledMode() = 0;
    block.ledParam(1) = 2;
    area.Build();
    ASSERT_FALSE(host.ControlExists(PARAMETER_BOX));
    Choose(MODE_ROW, MODE_LIST, 1);
    EXPECT_EQ(Box(PARAMETER_BOX), "6S");
    EXPECT_EQ(Box(EFFECT_BOX), "RGB Effect");
    EXPECT_EQ(host.controls[PARAMETER_BOX].desc.rect, (Rect{767, 360, 835, 374}));
}

TEST_F(LightingAreaTest, TearDownRemovesBoxesAndLists) {
    block.ledMode() = 1;
    area.Build();
    area.OnPress(MODE_ROW);
    area.TearDown();
    for (int id : {MODE_LIST, MODE_BOX, PARAMETER_BOX, EFFECT_BOX})
        EXPECT_FALSE(host.ControlExists(id)) << id;
    EXPECT_FALSE(area.OnCommand(41, LIST_SELECTION_CHANGED));
}

}  // namespace
}  // namespace kv12::test
