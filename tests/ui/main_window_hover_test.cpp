#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/ui/main_window_fixture.h"
#include "ui/main_window_regions.h"
#include "ui/skin_images.h"

namespace kv12::test {
namespace {

using ui::HoverRegion;

const std::string BUTTON_NORMAL(SkinImageName(SkinImage::ButtonNormal));
const std::string BUTTON_OVER(SkinImageName(SkinImage::ButtonOver));
const std::string BOX_NORMAL(SkinImageName(SkinImage::DropdownBoxNormal));
const std::string BOX_OVER(SkinImageName(SkinImage::DropdownBoxOver));

class HoverTest : public MainWindowTest {
  protected:
    void SetUp() override {
        Start();
        host.log.clear();
    }
    // Moves onto a point, rests there, and returns what was drawn by the rest.
    std::vector<std::string> RestOn(Point point) {
        window->OnMouseMove(point);
        host.log.clear();
        window->OnMouseHover(point);
        auto drawn = host.log;
        host.log.clear();
        return drawn;
    }
};

TEST_F(HoverTest, MovingOntoARegionOnlyAsksForHoverTracking) {
    window->OnMouseMove({600, 630});
    EXPECT_EQ(host.log, std::vector<std::string>{"TrackHover"});
}

TEST_F(HoverTest, OkToCancelIsOneRedraw) {
    EXPECT_EQ(RestOn({600, 630}),
              (std::vector<std::string>{ImageLine(BUTTON_OVER, {562, 623}),
                                        TextLine("OK", {562, 623, 667, 644}), "Present"}));

    EXPECT_EQ(RestOn({800, 630}),
              (std::vector<std::string>{
                  ImageLine(BUTTON_OVER, {770, 623}), TextLine("Cancel", {770, 623, 875, 644}),
                  ImageLine(BUTTON_NORMAL, {562, 623}), TextLine("OK", {562, 623, 667, 644}), "Present"}));
    EXPECT_FALSE(window->HoverFlag(HoverRegion::Ok));
    EXPECT_TRUE(window->HoverFlag(HoverRegion::Cancel));
}

TEST_F(HoverTest, RowTwoToRowThreeRedrawsBothWithNumberAndText) {
    RestOn({300, 225});
    EXPECT_EQ(
        RestOn({300, 250}),
        (std::vector<std::string>{
            ImageLine(BOX_OVER, {252, 245}), TextLine("3", {252, 245, 272, 266}, ui::TextFormat::Left),
            TextLine("Mid Click", {272, 245, 463, 266}, ui::TextFormat::Left),
            ImageLine(BOX_NORMAL, {252, 222}), TextLine("2", {252, 222, 272, 243}, ui::TextFormat::Left),
            TextLine("Right Click", {272, 222, 463, 243}, ui::TextFormat::Left), "Present"}));
}

TEST_F(HoverTest, RowsShowTheTextsOfTheEditedKeyMode) {
    window->Store().block.keyMode() = 1;
    const auto drawn = RestOn({300, 205});
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[2], TextLine("B one", {272, 199, 463, 220}, ui::TextFormat::Left));
}

TEST_F(HoverTest, AreaOfRowsSevenAndEightIsInert) {
    for (Point point : {Point{300, 340}, Point{300, 362}}) {
        window->OnMouseMove(point);
        window->OnMouseHover(point);
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(HoverTest, RegionsOfTheOtherPageAreInert) {
    for (Point point : {Point{520, 530}, Point{650, 530}, Point{800, 530}, Point{200, 580}}) {
        window->OnMouseMove(point);
        window->OnMouseHover(point);
    }
    EXPECT_TRUE(host.log.empty());

    ShowAdvancedPage();
    for (Point point : {Point{320, 555}, Point{300, 205}}) {
        window->OnMouseMove(point);
        window->OnMouseHover(point);
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(HoverTest, RegionsAloneInTheirGroupKeepEachOthersOverImage) {
    RestOn({705, 10});
    EXPECT_EQ(RestOn({855, 10}), (std::vector<std::string>{
                                     ImageLine(SkinImageName(SkinImage::CloseOver), {850, 5}), "Present"}));
    EXPECT_TRUE(window->HoverFlag(HoverRegion::SkinButton));
    EXPECT_TRUE(window->HoverFlag(HoverRegion::Close));
}

TEST_F(HoverTest, MovingOffEveryRegionRedrawsTheFlaggedOnesInOrderOnce) {
    RestOn({600, 630});
    RestOn({855, 10});
    RestOn({705, 10});
    RestOn({300, 320});

    window->OnMouseMove({400, 400});

    EXPECT_EQ(host.log, (std::vector<std::string>{
                            ImageLine(SkinImageName(SkinImage::SkinButtonNormal), {701, 5}),
                            ImageLine(SkinImageName(SkinImage::CloseNormal), {850, 5}),
                            ImageLine(BUTTON_NORMAL, {562, 623}), TextLine("OK", {562, 623, 667, 644}),
                            ImageLine(BOX_NORMAL, {252, 314}),
                            TextLine("6", {252, 314, 272, 335}, ui::TextFormat::Left),
                            TextLine("DPI Loop", {272, 314, 463, 335}, ui::TextFormat::Left), "Present"}));
    host.log.clear();
    window->OnMouseMove({410, 400});
    EXPECT_TRUE(host.log.empty());
}

TEST_F(HoverTest, OverImageOfTheOtherPageIsNotPaintedOntoThisOne) {
    ShowAdvancedPage();
    RestOn({520, 530});  // New
    ASSERT_TRUE(window->HoverFlag(HoverRegion::New));
    window->OnLButtonDown({30, 70});  // back to the basic page
    host.log.clear();

    window->OnMouseMove({400, 400});

    EXPECT_TRUE(host.log.empty());
    EXPECT_FALSE(window->HoverFlag(HoverRegion::New));
}

TEST_F(HoverTest, RebuildKeepsFlagsSoTheNextMoveRestoresTheNormalImage) {
    RestOn({700, 630});
    window->RebuildShownPage();
    host.log.clear();

    window->OnMouseMove({400, 400});

    EXPECT_EQ(host.log, (std::vector<std::string>{ImageLine(BUTTON_NORMAL, {666, 623}),
                                                  TextLine("Apply", {666, 623, 771, 644}), "Present"}));
}

// The images a pass of the pointer over a page's hover regions draws: the
// page drew them or asked for them ahead when it was built, so that a host
// can decode them with the page and hovering never waits for a file.
TEST_F(MainWindowTest, EachPageAsksAheadForTheImagesItsHoverRegionsDraw) {
    const auto imagesDrawn = [](const std::vector<std::string>& log) {
        std::set<std::string> names;
        for (const std::string& line : log) {
            if (line.starts_with("DrawImage ")) names.insert(line.substr(10, line.find(' ', 10) - 10));
        }
        return names;
    };
    Start();
    for (const int page : {ui::PAGE_BASIC, ui::PAGE_ADVANCED}) {
        if (page == ui::PAGE_ADVANCED) {
            host.preparedImages.clear();
            window->OnLButtonDown({90, 78});  // the next page
        }
        ASSERT_EQ(window->CurrentPage(), page);
        std::set<std::string> ready = imagesDrawn(host.log);
        ready.insert(host.preparedImages.begin(), host.preparedImages.end());
        host.log.clear();
        int regions = 0;
        for (int i = 0; i < ui::HOVER_REGION_COUNT; ++i) {
            const ui::HoverRegionInfo& info = ui::RegionInfo(static_cast<HoverRegion>(i));
            if (info.page != ui::PAGE_NONE && info.page != page) continue;
            ++regions;
            const Rect r = info.rect;
            window->OnMouseMove({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            window->OnMouseHover({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            window->OnMouseMove({400, 400});  // off every region
        }
        const std::set<std::string> swept = imagesDrawn(host.log);
        EXPECT_EQ(regions, page == ui::PAGE_BASIC ? 15 : 12);
        EXPECT_TRUE(swept.contains(BUTTON_OVER)) << "the sweep draws over images";
        for (const std::string& image : swept)
            EXPECT_TRUE(ready.contains(image)) << image << " on page " << page;
        host.log.clear();
    }
}

}  // namespace
}  // namespace kv12::test
