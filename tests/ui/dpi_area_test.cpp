#include "ui/dpi_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/page_context_fixture.h"
#include "tests/ui/recording_host.h"
#include "ui/dpi_tables.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::DpiArea;
using ui::TextFormat;

std::string Image(SkinImage image, Point at) {
    return ImageLine(SkinImageName(image), at);
}
std::string Light(int stage, int step) {
    return Image(SkinImage::DpiSliderLight, {554 + 27 * (stage - 1), 500 - 18 * (step - 1)});
}
std::string Dark(int stage, int step) {
    return Image(SkinImage::DpiSliderDark, {554 + 27 * (stage - 1), 500 - 18 * (step - 1)});
}

class DpiAreaTest : public ::testing::Test {
  protected:
    PageContextParts parts;
    std::vector<std::string>& log = parts.host.log;
    RecordingMainHost& host = parts.host;
    SettingsBlock& block = parts.store.block;
    std::uint8_t sensorType = 0;
    DpiArea area{parts.context, sensorType};
};

TEST_F(DpiAreaTest, ChoosingTheRateRedrawsOldAndNewPositionAndStoresItsCode) {
    block.reportRate() = REPORT_RATE_125HZ;
    area.SelectReportRate(4);
    EXPECT_EQ(block.reportRate(), REPORT_RATE_1000HZ);
    EXPECT_EQ(log, (std::vector<std::string>{Image(SkinImage::RateSliderDark, {542, 204}),
                                             Image(SkinImage::RateSliderLight, {758, 204}), "Present"}));
}

TEST_F(DpiAreaTest, ChoosingTheChosenRateDrawsNothing) {
    block.reportRate() = REPORT_RATE_250HZ;
    area.SelectReportRate(2);
    EXPECT_TRUE(log.empty());
}

TEST_F(DpiAreaTest, UnknownStoredRateIsShownAt1000AndDarkenedWhenAnotherIsChosen) {
    block.reportRate() = 0;
    area.DrawRateCells();
    EXPECT_EQ(log.back(), Image(SkinImage::RateSliderLight, {758, 204}));
    log.clear();

    area.SelectReportRate(3);
    EXPECT_EQ(block.reportRate(), REPORT_RATE_500HZ);
    EXPECT_EQ(log, (std::vector<std::string>{Image(SkinImage::RateSliderDark, {758, 204}),
                                             Image(SkinImage::RateSliderLight, {686, 204}), "Present"}));
    log.clear();

    // From the unknown code to 1000 Hz: the position stays light.
    block.reportRate() = 0;
    area.SelectReportRate(4);
    EXPECT_EQ(block.reportRate(), REPORT_RATE_1000HZ);
    EXPECT_EQ(log, (std::vector<std::string>{Image(SkinImage::RateSliderLight, {758, 204}), "Present"}));
}

TEST_F(DpiAreaTest, LastStageThatIsOnStaysOn) {
    block.dpiStageEnabled(1) = 1;
    area.ToggleStage(2);
    EXPECT_EQ(block.dpiStageEnabled(1), 1);
    EXPECT_TRUE(log.empty());

    area.ToggleStage(3);
    EXPECT_EQ(block.dpiStageEnabled(2), 1);
    log.clear();
    area.ToggleStage(2);
    EXPECT_EQ(block.dpiStageEnabled(1), 0);
    ASSERT_EQ(log.size(), 14u);
    EXPECT_EQ(log.front(), Image(SkinImage::CheckBoxClear, {581, 541}));
    for (int step = 1; step <= 12; ++step) EXPECT_EQ(log[static_cast<std::size_t>(step)], Dark(2, step));
    EXPECT_EQ(log.back(), "Present");
}

TEST_F(DpiAreaTest, SwitchingAStageOnShowsItsStoredStep) {
    block.dpiStageEnabled(0) = 1;
    block.dpiStage(3) = 2;
    area.ToggleStage(4);
    EXPECT_EQ(block.dpiStageEnabled(3), 1);
    std::vector<std::string> expected = {Image(SkinImage::CheckBoxTicked, {635, 541})};
    for (int step = 1; step <= 12; ++step) expected.push_back(step <= 3 ? Light(4, step) : Dark(4, step));
    expected.push_back("Present");
    EXPECT_EQ(log, expected);
}

TEST_F(DpiAreaTest, StepOfAStageThatIsOffIsStoredAndLit) {
    sensorType = 1;
    area.SelectDpiStep(3, 5);
    EXPECT_EQ(block.dpiStage(2), 4);
    EXPECT_EQ(block.dpiStageEnabled(2), 0);
    std::vector<std::string> expected;
    for (int step = 1; step <= 8; ++step) expected.push_back(step <= 5 ? Light(3, step) : Dark(3, step));
    expected.push_back("Present");
    EXPECT_EQ(log, expected);
}

TEST_F(DpiAreaTest, LowestCellStoresLevelZero) {
    block.dpiStage(0) = 7;
    area.SelectDpiStep(1, 1);
    EXPECT_EQ(block.dpiStage(0), 0);
}

TEST_F(DpiAreaTest, ColourOfAStageThatIsOffIsNotAsked) {
    block.dpiStageEnabled(0) = 1;
    area.ChooseStageColor(2);
    EXPECT_TRUE(log.empty());
}

TEST_F(DpiAreaTest, ChosenColourIsStoredAndTheSwatchRepainted) {
    block.dpiStageEnabled(1) = 1;
    host.colorAnswers = {Rgb{10, 20, 30}};
    area.ChooseStageColor(2);
    EXPECT_EQ(log, (std::vector<std::string>{"ChooseColor 0,0,0", "InvalidateControl 72"}));
    EXPECT_EQ(area.SwatchColor(72), (Rgb{10, 20, 30}));
    EXPECT_EQ(block.stageColor(1, ColorChannel::Green), 20);
}

TEST_F(DpiAreaTest, CancelledColourChangesNothing) {
    block.dpiStageEnabled(1) = 1;
    block.stageColor(1, ColorChannel::Red) = 7;
    area.ChooseStageColor(2);
    EXPECT_EQ(log, std::vector<std::string>{"ChooseColor 0,0,0"});
    EXPECT_EQ(area.SwatchColor(72), (Rgb{7, 0, 0}));
    EXPECT_EQ(area.SwatchColor(70), std::nullopt);
    EXPECT_EQ(area.SwatchColor(75), std::nullopt);
}

TEST_F(DpiAreaTest, EightStepSensorShowsItsScaleWithTheLabelsAndNumerals) {
    sensorType = 1;
    block.dpiStageEnabled(0) = 1;
    area.DrawStages();

    std::vector<std::string> scale;
    for (const auto& line : log) {
        if (line.starts_with("DrawText") && line.ends_with("Right")) scale.push_back(line);
    }
    const std::vector<std::string> values = {"600", "800", "1000", "1200", "1600", "2000", "2400", "3200"};
    ASSERT_EQ(scale.size(), values.size() + 2);
    EXPECT_EQ(scale[0], TextLine("Color", {494, 523, 544, 539}, TextFormat::Right));
    EXPECT_EQ(scale[1], TextLine("Select", {494, 541, 544, 557}, TextFormat::Right));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int top = 500 - 18 * static_cast<int>(i);
        EXPECT_EQ(scale[i + 2], TextLine(values[i], {494, top, 544, top + 16}, TextFormat::Right));
    }
    EXPECT_NE(std::find(log.begin(), log.end(), TextLine("3", {608, 562, 624, 587})), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), TextLine("1000", {758, 225, 828, 245})), log.end());
    EXPECT_EQ(std::count(log.begin(), log.end(), Dark(2, 8)), 1);
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](const auto& l) { return l.find("slider-DPI") != l.npos; }),
        32);
    for (const Rgb& color : host.textColors) EXPECT_EQ(color, (Rgb{1, 2, 3}));
}

TEST_F(DpiAreaTest, TwelveStepScaleStandsCloserToTheColumn) {
    area.DrawStages();
    EXPECT_NE(std::find(log.begin(), log.end(), TextLine("4000", {514, 302, 544, 318}, TextFormat::Right)),
              log.end());
}

TEST(DpiTables, ValueTextComesFromTheSensorsTable) {
    EXPECT_EQ(ui::DpiValueText(0, 0), "250");
    EXPECT_EQ(ui::DpiValueText(0, 11), "4000");
    EXPECT_EQ(ui::DpiValueText(0, 12), "");
    EXPECT_EQ(ui::DpiValueText(1, 7), "3200");
    EXPECT_EQ(ui::DpiValueText(1, 8), "");
    EXPECT_EQ(ui::DpiValueText(2, 6), "2000");
    EXPECT_EQ(ui::DpiValueText(3, 0), "400");
    EXPECT_EQ(ui::DpiValueText(4, 0), "");
    EXPECT_EQ(ui::DpiValueText(0, -1), "");
    EXPECT_EQ(ui::DpiStepTable(4).size(), 12u);  // drawn with twelve steps, answering to eight
    EXPECT_FALSE(ui::DpiStepSelectable(4, 9));
    EXPECT_TRUE(ui::DpiStepSelectable(0, 12));
    EXPECT_FALSE(ui::DpiStepSelectable(0, 13));
}

}  // namespace
}  // namespace kv12::test
