#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "cli/profile_json.h"
#include "cli_test_support.h"

namespace kv12::test {
namespace {

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

Json MacroJson(const std::string& name, std::vector<std::string> items = {}) {
    return Json{{"name", name}, {"items", items}};
}

// Each case breaks one thing in a valid profile; the import must name the
// field, exit 2 and leave the target folder exactly as it was.
class ProfileImportErrors : public ::testing::Test {
  protected:
    void SetUp() override {
        TestFolder source;
        WriteSampleFolder(source);
        const auto exported = RunCliIn(source, {"profile", "export"});
        ASSERT_EQ(exported.code, 0) << exported.err;
        valid_ = Json::parse(exported.out);
        WriteSampleFolder(target_, PatternBlock());
    }

    // Imports the text and checks the one-line message and the untouched folder.
    void ExpectRefused(const std::string& text, const std::string& message) {
        const std::string before[] = {target_.Read("config.bin"), target_.Read("str.ini"),
                                      target_.Read("record.ini")};
        target_.Write("profile.json", text);
        const std::string file = DirArg(target_) + "/profile.json";
        const auto result = RunCliIn(target_, {"profile", "import", file});
        EXPECT_EQ(result.code, 2) << message;
        EXPECT_EQ(result.out, "");
        const std::string prefix = "kv12ctl: " + file + ": ";
        EXPECT_EQ(result.err.substr(0, prefix.size()), prefix) << result.err;
        EXPECT_EQ(result.err.substr(std::min(prefix.size(), result.err.size())).substr(0, message.size()),
                  message)
            << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(target_.Read("config.bin"), before[0]) << message;
        EXPECT_EQ(target_.Read("str.ini"), before[1]) << message;
        EXPECT_EQ(target_.Read("record.ini"), before[2]) << message;
        EXPECT_EQ(target_.Files(),
                  (std::vector<std::string>{"config.bin", "profile.json", "record.ini", "str.ini"}));
    }

    Json valid_;
    TestFolder target_;
};

TEST_F(ProfileImportErrors, TextThatIsNotAProfileIsRefused) {
    ExpectRefused("{\"format\": ", "not valid JSON: line 1, column 12:");
    ExpectRefused("", "not valid JSON: line 1, column 1:");
    ExpectRefused("[1, 2]", "expected a JSON object (a kv12 profile), got an array");
    ExpectRefused("{\"version\": 1}", "format: missing: this is not a kv12 profile");
    ExpectRefused("{\"format\": \"other\", \"version\": 1}",
                  "format: expected \"kv12-profile\", got \"other\"");
    ExpectRefused("{\"format\": \"kv12-profile\", \"version\": 2}",
                  "version: this kv12ctl reads version 1 profiles, got 2");
    ExpectRefused("{\"format\": \"kv12-profile\", \"version\": \"1\"}",
                  "version: this kv12ctl reads version 1 profiles, got \"1\"");
    ExpectRefused("{\"format\": \"kv12-profile\"}", "version: missing");
    // Numbers beyond what a double holds are refused by the parser itself.
    ExpectRefused("{\"format\": \"kv12-profile\", \"version\": 1e400}",
                  "not valid JSON: number overflow parsing '1e400'");
    Json huge = valid_;
    huge["settings"]["reportRate"] = 0;
    std::string text = huge.dump();
    text.replace(text.find("\"reportRate\":0"), 14, "\"reportRate\":-1E+999");
    ExpectRefused(text, "not valid JSON: number overflow parsing '-1E+999'");
}

TEST_F(ProfileImportErrors, EachBrokenFieldIsNamed) {
    struct Case {
        std::function<void(Json&)> change;
        std::string message;
    } cases[] = {
        {[](Json& j) { j["settings"]["reportRate"] = "fast"; },
         "settings.reportRate: expected an integer 0..255, got \"fast\""},
        {[](Json& j) { j["settings"]["reportRate"] = 256; },
         "settings.reportRate: expected an integer 0..255, got 256"},
        {[](Json& j) { j["settings"]["reportRate"] = -1; },
         "settings.reportRate: expected an integer 0..255, got -1"},
        {[](Json& j) { j["settings"]["reportRate"] = 1.5; },
         "settings.reportRate: expected an integer 0..255, got 1.5"},
        {[](Json& j) { j["settings"]["keyMode"] = true; },
         "settings.keyMode: expected an integer 0..255, got true"},
        {[](Json& j) { j["settings"]["firstRunFlag"] = nullptr; },
         "settings.firstRunFlag: expected an integer 0..255, got null"},
        {[](Json& j) { j["settings"].erase("pointer"); }, "settings.pointer: missing"},
        {[](Json& j) { j["settings"]["reportrate"] = 1; }, "settings.reportrate: unknown field"},
        {[](Json& j) { j["extra"] = 1; }, "extra: unknown field"},
        {[](Json& j) { j["settings"] = 5; }, "settings: expected an object, got 5"},
        {[](Json& j) { j["settings"]["buttonsA"].erase(7); },
         "settings.buttonsA: expected an array of 8 buttons, got 7 entries"},
        {[](Json& j) { j["settings"]["buttonsB"][3]["params"][14] = 300; },
         "settings.buttonsB[3].params[14]: expected an integer 0..255, got 300"},
        {[](Json& j) { j["settings"]["buttonsB"][3]["params"].erase(0); },
         "settings.buttonsB[3].params: expected an array of 15 parameter rows, got 14 entries"},
        {[](Json& j) { j["settings"]["buttonsA"][0]["kindName"] = "Right Click"; },
         "settings.buttonsA[0].kindName: \"Right Click\" does not match kind 0 (\"Left Click\")"},
        {[](Json& j) { j["settings"]["buttonsA"][0].erase("kind"); }, "settings.buttonsA[0].kind: missing"},
        {[](Json& j) { j["settings"]["dpiStages"][2]["color"] = "red"; },
         "settings.dpiStages[2].color: expected a colour \"#rrggbb\", got \"red\""},
        {[](Json& j) { j["settings"]["dpiStages"][2]["color"] = "#12345g"; },
         "settings.dpiStages[2].color: expected a colour \"#rrggbb\", got \"#12345g\""},
        {[](Json& j) { j["settings"]["lighting"]["neonEffect"] = 999; },
         "settings.lighting.neonEffect: expected an integer 0..255, got 999"},
        {[](Json& j) { j["settings"]["macroSlots"][4]["loopCount"] = 65536; },
         "settings.macroSlots[4].loopCount: expected an integer 0..65535, got 65536"},
        {[](Json& j) { j["settings"]["macroSlots"][4]["events"] = "5 04"; },
         "settings.macroSlots[4].events: expected hex bytes separated by blanks, such as \"05 04 80 04\", "
         "got \"5 04\""},
        {[](Json& j) { j["settings"]["macroSlots"][4]["events"] = "zz"; },
         "settings.macroSlots[4].events: expected hex bytes separated by blanks"},
        {[](Json& j) { j["settings"]["macroSlots"][4]["events"] = Repeat("01 ", 126) + "01"; },
         "settings.macroSlots[4].events: holds 127 bytes; a macro slot has room for 126"},
        {[](Json& j) { j["settings"]["macroSlots"].erase(11); },
         "settings.macroSlots: expected an array of 12 macro slots, got 11 entries"},
        {[](Json& j) {
             j["settings"]["reserved"]["bytes128to132"] = Json::array({1, 2});
         },
         "settings.reserved.bytes128to132: expected an array of 5 bytes, got 2 entries"},
        {[](Json& j) { j["preferences"]["skins"]["Lan"] = 5; },
         "preferences.skins.Lan: expected a string, got 5"},
        {[](Json& j) { j["preferences"]["skins"]["Path"] = "Black\r\n[Evil]"; },
         "preferences.skins.Path: a line break (or a NUL character) cannot be stored"},
        {[](Json& j) { j["preferences"]["skins"]["a=b"] = "x"; },
         "preferences.skins.a=b: this name cannot be a key of str.ini"},
        {[](Json& j) { j["settings"]["buttonsA"][1]["dpiSwitchPa\ram"] = 0; },
         "settings.buttonsA[1].\"dpiSwitchPa\\ram\": unknown field"},
        {[](Json& j) { j["preferences"]["skins"]["Lan\nX"] = "EN"; },
         "preferences.skins.\"Lan\\nX\": this name cannot be a key of str.ini"},
        {[](Json& j) { j["preferences"]["skins"]["LAN"] = "CHT"; },
         "preferences.skins.LAN: \"LAN\" is given twice (names are compared without regard to case)"},
        {[](Json& j) {
             j["preferences"]["itemTexts"]["Language-X"] = j["preferences"]["itemTexts"]["Setting-EN"];
         },
         "preferences.itemTexts.Language-X: expected a language section name such as \"Setting-EN\""},
        {[](Json& j) { j["preferences"]["itemTexts"]["Setting-EN"]["modeB"].erase(0); },
         "preferences.itemTexts.Setting-EN.modeB: expected an array of 8 texts, got 7 entries"},
        {[](Json& j) { j["preferences"]["itemTexts"]["Setting-EN"]["modeA"][2] = "two\nlines"; },
         "preferences.itemTexts.Setting-EN.modeA[2]: a line break (or a NUL character) cannot be stored"},
        {[](Json& j) { j["macros"] = Json::object(); }, "macros: expected an array, got an object"},
        {[](Json& j) { j["macros"][1]["name"] = "COPY"; },
         "macros[1].name: \"COPY\" is given twice (names are compared without regard to case)"},
        {[](Json& j) {
             j["macros"][0]["name"] = "A\vB";
             j["macros"][1]["name"] = "a\vb";
         },
         "macros[1].name: \"a\\u000bb\" is given twice (names are compared without regard to case)"},
        {[](Json& j) { j["macros"][1]["name"] = "Copy "; },
         "macros[1].name: cannot be stored in the file as it is and read back unchanged"},
        {[](Json& j) { j["macros"][1]["name"] = "Copy\nPaste"; },
         "macros[1].name: a line break (or a NUL character) cannot be stored"},
        {[](Json& j) { j["macros"][0]["items"][1] = "50\r\nItem9=x"; },
         "macros[0].items[1]: a line break (or a NUL character) cannot be stored"},
        {[](Json& j) { j["macros"][0]["items"][0] = 7; }, "macros[0].items[0]: expected a string, got 7"},
        {[](Json& j) { j["macros"][0]["items"][1] = std::string(1020, '0') + "1 ms"; },
         "macros[0].items[1]: longer than the 1023 characters record.ini gives back of a macro item"},
        {[](Json& j) { j["macros"][0]["items"][1] = Repeat(CHINESE_MACRO, 512); },
         "macros[0].items[1]: longer than the 1023 characters record.ini gives back of a macro item"},
    };
    for (const auto& c : cases) {
        Json broken = valid_;
        c.change(broken);
        ExpectRefused(broken.dump(2), c.message);
    }
}

TEST_F(ProfileImportErrors, LimitsAreInclusive) {
    Json edge = valid_;
    edge["macros"] = Json::array();
    edge["macros"].push_back(MacroJson(Repeat(CHINESE_MACRO, 15) + "x"));  // 31 characters
    std::vector<std::string> items;  // 63 events of 2 bytes: exactly 126 bytes
    for (int e = 0; e < 63; ++e) items.push_back(e % 2 == 0 ? "A   Dn" : "A   Up");
    items.push_back("0 ms");
    edge["macros"].push_back(MacroJson("Full", items));
    for (int m = 2; m < 12; ++m) edge["macros"].push_back(MacroJson("M" + std::to_string(m), {"25599 ms"}));
    edge["macros"][2]["items"].push_back(std::string(1019, '0') + "1 ms");   // 1023 characters
    edge["macros"][3]["items"].push_back(Repeat(CHINESE_MACRO, 511) + "x");  // 1023 characters, 3067 bytes
    edge["settings"]["macroSlots"][0]["events"] = Repeat("ff ", 125) + "ff";
    edge["settings"]["macroSlots"][0]["loopCount"] = 65535;
    target_.Write("edge.json", edge.dump());
    const auto result = RunCliIn(target_, {"profile", "import", DirArg(target_) + "/edge.json"});
    EXPECT_EQ(result.code, 0) << result.err;
}

// What the macro editor would not have written, but record.ini can hold (and
// so an export can carry), is imported as it is with a warning line each.
TEST_F(ProfileImportErrors, WhatTheMacroEditorWouldNotWriteIsImportedWithAWarning) {
    const std::string file = DirArg(target_) + "/profile.json";
    const std::string items = "kv12ctl: warning: " + file + ": macros[0].items";
    struct Case {
        std::function<void(Json&)> change;
        std::string warning;
    } cases[] = {
        {[](Json& j) {
             for (int m = 2; m < 13; ++m) j["macros"].push_back(MacroJson("M" + std::to_string(m)));
         },
         "kv12ctl: warning: " + file +
             ": macros: 13 macros, but the mouse has 12 macro slots; imported as they are (macros compile "
             "leaves "
             "out those after the twelfth)"},
        {[](Json& j) { j["macros"][1]["name"] = Repeat(CHINESE_MACRO, 16); },
         "kv12ctl: warning: " + file + ": macros[1].name: \"" + Repeat(CHINESE_MACRO, 16) +
             "\" has 32 characters, more than the 31 the macro editor takes; imported as it is"},
        {[](Json& j) { j["macros"][0]["items"][1] = "A  Dn"; },
         items + "[1]: \"A  Dn\" is not \"<key>   Dn\", \"<key>   Up\" or \"<milliseconds> ms\"; imported as "
                 "it is"},
        {[](Json& j) { j["macros"][0]["items"][1] = ""; },
         items +
             "[1]: \"\" is not \"<key>   Dn\", \"<key>   Up\" or \"<milliseconds> ms\"; imported as it is"},
        {[](Json& j) { j["macros"][0]["items"][1] = "30000 ms"; },
         items + "[1]: a delay above 25599 ms; imported as it is (macros compile shortens it to 25599 ms)"},
        {[](Json& j) { j["macros"][0]["items"][1] = Repeat("x", 32) + "   Up"; },
         items +
             "[1]: the key name is longer than the 31 characters the macro editor writes; imported as it is"},
        {[](Json& j) {
             std::vector<std::string> events;
             for (int e = 0; e < 64; ++e) events.push_back(e % 2 == 0 ? "A   Dn" : "A   Up");
             j["macros"][0]["items"] = events;
         },
         items + ": the events need more than the 126 bytes of a macro slot; imported as they are (macros "
                 "compile "
                 "cuts them at the last whole event)"},
    };
    for (const auto& c : cases) {
        Json odd = valid_;
        c.change(odd);
        target_.Write("profile.json", odd.dump());
        const auto result = RunCliIn(target_, {"profile", "import", file});
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(result.err, c.warning + "\n");
        // Exactly what the profile holds is in the folder now.
        const auto exported = RunCliIn(target_, {"profile", "export"});
        ASSERT_EQ(exported.code, 0) << exported.err;
        EXPECT_EQ(Json::parse(exported.out)["macros"], odd["macros"]);
    }
}

// Whatever import accepts it stores so that it reads back the same; what the
// files cannot hold is refused with one line. Which of the two a text meets
// is the INI engine's to say.
TEST_F(ProfileImportErrors, TextsAreRefusedOrStoredExactly) {
    const std::string file = DirArg(target_) + "/profile.json";
    const std::string texts[] = {" lead", "trail ", "\"quoted\"", "tab\tinside", "=x", "[x]"};
    const std::vector<std::vector<std::string>> fields = {
        {"preferences", "skins", "Path"}, {"macros", "0", "name"}, {"macros", "0", "items", "1"}};
    for (const std::string& text : texts) {
        for (const auto& field : fields) {
            SCOPED_TRACE(Json(text).dump() + " in " + field[0] + "." + field[1]);
            std::string pointer;
            for (const std::string& part : field) pointer += "/" + part;
            Json changed = valid_;
            changed[Json::json_pointer(pointer)] = text;
            target_.Write("profile.json", changed.dump());
            const auto result = RunCliIn(target_, {"profile", "import", file});
            if (result.code == 0) {
                const auto exported = RunCliIn(target_, {"profile", "export"});
                ASSERT_EQ(exported.code, 0) << exported.err;
                EXPECT_EQ(Json::parse(exported.out)[Json::json_pointer(pointer)], text);
            } else {
                EXPECT_EQ(result.code, 2);
                EXPECT_EQ(result.err.find("kv12ctl: " + file + ": " + field[0]), 0u) << result.err;
                EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            }
        }
    }
}

TEST_F(ProfileImportErrors, AMissingProfileFileIsNamed) {
    const auto result = RunCliIn(target_, {"profile", "import", DirArg(target_) + "/absent.json"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err, "kv12ctl: " + DirArg(target_) + "/absent.json: file not found\n");
}

}  // namespace
}  // namespace kv12::test
