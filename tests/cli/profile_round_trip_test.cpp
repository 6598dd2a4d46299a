#include <gtest/gtest.h>

#include "cli/profile_json.h"
#include "cli_test_support.h"
#include "core/ini_file.h"
#include "core/macros.h"

namespace kv12::test {
namespace {

// A record.ini and str.ini with Chinese names and texts, beyond-BMP included.
void WriteChineseTexts(const TestFolder& folder) {
    folder.Write("record.ini", SampleRecordIni() +
                                   "[\xE8\xBF\x9E\xE6\x8B\x9B\xF0\x9F\x98\x80]\r\nItemCount=3\r\n"
                                   "Item0=Num 1   Dn\r\nItem1=1271 ms\r\nItem2=Num 1   Up\r\n");
    folder.Write("str.ini", SampleStrIni() + "[Setting-CHT]\r\nItem83=" + CHINESE_LABEL + "\r\n");
}

TEST(ProfileRoundTrip, ExportImportExportIsIdenticalAndConfigBinByteIdentical) {
    // Every byte of the block, reserved and never-sent bytes included, carries a
    // value; the flag byte is the 0 of a file the window never saved.
    for (const std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{0xA5}}) {
        TestFolder source;
        WriteConfig(source, PatternBlock(), flag);
        WriteChineseTexts(source);
        const auto first = RunCliIn(source, {"profile", "export"});
        ASSERT_EQ(first.code, 0) << first.err;

        TestFolder target;
        target.Write("profile.json", first.out);
        const auto import = RunCliIn(target, {"profile", "import", DirArg(target) + "/profile.json"});
        ASSERT_EQ(import.code, 0) << import.err;
        EXPECT_EQ(import.err, "");

        const auto second = RunCliIn(target, {"profile", "export"});
        ASSERT_EQ(second.code, 0) << second.err;
        EXPECT_EQ(second.out, first.out);
        EXPECT_EQ(target.Read("config.bin"), source.Read("config.bin")) << int{flag};
    }
}

TEST(ProfileRoundTrip, ImportWritesTheMacrosAndTextsTheWindowReads) {
    TestFolder source;
    WriteSampleFolder(source);
    WriteChineseTexts(source);
    const auto exported = RunCliIn(source, {"profile", "export"});
    ASSERT_EQ(exported.code, 0) << exported.err;

    TestFolder target;
    const auto import = RunCliIn(target, {"profile", "import", "-"}, exported.out);
    ASSERT_EQ(import.code, 0) << import.err;

    const IniDocument record = IniDocument::Load(target / "record.ini");
    const std::vector<std::string> names = {"Copy", CHINESE_MACRO,
                                            "\xE8\xBF\x9E\xE6\x8B\x9B\xF0\x9F\x98\x80"};
    EXPECT_EQ(LoadMacroNames(record), names);
    EXPECT_EQ(ReadMacro(record, "Copy"),
              (std::vector<std::string>{"Ctrl   Dn", "50 ms", "Ctrl   Up", "2000 ms"}));
    EXPECT_EQ(ReadMacro(record, names[2]), (std::vector<std::string>{"Num 1   Dn", "1271 ms", "Num 1   Up"}));

    const IniDocument strIni = IniDocument::Load(target / "str.ini");
    EXPECT_EQ(strIni.GetString("Skins", "Lan"), "CHS");
    EXPECT_EQ(strIni.GetString("Skins", "Path"), "Black");
    EXPECT_EQ(strIni.GetString("Setting-CHS", "Item1"), CHINESE_LABEL);
    EXPECT_EQ(strIni.GetString("Setting-CHS", "Item13"), "Multimedia-Vol+");
    EXPECT_EQ(strIni.GetString("Setting-CHT", "Item83"), CHINESE_LABEL);
    // All sixteen keys are written, empty ones included, as an apply writes them.
    EXPECT_EQ(strIni.KeyNames("Setting-EN").size(), 16u);
}

TEST(ProfileRoundTrip, ImportKeepsWhatTheProfileDoesNotDescribe) {
    TestFolder source;
    WriteSampleFolder(source);
    const auto exported = RunCliIn(source, {"profile", "export"});
    ASSERT_EQ(exported.code, 0) << exported.err;

    TestFolder target;
    WriteConfig(target, SettingsBlock{});
    target.Write("str.ini",
                 "; kept comment\r\n[Skins]\r\nLan=CHT\r\nOld=1\r\n[Other]\r\nKey=kept\r\n"
                 "[Setting-CHT]\r\nItem1=stale\r\n[Setting-EN]\r\nNote=kept too\r\n");
    target.Write("record.ini", "[Stale]\r\nItemCount=0\r\n");
    const auto import = RunCliIn(target, {"profile", "import", "-"}, exported.out);
    ASSERT_EQ(import.code, 0) << import.err;

    const IniDocument strIni = IniDocument::Load(target / "str.ini");
    EXPECT_NE(target.Read("str.ini").find("; kept comment"), std::string::npos);
    EXPECT_EQ(strIni.GetString("Other", "Key"), "kept");
    EXPECT_EQ(strIni.GetString("Setting-EN", "Note"), "kept too");
    // The profile's parts are replaced: its Skins keys and language sections exactly.
    EXPECT_EQ(strIni.GetString("Skins", "Lan"), "CHS");
    EXPECT_FALSE(strIni.Get("Skins", "Old").has_value());
    EXPECT_FALSE(strIni.HasSection("Setting-CHT"));
    EXPECT_EQ(strIni.GetString("Setting-EN", "Item1"), "Left Click");
    // record.ini holds only the profile's macros: their order is their slot.
    EXPECT_EQ(LoadMacroNames(IniDocument::Load(target / "record.ini")),
              (std::vector<std::string>{"Copy", CHINESE_MACRO}));
}

TEST(ProfileRoundTrip, ExportToAFileWritesTheSameTextAsStdout) {
    TestFolder folder;
    WriteSampleFolder(folder);
    const auto toStdout = RunCliIn(folder, {"profile", "export"});
    const auto toFile = RunCliIn(folder, {"profile", "export", "-o", DirArg(folder) + "/out.json"});
    ASSERT_EQ(toFile.code, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(folder.Read("out.json"), toStdout.out);
}

TEST(ProfileRoundTrip, ExportNamesEveryFieldAndVersionsTheFormat) {
    TestFolder folder;
    SettingsBlock block = SampleBlock();
    EncodeMacros(IniDocument::Parse(SampleRecordIni()), block);
    SetLoopCount(block, 0, 258);
    block.ledEffectOfMode12(1) = 2;
    block.reserved(5) = 0x34;
    WriteSampleFolder(folder, block);
    const auto result = RunCliIn(folder, {"profile", "export"});
    ASSERT_EQ(result.code, 0) << result.err;

    const Json json = Json::parse(result.out);
    EXPECT_EQ(json["format"], "kv12-profile");
    EXPECT_EQ(json["version"], 1);
    const Json& settings = json["settings"];
    EXPECT_EQ(settings["reportRate"], 1);
    EXPECT_EQ(settings["buttonsB"][3]["kind"], 12);
    EXPECT_EQ(settings["buttonsB"][3]["kindName"], "Combo Key");
    EXPECT_EQ(settings["buttonsB"][3]["params"], Json::parse("[0,0,0,0,0,0,0,0,0,0,1,6,0,0,0]"));
    EXPECT_EQ(settings["buttonsA"][5]["dpiSwitchParam"], 3);
    EXPECT_EQ(settings["dpiStages"][0], Json::parse(R"({"step":3,"enabled":1,"color":"#ff0000"})"));
    EXPECT_EQ(settings["lighting"]["respirationEffect"], 2);
    EXPECT_EQ(settings["macroSlots"][0]["loopCount"], 258);
    EXPECT_EQ(settings["macroSlots"][0]["events"], "05 e0 80 e0 14 03");
    EXPECT_EQ(settings["macroSlots"][1]["events"], "");
    EXPECT_EQ(settings["reserved"]["byte134"], 0x34);
    EXPECT_EQ(json["preferences"]["skins"]["Lan"], "CHS");
    EXPECT_EQ(json["preferences"]["itemTexts"]["Setting-CHS"]["modeA"][0], CHINESE_LABEL);
    EXPECT_EQ(json["macros"][1]["name"], CHINESE_MACRO);
}

TEST(ProfileRoundTrip, TextThatIsNotUtf8IsRefusedNotGarbled) {
    TestFolder folder;
    WriteSampleFolder(folder);
    folder.Write("str.ini", "[Setting-CHS]\r\nItem1=\xD7\xF3\xBC\xFC\r\n");  // "左键" in GBK
    const auto result = RunCliIn(folder, {"profile", "export"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("str.ini: [Setting-CHS] Item1: the text is not valid UTF-8"), std::string::npos)
        << result.err;
}

TEST(ProfileRoundTrip, CheckOnlyValidatesAndWritesNothing) {
    TestFolder source;
    WriteSampleFolder(source);
    const auto exported = RunCliIn(source, {"profile", "export"});
    TestFolder target;
    const auto check = RunCliIn(target, {"profile", "import", "--check", "-"}, exported.out);
    EXPECT_EQ(check.code, 0) << check.err;
    EXPECT_EQ(check.out, "stdin: a valid profile\n");
    EXPECT_TRUE(target.Files().empty());
}

std::string Macros(int count, const std::string& items) {
    std::string text;
    for (int m = 0; m < count; ++m) text += "[M" + std::to_string(m) + "]\r\n" + items;
    return text;
}

struct OddFolderCase {
    const char* name;
    std::string recordIni;
    std::string strIniAdded;
};

void PrintTo(const OddFolderCase& c, std::ostream* os) {
    *os << c.name;
}

class OddFolderTest : public ::testing::TestWithParam<OddFolderCase> {};

// A profile is the backup of a folder: whatever record.ini and str.ini hold
// that the window would not have written, the export imports back as it was.
TEST_P(OddFolderTest, ExportImportsBackAsItWas) {
    TestFolder source;
    WriteSampleFolder(source, PatternBlock());
    source.Write("record.ini", GetParam().recordIni);
    source.Write("str.ini", SampleStrIni() + GetParam().strIniAdded);
    const auto first = RunCliIn(source, {"profile", "export"});
    ASSERT_EQ(first.code, 0) << first.err;

    TestFolder target;
    const auto import = RunCliIn(target, {"profile", "import", "-"}, first.out);
    ASSERT_EQ(import.code, 0) << import.err;

    const auto second = RunCliIn(target, {"profile", "export"});
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(target.Read("config.bin"), source.Read("config.bin"));
    // The window reads the same macros from both folders.
    const IniDocument before = IniDocument::Load(source / "record.ini");
    const IniDocument after = IniDocument::Load(target / "record.ini");
    ASSERT_EQ(LoadMacroNames(after), LoadMacroNames(before));
    for (const std::string& name : LoadMacroNames(before))
        EXPECT_EQ(ReadMacro(after, name), ReadMacro(before, name));
}

const std::string PRESS_RELEASE = "ItemCount=2\r\nItem0=A   Dn\r\nItem1=A   Up\r\n";

std::string SixtyFourEvents() {
    std::string items = "ItemCount=64\r\n";
    for (int e = 0; e < 64; ++e)
        items += "Item" + std::to_string(e) + (e % 2 == 0 ? "=A   Dn\r\n" : "=A   Up\r\n");
    return items;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OddFolderTest,
    ::testing::Values(
        OddFolderCase{"AMissingItem", "[Gap]\r\nItemCount=3\r\nItem0=A   Dn\r\nItem2=A   Up\r\n", ""},
        OddFolderCase{"ThirteenMacros", Macros(13, PRESS_RELEASE), ""},
        OddFolderCase{"ANameOfThirtyTwoCharacters", "[" + std::string(32, 'n') + "]\r\n" + PRESS_RELEASE, ""},
        OddFolderCase{"AFreeTextItem", "[Notes]\r\nItemCount=2\r\nItem0=press A now\r\nItem1=A   Up\r\n", ""},
        OddFolderCase{"AnEmptyName", "[]\r\n" + PRESS_RELEASE + "[Named]\r\n" + PRESS_RELEASE, ""},
        OddFolderCase{"MoreThan126EventBytes", "[Long]\r\n" + SixtyFourEvents(), ""},
        OddFolderCase{"ControlCharactersInsideTexts", "[Tab\tName]\r\nItemCount=1\r\nItem0=a\tb\x01\r\n",
                      "[Setting-CHT]\r\nItem1=x\ty\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// What the files hold but a profile cannot carry is refused at export, so that
// no export is a backup import would refuse.
TEST(ProfileRoundTrip, ExportRefusesWhatImportWouldRefuse) {
    TestFolder folder;
    WriteSampleFolder(folder);
    folder.Write("str.ini", "[Skins]\r\nLan=CHS\r\n[abc=1\r\n");  // a key named "[abc"

    const auto toStdout = RunCliIn(folder, {"profile", "export"});
    const auto toFile = RunCliIn(folder, {"profile", "export", "-o", DirArg(folder) + "/out.json"});

    const std::string line =
        "kv12ctl: " + DirArg(folder) +
        ": preferences.skins.[abc: this name cannot be a key of str.ini; import would refuse "
        "this profile, so it is not exported\n";
    EXPECT_EQ(toStdout.code, 2);
    EXPECT_EQ(toStdout.out, "");
    EXPECT_EQ(toStdout.err, line);
    EXPECT_EQ(toFile.code, 2);
    EXPECT_EQ(toFile.err, line);
    EXPECT_FALSE(folder.Exists("out.json"));
}

}  // namespace
}  // namespace kv12::test
