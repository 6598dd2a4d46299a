#include "ui/assignment_area.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/key_function.h"
#include "tests/common/case_name.h"
#include "tests/ui/page_context_fixture.h"

namespace kv12::test {
namespace {

using ui::AssignmentArea;
using ui::ComboKeyChoice;
using ui::FireKeyChoice;
using ui::LIST_DOUBLE_CLICKED;
using ui::LIST_SELECTION_CHANGED;
using ui::ListChoice;
using ui::MacroKeyChoice;

constexpr int SIDE_LIST = 40;
constexpr int List(int button) {
    return 40 + button;
}
constexpr Point Box(int button) {
    return {300, 205 + 23 * (button - 1)};
}
constexpr Point MODE_A{260, 525};
constexpr Point MODE_B{400, 525};
constexpr Point DEFAULT_BUTTON{320, 555};
constexpr Point ELSEWHERE{600, 100};

// Answers the assignment menus' dialogs from a script; an unset answer is a
// dialog ended without OK. Logs which dialog ran.
class ScriptedDialogs : public ui::AssignmentDialogs {
  public:
    std::optional<ListChoice> windows, media;
    std::optional<FireKeyChoice> fire;
    std::optional<std::string> single;
    std::optional<ComboKeyChoice> combo;
    std::optional<MacroKeyChoice> macro;
    std::vector<std::string> ran;

    std::optional<ListChoice> ChooseWindowsKey() override { return Ran("Windows", windows); }
    std::optional<ListChoice> ChooseMediaKey() override { return Ran("Media", media); }
    std::optional<FireKeyChoice> ChooseFireKey() override { return Ran("FireKey", fire); }
    std::optional<std::string> CaptureSingleKey() override { return Ran("Single", single); }
    std::optional<ComboKeyChoice> CaptureComboKey() override { return Ran("Combo", combo); }
    std::optional<MacroKeyChoice> ChooseMacroKey() override { return Ran("Macro", macro); }

  private:
    template <typename T>
    std::optional<T> Ran(const char* name, const std::optional<T>& answer) {
        ran.emplace_back(name);
        return answer;
    }
};

class AssignmentAreaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ApplyDefaultButtons(block);
        block.buttonType(KeyMode::A, 1) = 0;  // button 2 is a Left Click too, so box 1 opens
        for (int i = 0; i < ITEM_TEXT_COUNT; ++i) parts.itemTexts[static_cast<std::size_t>(i)] = "old";
    }
    // Opens the list of a button and picks a position, as a click in the list does.
    void Choose(int button, int position, int notify = LIST_SELECTION_CHANGED) {
        if (!area.OpenButton()) area.OnPress(Box(button));
        ASSERT_TRUE(host.ControlExists(List(button)));
        host.controls[List(button)].selection = position;
        area.OnCommand(List(button), notify);
    }
    std::string& TextA(int button) { return parts.itemTexts[static_cast<std::size_t>(button - 1)]; }
    std::string& TextB(int button) { return parts.itemTexts[static_cast<std::size_t>(8 + button - 1)]; }

    PageContextParts parts;
    RecordingMainHost& host = parts.host;
    SettingsBlock& block = parts.store.block;
    ScriptedDialogs dialogs;
    int redraws = 0;
    AssignmentArea area{parts.context, dialogs, [this] { ++redraws; }};
};

TEST_F(AssignmentAreaTest, BoxOpensTheSixteenKindsInTheInterfaceLanguageAndClosesAgain) {
    parts.SetLanguage("CHS");
    EXPECT_TRUE(area.OnPress(Box(3)));
    ASSERT_TRUE(host.ControlExists(List(3)));
    const auto& list = host.controls[List(3)];
    EXPECT_EQ(list.desc.rect, (Rect{252, 267, 463, 537}));
    ASSERT_EQ(list.items.size(), 16u);
    EXPECT_EQ(list.items[0], "左键");
    EXPECT_EQ(list.items[13], "宏");
    EXPECT_EQ(list.selection, -1);
    EXPECT_EQ(area.OpenButton(), 3);

    area.CloseListsAwayFrom(Box(3));
    area.OnPress(Box(3));
    EXPECT_FALSE(host.ControlExists(List(3)));
    EXPECT_EQ(area.OpenButton(), std::nullopt);
}

TEST_F(AssignmentAreaTest, OpeningAnotherBoxClosesTheOpenList) {
    area.OnPress(Box(2));
    area.CloseListsAwayFrom(Box(5));
    area.OnPress(Box(5));
    EXPECT_FALSE(host.ControlExists(List(2)));
    EXPECT_TRUE(host.ControlExists(List(5)));
}

TEST_F(AssignmentAreaTest, OnlyLeftClickOfTheEditedModeDoesNotOpen) {
    block.buttonType(KeyMode::A, 1) = 1;  // back to the defaults: button 1 is the only Left Click
    area.OnPress(Box(1));
    EXPECT_FALSE(host.ControlExists(List(1)));
    EXPECT_EQ(host.Lines("ShowMessage"),
              std::vector<std::string>{"ShowMessage Left key must be selected! | Warning"});

    // The other buttons open; in Mode B, whose button 1 is not the only one, box 1 opens too.
    area.OnPress(Box(2));
    EXPECT_TRUE(host.ControlExists(List(2)));
    area.SelectKeyMode(1);
    block.buttonType(KeyMode::B, 3) = 0;
    area.CloseListsAwayFrom(Box(1));
    area.OnPress(Box(1));
    EXPECT_TRUE(host.ControlExists(List(1)));
}

TEST_F(AssignmentAreaTest, PressesAwayFromTheListCloseItAndThePressesOnTheListsOwnBoxDoNot) {
    area.OnPress(Box(4));
    area.CloseListsAwayFrom({300, 400});  // inside list 4
    EXPECT_TRUE(host.ControlExists(List(4)));
    area.CloseListsAwayFrom(ELSEWHERE);
    EXPECT_FALSE(host.ControlExists(List(4)));
    EXPECT_FALSE(area.OnPress(ELSEWHERE));
}

struct SimpleKindCase {
    int position;
    const char* text;
};

class SimpleKinds : public AssignmentAreaTest, public ::testing::WithParamInterface<SimpleKindCase> {};

TEST_P(SimpleKinds, ChoiceStoresTheKindAndItsTextInTheEditedModeOnly) {
    const auto [position, text] = GetParam();
    area.SelectKeyMode(1);
    Choose(4, position, LIST_DOUBLE_CLICKED);
    EXPECT_EQ(block.buttonType(KeyMode::B, 3), position);
    EXPECT_EQ(block.buttonType(KeyMode::A, 3), 3);
    EXPECT_EQ(TextB(4), text);
    EXPECT_EQ(TextA(4), "old");
    EXPECT_FALSE(host.ControlExists(List(4)));
    EXPECT_TRUE(dialogs.ran.empty());
}

INSTANTIATE_TEST_SUITE_P(AssignmentArea, SimpleKinds,
                         ::testing::Values(SimpleKindCase{0, "Left Click"}, SimpleKindCase{1, "Right Click"},
                                           SimpleKindCase{2, "Mid Click"}, SimpleKindCase{3, "Forward"},
                                           SimpleKindCase{4, "Backward"}, SimpleKindCase{5, "Triple-click"},
                                           SimpleKindCase{7, "RGB On/Off"}, SimpleKindCase{15, "Key Off"}),
                         // "Kind5_TripleClick": the list position, then the text it stores.
                         [](const auto& info) {
                             return "Kind" + std::to_string(info.param.position) + "_" +
                                    CaseName(info.param.text);
                         });

TEST_F(AssignmentAreaTest, ChoosingDpiSwitchWaitsForTheSideList) {
    Choose(3, 6);
    EXPECT_TRUE(host.ControlExists(List(3)));
    EXPECT_EQ(block.buttonType(KeyMode::A, 2), 2);
    EXPECT_EQ(redraws, 0);
}

TEST_F(AssignmentAreaTest, SideListOpensBesideDpiSwitchAndItsStepIsStored) {
    area.OnPress(Box(2));
    host.listItemHeight = 15;
    area.OnListPointerMove(List(2), 6);
    ASSERT_TRUE(host.ControlExists(SIDE_LIST));
    // Item 6 spans 90..105 in a list at (252, 244), 211 pixels wide.
    EXPECT_EQ(host.controls[SIDE_LIST].desc.rect, (Rect{463, 334, 523, 394}));
    EXPECT_EQ(host.controls[SIDE_LIST].items, (std::vector<std::string>{"DPI +", "DPI -", "DPI Loop"}));
    EXPECT_TRUE(host.controls[SIDE_LIST].desc.selectionFollowsPointer);

    host.controls[SIDE_LIST].selection = 1;
    area.OnCommand(SIDE_LIST, LIST_SELECTION_CHANGED);
    EXPECT_EQ(block.buttonType(KeyMode::A, 1), 6);
    EXPECT_EQ(block.dpiSwitchParam(KeyMode::A, 1), 2);
    EXPECT_EQ(TextA(2), "DPI -");
    EXPECT_FALSE(host.ControlExists(SIDE_LIST));
    EXPECT_FALSE(host.ControlExists(List(2)));
    EXPECT_EQ(redraws, 1);
}

TEST_F(AssignmentAreaTest, SideListClosesOverAnotherItemAndOnAnyPress) {
    area.OnPress(Box(2));
    area.OnListPointerMove(List(2), 6);
    area.OnListPointerMove(List(2), 5);
    EXPECT_FALSE(host.ControlExists(SIDE_LIST));
    area.OnListPointerMove(List(2), 6);
    area.CloseListsAwayFrom(Box(2));
    EXPECT_FALSE(host.ControlExists(SIDE_LIST));
    EXPECT_TRUE(host.ControlExists(List(2)));
}

TEST_F(AssignmentAreaTest, ShiftGoesIntoBothModesOnceAndASecondShiftIsRefused) {
    Choose(3, 14);
    EXPECT_EQ(block.buttonType(KeyMode::A, 2), 14);
    EXPECT_EQ(block.buttonType(KeyMode::B, 2), 14);
    EXPECT_EQ(TextA(3), "Shift");
    EXPECT_EQ(TextB(3), "Shift");
    EXPECT_FALSE(host.ControlExists(List(3)));

    area.SelectKeyMode(1);
    Choose(4, 14);
    EXPECT_EQ(block.buttonType(KeyMode::B, 3), 3);
    EXPECT_EQ(TextB(4), "old");
    EXPECT_FALSE(host.ControlExists(List(4)));
}

TEST_F(AssignmentAreaTest, ReplacingShiftReplacesItInBothModesWithTheSameParameters) {
    Choose(3, 14);
    area.SelectKeyMode(1);
    Choose(3, 1);
    EXPECT_EQ(block.buttonType(KeyMode::A, 2), 1);
    EXPECT_EQ(block.buttonType(KeyMode::B, 2), 1);
    EXPECT_EQ(TextA(3), "Right Click");
    EXPECT_EQ(TextB(3), "Right Click");

    // A parameter kind: both modes must send the key their texts name.
    Choose(5, 14);
    dialogs.single = "Enter";
    Choose(5, 11);
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        EXPECT_EQ(block.buttonType(mode, 4), 11);
        EXPECT_EQ(block.buttonParam(mode, 10, 4), 0x28);
        EXPECT_EQ(EncodeKeyFunction(block.buttonType(mode, 4), ButtonParamsOf(block, mode, 4), 0),
                  MakeCode(CODE_KEYBOARD, 0, 0x28, 0));
    }
    EXPECT_EQ(TextA(5), "Single Key-Enter");
    EXPECT_EQ(TextB(5), "Single Key-Enter");
}

// One choice of a kind with a dialog: what it answers, the rows it must write
// and the text the box shows.
struct DialogKindCase {
    const char* name;
    int position;
    std::function<void(ScriptedDialogs&)> answer;
    std::vector<std::pair<int, std::uint8_t>> rows;
    std::string text;
    KeyFunctionCode code;
};

class DialogKinds : public AssignmentAreaTest, public ::testing::WithParamInterface<DialogKindCase> {};

TEST_P(DialogKinds, OkWritesTheRowsAndTheComposedText) {
    const DialogKindCase& c = GetParam();
    c.answer(dialogs);
    Choose(2, c.position);
    ASSERT_EQ(dialogs.ran.size(), 1u);
    EXPECT_EQ(block.buttonType(KeyMode::A, 1), c.position);
    for (const auto& [row, value] : c.rows) EXPECT_EQ(block.buttonParam(KeyMode::A, row, 1), value) << row;
    EXPECT_EQ(TextA(2), c.text);
    EXPECT_EQ(TextB(2), "old");
    EXPECT_EQ(EncodeKeyFunction(block.buttonType(KeyMode::A, 1), ButtonParamsOf(block, KeyMode::A, 1), 0),
              c.code);
    EXPECT_FALSE(host.ControlExists(List(2)));
    EXPECT_TRUE(host.Lines("ShowMessage").empty());
}

TEST_P(DialogKinds, AnyOtherEndLeavesKindRowsAndTextAsTheyWere) {
    const DialogKindCase& c = GetParam();
    const SettingsBlock before = block;
    Choose(2, c.position);
    ASSERT_EQ(dialogs.ran.size(), 1u);
    EXPECT_EQ(block, before);
    EXPECT_EQ(TextA(2), "old");
    EXPECT_FALSE(host.ControlExists(List(2)));
}

const DialogKindCase DIALOG_KIND_CASES[] = {
    {"WindowsShowsTheItemAlone",
     8,
     [](ScriptedDialogs& d) {
         d.windows = ListChoice{4, "Browser-Search"};
     },
     {{3, 4}, {4, 0x21}, {5, 0x02}},
     "Browser-Search",
     MakeCode(CODE_CONSUMER, 0, 0x21, 0x02)},
    {"MultimediaIsPrefixed",
     9,
     [](ScriptedDialogs& d) {
         d.media = ListChoice{6, "Vol-"};
     },
     {{1, 6}, {2, 0xEA}},
     "Multimedia-Vol-",
     MakeCode(CODE_CONSUMER, 0, 0xEA, 0)},
    {"FireKeyWithSpeedAndTimes",
     10,
     [](ScriptedDialogs& d) {
         d.fire = FireKeyChoice{55, "R-Button", 40, 0};
     },
     {{6, 55}, {7, MOUSE_RIGHT}, {8, 40}, {9, 0}},
     "Fire Key-R-Button",
     MakeCode(CODE_FIRE, MOUSE_RIGHT, 40, 0)},
    {"SingleKey",
     11,
     [](ScriptedDialogs& d) { d.single = "Enter"; },
     {{10, 0x28}},
     "Single Key-Enter",
     MakeCode(CODE_KEYBOARD, 0, 0x28, 0)},
    {"SingleKeyOkBeforeAnyKey",
     11,
     [](ScriptedDialogs& d) { d.single = ""; },
     {{10, 0}},
     "Single Key-",
     MakeCode(CODE_KEYBOARD, 0, 0, 0)},
    {"ComboNamesOnlyWhatIsSent",
     12,
     [](ScriptedDialogs& d) {
         d.combo = ComboKeyChoice{"Left Shift", "", "B"};
     },
     {{11, 0x02}, {12, 0}, {13, 0x05}},
     "Combo Key-Left Shift+B",
     MakeCode(CODE_KEYBOARD, 0x02, 0, 0x05)},
    {"ComboWithNothingEntered",
     12,
     [](ScriptedDialogs& d) { d.combo = ComboKeyChoice{}; },
     {{11, 0}, {12, 0}, {13, 0}},
     "Combo Key-",
     MakeCode(CODE_KEYBOARD, 0, 0, 0)},
    {"MacroThirdInRecordIniRepeatUntilReleased",
     13,
     [](ScriptedDialogs& d) {
         d.macro = MacroKeyChoice{2, "Reload", 3};
     },
     {{14, 2}, {15, 2}},
     "Macro Key-Reload",
     MakeCode(CODE_MACRO, 2, 3, 0)},
};

INSTANTIATE_TEST_SUITE_P(AssignmentArea, DialogKinds, ::testing::ValuesIn(DIALOG_KIND_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssignmentAreaTest, KindTextsFollowTheInterfaceLanguageOfTheMoment) {
    parts.SetLanguage("CHT");
    dialogs.media = ListChoice{2, "靜音"};
    Choose(2, 9);
    EXPECT_EQ(TextA(2), "多媒體-靜音");
}

struct UnknownKeyCase {
    const char* name;
    int position;
    std::function<void(ScriptedDialogs&)> answer;
    std::string message;
};

class UnknownKeys : public AssignmentAreaTest, public ::testing::WithParamInterface<UnknownKeyCase> {};

// A key the key table does not hold would reach the mouse as usage 0: the
// user is told, and the button keeps the function it had.
TEST_P(UnknownKeys, AreRefusedWithAMessage) {
    const UnknownKeyCase& c = GetParam();
    const SettingsBlock before = block;
    c.answer(dialogs);
    Choose(2, c.position);
    EXPECT_EQ(block, before);
    EXPECT_EQ(TextA(2), "old");
    EXPECT_EQ(host.Lines("ShowMessage"), std::vector<std::string>{"ShowMessage " + c.message + " | Warning"});
}

INSTANTIATE_TEST_SUITE_P(
    AssignmentArea, UnknownKeys,
    ::testing::Values(
        UnknownKeyCase{"SingleKey", 11, [](ScriptedDialogs& d) { d.single = "Key 0xE020"; },
                       "The key \"Key 0xE020\" cannot be sent by the mouse. The button keeps its function."},
        UnknownKeyCase{"SecondKeyOfACombo", 12,
                       [](ScriptedDialogs& d) {
                           d.combo = ComboKeyChoice{"Left Ctrl", "A", "Key 0x76"};
                       },
                       "The key \"Key 0x76\" cannot be sent by the mouse. The button keeps its function."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssignmentAreaTest, ModeButtonsSwitchTheEditedModeOnly) {
    const SettingsBlock before = block;
    EXPECT_TRUE(area.OnPress(MODE_B));
    EXPECT_EQ(block.keyMode(), 1);
    EXPECT_TRUE(area.OnPress(MODE_A));
    EXPECT_EQ(block.keyMode(), 0);
    EXPECT_EQ(block, before);
    EXPECT_EQ(redraws, 2);
}

TEST_F(AssignmentAreaTest, DefaultRestoresKindsAndTextsOfBothModesAndKeepsTheRest) {
    block.buttonType(KeyMode::B, 0) = 11;
    block.buttonParam(KeyMode::B, 10, 0) = 0x28;
    block.keyMode() = 1;
    parts.SetLanguage("CHS");

    EXPECT_TRUE(area.OnPress(DEFAULT_BUTTON));

    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        for (int b = 0; b < BUTTON_COUNT; ++b) EXPECT_EQ(block.buttonType(mode, b), DEFAULT_BUTTON_TYPES[b]);
        EXPECT_EQ(block.dpiSwitchParam(mode, 5), 3);
    }
    EXPECT_EQ(block.buttonParam(KeyMode::B, 10, 0), 0x28);
    EXPECT_EQ(block.keyMode(), 1);
    EXPECT_EQ(TextA(1), "左键");
    EXPECT_EQ(TextB(6), "DPI Loop");
    EXPECT_EQ(TextB(8), "按键关闭");
    EXPECT_EQ(redraws, 1);
}

TEST_F(AssignmentAreaTest, TearDownClosesEveryList) {
    area.OnPress(Box(1));
    area.OnListPointerMove(List(1), 6);
    area.TearDown();
    EXPECT_FALSE(host.ControlExists(List(1)));
    EXPECT_FALSE(host.ControlExists(SIDE_LIST));
    EXPECT_EQ(area.OpenButton(), std::nullopt);
    // The next press on the box opens it again.
    area.OnPress(Box(1));
    EXPECT_TRUE(host.ControlExists(List(1)));
}

TEST_F(AssignmentAreaTest, NotificationsOfOtherControlsAreNotTheAreas) {
    EXPECT_FALSE(area.OnCommand(60, LIST_SELECTION_CHANGED));
    EXPECT_FALSE(area.OnCommand(49, LIST_SELECTION_CHANGED));
    // A notification of a closed list changes nothing.
    EXPECT_TRUE(area.OnCommand(List(1), LIST_SELECTION_CHANGED));
    EXPECT_EQ(redraws, 0);
}

}  // namespace
}  // namespace kv12::test
