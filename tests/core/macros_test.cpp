#include "core/macros.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/utf8_path.h"
#include "test_folder.h"

namespace kv12 {
namespace {

using test::TestFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t KEY_A = 0x04;
constexpr std::uint8_t KEY_B = 0x05;

// Chinese macro names: "宏一" and "连招😀" (the last one beyond U+FFFF).
const std::string MACRO_ONE = "\xE5\xAE\x8F\xE4\xB8\x80";
const std::string COMBO_EMOJI = "\xE8\xBF\x9E\xE6\x8B\x9B\xF0\x9F\x98\x80";

// A block whose every byte is known and non-zero, so any write shows.
SettingsBlock PatternBlock() {
    SettingsBlock block;
    for (std::size_t i = 0; i < SETTINGS_BLOCK_SIZE; ++i)
        block.bytes[i] = static_cast<std::uint8_t>(0x40 + i % 97);
    return block;
}

Bytes SlotBytes(const SettingsBlock& block, int slot) {
    const auto bytes = block.macroSlot(slot);
    return Bytes(bytes.begin(), bytes.end());
}

// The slot a macro with loop count bytes hi, lo and the given stream compiles to.
Bytes Slot(std::uint8_t hi, std::uint8_t lo, const Bytes& stream) {
    Bytes slot(MACRO_SLOT_SIZE, 0);
    slot[0] = hi;
    slot[1] = lo;
    std::copy(stream.begin(), stream.end(), slot.begin() + 2);
    return slot;
}

TEST(MacroItem, TextsOfPressReleaseAndDelay) {
    EXPECT_EQ(MacroItem::Press("Right Shift").text, "Right Shift   Dn");
    EXPECT_EQ(MacroItem::Release("L-Button").text, "L-Button   Up");
    EXPECT_EQ(MacroItem::Delay(50).text, "50 ms");
}

TEST(MacroItem, KindKeyNameAndDelayAreReadFromTheText) {
    struct Case {
        std::string text;
        MacroItemKind kind;
        std::string keyName;
        int delay;
    } cases[] = {
        {"A   Dn", MacroItemKind::Press, "A", 0},
        {"Num 1   Up", MacroItemKind::Release, "Num 1", 0},
        {"50 ms", MacroItemKind::Delay, "", 50},
        {"2000 ms", MacroItemKind::Delay, "", 2000},
        {"", MacroItemKind::Delay, "", 0},
        {"abc", MacroItemKind::Delay, "", 0},
        {" ms50 ms", MacroItemKind::Delay, "", 50},  // every " ms" goes before the number is read
        {"A   Dn   Up", MacroItemKind::Press, "A   Up", 0},
        {"\xE5\xAE\x8F   Dn", MacroItemKind::Press, "\xE5\xAE\x8F", 0},
    };
    for (const auto& c : cases) {
        const MacroItem item{c.text};
        EXPECT_EQ(item.Kind(), c.kind) << c.text;
        EXPECT_EQ(item.KeyName(), c.keyName) << c.text;
        EXPECT_EQ(item.DelayMs(), c.delay) << c.text;
    }
}

TEST(MacroKeyName, MapsKeyboardAndMouseNamesAndGivesZeroForOthers) {
    struct Case {
        std::string_view name;
        std::uint8_t code;
    } cases[] = {
        {"A", 0x04},         {"Enter", 0x28},    {"Num 1", 0x59}, {"Right Shift", 0xE5}, {"L-Button", 0xF0},
        {"R-Button", 0xF1},  {"M-Button", 0xF2}, {"a", 0},        {"enter", 0},          {"", 0},
        {"\xE5\xAE\x8F", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MacroKeyName(c.name), c.code) << c.name;
}

TEST(EncodeMacroEvents, WorkedExample) {
    EXPECT_EQ(EncodeMacroEvents({"A   Dn", "50 ms", "A   Up", "2000 ms"}),
              (Bytes{0x05, KEY_A, 0x80, KEY_A, 0x14, LONG_DELAY_MARK}));
}

TEST(EncodeMacroEvents, DelaysUpTo1270MsFitOnePairLongerOnesTakeAGroup) {
    struct Case {
        std::string delay;
        Bytes stream;
    } cases[] = {
        {"0 ms", {0x00, KEY_A, 0x80, KEY_A}},
        {"5 ms", {0x00, KEY_A, 0x80, KEY_A}},
        {"10 ms", {0x01, KEY_A, 0x80, KEY_A}},
        {"1270 ms", {127, KEY_A, 0x80, KEY_A}},
        {"1271 ms", {71, KEY_A, 12, LONG_DELAY_MARK, 0x80, KEY_A}},
        {"10000 ms", {0, KEY_A, 100, LONG_DELAY_MARK, 0x80, KEY_A}},
        {"25599 ms", {99, KEY_A, 255, LONG_DELAY_MARK, 0x80, KEY_A}},
        // Beyond what a group can hold the delay is the longest one, not a wrapped byte.
        {"30000 ms", {99, KEY_A, 255, LONG_DELAY_MARK, 0x80, KEY_A}},
        // A negative delay would set six of the seven delay bits; it means no delay.
        {"-50 ms", {0x00, KEY_A, 0x80, KEY_A}},
        {"soon", {0x00, KEY_A, 0x80, KEY_A}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeMacroEvents({"A   Dn", c.delay, "A   Up"}), c.stream) << c.delay;
    }
}

TEST(EncodeMacroEvents, AnEventDirectlyFollowedByAnotherGetsNoDelay) {
    EXPECT_EQ(EncodeMacroEvents({"A   Dn", "B   Dn", "100 ms", "B   Up", "A   Up"}),
              (Bytes{0x00, KEY_A, 0x0A, KEY_B, 0x80, KEY_B, 0x80, KEY_A}));
}

TEST(EncodeMacroEvents, OfTwoDelaysInARowOnlyTheFirstCounts) {
    EXPECT_EQ(EncodeMacroEvents({"A   Dn", "50 ms", "2000 ms", "A   Up", "30 ms", "700 ms"}),
              (Bytes{0x05, KEY_A, 0x83, KEY_A}));
}

TEST(EncodeMacroEvents, UnknownKeyNamesEncodeAsZeroAndMouseButtonsAsTheirCodes) {
    EXPECT_EQ(EncodeMacroEvents({"L-Button   Dn", "20 ms", "Nonsense   Up", "M-Button   Up"}),
              (Bytes{0x02, 0xF0, 0x80, 0x00, 0x80, 0xF2}));
}

TEST(EncodeMacroEvents, StreamIsCutAtTheLastWholeEventThatFits) {
    // 64 short events need 128 bytes: the 64th is left out.
    std::vector<std::string> many;
    for (int i = 0; i < 32; ++i) many.insert(many.end(), {"A   Dn", "A   Up"});
    const Bytes stream = EncodeMacroEvents(many);
    ASSERT_EQ(stream.size(), MACRO_STREAM_MAX_BYTES);
    EXPECT_EQ(stream[124], 0x00);  // the 63rd event, a press
    EXPECT_FALSE(MacroEventsFit(many));
    many.resize(63);
    EXPECT_TRUE(MacroEventsFit(many));
    EXPECT_EQ(EncodeMacroEvents(many).size(), MACRO_STREAM_MAX_BYTES);
}

TEST(EncodeMacroEvents, ALongDelayGroupIsNeverSplitAndNothingAfterItIsTaken) {
    // 62 short events (124 bytes), then a press with a long delay (4 bytes),
    // then a short release that alone would still fit: it must not jump the queue.
    std::vector<std::string> items;
    for (int i = 0; i < 31; ++i) items.insert(items.end(), {"B   Dn", "B   Up"});
    items.insert(items.end(), {"A   Dn", "2000 ms", "A   Up"});
    const Bytes stream = EncodeMacroEvents(items);
    ASSERT_EQ(stream.size(), 124u);
    EXPECT_EQ(stream[122], 0x80);
    EXPECT_EQ(stream[123], KEY_B);
    EXPECT_FALSE(MacroEventsFit(items));
}

TEST(EncodeMacroEvents, NoEventsGiveAnEmptyStream) {
    EXPECT_TRUE(EncodeMacroEvents({}).empty());
    EXPECT_TRUE(EncodeMacroEvents({"50 ms", "", "x"}).empty());
}

TEST(LoopCount, IsHeldBigEndianInTheFirstTwoSlotBytes) {
    SettingsBlock block;
    SetLoopCount(block, 0, 0x1234);
    SetLoopCount(block, 11, 65535);
    EXPECT_EQ(block.bytes[offsets::MACRO_SLOTS], 0x12);
    EXPECT_EQ(block.bytes[offsets::MACRO_SLOTS + 1], 0x34);
    EXPECT_EQ(block.bytes[offsets::MACRO_SLOTS + 11 * MACRO_SLOT_SIZE], 0xFF);
    EXPECT_EQ(block.bytes[offsets::MACRO_SLOTS + 11 * MACRO_SLOT_SIZE + 1], 0xFF);
    EXPECT_EQ(LoopCount(block, 0), 0x1234);
    EXPECT_EQ(LoopCount(block, 11), 65535);
    EXPECT_EQ(LoopCount(block, 5), 0);
}

TEST(EncodeMacros, WorkedExampleLandsInItsSlotAndKeepsTheLoopCount) {
    IniDocument record;
    SaveMacro(record, "First", {"A   Dn", "50 ms", "A   Up", "2000 ms"});
    SettingsBlock block = PatternBlock();
    const SettingsBlock before = block;
    const auto report = EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0),
              Slot(before.bytes[163], before.bytes[164], {0x05, 0x04, 0x80, 0x04, 0x14, 0x03}));
    for (int k = 1; k < MACRO_SLOT_COUNT; ++k) EXPECT_EQ(SlotBytes(block, k), SlotBytes(before, k)) << k;
    EXPECT_TRUE(report.cut.empty());
    EXPECT_TRUE(report.notCompiled.empty());
}

TEST(EncodeMacros, AStreamStartingWithAReleaseOrDelayStartsAtByteTwoOfAClearedSlot) {
    IniDocument record;
    SaveMacro(record, "Release first", {"A   Up", "20 ms", "B   Dn"});
    SaveMacro(record, "Delay first", {"300 ms", "B   Dn"});
    SettingsBlock block = PatternBlock();
    SetLoopCount(block, 0, 7);
    SetLoopCount(block, 1, 8);
    EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 7, {0x82, KEY_A, 0x00, KEY_B}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 8, {0x00, KEY_B}));
}

TEST(EncodeMacros, LoopCountIsKeptForMacrosWithItemsAndClearedForEmptyOnes) {
    const auto record = IniDocument::Parse(
        "[With items]\r\nItemCount=1\r\nItem0=A   Dn\r\n"
        "[Saved empty]\r\nItemCount=0\r\n"
        "[No count]\r\nItem0=A   Dn\r\n"
        "[Not a number]\r\nItemCount=many\r\nItem0=A   Dn\r\n"
        "[Negative]\r\nItemCount=-1\r\nItem0=A   Dn\r\n");
    SettingsBlock block = PatternBlock();
    for (int k = 0; k < MACRO_SLOT_COUNT; ++k) SetLoopCount(block, k, static_cast<std::uint16_t>(0x0100 + k));
    const SettingsBlock before = block;
    EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0x01, 0x00, {0x00, KEY_A}));
    EXPECT_EQ(SlotBytes(block, 1), Bytes(MACRO_SLOT_SIZE, 0));
    EXPECT_EQ(SlotBytes(block, 2), Bytes(MACRO_SLOT_SIZE, 0));
    EXPECT_EQ(SlotBytes(block, 3), Bytes(MACRO_SLOT_SIZE, 0));
    EXPECT_EQ(SlotBytes(block, 4), SlotBytes(before, 4)) << "a negative count leaves the slot as it was";
    EXPECT_EQ(SlotBytes(block, 5), SlotBytes(before, 5));
}

TEST(EncodeMacros, SavingAMacroKeepsItsSlot) {
    TestFolder dir;
    const auto path = dir / "record.ini";
    ASSERT_FALSE(SaveMacro(path, "One", {"A   Dn"}).has_value());
    ASSERT_FALSE(SaveMacro(path, "Two", {"B   Dn"}).has_value());
    ASSERT_FALSE(SaveMacro(path, "Three", {"A   Up"}).has_value());
    ASSERT_FALSE(SaveMacro(path, "One", {"B   Up"}).has_value());
    EXPECT_EQ(LoadMacroNames(path), (std::vector<std::string>{"One", "Two", "Three"}));

    SettingsBlock block;
    EncodeMacros(path, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x80, KEY_B}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x00, KEY_B}));
    EXPECT_EQ(SlotBytes(block, 2), Slot(0, 0, {0x80, KEY_A}));
}

TEST(EncodeMacros, AfterADeleteTheHighestSlotInUseKeepsItsOldBytes) {
    TestFolder dir;
    const auto path = dir / "record.ini";
    ASSERT_FALSE(SaveMacro(path, "One", {"A   Dn"}).has_value());
    ASSERT_FALSE(SaveMacro(path, "Two", {"B   Dn"}).has_value());
    ASSERT_FALSE(SaveMacro(path, "Three", {"A   Up"}).has_value());
    SettingsBlock block;
    EncodeMacros(path, block);
    const Bytes thirdBefore = SlotBytes(block, 2);

    ASSERT_FALSE(DeleteMacro(path, "ONE").has_value());
    EXPECT_EQ(LoadMacroNames(path), (std::vector<std::string>{"Two", "Three"}));
    EncodeMacros(path, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x00, KEY_B}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x80, KEY_A}));
    EXPECT_EQ(SlotBytes(block, 2), thirdBefore);
}

TEST(EncodeMacros, SectionsBeyondTwelveAreLeftOutAndNothingOutsideTheSlotsIsWritten) {
    IniDocument record;
    for (int i = 0; i < 14; ++i) SaveMacro(record, "M" + std::to_string(i), {"A   Dn", "10 ms"});
    SettingsBlock block = PatternBlock();
    const SettingsBlock before = block;
    const auto report = EncodeMacros(record, block);
    for (int k = 0; k < MACRO_SLOT_COUNT; ++k) {
        EXPECT_EQ(SlotBytes(block, k), Slot(before.macroSlot(k)[0], before.macroSlot(k)[1], {0x01, KEY_A}))
            << k;
    }
    const std::size_t slotsEnd = offsets::MACRO_SLOTS + MACRO_SLOT_COUNT * MACRO_SLOT_SIZE;
    EXPECT_TRUE(
        std::equal(block.bytes.begin(), block.bytes.begin() + offsets::MACRO_SLOTS, before.bytes.begin()));
    EXPECT_TRUE(
        std::equal(block.bytes.begin() + slotsEnd, block.bytes.end(), before.bytes.begin() + slotsEnd));
    EXPECT_EQ(report.notCompiled, (std::vector<std::string>{"M12", "M13"}));
}

TEST(EncodeMacros, AnOverlongStreamIsCutInItsOwnSlotAndReported) {
    std::vector<std::string> items;
    for (int i = 0; i < 40; ++i) items.insert(items.end(), {"A   Dn", "A   Up"});
    IniDocument record;
    SaveMacro(record, "Long", items);
    SaveMacro(record, "After", {"B   Dn"});
    SettingsBlock block = PatternBlock();
    const SettingsBlock before = block;
    const auto report = EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0),
              Slot(before.macroSlot(0)[0], before.macroSlot(0)[1], EncodeMacroEvents(items)));
    EXPECT_EQ(SlotBytes(block, 1), Slot(before.macroSlot(1)[0], before.macroSlot(1)[1], {0x00, KEY_B}));
    EXPECT_EQ(report.cut, std::vector<std::string>{"Long"});
}

TEST(EncodeMacros, ANameLongerThan31CharactersIsStillCompiledIntoItsSlot) {
    const std::string longName(40, 'n');
    IniDocument record;
    SaveMacro(record, longName, {"A   Dn", "50 ms", "A   Up"});
    SettingsBlock block;
    EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x05, KEY_A, 0x80, KEY_A}));
}

TEST(EncodeMacros, MissingFileChangesNothing) {
    TestFolder dir;
    SettingsBlock block = PatternBlock();
    const auto report = EncodeMacros(dir / "record.ini", block);
    EXPECT_EQ(block, PatternBlock());
    EXPECT_TRUE(report.cut.empty() && report.notCompiled.empty());
    EXPECT_FALSE(dir.Exists("record.ini"));
}

TEST(LoadMacroNames, ListsEverySectionHoweverLongTheNames) {
    // Twelve 40-character names run far past the first 255 characters of a name list.
    IniDocument record;
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        names.push_back(std::string(38, static_cast<char>('a' + i)) + std::to_string(10 + i));
        SaveMacro(record, names.back(), {});
    }
    EXPECT_EQ(LoadMacroNames(record), names);
    TestFolder dir;
    ASSERT_FALSE(record.Save(dir / "record.ini").has_value());
    EXPECT_EQ(LoadMacroNames(dir / "record.ini"), names);
}

TEST(LoadMacroNames, MissingFileGivesNoNames) {
    TestFolder dir;
    EXPECT_TRUE(LoadMacroNames(dir / "record.ini").empty());
    EXPECT_TRUE(ReadMacro(dir / "record.ini", "x").empty());
}

TEST(ReadMacro, ReadsItemCountItemsAndGivesMissingOnesEmpty) {
    const auto record = IniDocument::Parse(
        "[M]\r\nitemcount=4\r\nItem0=A   Dn\r\nITEM2=A   Up\r\nItem3=10 ms\r\nItem4=beyond the count\r\n"
        "[Empty]\r\nItemCount=0\r\nItem0=A   Dn\r\n[Junk]\r\nItemCount=x\r\n[Negative]\r\nItemCount=-3\r\n");
    EXPECT_EQ(ReadMacro(record, "m"), (std::vector<std::string>{"A   Dn", "", "A   Up", "10 ms"}));
    EXPECT_TRUE(ReadMacro(record, "Empty").empty());
    EXPECT_TRUE(ReadMacro(record, "Junk").empty());
    EXPECT_TRUE(ReadMacro(record, "Negative").empty());
    EXPECT_TRUE(ReadMacro(record, "Absent").empty());
}

// Hand-edited files quote their values; the system reads them without the quotes.
TEST(EncodeMacros, QuotedItemsCompileLikeUnquotedOnes) {
    struct Case {
        std::string section;
        Bytes stream;
    } cases[] = {
        {"ItemCount=1\r\nItem0=\"A   Dn\"", {0x00, KEY_A}},
        {"ItemCount=\"2\"\r\nItem0='A   Dn'\r\nItem1=\"50 ms\"", {0x05, KEY_A}},
        {"ItemCount = \"3\" \r\nItem0 = \"B   Up\" \r\nItem1=\"2000 ms\"\r\nItem2=\"A   Dn\"",
         {0x80, KEY_B, 0x14, LONG_DELAY_MARK, 0x00, KEY_A}},
    };
    for (const auto& c : cases) {
        const auto record = IniDocument::Parse("[M]\r\n" + c.section + "\r\n");
        SettingsBlock block;
        EncodeMacros(record, block);
        EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, c.stream)) << c.section;
    }
}

TEST(EncodeMacros, ASectionNameThatAppearsTwiceTakesTwoSlotsAndTheSecondReadsTheFirst) {
    const auto record = IniDocument::Parse(
        "[Copy]\r\nItemCount=1\r\nItem0=A   Dn\r\n"
        "[Paste]\r\nItemCount=1\r\nItem0=B   Dn\r\n"
        "[COPY]\r\nItemCount=1\r\nItem0=B   Up\r\n"
        "[Last]\r\nItemCount=1\r\nItem0=A   Up\r\n");
    EXPECT_EQ(LoadMacroNames(record), (std::vector<std::string>{"Copy", "Paste", "COPY", "Last"}));
    SettingsBlock block;
    EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x00, KEY_A}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x00, KEY_B}));
    EXPECT_EQ(SlotBytes(block, 2), Slot(0, 0, {0x00, KEY_A})) << "the first [Copy] is the one read";
    EXPECT_EQ(SlotBytes(block, 3), Slot(0, 0, {0x80, KEY_A})) << "later macros keep their slot numbers";
}

// 5000 sections of "ItemCount=65535": 129 kB that would otherwise make every
// reader of all macros build 327 million items.
TEST(MacroFile, TheHugeItemCountFileIsRefusedWithAMessageAndLeftAsItIs) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += "[M" + std::to_string(i) + "]\r\nItemCount=65535\r\n";
    ASSERT_LT(bytes.size(), INI_FILE_MAX_BYTES) << "small enough to be read, were it not for its sections";
    TestFolder dir;
    const auto path = dir / "record.ini";
    dir.Write("record.ini", bytes);

    EXPECT_TRUE(LoadMacroNames(path).empty());
    EXPECT_TRUE(ReadMacro(path, "M0").empty());
    SettingsBlock block = PatternBlock();
    EncodeMacros(path, block);
    EXPECT_EQ(block, PatternBlock());
    IniDocument doc;
    const auto error = IniDocument::LoadForUpdate(path, doc);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("128 sections"), std::string::npos) << error->message;

    const auto saved = SaveMacro(path, "New", {"A   Dn"});
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->message, error->message);
    EXPECT_TRUE(DeleteMacro(path, "M1").has_value());
    EXPECT_EQ(dir.Read("record.ini"), bytes);
}

TEST(ReadMacro, ItemCountsAreBoundedAndTheFirstMacroBeyondTheLimitIsNamed) {
    std::string bytes = "[Fits]\r\nItemCount=4096\r\nItem0=A   Dn\r\n";
    for (std::size_t i = 1; i < INI_SECTION_MAX; ++i)
        bytes += "[M" + std::to_string(i) + "]\r\nItemCount=65535\r\nItem0=B   Dn\r\n";
    const auto record = IniDocument::Parse(bytes);
    ASSERT_EQ(LoadMacroNames(record).size(), INI_SECTION_MAX);
    std::size_t total = 0;
    for (const auto& name : LoadMacroNames(record)) {
        const auto items = ReadMacro(record, name);
        ASSERT_EQ(items.size(), static_cast<std::size_t>(MACRO_ITEM_MAX)) << name;
        total += items.size();
    }
    EXPECT_EQ(total, INI_SECTION_MAX * MACRO_ITEM_MAX);
    SettingsBlock block;
    EncodeMacros(record, block);
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x00, KEY_B}));

    const auto error = CheckMacroLimits(record, "dir/record.ini");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(
        error->message,
        "dir/record.ini is not read: the macro \"M1\" has an ItemCount of 65535, more than the 4096 items a "
        "macro may hold. The file is left as it is.");
    for (Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
        const std::string& text = error->In(language);
        for (const char* part : {"dir/record.ini", "M1", "65535", "4096"})
            EXPECT_NE(text.find(part), std::string::npos) << text;
    }
    EXPECT_FALSE(CheckMacroLimits(IniDocument::Parse("[Fits]\r\nItemCount=4096\r\n"), "r.ini").has_value());
}

TEST(SaveMacro, RewritesAnExistingMacroInItsPlaceAndAppendsANewOne) {
    TestFolder dir;
    dir.Write("record.ini",
              "[Old]\r\nItemCount=2\r\nItem0=A   Dn\r\nItem1=A   Up\r\n[Other]\r\nItemCount=0\r\n");
    ASSERT_FALSE(SaveMacro(dir / "record.ini", "old", {"B   Dn", "50 ms", "B   Up"}).has_value());
    ASSERT_FALSE(SaveMacro(dir / "record.ini", "New", {"C   Dn"}).has_value());
    EXPECT_EQ(
        dir.Read("record.ini"),
        "[Old]\r\nItemCount=3\r\nItem0=B   Dn\r\nItem1=50 ms\r\nItem2=B   Up\r\n[Other]\r\nItemCount=0\r\n"
        "[New]\r\nItemCount=1\r\nItem0=C   Dn\r\n");
}

TEST(SaveMacro, ANameWithALineBreakIsRefusedAndTheFileLeftAlone) {
    TestFolder dir;
    const std::string original = "[Keep]\r\nItemCount=0\r\n";
    dir.Write("record.ini", original);
    const auto error = SaveMacro(dir / "record.ini", "Two\r\nLines", {"A   Dn"});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("line break"), std::string::npos) << error->message;
    EXPECT_EQ(dir.Read("record.ini"), original);

    IniDocument record = IniDocument::Parse(original);
    EXPECT_FALSE(SaveMacro(record, "a\nb", {}));
    EXPECT_EQ(record.Serialize(), original);
}

TEST(SaveMacro, AnUnreadableRecordIniIsReportedAndNotReplaced) {
    TestFolder dir;
    std::filesystem::create_directory(dir / "record.ini");
    EXPECT_TRUE(SaveMacro(dir / "record.ini", "M", {"A   Dn"}).has_value());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "record.ini"));
}

TEST(DeleteMacro, MissingFileOrSectionWritesNothing) {
    TestFolder dir;
    EXPECT_FALSE(DeleteMacro(dir / "record.ini", "M").has_value());
    EXPECT_FALSE(dir.Exists("record.ini"));
    IniDocument record = IniDocument::Parse("[A]\r\nItemCount=0\r\n");
    DeleteMacro(record, "B");
    EXPECT_EQ(record.SectionNames(), std::vector<std::string>{"A"});
}

TEST(MacroFile, ChineseNamesRoundTripThroughAUtf8File) {
    TestFolder dir;
    const auto path = dir / "record.ini";
    ASSERT_FALSE(SaveMacro(path, MACRO_ONE, {"A   Dn", "50 ms", "A   Up", "2000 ms"}).has_value());
    ASSERT_FALSE(SaveMacro(path, COMBO_EMOJI, {"L-Button   Dn", "L-Button   Up"}).has_value());
    EXPECT_EQ(dir.Read("record.ini").substr(0, 10), "[" + MACRO_ONE + "]\r\n") << "plain UTF-8, no mark";
    EXPECT_EQ(LoadMacroNames(path), (std::vector<std::string>{MACRO_ONE, COMBO_EMOJI}));
    EXPECT_EQ(ReadMacro(path, COMBO_EMOJI), (std::vector<std::string>{"L-Button   Dn", "L-Button   Up"}));
    SettingsBlock block;
    EncodeMacros(path, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x05, KEY_A, 0x80, KEY_A, 0x14, LONG_DELAY_MARK}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x00, 0xF0, 0x80, 0xF0}));
}

TEST(MacroFile, ChineseNamesAreReadFromAUtf16FileAndWrittenBackAsUtf8) {
    TestFolder dir;
    const auto fixture = std::filesystem::path(KV12_TEST_DATA) / "record-utf16le.ini";
    const auto path = dir / "record.ini";
    std::filesystem::copy_file(fixture, path);
    EXPECT_EQ(LoadMacroNames(path), (std::vector<std::string>{MACRO_ONE, COMBO_EMOJI}));
    EXPECT_EQ(ReadMacro(path, MACRO_ONE), (std::vector<std::string>{"A   Dn", "50 ms", "A   Up", "2000 ms"}));
    SettingsBlock block;
    EncodeMacros(path, block);
    EXPECT_EQ(SlotBytes(block, 0), Slot(0, 0, {0x05, KEY_A, 0x80, KEY_A, 0x14, LONG_DELAY_MARK}));
    EXPECT_EQ(SlotBytes(block, 1), Slot(0, 0, {0x00, 0xF0, 0x80, 0xF0}));

    ASSERT_FALSE(SaveMacro(path, MACRO_ONE, {"B   Dn"}).has_value());
    const std::string saved = dir.Read("record.ini");
    EXPECT_EQ(saved.rfind("; macros recorded", 0), 0u) << "now UTF-8 without a mark, comment kept";
    EXPECT_NE(saved.find("[" + COMBO_EMOJI + "]\r\n"), std::string::npos);
    EXPECT_EQ(LoadMacroNames(path), (std::vector<std::string>{MACRO_ONE, COMBO_EMOJI}))
        << "saved in its place";
}

}  // namespace
}  // namespace kv12
