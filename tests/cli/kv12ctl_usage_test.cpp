#include <gtest/gtest.h>

#include <algorithm>

#include "cli_test_support.h"

namespace kv12::test {
namespace {

TEST(Kv12ctlUsage, UsageErrorsExitWith1AndSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{}, "kv12ctl: a command is required: profile, matrices, macros"},
        {{"frobnicate"}, "not expected: frobnicate"},
        {{"profile"}, "kv12ctl profile: a command is required: show, export, import"},
        {{"profile", "shwo"}, "not expected: shwo"},
        {{"macros"}, "kv12ctl macros: a command is required: compile"},
        {{"profile", "import"}, "file is required"},
        {{"profile", "show", "--sensor-type", "300"}, "--sensor-type"},
        {{"profile", "show", "--sensor-type", "x"}, "--sensor-type"},
        {{"profile", "export", "-o"}, "--output"},
        {{"--dir"}, "--dir"},
        {{"matrices", "extra"}, "extra"},
    };
    for (const auto& c : cases) {
        const auto result = RunCli(c.args);
        const std::string shown = c.args.empty() ? "(no arguments)" : c.args.front() + " ...";
        EXPECT_EQ(result.code, 1) << shown;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << shown << ": " << result.err;
        EXPECT_NE(result.err.find("--help"), std::string::npos) << shown;
        EXPECT_EQ(result.out, "") << shown;
    }
}

TEST(Kv12ctlUsage, HelpAndVersionExitWith0OnStdout) {
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--dir"), std::string::npos);
    EXPECT_NE(help.out.find("profile"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const auto profileHelp = RunCli({"profile", "import", "--help"});
    EXPECT_EQ(profileHelp.code, 0);
    EXPECT_NE(profileHelp.out.find("--check"), std::string::npos);

    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("kv12ctl ", 0), 0u) << version.out;
}

TEST(Kv12ctlUsage, DirIsAcceptedAfterTheCommandWords) {
    TestFolder folder;
    WriteConfig(folder, SampleBlock());
    const auto before = RunCli({"--dir", DirArg(folder), "matrices"});
    const auto after = RunCli({"matrices", "--dir", DirArg(folder)});
    EXPECT_EQ(before.code, 0) << before.err;
    EXPECT_EQ(after.code, 0) << after.err;
    EXPECT_EQ(before.out, after.out);
}

// Every command that reads config.bin refuses a folder without a usable one,
// unlike the window, which carries on silently with an all-zero block.
TEST(Kv12ctlUsage, MissingOrWrongSizeConfigFailsWith2AndOneLine) {
    const std::vector<std::vector<std::string>> commands = {
        {"profile", "show"}, {"profile", "export"}, {"matrices"}};
    struct Case {
        int size;  // -1: no config.bin at all
        std::string message;
    } cases[] = {
        {-1, "config.bin: file not found"},
        {0, "config.bin: expected 1850 bytes (a flag byte and the settings block), found 0"},
        {1849, "config.bin: expected 1850 bytes (a flag byte and the settings block), found 1849"},
        {1851, "config.bin: expected 1850 bytes (a flag byte and the settings block), found 1851"},
    };
    for (const auto& command : commands) {
        for (const auto& c : cases) {
            TestFolder folder;
            if (c.size >= 0)
                folder.Write("config.bin", std::string(static_cast<std::size_t>(c.size), '\x01'));
            const auto result = RunCliIn(folder, command);
            EXPECT_EQ(result.code, 2) << command.front() << " " << c.size;
            EXPECT_EQ(result.out, "") << command.front() << " " << c.size;
            EXPECT_EQ(result.err.rfind("kv12ctl: ", 0), 0u) << result.err;
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
}

TEST(Kv12ctlUsage, AFolderThatDoesNotExistIsNamed) {
    TestFolder folder;
    const std::string missing = DirArg(folder) + "/nowhere";
    for (const auto& command : std::vector<std::vector<std::string>>{
             {"profile", "show"}, {"profile", "export"}, {"matrices"}, {"macros", "compile"}}) {
        std::vector<std::string> args{"--dir", missing};
        args.insert(args.end(), command.begin(), command.end());
        const auto result = RunCli(args);
        EXPECT_EQ(result.code, 2) << command.front();
        EXPECT_NE(result.err.find("nowhere"), std::string::npos) << result.err;
    }
}

// A path may start with "/" on Windows too ("/Users/me/profile.json" is on the
// current drive): it is never read as an option.
TEST(Kv12ctlUsage, AnArgumentStartingWithASlashIsAPath) {
    const auto dir = RunCli({"--dir", "/kv12-no-such-folder", "profile", "show"});
    EXPECT_EQ(dir.code, 2) << dir.err;
    EXPECT_NE(dir.err.find("kv12-no-such-folder"), std::string::npos) << dir.err;

    TestFolder folder;
    const auto file = RunCliIn(folder, {"profile", "import", "/kv12-no-such-folder/profile.json"});
    EXPECT_EQ(file.code, 2) << file.err;
    EXPECT_NE(file.err.find("kv12-no-such-folder/profile.json"), std::string::npos) << file.err;
    EXPECT_TRUE(folder.Files().empty());
}

}  // namespace
}  // namespace kv12::test
