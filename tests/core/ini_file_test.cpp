#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

#include "test_folder.h"

namespace kv12 {
namespace {

using test::TestFolder;

// A file as people write them by hand: a preamble comment, blank lines between
// sections, comments inside a section, spacing around "=" and a stray line.
constexpr std::string_view HAND_WRITTEN =
    "; preferences\r\n"
    "\r\n"
    "[Skins]\r\n"
    "Lan = CHS\r\n"
    "; the skin folder under Skins\r\n"
    "Path=Blue\r\n"
    "\r\n"
    "[Setting-CHS]\r\n"
    "Item1=Left Click\r\n"
    "not a key line\r\n"
    "Item2=Right Click\r\n";

TEST(IniDocument, NamesCompareCaseInsensitivelyAndTrimmed) {
    const auto doc = IniDocument::Parse(HAND_WRITTEN);
    struct Case {
        std::string_view section, key;
        std::optional<std::string> value;
    } cases[] = {
        {"Skins", "Lan", "CHS"},
        {"SKINS", "lan", "CHS"},
        {"skins", "PATH", "Blue"},
        {" Skins ", " Path\t", "Blue"},
        {"setting-chs", "ITEM2", "Right Click"},
        {"Skins", "Item1", std::nullopt},
        {"Nope", "Lan", std::nullopt},
        {"Setting-CHS", "not a key line", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
        EXPECT_EQ(doc.GetString(c.section, c.key), c.value.value_or("")) << c.section << "/" << c.key;
    }
}

TEST(IniDocument, ValuesAreTrimmedOfSurroundingBlanksButKeepInnerOnes) {
    const auto doc = IniDocument::Parse("[  Macro 1  ]\n  Item0 \t=  A   Dn \t\nItem1=\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"Macro 1"});
    EXPECT_EQ(doc.Get("Macro 1", "Item0"), "A   Dn");
    EXPECT_EQ(doc.Get("Macro 1", "Item1"), "");
}

TEST(IniDocument, UnchangedDocumentWritesBackEveryLineAsItWas) {
    EXPECT_EQ(IniDocument::Parse(HAND_WRITTEN).Serialize(), HAND_WRITTEN);
}

TEST(IniDocument, LfAndCrlfFilesReadAlikeAndAreWrittenWithCrlf) {
    const std::string lf = "[A]\nx=1\n\n[B]\ny=2";
    const auto doc = IniDocument::Parse(lf);
    EXPECT_EQ(doc.Get("A", "x"), "1");
    EXPECT_EQ(doc.Get("B", "y"), "2");
    EXPECT_EQ(doc.Serialize(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
}

TEST(IniDocument, WrittenKeyReplacesItsValueInPlace) {
    auto doc = IniDocument::Parse(HAND_WRITTEN);
    ASSERT_TRUE(doc.Set("skins", "LAN", "CHT"));
    std::string expected(HAND_WRITTEN);
    expected.replace(expected.find("Lan = CHS"), 9, "Lan=CHT");  // the file's spelling of the key stays
    EXPECT_EQ(doc.Serialize(), expected);
}

TEST(IniDocument, NewKeyIsAppendedToItsSectionBeforeTheBlankSeparator) {
    auto doc = IniDocument::Parse(HAND_WRITTEN);
    ASSERT_TRUE(doc.Set("Skins", "RColor", "255"));
    std::string expected(HAND_WRITTEN);
    expected.insert(expected.find("Path=Blue\r\n") + 11, "RColor=255\r\n");
    EXPECT_EQ(doc.Serialize(), expected);
    EXPECT_EQ(doc.KeyNames("Skins"), (std::vector<std::string>{"Lan", "Path", "RColor"}));
}

TEST(IniDocument, NewSectionIsAppendedAtTheEnd) {
    auto doc = IniDocument::Parse(HAND_WRITTEN);
    ASSERT_TRUE(doc.Set("Setting-EN", "Item1", "Left Click"));
    EXPECT_EQ(doc.Serialize(), std::string(HAND_WRITTEN) + "[Setting-EN]\r\nItem1=Left Click\r\n");
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"Skins", "Setting-CHS", "Setting-EN"}));

    IniDocument empty;
    ASSERT_TRUE(empty.Set("A", "k", "v"));
    EXPECT_EQ(empty.Serialize(), "[A]\r\nk=v\r\n");
}

TEST(IniDocument, DeletedSectionDisappearsWithAllItsLines) {
    auto doc = IniDocument::Parse(HAND_WRITTEN);
    doc.DeleteSection("SKINS");
    EXPECT_FALSE(doc.HasSection("Skins"));
    EXPECT_EQ(doc.Get("Skins", "Lan"), std::nullopt);
    EXPECT_EQ(
        doc.Serialize(),
        "; preferences\r\n\r\n[Setting-CHS]\r\nItem1=Left Click\r\nnot a key line\r\nItem2=Right Click\r\n");
    doc.DeleteSection("Not there");  // nothing to do, nothing breaks
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"Setting-CHS"});
}

TEST(IniDocument, DeletedKeyIsGoneAndTheRestOfItsSectionStays) {
    auto doc = IniDocument::Parse("[A]\nx=1\ny=2\nX=3\n");
    doc.DeleteKey("a", "x");
    EXPECT_EQ(doc.Get("A", "x"), std::nullopt) << "a duplicate must not come back into view";
    EXPECT_EQ(doc.Serialize(), "[A]\r\ny=2\r\n");
}

TEST(IniDocument, FirstOfDuplicateSectionsAndKeysIsRead) {
    const auto doc = IniDocument::Parse("[A]\nx=first\nX=second\n[B]\n[a]\nx=third\ny=hidden\n");
    EXPECT_EQ(doc.Get("A", "x"), "first");
    EXPECT_EQ(doc.Get("A", "y"), std::nullopt) << "keys of a later duplicate section are not read";
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(doc.KeyNames("a"), std::vector<std::string>{"x"});
}

TEST(IniDocument, WritingToADuplicatedKeyChangesTheOneThatIsRead) {
    auto doc = IniDocument::Parse("[A]\nx=first\nx=second\n");
    ASSERT_TRUE(doc.Set("A", "x", "new"));
    EXPECT_EQ(doc.Get("A", "x"), "new");
    EXPECT_EQ(doc.Serialize(), "[A]\r\nx=new\r\nx=second\r\n");
}

TEST(IniDocument, DeletingASectionAlsoRemovesItsLaterDuplicates) {
    auto doc = IniDocument::Parse("[M]\nItemCount=1\n[Other]\n[m]\nItemCount=9\n");
    doc.DeleteSection("M");
    EXPECT_FALSE(doc.HasSection("M"));
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"Other"});
}

TEST(IniDocument, SectionNamesHoldingBracketsReadBackWhole) {
    IniDocument doc;
    ASSERT_TRUE(doc.Set("[x] y]", "k", "v"));
    const auto reread = IniDocument::Parse(doc.Serialize());
    EXPECT_EQ(reread.SectionNames(), std::vector<std::string>{"[x] y]"});
    EXPECT_EQ(reread.Get("[x] y]", "k"), "v");
}

TEST(IniDocument, LinesBeforeTheFirstSectionAreKeptButBelongToNoSection) {
    const std::string text = "stray=1\r\n[A]\r\nk=v\r\n";
    const auto doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"A"});
    EXPECT_EQ(doc.Get("A", "stray"), std::nullopt);
    EXPECT_EQ(doc.Serialize(), text);
}

TEST(IniDocument, UnterminatedHeaderIsKeptAsAnOrdinaryLine) {
    const auto doc = IniDocument::Parse("[A]\n[broken\nk=v\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"A"});
    EXPECT_EQ(doc.Get("A", "k"), "v");
    EXPECT_EQ(doc.Serialize(), "[A]\r\n[broken\r\nk=v\r\n");
}

TEST(IniDocument, LineBreaksInAValueAreWrittenAsBlanksSoTheFileKeepsItsShape) {
    struct Case {
        std::string_view value, read;
    } cases[] = {
        {"two\r\nlines", "two lines"},
        {"a\nb\rc", "a b c"},
        {"end\n", "end"},
        {"\r\n[Evil]\r\nx=1", "[Evil] x=1"},
    };
    for (const auto& c : cases) {
        IniDocument doc;
        ASSERT_TRUE(doc.Set("A", "k", c.value));
        ASSERT_TRUE(doc.Set("A", "after", "kept"));
        EXPECT_EQ(doc.Get("A", "k"), c.read);
        const auto reread = IniDocument::Parse(doc.Serialize());
        EXPECT_EQ(reread.SectionNames(), std::vector<std::string>{"A"}) << c.value;
        EXPECT_EQ(reread.Get("A", "k"), c.read);
        EXPECT_EQ(reread.Get("A", "after"), "kept");
    }
}

TEST(IniDocument, NamesThatWouldNotReadBackAreRefused) {
    struct Case {
        std::string_view section, key;
    } cases[] = {
        {"A", "x=y"}, {"A", "[k]"},        {"A", ";k"},     {"A", ""},
        {"A", "  "},  {"A", "two\nlines"}, {"A\r\nB", "k"}, {"A\n", "k"},
    };
    for (const auto& c : cases) {
        auto doc = IniDocument::Parse("[A]\r\nk=v\r\n");
        EXPECT_FALSE(doc.Set(c.section, c.key, "value")) << c.section << "/" << c.key;
        EXPECT_EQ(doc.Serialize(), "[A]\r\nk=v\r\n") << "nothing changed";
    }
    EXPECT_TRUE(IniDocument::IsStorableKeyName("Item0"));
    EXPECT_TRUE(IniDocument::IsStorableSectionName(""));
}

TEST(IniDocument, Utf8ByteOrderMarkIsSkipped) {
    const auto doc = IniDocument::Parse("\xEF\xBB\xBF[Skins]\r\nLan=CHS\r\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"Skins"});
    EXPECT_EQ(doc.Serialize(), "[Skins]\r\nLan=CHS\r\n");
}

std::string Utf16Le(std::initializer_list<char16_t> units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

TEST(IniDocument, Utf16LeFileIsReadAsUtf8IncludingSurrogatePairs) {
    // "[宏]\r\nk=😀\r\n": a CJK name and a character beyond U+FFFF.
    const auto doc =
        IniDocument::Parse(Utf16Le({'[', 0x5B8F, ']', '\r', '\n', 'k', '=', 0xD83D, 0xDE00, '\r', '\n'}));
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"\xE5\xAE\x8F"});
    EXPECT_EQ(doc.Get("\xE5\xAE\x8F", "k"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(doc.Serialize(), "[\xE5\xAE\x8F]\r\nk=\xF0\x9F\x98\x80\r\n");
}

TEST(IniDocument, DamagedUtf16BecomesReplacementCharactersWithoutLosingTheRest) {
    const std::string replacement = "\xEF\xBF\xBD";
    struct Case {
        std::string bytes;
        std::string value;
    } cases[] = {
        {Utf16Le({'[', 'A', ']', '\n', 'k', '=', 0xD83D, 'x', '\n'}),
         replacement + "x"},  // lone high surrogate
        {Utf16Le({'[', 'A', ']', '\n', 'k', '=', 0xDE00, 'x', '\n'}),
         replacement + "x"},                                                         // lone low surrogate
        {Utf16Le({'[', 'A', ']', '\n', 'k', '=', 'x', 0xD83D}), "x" + replacement},  // cut at the end
        {Utf16Le({'[', 'A', ']', '\n', 'k', '=', 'x'}) + "y", "x" + replacement},    // odd byte count
    };
    for (const auto& c : cases) {
        const auto doc = IniDocument::Parse(c.bytes);
        EXPECT_EQ(doc.Get("A", "k"), c.value);
    }
    EXPECT_EQ(IniDocument::Parse("\xFF\xFE").Serialize(), "");
    EXPECT_EQ(IniDocument::Parse("\xFF\xFE\x41").Serialize(), replacement + "\r\n");
}

TEST(IniDocument, Utf16BeFileIsReadToo) {
    const std::string bytes("\xFE\xFF\x00[\x00\x41\x00]\x00\n\x00k\x00=\x5B\x8F", 16);
    EXPECT_EQ(IniDocument::Parse(bytes).Get("A", "k"), "\xE5\xAE\x8F");
}

TEST(IniDocument, BytesThatAreNotUtf8PassThroughUnchanged) {
    // A file saved in a legacy code page must not be damaged by saving one key.
    const std::string legacy = "[\xBA\xEA]\r\nItem0=\xC4\xE3\r\n";
    auto doc = IniDocument::Parse(legacy);
    ASSERT_TRUE(doc.Set("Other", "k", "v"));
    EXPECT_EQ(doc.Serialize(), legacy + "[Other]\r\nk=v\r\n");
}

TEST(IniDocument, SaveWritesTheFileAndLoadReadsItBack) {
    TestFolder dir;
    auto doc = IniDocument::Parse(HAND_WRITTEN);
    ASSERT_TRUE(doc.Set("Skins", "Path", "\xE7\xBA\xA2"));
    ASSERT_FALSE(doc.Save(dir / "str.ini").has_value());
    EXPECT_EQ(dir.Read("str.ini"), doc.Serialize());
    EXPECT_EQ(IniDocument::Load(dir / "str.ini").Get("Skins", "Path"), "\xE7\xBA\xA2");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"str.ini"}) << "no temporary file is left behind";
}

TEST(IniDocument, MissingFileLoadsEmpty) {
    TestFolder dir;
    const auto doc = IniDocument::Load(dir / "str.ini");
    EXPECT_TRUE(doc.SectionNames().empty());
    IniDocument forUpdate;
    EXPECT_FALSE(IniDocument::LoadForUpdate(dir / "str.ini", forUpdate).has_value());
    EXPECT_TRUE(forUpdate.SectionNames().empty());
}

TEST(IniDocument, FileThatExistsButCannotBeReadIsReportedForUpdate) {
    TestFolder dir;
    std::filesystem::create_directory(dir / "str.ini");
    IniDocument doc;
    const auto error = IniDocument::LoadForUpdate(dir / "str.ini", doc);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("str.ini"), std::string::npos) << error->message;
    EXPECT_TRUE(IniDocument::Load(dir / "str.ini").SectionNames().empty());
}

TEST(IniDocument, FailedSaveIsReported) {
    TestFolder dir;
    std::filesystem::create_directory(dir / "str.ini");
    IniDocument doc;
    ASSERT_TRUE(doc.Set("A", "k", "v"));
    EXPECT_TRUE(doc.Save(dir / "str.ini").has_value());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "str.ini"));
}

// Arbitrary bytes built from the characters that matter to the format: parsing
// never fails, and what is written once reads back and writes again unchanged.
TEST(IniDocument, AnyBytesParseAndTheWrittenFormIsStable) {
    constexpr std::string_view alphabet("[]=; \t\r\nAa\xFF\xFE\xE5\xAE\x8F\xEF\xBB\xBF\x00", 19);
    std::mt19937 random(12345);
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const std::size_t length = random() % 64;
        for (std::size_t i = 0; i < length; ++i) bytes += alphabet[random() % alphabet.size()];
        auto doc = IniDocument::Parse(bytes);
        const std::string once = doc.Serialize();
        EXPECT_EQ(IniDocument::Parse(once).Serialize(), once);
        ASSERT_TRUE(doc.Set("Probe", "key", bytes));
        const auto reread = IniDocument::Parse(doc.Serialize());
        EXPECT_EQ(reread.Get("Probe", "key"), doc.Get("Probe", "key"));
        EXPECT_EQ(reread.SectionNames(), doc.SectionNames());
    }
}

TEST(ParseProfileInt, ReadsTheLeadingDecimalNumberLikeTheCRuntime) {
    struct Case {
        std::string_view text;
        int value;
    } cases[] = {
        {"300", 300},
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"  7", 7},
        {"\t-1", -1},
        {"+5", 5},
        {"- 5", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
        {"50 ms", 50},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.value) << c.text;
}

TEST(IniNamesEqual, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(IniNamesEqual("Setting-CHS", "setting-chs"));
    EXPECT_FALSE(IniNamesEqual("A", "A "));
    EXPECT_FALSE(IniNamesEqual("[", "{"));  // '[' + 32 is '{': only letters fold
    EXPECT_TRUE(IniNamesEqual("\xE5\xAE\x8F", "\xE5\xAE\x8F"));
    EXPECT_FALSE(IniNamesEqual("\xC3\xA9", "\xC3\x89"));  // é and É: beyond ASCII names are exact
}

}  // namespace
}  // namespace kv12
