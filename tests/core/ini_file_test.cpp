#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

#include "core/utf8_path.h"
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

std::string Utf16Le(std::initializer_list<char16_t> units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

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

TEST(IniDocument, AValueInAPairOfQuotesIsReadWithoutThem) {
    struct Case {
        std::string_view line;
        std::string value;
    } cases[] = {
        {"k=\"A   Dn\"", "A   Dn"},
        {"k = \"  padded  \"  ", "  padded  "},
        {"k='single'", "single"},
        {"k=\"\"", ""},
        {"k=''", ""},
        {"k=\"x\"y\"", "x\"y"},  // only the outer pair
        {"k=\"\"x\"\"", "\"x\""},
        {"k=\"", "\""},  // one quote is no pair
        {"k='mixed\"", "'mixed\""},
        {"k=\"open", "\"open"},
        {"k=close\"", "close\""},
        {"k=in \"the\" middle", "in \"the\" middle"},
    };
    for (const auto& c : cases) {
        const auto doc = IniDocument::Parse("[A]\r\n" + std::string(c.line) + "\r\n");
        EXPECT_EQ(doc.Get("A", "k"), c.value) << c.line;
        EXPECT_EQ(doc.Entries("A"), (std::vector<std::pair<std::string, std::string>>{{"k", c.value}}))
            << c.line;
        EXPECT_EQ(doc.Serialize(), "[A]\r\n" + std::string(c.line) + "\r\n") << "the line itself is kept";
    }
}

TEST(IniDocument, EveryWrittenValueReadsBackUnchanged) {
    struct Case {
        std::string value;
        std::string line;  // as written
    } cases[] = {
        {"plain", "k=plain"},
        {"inner   blanks", "k=inner   blanks"},
        {"", "k="},
        {" leading", "k=\" leading\""},
        {"trailing\t", "k=\"trailing\t\""},
        {"\x1A", "k=\"\x1A\""},
        {"\"quoted\"", "k=\"\"quoted\"\""},
        {"'single'", "k=\"'single'\""},
        {"''", "k=\"''\""},
        {"\"", "k=\""},
        {"\"open", "k=\"open"},
        {"'mixed\"", "k='mixed\""},
        {"a=b", "k=a=b"},
        {"; not a comment", "k=; not a comment"},
    };
    for (const auto& c : cases) {
        IniDocument doc;
        ASSERT_TRUE(doc.Set("A", "k", c.value));
        EXPECT_EQ(doc.Get("A", "k"), c.value);
        EXPECT_EQ(doc.Serialize(), "[A]\r\n" + c.line + "\r\n");
        EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("A", "k"), c.value) << c.line;
    }
}

TEST(IniDocument, ALineEndsAtACarriageReturnAlone) {
    const auto doc = IniDocument::Parse("[A]\rx=1\ry=2\r\n\n[B]\rz=3");
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(doc.Get("A", "x"), "1");
    EXPECT_EQ(doc.Get("A", "y"), "2");
    EXPECT_EQ(doc.Get("B", "z"), "3");
    EXPECT_EQ(doc.Serialize(), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
}

TEST(IniDocument, CtrlZIsABlankLikeSpaceAndTab) {
    const auto doc = IniDocument::Parse("\x1A[A]\x1A\r\n\x1Ak\x1A=\x1A v\x1A\r\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"A"});
    EXPECT_EQ(doc.Get("A", "k"), "v");
}

TEST(IniDocument, KeysWithoutAValueAndCommentsReadAsTheSystemReadsThem) {
    const auto doc = IniDocument::Parse(
        "[A]\r\n"
        "shadow\r\n"         // a key without a value ...
        "shadow=hidden\r\n"  // ... hides a later one of the same name
        ";note=1\r\n"        // a comment: readable by name, never listed
        "#hash=2\r\n"        // "#" starts no comment
        "=first\r\n"         // a key without a name
        "=dropped\r\n"       // right behind another nameless one: no key
        "k=v\r\n"
        "=third\r\n");
    struct Case {
        std::string_view key;
        std::optional<std::string> value;
    } cases[] = {
        {"shadow", std::nullopt},
        {"SHADOW", std::nullopt},
        {";note", "1"},
        {"#hash", "2"},
        {"", "first"},
        {"k", "v"},
    };
    for (const auto& c : cases) EXPECT_EQ(doc.Get("A", c.key), c.value) << c.key;
    EXPECT_EQ(doc.KeyNames("A"), (std::vector<std::string>{"shadow", "#hash"}))
        << "a nameless key ends the list";
    EXPECT_EQ(doc.Entries("A"),
              (std::vector<std::pair<std::string, std::string>>{{"#hash", "2"}, {"", "first"}, {"k", "v"}}));
}

TEST(IniDocument, LinesBeforeTheFirstHeaderFormTheNamelessSectionThatIsNeverListed) {
    const auto doc = IniDocument::Parse("top=1\r\n; comment\r\n[]\r\nk=2\r\n[  ]\r\nj=3\r\n[A]\r\nk=4\r\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"A"});
    EXPECT_EQ(doc.Get("", "top"), "1");
    EXPECT_EQ(doc.Get(" ", "top"), "1");
    EXPECT_EQ(doc.Get("", "k"), std::nullopt) << "the lines before the first header come first";
    EXPECT_EQ(doc.KeyNames(""), std::vector<std::string>{"top"});
    // Listing takes the section name as given; reading trims it.
    EXPECT_TRUE(doc.KeyNames(" ").empty());
    EXPECT_TRUE(doc.KeyNames(" A").empty());
    EXPECT_EQ(doc.KeyNames("a"), std::vector<std::string>{"k"});
    EXPECT_EQ(doc.Get(" A", "k"), "4");
    EXPECT_FALSE(doc.HasSection(""));
    EXPECT_EQ(doc.Get("A", "k"), "4");
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

TEST(IniDocument, FirstOfDuplicateSectionsAndKeysIsReadButEveryOneIsListed) {
    const auto doc = IniDocument::Parse("[A]\nx=first\nX=second\n[B]\n[a]\nx=third\ny=hidden\n");
    EXPECT_EQ(doc.Get("A", "x"), "first");
    EXPECT_EQ(doc.Get("A", "y"), std::nullopt) << "keys of a later duplicate section are not read";
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"A", "B", "a"}));
    EXPECT_EQ(doc.KeyNames("a"), (std::vector<std::string>{"x", "X"}));
    EXPECT_EQ(doc.Entries("a"), (std::vector<std::pair<std::string, std::string>>{{"x", "first"}}));
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

TEST(IniDocument, LinesBeforeTheFirstSectionAreKeptAndStayOutOfTheFirstSection) {
    const std::string text = "stray=1\r\n[A]\r\nk=v\r\n";
    auto doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"A"});
    EXPECT_EQ(doc.Get("A", "stray"), std::nullopt);
    EXPECT_EQ(doc.Serialize(), text);
    doc.DeleteSection("");
    doc.DeleteSection("A");
    EXPECT_EQ(doc.Serialize(), "stray=1\r\n") << "a blank name deletes nothing";
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
        {"end\n", "end "},
        {"\r\n[Evil]\r\nx=1", " [Evil] x=1"},
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
        {"A", "x=y"},
        {"A", "[k]"},
        {"A", ";k"},
        {"A", ""},
        {"A", "  "},
        {"A", "two\nlines"},
        {"A", std::string_view("nul\0key", 7)},
        {"A\r\nB", "k"},
        {"A\n", "k"},
        {"", "k"},
        {" \t", "k"},
        {std::string_view("nul\0name", 8), "k"},
    };
    for (const auto& c : cases) {
        auto doc = IniDocument::Parse("[A]\r\nk=v\r\n");
        EXPECT_FALSE(doc.Set(c.section, c.key, "value")) << c.section << "/" << c.key;
        EXPECT_EQ(doc.Serialize(), "[A]\r\nk=v\r\n") << "nothing changed";
    }
    EXPECT_TRUE(IniDocument::IsStorableKeyName("Item0"));
    EXPECT_TRUE(IniDocument::IsStorableKeyName("#hash"));
    EXPECT_TRUE(IniDocument::IsStorableSectionName("[x] y]"));
}

TEST(IniDocument, Utf8ByteOrderMarkIsTakenOnceAndWrittenBack) {
    const auto doc = IniDocument::Parse("\xEF\xBB\xBF[Skins]\r\nLan=CHS\r\n");
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"Skins"});
    EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[Skins]\r\nLan=CHS\r\n");
    EXPECT_EQ(IniDocument::Parse("[Skins]\r\n").Serialize(), "[Skins]\r\n") << "no mark is added";
}

// Whatever a file starts with, a save must not change how it is read: the
// sections and values after saving one key are those before, plus that key.
TEST(IniDocument, ASavedFileIsReadAsBeforeWhateverItStartsWith) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> sections;  // as read before and after
    } cases[] = {
        {"UTF-8 text starting with the bytes FF FE after the mark",
         bom + "\xFF\xFE junk\r\n[Skins]\r\nLan=CHS\r\n[Setting-CHS]\r\nItem1=x\r\n",
         {"Skins", "Setting-CHS"}},
        {"UTF-8 text starting with FE FF after the mark",
         bom + "\xFE\xFF\r\n[Skins]\r\nLan=CHS\r\n",
         {"Skins"}},
        {"a doubled UTF-8 mark hides the first section, before and after",
         bom + bom + "[Skins]\r\nLan=CHS\r\n[Setting-CHS]\r\nItem1=x\r\n",
         {"Setting-CHS"}},
        {"a doubled UTF-16 mark",
         Utf16Le({0xFEFF, '[', 'S', ']', '\r', '\n', 'k', '=', 'v', '\r', '\n'}),
         {}},
        {"UTF-16 without a second mark",
         Utf16Le({'[', 'S', ']', '\r', '\n', 'k', '=', 'v', '\r', '\n'}),
         {"S"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = IniDocument::Parse(c.bytes);
        EXPECT_EQ(doc.SectionNames(), c.sections);
        ASSERT_TRUE(doc.Set("Added", "k", "1"));
        const auto reread = IniDocument::Parse(doc.Serialize());
        std::vector<std::string> expected = c.sections;
        expected.push_back("Added");
        EXPECT_EQ(reread.SectionNames(), expected);
        EXPECT_EQ(reread.Serialize(), doc.Serialize());
        for (const auto& name : c.sections) EXPECT_EQ(reread.Entries(name), doc.Entries(name)) << name;
    }
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

std::string Repeat(std::string_view text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

std::string Sections(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += "[S" + std::to_string(i) + "]\r\nItemCount=0\r\n";
    return out;
}

TEST(IniDocument, AFileBeyondALimitIsNotReadAndTheUserIsToldWhy) {
    using Limit = IniDocument::Limit;
    struct Case {
        const char* what;
        std::string bytes;
        Limit limit;
        std::string fragment;
    } cases[] = {
        {"one byte over 1 MB", "[A]\r\nk=" + std::string(INI_FILE_MAX_BYTES, 'x'), Limit::Bytes,
         "1048576 bytes"},
        {"one line too many", "[A]\r\n" + Repeat("\r\n", INI_LINE_MAX), Limit::Lines, "65536 lines"},
        {"lone carriage returns count as lines", Repeat("\r", INI_LINE_MAX + 1), Limit::Lines, "65536 lines"},
        {"one section too many", Sections(INI_SECTION_MAX + 1), Limit::Sections, "128 sections"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder dir;
        dir.Write("record.ini", c.bytes);
        IniDocument parsed;
        EXPECT_EQ(IniDocument::ParseWithinLimits(c.bytes, parsed), c.limit);
        EXPECT_EQ(parsed.Serialize(), "");
        EXPECT_EQ(IniDocument::Load(dir / "record.ini").Serialize(), "");

        IniDocument forUpdate;
        const auto error = IniDocument::LoadForUpdate(dir / "record.ini", forUpdate);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(forUpdate.Serialize(), "");
        const std::string path = PathToUtf8(dir / "record.ini");
        EXPECT_EQ(error->message.rfind(path + " is not read: ", 0), 0u) << error->message;
        EXPECT_NE(error->message.find(c.fragment), std::string::npos) << error->message;
        EXPECT_NE(error->message.find("left as it is"), std::string::npos) << error->message;
        for (Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
            const std::string& text = error->In(language);
            EXPECT_NE(text, error->message);
            EXPECT_NE(text.find(path), std::string::npos) << text;
            EXPECT_NE(text.find(c.fragment.substr(0, c.fragment.find(' '))), std::string::npos) << text;
        }
        EXPECT_EQ(dir.Read("record.ini"), c.bytes);
    }
}

TEST(IniDocument, AFileAtTheLimitsIsRead) {
    const std::string atByteLimit = "[A]\r\nk=" + std::string(INI_FILE_MAX_BYTES - 7, 'x');
    const std::string atLineLimit = "[A]\r\n" + Repeat("k=v\r\n", INI_LINE_MAX - 1);
    const std::string atSectionLimit = Sections(INI_SECTION_MAX);
    ASSERT_EQ(atByteLimit.size(), INI_FILE_MAX_BYTES);
    TestFolder dir;
    for (const std::string& bytes : {atByteLimit, atLineLimit, atSectionLimit}) {
        dir.Write("str.ini", bytes);
        IniDocument doc;
        ASSERT_FALSE(IniDocument::LoadForUpdate(dir / "str.ini", doc).has_value());
        EXPECT_EQ(doc.Serialize(), IniDocument::Parse(bytes).Serialize());
    }
    EXPECT_EQ(IniDocument::Load(dir / "str.ini").SectionNames().size(), INI_SECTION_MAX);
}

// The written value of Set: every line break becomes one blank.
std::string AsWritten(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += value[i] == '\r' || value[i] == '\n' ? ' ' : value[i];
    }
    return out;
}

// Arbitrary bytes built from the characters that matter to the format: parsing
// never fails, what is written once reads back and writes again unchanged, and
// any value written reads back as written.
TEST(IniDocument, AnyBytesParseAndTheWrittenFormIsStable) {
    constexpr std::string_view alphabet("[]=; \t\r\nAa\"'\x1A\xFF\xFE\xE5\xAE\x8F\xEF\xBB\xBF\x00", 22);
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const std::size_t length = random() % 64;
        for (std::size_t i = 0; i < length; ++i) bytes += alphabet[random() % alphabet.size()];
        auto doc = IniDocument::Parse(bytes);
        const std::string once = doc.Serialize();
        EXPECT_EQ(IniDocument::Parse(once).Serialize(), once);
        ASSERT_TRUE(doc.Set("Probe", "key", bytes));
        EXPECT_EQ(doc.Get("Probe", "key"), AsWritten(bytes));
        const auto reread = IniDocument::Parse(doc.Serialize());
        EXPECT_EQ(reread.Get("Probe", "key"), AsWritten(bytes));
        EXPECT_EQ(reread.SectionNames(), doc.SectionNames());
        for (const auto& name : doc.SectionNames()) EXPECT_EQ(reread.Entries(name), doc.Entries(name));
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
