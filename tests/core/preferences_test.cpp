#include "core/preferences.h"

#include <gtest/gtest.h>

#include "core/language.h"
#include "test_folder.h"

namespace kv12 {
namespace {

using test::TestFolder;

constexpr const char* ALL_ITEM_KEYS[] = {"Item1",  "Item2",  "Item3",  "Item4",  "Item5",  "Item6",
                                         "Item7",  "Item8",  "Item13", "Item23", "Item33", "Item43",
                                         "Item53", "Item63", "Item73", "Item83"};

std::array<std::string, ITEM_TEXT_COUNT> NumberedTexts(std::string_view prefix) {
    std::array<std::string, ITEM_TEXT_COUNT> texts;
    for (int i = 0; i < ITEM_TEXT_COUNT; ++i)
        texts[static_cast<std::size_t>(i)] = std::string(prefix) + std::to_string(i);
    return texts;
}

TEST(ItemKeyName, ModeAButtonsThenModeBButtonsWithTheButtonAsTensDigit) {
    for (int i = 0; i < ITEM_TEXT_COUNT; ++i) EXPECT_EQ(ItemKeyName(i), ALL_ITEM_KEYS[i]) << i;
    EXPECT_EQ(ItemKeyName(-1), "");
    EXPECT_EQ(ItemKeyName(ITEM_TEXT_COUNT), "");
}

TEST(LoadPreferences, ReadsTheLanguageSectionsOwnTextsAndTheSkinKeys) {
    const auto strIni = IniDocument::Parse(
        "[Skins]\r\nLan=CHT\r\nRColor=255\r\nGColor=128\r\nBColor=0\r\nPath=Dark\r\n"
        "[Setting-CHS]\r\nItem1=\xE5\xB7\xA6\xE9\x94\xAE\r\nItem83=chs83\r\n"
        "[Setting-CHT]\r\nItem1=\xE5\xB7\xA6\xE9\x8D\xB5\r\nItem8=cht8\r\nItem13=cht13\r\nItem83=cht83\r\n");
    EXPECT_EQ(ReadLanguage(strIni), "CHT");
    const Preferences cht = LoadPreferences(strIni, "Setting-CHT");
    EXPECT_EQ(cht.itemTexts[0], "\xE5\xB7\xA6\xE9\x8D\xB5");
    EXPECT_EQ(cht.itemTexts[7], "cht8");
    EXPECT_EQ(cht.itemTexts[8], "cht13");
    EXPECT_EQ(cht.itemTexts[15], "cht83");
    EXPECT_EQ(cht.itemTexts[1], "") << "a missing key reads as empty";
    EXPECT_EQ(cht.rColor, "255");
    EXPECT_EQ(cht.gColor, "128");
    EXPECT_EQ(cht.bColor, "0");
    EXPECT_EQ(cht.skinPath, "Dark");

    const Preferences chs = LoadPreferences(strIni, "Setting-CHS");
    EXPECT_EQ(chs.itemTexts[0], "\xE5\xB7\xA6\xE9\x94\xAE");
    EXPECT_EQ(chs.itemTexts[15], "chs83");
    EXPECT_EQ(chs.itemTexts[7], "");
}

TEST(LoadPreferences, WithoutStrIniTheProgramStartsInEnglishWithBlackTextAndNoSkinFolder) {
    TestFolder dir;
    const auto strIni = IniDocument::Load(dir / "str.ini");
    EXPECT_EQ(ReadLanguage(strIni), "");
    EXPECT_EQ(LanguageFromCode(ReadLanguage(strIni)), Language::English);
    const Preferences prefs = LoadPreferences(strIni, "Setting-EN");
    for (const auto& text : prefs.itemTexts) EXPECT_EQ(text, "");
    EXPECT_EQ(ParseColorComponent(prefs.rColor), 0);
    EXPECT_EQ(ParseColorComponent(prefs.gColor), 0);
    EXPECT_EQ(ParseColorComponent(prefs.bColor), 0);
    EXPECT_EQ(prefs.skinPath, "");
    EXPECT_FALSE(dir.Exists("str.ini")) << "reading never creates the file";
}

TEST(LoadPreferences, OverlongTextsAreCutToTheReadBuffer) {
    const std::string longText(2000, 'x');
    IniDocument strIni;
    ASSERT_TRUE(strIni.Set("Setting-EN", "Item5", longText));
    ASSERT_TRUE(strIni.Set("Skins", "Path", longText));
    const Preferences prefs = LoadPreferences(strIni, "Setting-EN");
    EXPECT_EQ(prefs.itemTexts[4], std::string(PROFILE_VALUE_MAX_CHARS, 'x'));
    EXPECT_EQ(prefs.skinPath, std::string(PROFILE_VALUE_MAX_CHARS, 'x'));
}

TEST(ParseColorComponent, KeepsTheLowEightBitsOfTheDecimalValue) {
    struct Case {
        std::string_view text;
        int value;
    } cases[] = {
        {"300", 44}, {"255", 255}, {"256", 0},    {"0", 0},  {"", 0},   {"abc", 0},
        {"-1", 255}, {"-256", 0},  {"12abc", 12}, {" 7", 7}, {"+5", 5}, {"99999999999", 255},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseColorComponent(c.text), c.value) << c.text;
}

TEST(CutProfileValue, CountsUtf16CodeUnitsAndNeverSplitsACharacter) {
    const std::string han = "\xE5\xAE\x8F";        // one code unit, three bytes
    const std::string emoji = "\xF0\x9F\x98\x80";  // two code units, four bytes
    auto repeat = [](const std::string& s, std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i) out += s;
        return out;
    };
    struct Case {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"short text", "abc", "abc"},
        {"exactly 1023", std::string(1023, 'a'), std::string(1023, 'a')},
        {"1024 cut", std::string(1024, 'a'), std::string(1023, 'a')},
        {"CJK counts one each", repeat(han, 1100), repeat(han, 1023)},
        {"pair fits exactly", std::string(1021, 'a') + emoji + "b", std::string(1021, 'a') + emoji},
        {"pair would straddle the end", std::string(1022, 'a') + emoji, std::string(1022, 'a')},
        {"invalid bytes count one each", std::string(1100, '\xFF'), std::string(1023, '\xFF')},
        {"a broken sequence counts byte by byte", std::string(1022, 'a') + "\xE5\xAE" + "b",
         std::string(1022, 'a') + "\xE5"},
    };
    for (const auto& c : cases) EXPECT_EQ(CutProfileValue(c.in), c.out) << c.what;
}

TEST(SaveItemTexts, WritesAllSixteenKeysInOrderEmptyOnesIncluded) {
    TestFolder dir;
    auto texts = NumberedTexts("t");
    texts[3] = "";
    texts[12] = "";
    ASSERT_FALSE(SaveItemTexts(dir / "str.ini", "Setting-EN", texts).has_value());

    std::string expected = "[Setting-EN]\r\n";
    for (int i = 0; i < ITEM_TEXT_COUNT; ++i) {
        expected += std::string(ALL_ITEM_KEYS[i]) + "=" + texts[static_cast<std::size_t>(i)] + "\r\n";
    }
    EXPECT_EQ(dir.Read("str.ini"), expected);
    const auto reread = IniDocument::Load(dir / "str.ini");
    EXPECT_EQ(reread.KeyNames("Setting-EN").size(), static_cast<std::size_t>(ITEM_TEXT_COUNT));
    EXPECT_EQ(LoadPreferences(reread, "Setting-EN").itemTexts, texts);
}

TEST(SaveItemTexts, ReplacesTheLanguagesTextsInPlaceAndKeepsEverythingElse) {
    TestFolder dir;
    dir.Write("str.ini",
              "; shipped defaults\r\n[Skins]\r\nLan=CHS\r\n[Setting-CHS]\r\nItem2=old\r\n"
              "[Setting-EN]\r\nItem1=english\r\n");
    ASSERT_FALSE(SaveItemTexts(dir / "str.ini", "Setting-CHS", NumberedTexts("n")).has_value());
    const auto strIni = IniDocument::Load(dir / "str.ini");
    EXPECT_EQ(ReadLanguage(strIni), "CHS");
    EXPECT_EQ(strIni.SectionNames(), (std::vector<std::string>{"Skins", "Setting-CHS", "Setting-EN"}));
    EXPECT_EQ(strIni.GetString("Setting-EN", "Item1"), "english");
    EXPECT_EQ(LoadPreferences(strIni, "Setting-CHS").itemTexts, NumberedTexts("n"));
    EXPECT_EQ(dir.Read("str.ini").rfind("; shipped defaults\r\n", 0), 0u);
}

TEST(SaveItemTexts, UnreadableStrIniIsReportedAndNotReplaced) {
    TestFolder dir;
    std::filesystem::create_directory(dir / "str.ini");
    EXPECT_TRUE(SaveItemTexts(dir / "str.ini", "Setting-EN", NumberedTexts("t")).has_value());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "str.ini"));
}

TEST(SaveItemTexts, AStrIniBeyondTheLimitsIsNeitherReadNorReplaced) {
    TestFolder dir;
    const std::string bytes = "[Skins]\r\nLan=CHS\r\n; " + std::string(INI_FILE_MAX_BYTES, '-') +
                              "\r\n[Setting-CHS]\r\nItem1=x\r\n";
    dir.Write("str.ini", bytes);
    const auto strIni = IniDocument::Load(dir / "str.ini");
    EXPECT_EQ(ReadLanguage(strIni), "");
    EXPECT_EQ(LoadPreferences(strIni, "Setting-CHS").itemTexts[0], "");

    const auto texts = SaveItemTexts(dir / "str.ini", "Setting-CHS", NumberedTexts("t"));
    ASSERT_TRUE(texts.has_value());
    EXPECT_NE(texts->message.find("1048576 bytes"), std::string::npos) << texts->message;
    EXPECT_NE(texts->In(Language::SimplifiedChinese), texts->message);
    const auto skin = SaveSkinChoice(dir / "str.ini", 1, 2, 3, "Blue");
    ASSERT_TRUE(skin.has_value());
    EXPECT_EQ(skin->message, texts->message);
    EXPECT_EQ(dir.Read("str.ini"), bytes);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"str.ini"});
}

TEST(LoadPreferences, QuotedTextsAreReadWithoutTheQuotesAndWrittenBackAsTheyAre) {
    TestFolder dir;
    dir.Write("str.ini",
              "[Skins]\r\nLan=\"CHS\"\r\nPath=' Blue '\r\n[Setting-CHS]\r\nItem1=\"\"Fire\"\"\r\n");
    const auto strIni = IniDocument::Load(dir / "str.ini");
    EXPECT_EQ(LanguageFromCode(ReadLanguage(strIni)), Language::SimplifiedChinese);
    Preferences prefs = LoadPreferences(strIni, "Setting-CHS");
    EXPECT_EQ(prefs.skinPath, " Blue ");
    EXPECT_EQ(prefs.itemTexts[0], "\"Fire\"");
    ASSERT_FALSE(SaveItemTexts(dir / "str.ini", "Setting-CHS", prefs.itemTexts).has_value());
    ASSERT_FALSE(SaveSkinChoice(dir / "str.ini", 0, 0, 0, prefs.skinPath).has_value());
    const Preferences reread = LoadPreferences(IniDocument::Load(dir / "str.ini"), "Setting-CHS");
    EXPECT_EQ(reread.itemTexts, prefs.itemTexts);
    EXPECT_EQ(reread.skinPath, " Blue ");
}

TEST(SaveSkinChoice, WritesTheColoursAsDecimalAndThePath) {
    TestFolder dir;
    dir.Write("str.ini", "[Skins]\r\nLan=CHT\r\nPath=Old\r\n[Setting-CHT]\r\nItem1=x\r\n");
    ASSERT_FALSE(SaveSkinChoice(dir / "str.ini", 255, 0, 17, "\xE7\xBA\xA2").has_value());
    EXPECT_EQ(dir.Read("str.ini"),
              "[Skins]\r\nLan=CHT\r\nPath=\xE7\xBA\xA2\r\nRColor=255\r\nGColor=0\r\nBColor=17\r\n"
              "[Setting-CHT]\r\nItem1=x\r\n");
}

TEST(SaveSkinChoice, CreatesStrIniWhenMissing) {
    TestFolder dir;
    ASSERT_FALSE(SaveSkinChoice(dir / "str.ini", 1, 2, 3, "Blue").has_value());
    const Preferences prefs = LoadPreferences(IniDocument::Load(dir / "str.ini"), "Setting-EN");
    EXPECT_EQ(prefs.rColor, "1");
    EXPECT_EQ(prefs.gColor, "2");
    EXPECT_EQ(prefs.bColor, "3");
    EXPECT_EQ(prefs.skinPath, "Blue");
}

}  // namespace
}  // namespace kv12
