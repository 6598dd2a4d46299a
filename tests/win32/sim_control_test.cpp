#include "win32/sim_control.h"

#include <gtest/gtest.h>

#include "../core/test_folder.h"

namespace kv12::win32 {
namespace {

TEST(SimControlParse, ReadsEveryCommandInOrder) {
    const SimScript script =
        ParseSimControl("unplug\nplug\r\n  notice 7 2  \nunplug notice\nunplug command\n\n# a comment\nnotice 5 1");
    EXPECT_TRUE(script.errors.empty());
    const std::vector<SimCommand> expected{{SimCommandKind::Unplug},        {SimCommandKind::Plug},
                                           {SimCommandKind::Notice, 7, 2},  {SimCommandKind::UnplugNotice},
                                           {SimCommandKind::UnplugCommand}, {SimCommandKind::Notice, 5, 1}};
    EXPECT_EQ(script.commands, expected);
}

TEST(SimControlParse, SkipsLinesItDoesNotUnderstandAndNamesThem) {
    const SimScript script = ParseSimControl("notice 7\nnotice 7 300\nreplug\nunplug everything\nplug");
    EXPECT_EQ(script.commands, std::vector<SimCommand>{{SimCommandKind::Plug}});
    ASSERT_EQ(script.errors.size(), 4u);
    EXPECT_EQ(script.errors[0].rfind("line 1:", 0), 0u);
    EXPECT_NE(script.errors[2].find("replug"), std::string::npos);
    EXPECT_EQ(script.errors[3].rfind("line 4:", 0), 0u);
}

TEST(SimControlFile, IsTakenAwayOnceAndOnlyWhenPresent) {
    kv12::test::TestFolder folder;
    EXPECT_FALSE(TakeSimControlFile(folder / "sim-control.txt"));
    folder.Write("sim-control.txt", "unplug\n");
    const auto text = TakeSimControlFile(folder / "sim-control.txt");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "unplug\n");
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_FALSE(TakeSimControlFile(folder / "sim-control.txt"));
}

}  // namespace
}  // namespace kv12::win32
