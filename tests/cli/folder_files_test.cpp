#include "cli/folder_files.h"

#include <gtest/gtest.h>

#include "cli/command_error.h"
#include "cli_test_support.h"

namespace kv12::test {
namespace {

TEST(WriteFilesTogether, AFailedWriteRestoresTheFilesWrittenBeforeIt) {
    TestFolder folder;
    folder.Write("old.txt", "old contents");
    const std::vector<PendingFile> files = {
        {folder / "old.txt", "new contents"},
        {folder / "created.txt", "a new file"},
        {folder / "no-such-folder" / "third.txt", "cannot be written"},
    };
    EXPECT_THROW(WriteFilesTogether(files), CommandError);
    EXPECT_EQ(folder.Read("old.txt"), "old contents");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"old.txt"});
}

TEST(WriteFilesTogether, WritesEveryFileWhenAllSucceed) {
    TestFolder folder;
    folder.Write("a.txt", "old");
    WriteFilesTogether({{folder / "a.txt", "new a"}, {folder / "b.txt", "new b"}});
    EXPECT_EQ(folder.Read("a.txt"), "new a");
    EXPECT_EQ(folder.Read("b.txt"), "new b");
}

TEST(ProfileImport, AConfigThatCannotBeReplacedLeavesTheOtherFilesAlone) {
    TestFolder source;
    WriteSampleFolder(source);
    const auto exported = RunCliIn(source, {"profile", "export"});
    ASSERT_EQ(exported.code, 0) << exported.err;

    TestFolder target;
    std::filesystem::create_directory(target / "config.bin");  // in the way of the write
    target.Write("record.ini", "[Old]\r\nItemCount=0\r\n");
    const auto result = RunCliIn(target, {"profile", "import", "-"}, exported.out);
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("config.bin"), std::string::npos) << result.err;
    EXPECT_EQ(target.Read("record.ini"), "[Old]\r\nItemCount=0\r\n");
    EXPECT_FALSE(target.Exists("str.ini"));
}

}  // namespace
}  // namespace kv12::test
