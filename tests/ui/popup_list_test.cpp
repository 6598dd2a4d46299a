#include "ui/popup_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/recording_host.h"

namespace kv12::test {
namespace {

using ui::LIST_DOUBLE_CLICKED;
using ui::LIST_SELECTION_CHANGED;
using ui::PopupList;

constexpr int LIST_ID = 573;
constexpr Rect LIST_RECT{50, 86, 132, 256};
constexpr Rect BOX_RECT{50, 70, 132, 84};

class PopupListTest : public ::testing::Test {
  protected:
    void SetUp() override { list.Bind(host); }
    std::vector<std::string> log;
    RecordingDialogHost host{log};
    PopupList list{{LIST_ID, LIST_RECT, BOX_RECT}};
};

TEST_F(PopupListTest, OpenCreatesAFollowingListWithItsItemsAndNothingSelected) {
    list.Open({"A", "B", "C"});
    ASSERT_TRUE(host.ControlExists(LIST_ID));
    const auto& control = host.controls[LIST_ID];
    EXPECT_EQ(control.desc.rect, LIST_RECT);
    EXPECT_EQ(control.desc.style, ui::STYLE_POPUP_LIST);
    EXPECT_TRUE(control.desc.selectionFollowsPointer);
    EXPECT_EQ(control.items, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(control.selection, -1);
    EXPECT_TRUE(list.IsOpen());
}

TEST_F(PopupListTest, ToggleOpensAndClosesAgain) {
    list.Toggle({"A"});
    EXPECT_TRUE(list.IsOpen());
    list.Toggle({"A"});
    EXPECT_FALSE(list.IsOpen());
    EXPECT_FALSE(host.ControlExists(LIST_ID));
}

TEST_F(PopupListTest, OpenAtAnotherPlaceIsWhereTheListGoes) {
    const Rect beside{463, 359, 523, 419};
    list.Open({"DPI +"}, beside);
    EXPECT_EQ(host.controls[LIST_ID].desc.rect, beside);
    EXPECT_EQ(list.ListRect(), beside);
}

struct AwayCase {
    const char* name;
    Point point;
    bool closes;
};

class PopupListAway : public PopupListTest, public ::testing::WithParamInterface<AwayCase> {};

TEST_P(PopupListAway, APressClosesOnlyAwayFromListAndBox) {
    list.Open({"A", "B"});
    EXPECT_EQ(list.CloseIfAwayFrom(GetParam().point), GetParam().closes);
    EXPECT_EQ(list.IsOpen(), !GetParam().closes);
    EXPECT_EQ(host.ControlExists(LIST_ID), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(PopupList, PopupListAway,
                         ::testing::Values(AwayCase{"InTheBox", {60, 75}, false},
                                           AwayCase{"InTheList", {60, 200}, false},
                                           AwayCase{"BelowTheList", {60, 256}, true},
                                           AwayCase{"Elsewhere", {300, 20}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PopupListTest, AClosedListIsNeverClosedAgain) {
    EXPECT_FALSE(list.CloseIfAwayFrom({300, 20}));
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupListTest, ChoiceIsTheSelectionOfThisListsNotifications) {
    list.Open({"A", "B", "C"});
    host.controls[LIST_ID].selection = 2;
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, LIST_SELECTION_CHANGED), 2);
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, LIST_DOUBLE_CLICKED), 2);
    EXPECT_EQ(list.ItemText(2), "C");
    EXPECT_EQ(list.ChoiceFrom(LIST_ID + 1, LIST_SELECTION_CHANGED), std::nullopt);
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, 5), std::nullopt);  // another notification (LBN_SETFOCUS)
    EXPECT_TRUE(list.IsOpen());                            // the owner closes it
}

TEST_F(PopupListTest, NoChoiceWithoutASelectionOrAList) {
    list.Open({"A"});
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, LIST_SELECTION_CHANGED), std::nullopt);
    host.controls[LIST_ID].selection = 7;  // beyond the items
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, LIST_SELECTION_CHANGED), std::nullopt);
    list.Close();
    EXPECT_EQ(list.ChoiceFrom(LIST_ID, LIST_SELECTION_CHANGED), std::nullopt);
    EXPECT_EQ(list.ItemText(-1), "");
}

TEST_F(PopupListTest, WheelScrollsTheOpenListThreeLines) {
    list.Scroll(-120);
    EXPECT_TRUE(log.empty());
    list.Open({"A"});
    log.clear();
    list.Scroll(-120);
    list.Scroll(0);
    list.Scroll(120);
    EXPECT_EQ(log, (std::vector<std::string>{"ScrollList 573 3", "ScrollList 573 3", "ScrollList 573 -3"}));
}

}  // namespace
}  // namespace kv12::test
