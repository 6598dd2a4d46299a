#include "ui/macro_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/dialog_texts.h"
#include "core/ini_file.h"
#include "core/key_function.h"
#include "core/macros.h"
#include "tests/core/test_folder.h"
#include "tests/ui/page_context_fixture.h"
#include "ui/control_ids.h"

namespace kv12::test {
namespace {

using ui::ControlKind;
using ui::EDIT_CHANGED;
using ui::LIST_DOUBLE_CLICKED;
using ui::LIST_SELECTION_CHANGED;
using ui::MacroArea;
using ui::TextFormat;

constexpr int LOOP_BOX = 149;
constexpr int NAME_BOX = 150;
constexpr int MACROS = 151;
constexpr int SEQUENCE = 152;
constexpr int EVENTS = 154;
constexpr int EVENT_BOX = 119;
constexpr int DELETE_COMMAND = 32772;

constexpr Point NEW_BUTTON{520, 535};
constexpr Point DELETE_BUTTON{650, 535};
constexpr Point CONFIRM_BUTTON{750, 535};
constexpr Point MOUSE_EVENT_BOX{850, 410};  // right of the text, still in the click region
constexpr Point IN_EVENT_LIST{800, 500};
constexpr Point ELSEWHERE{600, 100};

constexpr Point DELAY_DIALOG_OK{200, 260};

using Items = std::vector<std::string>;

std::string Section(const std::string& name, const Items& items) {
    std::string text = "[" + name + "]\r\nItemCount=" + std::to_string(items.size()) + "\r\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "Item" + std::to_string(i) + "=" + items[i] + "\r\n";
    return text;
}

Items Presses(int count) {
    return Items(static_cast<std::size_t>(count), "A   Dn");
}

const Items ALPHA_ITEMS = {"A   Dn", "50 ms", "A   Up"};
const std::string SAMPLE_RECORD_INI =
    Section("Alpha", ALPHA_ITEMS) + Section("Beta", {"B   Dn", "2000 ms", "B   Up"}) + Section("Gamma", {});

class MacroAreaTest : public ::testing::Test {
  protected:
    MacroAreaTest() { parts.files = ProgramFiles::InFolder(folder.path()); }

    void Build(const std::string& recordIni = SAMPLE_RECORD_INI) {
        if (!recordIni.empty()) folder.Write("record.ini", recordIni);
        area.Build();
        host.log.clear();
    }
    // The page left and built again over another record.ini (none for an empty text).
    void Rebuild(const std::string& recordIni = SAMPLE_RECORD_INI) {
        area.TearDown();
        std::filesystem::remove(folder / "record.ini");
        Build(recordIni);
    }
    void TypeName(std::string_view name) {
        host.TypeInto(NAME_BOX, name);
        area.OnCommand(NAME_BOX, EDIT_CHANGED);
    }
    void TypeLoopTimes(std::string_view text) {
        host.TypeInto(LOOP_BOX, text);
        area.OnCommand(LOOP_BOX, EDIT_CHANGED);
    }
    void ClickMacro(int index) {
        host.controls[MACROS].selection = index;
        area.OnCommand(MACROS, LIST_SELECTION_CHANGED);
    }
    // The sequence as the user set it up: its items and the one under the pointer.
    void SetSequence(const Items& items, int selection) {
        host.controls[SEQUENCE].items = items;
        host.controls[SEQUENCE].selection = selection;
    }
    void ChooseMouseEvent(int position) {
        area.OnPress(MOUSE_EVENT_BOX);
        ASSERT_TRUE(host.ControlExists(EVENTS));
        host.controls[EVENTS].selection = position;
        area.OnCommand(EVENTS, LIST_SELECTION_CHANGED);
    }
    Items& ListItems(int id) { return host.controls[id].items; }
    int Selection(int id) { return host.ListSelection(id); }
    std::string Text(int id) { return host.ControlText(id); }
    IniDocument RecordIni() const { return IniDocument::Load(folder / "record.ini"); }
    std::vector<std::string> Messages() const { return host.Lines("ShowMessage"); }

    TestFolder folder;
    PageContextParts parts;
    RecordingMainHost& host = parts.host;
    SettingsBlock& block = parts.store.block;
    MacroArea area{parts.context};
};

// --- the page build -------------------------------------------------------------

TEST_F(MacroAreaTest, BuildCreatesTheControlsAndShowsTheFirstMacroOfRecordIni) {
    SetLoopCount(block, 0, 7);
    folder.Write("record.ini", SAMPLE_RECORD_INI);

    area.Build();

    const std::vector<std::string> labels = {
        TextLine("Start Recording", {774, 229, 874, 258}, TextFormat::Left),
        TextLine("Stop Recording", {774, 265, 874, 294}, TextFormat::Left),
        TextLine("Macro Name", {735, 302, 874, 322}, TextFormat::Left),
        TextLine("Loop Times", {735, 342, 874, 362}, TextFormat::Left),
        TextLine("Insert A Mouse Event", {735, 382, 874, 402}, TextFormat::Left),
    };
    EXPECT_EQ(host.Lines("DrawText"), labels);
    EXPECT_EQ(
        host.Lines("CreateControl"),
        (std::vector<std::string>{"CreateControl 151 462,220,591,512", "CreateControl 152 592,220,725,512",
                                  "CreateControl 150 735,322,799,336", "CreateControl 149 735,362,799,376",
                                  "CreateControl 119 735,402,839,416"}));
    struct Expected {
        int id;
        ControlKind kind;
        std::uint32_t style;
        bool followsPointer;
    };
    for (const Expected e : {Expected{MACROS, ControlKind::ListBox, 0x50200001, false},
                             Expected{SEQUENCE, ControlKind::ListBox, 0x50200001, true},
                             Expected{NAME_BOX, ControlKind::Edit, 0x50000081, false},
                             Expected{LOOP_BOX, ControlKind::Edit, 0x50002001, false},
                             Expected{EVENT_BOX, ControlKind::Static, 0x50000201, false}}) {
        SCOPED_TRACE(e.id);
        const ui::ControlSpec& control = host.controls[e.id].desc;
        EXPECT_EQ(control.kind, e.kind);
        EXPECT_EQ(control.style, e.style);
        EXPECT_EQ(control.selectionFollowsPointer, e.followsPointer);
    }
    EXPECT_EQ(ListItems(MACROS), (Items{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Selection(MACROS), 0);
    EXPECT_EQ(Text(NAME_BOX), "Alpha");
    EXPECT_EQ(ListItems(SEQUENCE), ALPHA_ITEMS);
    EXPECT_EQ(Selection(SEQUENCE), -1);
    EXPECT_EQ(Text(LOOP_BOX), "7");
    EXPECT_EQ(Text(EVENT_BOX), "");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MacroAreaTest, BuildShowsSlotZerosLoopCountAndTurnsAnInvalidOneIntoOne) {
    struct Case {
        std::uint16_t stored;
        std::string recordIni;
        const char* shown;
        std::uint16_t after;
    };
    for (const Case& c : {Case{65535, SAMPLE_RECORD_INI, "65535", 65535}, Case{0, SAMPLE_RECORD_INI, "1", 1},
                          Case{0, "", "1", 0}}) {  // no macro: the box says 1, the slot keeps its bytes
        SCOPED_TRACE(c.shown + std::string(c.recordIni.empty() ? " without record.ini" : ""));
        SetLoopCount(block, 0, c.stored);
        Rebuild(c.recordIni);
        EXPECT_EQ(Text(LOOP_BOX), c.shown);
        EXPECT_EQ(LoopCount(block, 0), c.after);
    }
}

TEST_F(MacroAreaTest, TearDownDestroysTheControlsAndTheOpenListOnly) {
    Build();
    area.OnPress(MOUSE_EVENT_BOX);
    area.TearDown();
    for (int id : {LOOP_BOX, NAME_BOX, MACROS, SEQUENCE, EVENTS, EVENT_BOX})
        EXPECT_FALSE(host.ControlExists(id));
    EXPECT_FALSE(area.MouseEventListOpen());

    // Torn down again (the page was not built): nothing to destroy, nothing logged.
    host.log.clear();
    area.TearDown();
    EXPECT_TRUE(host.log.empty());
}

// --- selecting a macro and its loop count -----------------------------------------

TEST_F(MacroAreaTest, SelectingAMacroShowsItsNameItemsAndTheLoopCountOfItsSlot) {
    SetLoopCount(block, 1, 300);
    Build();

    ClickMacro(1);
    EXPECT_EQ(Text(NAME_BOX), "Beta");
    EXPECT_EQ(ListItems(SEQUENCE), (Items{"B   Dn", "2000 ms", "B   Up"}));
    EXPECT_EQ(Text(LOOP_BOX), "300");

    // A macro without items empties the list and leaves the box as it is.
    ClickMacro(2);
    EXPECT_EQ(Text(NAME_BOX), "Gamma");
    EXPECT_TRUE(ListItems(SEQUENCE).empty());
    EXPECT_EQ(Text(LOOP_BOX), "300");
}

TEST_F(MacroAreaTest, LoopTimesOutsideOneTo65535BecomeOneAndGoIntoTheSelectedSlot) {
    struct Case {
        const char* typed;
        const char* shown;
        std::uint16_t stored;
    };
    Build();
    ClickMacro(1);
    for (const Case c : {Case{"250", "250", 250}, Case{"65535", "65535", 65535}, Case{"70000", "1", 1},
                         Case{"0", "1", 1}, Case{"", "1", 1}, Case{"99999999999", "1", 1}}) {
        SCOPED_TRACE(c.typed);
        SetLoopCount(block, 1, 42);
        TypeLoopTimes(c.typed);
        EXPECT_EQ(Text(LOOP_BOX), c.shown);
        EXPECT_EQ(LoopCount(block, 1), c.stored);
        EXPECT_EQ(LoopCount(block, 0), 1);  // Build turned slot 0's 0 into 1; no other slot is touched
    }
    const auto slot = block.macroSlot(1);
    TypeLoopTimes("70000");
    EXPECT_EQ(std::vector<int>(slot.begin(), slot.begin() + 2), (std::vector<int>{0x00, 0x01}));

    // Without a selected macro only the box is corrected.
    host.controls[MACROS].selection = -1;
    SetLoopCount(block, 1, 42);
    TypeLoopTimes("0");
    EXPECT_EQ(Text(LOOP_BOX), "1");
    EXPECT_EQ(LoopCount(block, 1), 42);
}

TEST_F(MacroAreaTest, MacrosBeyondTheTwelfthHaveNoSlotToShowOrWrite) {
    std::string recordIni;
    for (int i = 0; i < 13; ++i) recordIni += Section("M" + std::to_string(i), {"A   Dn"});
    Build(recordIni);
    const SettingsBlock before = block;
    TypeLoopTimes("5");
    ASSERT_EQ(LoopCount(block, 0), 5);

    ClickMacro(12);
    TypeLoopTimes("9");

    EXPECT_EQ(ListItems(SEQUENCE), Items{"A   Dn"});
    EXPECT_EQ(Text(LOOP_BOX), "9");
    SettingsBlock expected = before;
    SetLoopCount(expected, 0, 5);
    EXPECT_EQ(block, expected);
}

// --- New ---------------------------------------------------------------------

TEST_F(MacroAreaTest, NewAddsTheNameSelectsItWithAnEmptySequenceAndLeavesRecordIniAlone) {
    std::string chinese;
    for (int i = 0; i < 31; ++i) chinese += "宏";
    // 31 characters, as the program's buffers count them (a surrogate pair counts twice).
    for (const std::string& name :
         {std::string("Macro 2"), std::string(31, 'x'), chinese, std::string(29, 'a') + "😀"}) {
        SCOPED_TRACE(name);
        Rebuild();
        host.controls[SEQUENCE].selection = 1;
        TypeName(name);

        area.OnPress(NEW_BUTTON);

        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(ListItems(MACROS), (Items{"Alpha", "Beta", "Gamma", name}));
        EXPECT_EQ(Selection(MACROS), 3);
        EXPECT_TRUE(ListItems(SEQUENCE).empty());
        EXPECT_EQ(folder.Read("record.ini"), SAMPLE_RECORD_INI);
    }
}

TEST_F(MacroAreaTest, NewIntoAnEmptyListSelectsTheFirstEntryWithoutWritingAFile) {
    Build("");
    TypeName("First");
    area.OnPress(NEW_BUTTON);
    EXPECT_EQ(ListItems(MACROS), Items{"First"});
    EXPECT_EQ(Selection(MACROS), 0);
    EXPECT_FALSE(folder.Exists("record.ini"));
}

struct RefusedNameCase {
    const char* label;
    std::string name;
    int listed;  // macros in the list beforehand
    std::string message;
};

class RefusedNames : public MacroAreaTest, public ::testing::WithParamInterface<RefusedNameCase> {};

TEST_P(RefusedNames, NewSaysWhyAndChangesNothing) {
    const RefusedNameCase& c = GetParam();
    std::string recordIni;
    for (int i = 0; i < c.listed; ++i) recordIni += Section("Alpha" + std::to_string(i), {"A   Dn"});
    Build(recordIni);
    TypeName(c.name);
    const Items listed = ListItems(MACROS);

    area.OnPress(NEW_BUTTON);

    EXPECT_EQ(Messages(), std::vector<std::string>{"ShowMessage " + c.message});
    EXPECT_EQ(ListItems(MACROS), listed);
    EXPECT_EQ(Selection(MACROS), c.listed > 0 ? 0 : -1);
    EXPECT_EQ(ListItems(SEQUENCE), c.listed > 0 ? Items{"A   Dn"} : Items{});
    EXPECT_EQ(Text(NAME_BOX), c.name);
}

const std::string NOT_STORABLE =
    "A macro name cannot hold \"]\" or a line break, begin with \";\", or begin or end with a blank. Please "
    "change the name. | ";
const std::string TOO_LONG = "A macro name holds at most 31 characters. Please shorten the name. | Warning";

INSTANTIATE_TEST_SUITE_P(
    MacroArea, RefusedNames,
    ::testing::Values(
        // The empty name is tested first, even with twelve macros listed.
        RefusedNameCase{"BlankWithTwelveListed", "", 12, "Macro name is blank | "},
        RefusedNameCase{"Thirteenth", "Another", 12, "Macro numbers up to 12. | Warning"},
        RefusedNameCase{"SameNameInOtherCase", "ALPHA1", 3, "Macro name already exists | "},
        RefusedNameCase{"ThirtyTwoCharacters", std::string(32, 'x'), 1, TOO_LONG},
        RefusedNameCase{"ThirtyOneCharactersAndASurrogatePair", std::string(30, 'x') + "😀", 1, TOO_LONG},
        RefusedNameCase{"ClosingBracket", "a]b", 1, NOT_STORABLE},
        RefusedNameCase{"LineBreak", "a\r\nb", 1, NOT_STORABLE},
        RefusedNameCase{"LeadingSemicolon", ";note", 0, NOT_STORABLE},
        RefusedNameCase{"LeadingBlank", " name", 1, NOT_STORABLE},
        RefusedNameCase{"TrailingTab", "name\t", 1, NOT_STORABLE},
        RefusedNameCase{"OnlyBlanks", "   ", 0, NOT_STORABLE}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MacroAreaTest, NameMessagesSpeakTheInterfaceLanguage) {
    struct Case {
        const char* code;
        const char* tooLong;
        const char* notStorable;
    };
    for (const Case c :
         {Case{"CHS", "宏名称最多 31 个字符，请缩短名称。 | Warning",
               "宏名称不能包含“]”或换行，不能以“;”开头，也不能以空格开头或结尾。请修改名称。 | "},
          Case{"CHT", "巨集名稱最多 31 個字元，請縮短名稱。 | Warning",
               "巨集名稱不能包含「]」或換行，不能以「;」開頭，也不能以空格開頭或結尾。請修改名稱。 | "}}) {
        SCOPED_TRACE(c.code);
        parts.SetLanguage(c.code);
        Rebuild();
        TypeName(std::string(40, 'x'));
        area.OnPress(NEW_BUTTON);
        TypeName("x]");
        area.OnPress(NEW_BUTTON);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"ShowMessage " + std::string(c.tooLong),
                                                        "ShowMessage " + std::string(c.notStorable)}));
    }
}

// --- Delete ----------------------------------------------------------------------

TEST_F(MacroAreaTest, DeleteRemovesTheSectionAtOnceAndEmptiesTheSequenceAndName) {
    Build();
    ClickMacro(1);

    area.OnPress(DELETE_BUTTON);

    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LoadMacroNames(RecordIni()), (Items{"Alpha", "Gamma"}));
    EXPECT_EQ(ReadMacro(RecordIni(), "Alpha"), ALPHA_ITEMS);
    EXPECT_EQ(ListItems(MACROS), (Items{"Alpha", "Gamma"}));
    EXPECT_EQ(Selection(MACROS), -1);
    EXPECT_TRUE(ListItems(SEQUENCE).empty());
    EXPECT_EQ(Text(NAME_BOX), "");
}

TEST_F(MacroAreaTest, DeleteNamesTheButtonsWhoseSlotWillHoldAnotherMacroOrNone) {
    const auto macroKey = [&](KeyMode mode, int button, int slot) {
        block.buttonType(mode, button - 1) = static_cast<std::uint8_t>(KeyFunctionKind::MacroKey);
        block.buttonParam(mode, 14, button - 1) = static_cast<std::uint8_t>(slot);
    };
    macroKey(KeyMode::A, 2, 0);  // Alpha: keeps its slot
    macroKey(KeyMode::A, 3, 1);  // Beta: deleted
    macroKey(KeyMode::B, 1, 2);  // Gamma: moves into slot 1
    macroKey(KeyMode::B, 8, 5);  // no macro there before or after
    block.buttonType(KeyMode::A, 3) = static_cast<std::uint8_t>(KeyFunctionKind::SingleKey);
    block.buttonParam(KeyMode::A, 14, 3) = 1;  // not a macro key
    struct Case {
        const char* code;
        const char* message;
    };
    for (const Case c :
         {Case{"",
               "Buttons play a macro by its place in the macro list. Once \"Beta\" is deleted, the macros "
               "after it move up one place, and Mode A button 3, Mode B button 1 will play another macro or "
               "none. Please choose their macros again."},
          Case{"CHS",
               "按键按宏在宏列表中的位置播放宏。删除“Beta”后，其后的宏会前移一位，Mode A 按键3、Mode B "
               "按键1 将播放其他宏或不播放宏。请重新为它们选择宏。"}}) {
        SCOPED_TRACE(c.code);
        parts.SetLanguage(c.code);
        Rebuild();
        ClickMacro(1);
        const SettingsBlock before = block;

        area.OnPress(DELETE_BUTTON);

        EXPECT_EQ(Messages(),
                  std::vector<std::string>{"ShowMessage " + std::string(c.message) + " | Warning"});
        // The slot-by-order rule stays: the file loses the section, the buttons keep their numbers.
        EXPECT_EQ(LoadMacroNames(RecordIni()), (Items{"Alpha", "Gamma"}));
        EXPECT_EQ(block, before);
    }
}

TEST_F(MacroAreaTest, DeletingAMacroThatIsOnlyListedLeavesRecordIniAndTheButtonsAlone) {
    block.buttonType(KeyMode::A, 0) = static_cast<std::uint8_t>(KeyFunctionKind::MacroKey);
    block.buttonParam(KeyMode::A, 14, 0) = 3;  // the list position of the new macro
    Build();
    TypeName("Unsaved");
    area.OnPress(NEW_BUTTON);

    area.OnPress(DELETE_BUTTON);

    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(folder.Read("record.ini"), SAMPLE_RECORD_INI);
    EXPECT_EQ(ListItems(MACROS), (Items{"Alpha", "Beta", "Gamma"}));
}

// --- Confirm -----------------------------------------------------------------------

TEST_F(MacroAreaTest, ConfirmSavesTheSequenceUnderTheListedNameAndCompilesTheSlots) {
    SetLoopCount(block, 0, 3);
    SetLoopCount(block, 2, 9);
    Build();
    TypeName("Renamed");  // renaming is not possible: the listed name counts
    SetSequence({"A   Dn", "50 ms", "A   Up"}, 2);
    ChooseMouseEvent(0);  // L-Button Click after the release
    const Items expected = {"A   Dn", "50 ms", "A   Up", "50 ms", "L-Button   Dn", "50 ms", "L-Button   Up"};
    ASSERT_EQ(ListItems(SEQUENCE), expected);

    area.OnPress(CONFIRM_BUTTON);

    EXPECT_TRUE(Messages().empty());
    const IniDocument saved = RecordIni();
    // The macro keeps its place in the file, and so its slot: buttons that
    // play slot 0 still play Alpha.
    EXPECT_EQ(LoadMacroNames(saved), (Items{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(ReadMacro(saved, "Alpha"), expected);
    const auto slot = block.macroSlot(0);
    const std::vector<std::uint8_t> events = EncodeMacroEvents(expected);
    EXPECT_EQ(std::vector<std::uint8_t>(slot.begin() + 2,
                                        slot.begin() + 2 + static_cast<std::ptrdiff_t>(events.size())),
              events);
    EXPECT_EQ(LoopCount(block, 0), 3);  // the loop count stays with its macro's slot
    EXPECT_EQ(slot[2 + events.size()], 0);
    EXPECT_EQ(LoopCount(block, 2), 0);  // Gamma, without items, is cleared whole
}

TEST_F(MacroAreaTest, ANewMacroNeverReachesTheMouseWithLoopCountZero) {
    Build();
    TypeName("Fresh");
    area.OnPress(NEW_BUTTON);
    SetSequence({"A   Dn", "50 ms", "A   Up"}, -1);
    ASSERT_EQ(LoopCount(block, 3), 0);  // the slot of the fourth macro never had one

    area.OnPress(CONFIRM_BUTTON);

    EXPECT_EQ(LoadMacroNames(RecordIni()), (Items{"Alpha", "Beta", "Gamma", "Fresh"}));
    EXPECT_EQ(LoopCount(block, 3), 1);  // what the loop box shows
}

TEST_F(MacroAreaTest, ConfirmingAnEmptySequenceSavesNoItemsAndClearsTheSlot) {
    Build();
    for (int slot = 0; slot < 3; ++slot) std::ranges::fill(block.macroSlot(slot), std::uint8_t{0x77});
    SetSequence({}, -1);

    area.OnPress(CONFIRM_BUTTON);

    EXPECT_EQ(RecordIni().GetString("Alpha", "ItemCount"), "0");
    // Alpha keeps slot 0, which is cleared, loop count and all.
    const auto cleared = block.macroSlot(0);
    EXPECT_TRUE(std::all_of(cleared.begin(), cleared.end(), [](std::uint8_t b) { return b == 0; }));
}

struct TooLongCase {
    const char* label;
    Items items;
    int fit;
};

class TooLongSequences : public MacroAreaTest, public ::testing::WithParamInterface<TooLongCase> {};

TEST_P(TooLongSequences, ConfirmRefusesAndSaysHowManyItemsFit) {
    const TooLongCase& c = GetParam();
    Build();
    const SettingsBlock before = block;
    SetSequence(c.items, -1);

    area.OnPress(CONFIRM_BUTTON);

    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "ShowMessage The key press sequence of \"Alpha\" is too long for the mouse: "
                              "only its first " +
                              std::to_string(c.fit) + " of " + std::to_string(c.items.size()) +
                              " items fit in a macro. Nothing was saved; please shorten the sequence "
                              "and press Confirm again. | Warning"});
    EXPECT_EQ(folder.Read("record.ini"), SAMPLE_RECORD_INI);
    EXPECT_EQ(block, before);
    EXPECT_EQ(ListItems(SEQUENCE), c.items);  // the user's work stays
}

Items PressesWithDelays(int count) {
    Items items;
    for (int i = 0; i < count; ++i) items.insert(items.end(), {"A   Dn", "50 ms"});
    return items;
}

Items WithLongDelayAtTheEnd() {
    Items items = Presses(62);  // 124 bytes
    for (const char* item : {"A   Up", "2000 ms", "B   Dn"}) items.emplace_back(item);
    return items;
}

INSTANTIATE_TEST_SUITE_P(MacroArea, TooLongSequences,
                         ::testing::Values(
                             // 63 presses fill the 126 bytes.
                             TooLongCase{"SixtyFourPresses", Presses(64), 63},
                             // Delays take no bytes of their own: 63 presses with theirs fit.
                             TooLongCase{"SixtyFourPressesWithDelays", PressesWithDelays(64), 126},
                             // The release fits alone; its 2000 ms would make it a four-byte group.
                             TooLongCase{"LongDelayBreaksTheLastPair", WithLongDelayAtTheEnd(), 63}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MacroAreaTest, SixtyThreePressesFitAndAreSaved) {
    Build();
    SetSequence(Presses(63), -1);
    area.OnPress(CONFIRM_BUTTON);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadMacro(RecordIni(), "Alpha"), Presses(63));
}

TEST_F(MacroAreaTest, ConfirmTellsWhichOtherMacrosDoNotReachTheMouseWhole) {
    std::string recordIni = Section("Mine", {"A   Dn"}) + Section("Long", Presses(70));
    for (int i = 2; i < 13; ++i) recordIni += Section("M" + std::to_string(i), {"B   Dn"});
    Build(recordIni);

    area.OnPress(CONFIRM_BUTTON);

    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{
            "ShowMessage These macros are longer than the mouse holds and reach it cut to the events that "
            "fit: Long. | Warning",
            "ShowMessage The mouse holds 12 macros; these are not sent to it: M12. | Warning"}));
    // Saved in its place: the first macro stays the first.
    EXPECT_EQ(LoadMacroNames(RecordIni()).front(), "Mine");
}

TEST_F(MacroAreaTest, ARecordIniThatCannotBeChangedIsReportedAndNothingIsLost) {
    Build();
    ClickMacro(1);
    // The file grows beyond what the program reads while the page is shown.
    const std::string huge = SAMPLE_RECORD_INI + "; " + std::string(INI_FILE_MAX_BYTES, 'x') + "\r\n";
    folder.Write("record.ini", huge);
    const SettingsBlock before = block;

    area.OnPress(CONFIRM_BUTTON);
    area.OnPress(DELETE_BUTTON);

    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    for (const std::string& message : messages) {
        EXPECT_NE(message.find("record.ini"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with(" | ")) << message;
    }
    EXPECT_EQ(folder.Read("record.ini"), huge);
    EXPECT_EQ(block, before);
    EXPECT_EQ(ListItems(MACROS), (Items{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Selection(MACROS), 1);
    EXPECT_EQ(ListItems(SEQUENCE), (Items{"B   Dn", "2000 ms", "B   Up"}));
}

TEST_F(MacroAreaTest, CommandsWithoutASelectedMacroOrItemDoNothing) {
    Build();
    host.controls[MACROS].selection = -1;
    SetSequence({"A   Dn", "50 ms"}, -1);
    area.OnPress(DELETE_BUTTON);
    area.OnPress(CONFIRM_BUTTON);
    area.OnCommand(DELETE_COMMAND, 0);
    area.OnCommand(SEQUENCE, LIST_DOUBLE_CLICKED);
    EXPECT_EQ(host.log, std::vector<std::string>{});
    EXPECT_EQ(folder.Read("record.ini"), SAMPLE_RECORD_INI);

    Rebuild("");  // an empty list
    area.OnPress(DELETE_BUTTON);
    area.OnPress(CONFIRM_BUTTON);
    EXPECT_EQ(host.log, std::vector<std::string>{});
    EXPECT_FALSE(folder.Exists("record.ini"));
}

// --- the mouse-event list --------------------------------------------------------------

TEST_F(MacroAreaTest, MouseEventBoxOpensTheNineEventsAndAPressAwayClosesThem) {
    Build();
    EXPECT_TRUE(area.OnPress(MOUSE_EVENT_BOX));
    ASSERT_TRUE(host.ControlExists(EVENTS));
    const RecordedControl& list = host.controls[EVENTS];
    EXPECT_EQ(list.desc.rect, (Rect{734, 419, 854, 569}));
    EXPECT_EQ(list.desc.style, ui::STYLE_POPUP_LIST);
    EXPECT_TRUE(list.desc.selectionFollowsPointer);
    EXPECT_EQ(list.items,
              (Items{"L-Button Click", "R-Button Click", "M-Button Click", "L-Button   Dn", "L-Button   Up",
                     "R-Button   Dn", "R-Button   Up", "M-Button   Dn", "M-Button   Up"}));

    area.CloseListsAwayFrom(IN_EVENT_LIST);
    area.CloseListsAwayFrom(MOUSE_EVENT_BOX);
    EXPECT_TRUE(area.MouseEventListOpen());
    area.OnPress(MOUSE_EVENT_BOX);  // the box toggles
    EXPECT_FALSE(host.ControlExists(EVENTS));

    area.OnPress(MOUSE_EVENT_BOX);
    area.CloseListsAwayFrom(ELSEWHERE);
    EXPECT_FALSE(host.ControlExists(EVENTS));
    EXPECT_FALSE(area.OnPress(ELSEWHERE));
}

struct InsertCase {
    const char* label;
    Items before;
    int selected;        // in the sequence, -1 for none
    bool macroSelected;  // in the macro list
    int event;           // position in the mouse-event list
    Items after;
    int selectedAfter;
};

class InsertMouseEvents : public MacroAreaTest, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(InsertMouseEvents, EventGoesWhereTheSelectionSays) {
    const InsertCase& c = GetParam();
    Build();
    if (!c.macroSelected) host.controls[MACROS].selection = -1;
    SetSequence(c.before, c.selected);

    ChooseMouseEvent(c.event);

    EXPECT_EQ(ListItems(SEQUENCE), c.after);
    EXPECT_EQ(Selection(SEQUENCE), c.selectedAfter);
    EXPECT_EQ(Text(EVENT_BOX), MOUSE_EVENT_ITEMS[static_cast<std::size_t>(c.event)]);
    EXPECT_FALSE(host.ControlExists(EVENTS));
    EXPECT_FALSE(area.MouseEventListOpen());
}

const Items PRESS_DELAY_RELEASE = {"A   Dn", "50 ms", "A   Up"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(MacroArea, InsertMouseEvents, ::testing::Values(
    InsertCase{"ClickAfterADelay", PRESS_DELAY_RELEASE, 1, true, 1,
               {"A   Dn", "50 ms", "R-Button   Dn", "50 ms", "R-Button   Up", "50 ms", "A   Up"}, 2},
    InsertCase{"SingleEventAfterADelay", PRESS_DELAY_RELEASE, 1, true, 8,
               {"A   Dn", "50 ms", "M-Button   Up", "50 ms", "A   Up"}, 2},
    InsertCase{"ClickAfterAPress", PRESS_DELAY_RELEASE, 0, true, 0,
               {"A   Dn", "50 ms", "L-Button   Dn", "50 ms", "L-Button   Up", "50 ms", "A   Up"}, 2},
    InsertCase{"SingleEventAfterTheLastEvent", PRESS_DELAY_RELEASE, 2, true, 3,
               {"A   Dn", "50 ms", "A   Up", "50 ms", "L-Button   Dn"}, 4},
    InsertCase{"ClickIntoAnEmptySequence", {}, -1, true, 2,
               {"M-Button   Dn", "50 ms", "M-Button   Up", "50 ms"}, -1},
    InsertCase{"SingleEventIntoAnEmptySequence", {}, -1, true, 5, {"R-Button   Dn", "50 ms"}, -1},
    InsertCase{"NothingSelectedInAFullSequence", PRESS_DELAY_RELEASE, -1, true, 0, PRESS_DELAY_RELEASE, -1},
    InsertCase{"EmptySequenceWithoutAMacro", {}, -1, false, 0, {}, -1}),
    [](const auto& info) { return std::string(info.param.label); });
// clang-format on

// --- editing the sequence ----------------------------------------------------------------

struct DelayEditCase {
    const char* label;
    std::optional<std::string> typed;  // nullopt: the dialog is cancelled
    const char* item;                  // what item 1 is afterwards
};

class DelayEdits : public MacroAreaTest, public ::testing::WithParamInterface<DelayEditCase> {};

TEST_P(DelayEdits, DoubleClickOnADelayRunsTheDelayDialog) {
    const DelayEditCase& c = GetParam();
    Build();
    if (c.typed) {
        host.dialogScript = [&](ui::SkinnedDialog& dialog, RecordingDialogHost& dialogHost) {
            dialogHost.TypeInto(ui::control_ids::DELAY_FIELD, *c.typed);
            dialog.OnCommand(ui::control_ids::DELAY_FIELD, EDIT_CHANGED);
            dialog.OnLButtonDown(DELAY_DIALOG_OK);
        };
    }
    host.controls[SEQUENCE].selection = 1;

    area.OnCommand(SEQUENCE, LIST_DOUBLE_CLICKED);

    EXPECT_EQ(host.Count("RunModal"), 1);
    EXPECT_EQ(ListItems(SEQUENCE), (Items{"A   Dn", c.item, "A   Up"}));
    EXPECT_EQ(Selection(SEQUENCE), 1);
}

INSTANTIATE_TEST_SUITE_P(MacroArea, DelayEdits,
                         ::testing::Values(DelayEditCase{"Typed", "250", "250 ms"},
                                           DelayEditCase{"TopOfTheRange", "10000", "10000 ms"},
                                           DelayEditCase{"AboveTheRange", "20000", "10 ms"},
                                           DelayEditCase{"Cancelled", std::nullopt, "50 ms"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MacroAreaTest, DoubleClickOnAnEventOpensNoDialog) {
    Build();
    host.controls[SEQUENCE].selection = 0;
    area.OnCommand(SEQUENCE, LIST_DOUBLE_CLICKED);
    EXPECT_EQ(host.Count("RunModal"), 0);
    EXPECT_EQ(ListItems(SEQUENCE), ALPHA_ITEMS);
}

TEST_F(MacroAreaTest, ContextMenuOfTheSequenceDeletesTheItemUnderThePointer) {
    parts.SetLanguage("CHS");
    Build();
    EXPECT_FALSE(area.OnContextMenu(MACROS));
    EXPECT_TRUE(area.OnContextMenu(SEQUENCE));
    EXPECT_EQ(host.log, std::vector<std::string>{"ShowContextMenu 32772 删除"});

    host.controls[SEQUENCE].selection = 1;  // the pointer rests on the delay
    EXPECT_TRUE(area.OnCommand(DELETE_COMMAND, 0));
    EXPECT_EQ(ListItems(SEQUENCE), (Items{"A   Dn", "A   Up"}));
    EXPECT_EQ(Selection(SEQUENCE), -1);
    EXPECT_EQ(folder.Read("record.ini"), SAMPLE_RECORD_INI);  // a working copy until Confirm
}

TEST_F(MacroAreaTest, TheAreaClaimsItsOwnCommandsOnly) {
    Build();
    for (int id : {149, 150, 151, 152, 154, 119, 32772}) EXPECT_TRUE(area.OnCommand(id, 0)) << id;
    for (int id : {41, 60, 148, 153, 600, 1028})
        EXPECT_FALSE(area.OnCommand(id, LIST_SELECTION_CHANGED)) << id;
}

}  // namespace
}  // namespace kv12::test
