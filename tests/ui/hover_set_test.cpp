#include "ui/hover_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/recording_host.h"

namespace kv12::test {
namespace {

using ui::HoverSet;

// Three regions: one alone, two in a group; region 2 can be hidden.
class HoverSetTest : public ::testing::Test {
  protected:
    std::vector<std::string> log;
    RecordingDialogHost host{log};
    bool thirdShown = true;
    HoverSet set{{{{0, 0, 10, 10}, 0}, {{20, 0, 30, 10}, 1}, {{40, 0, 50, 10}, 1}},
                 [this](int index, bool over) {
                     log.push_back("draw " + std::to_string(index) + (over ? " over" : " normal"));
                 },
                 [this](int index) { return index != 2 || thirdShown; }};
};

TEST_F(HoverSetTest, MovingOntoARegionOnlyAsksForHover) {
    set.OnMouseMove(host, {5, 5});
    EXPECT_EQ(log, std::vector<std::string>{"TrackHover"});
}

TEST_F(HoverSetTest, RestingDrawsTheOverImageOnce) {
    set.OnMouseHover(host, {5, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"draw 0 over", "Present"}));
    EXPECT_TRUE(set.Flag(0));
}

TEST_F(HoverSetTest, AGroupShowsOneOverImage) {
    set.OnMouseHover(host, {25, 5});
    log.clear();
    set.OnMouseHover(host, {45, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"draw 2 over", "draw 1 normal", "Present"}));
    EXPECT_FALSE(set.Flag(1));
}

TEST_F(HoverSetTest, RegionsOfOtherGroupsKeepTheirOverImage) {
    set.OnMouseHover(host, {5, 5});
    set.OnMouseHover(host, {25, 5});
    EXPECT_TRUE(set.Flag(0));
    EXPECT_TRUE(set.Flag(1));
}

TEST_F(HoverSetTest, MovingOffEveryRegionRedrawsTheFlaggedInOrderInOnePresent) {
    set.OnMouseHover(host, {45, 5});
    set.OnMouseHover(host, {5, 5});
    log.clear();
    set.OnMouseMove(host, {100, 100});
    EXPECT_EQ(log, (std::vector<std::string>{"draw 0 normal", "draw 2 normal", "Present"}));
    log.clear();
    set.OnMouseMove(host, {100, 100});
    EXPECT_TRUE(log.empty());
}

TEST_F(HoverSetTest, AHiddenRegionIsNeitherHoveredNorRedrawn) {
    set.OnMouseHover(host, {45, 5});
    thirdShown = false;
    log.clear();
    set.OnMouseMove(host, {45, 5});  // no longer a region: a move away
    EXPECT_TRUE(log.empty());        // its flag goes without painting over what is shown
    EXPECT_FALSE(set.Flag(2));
    set.OnMouseHover(host, {45, 5});
    EXPECT_TRUE(log.empty());
}

TEST_F(HoverSetTest, ResetForgetsTheFlags) {
    set.OnMouseHover(host, {5, 5});
    set.Reset();
    log.clear();
    set.OnMouseMove(host, {100, 100});
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace kv12::test
