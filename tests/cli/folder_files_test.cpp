#include "cli/folder_files.h"

#include <gtest/gtest.h>

#include "cli/command_error.h"
#include "cli_test_support.h"

namespace kv12::test {
namespace {

TEST(ProfileImport, AConfigThatCannotBeReadLeavesTheOtherFilesAlone) {
    TestFolder source;
    WriteSampleFolder(source);
    const auto exported = RunCliIn(source, {"profile", "export"});
    ASSERT_EQ(exported.code, 0) << exported.err;

    TestFolder target;
    std::filesystem::create_directory(target / "config.bin");  // in the way of the set
    target.Write("record.ini", "[Old]\r\nItemCount=0\r\n");
    const auto result = RunCliIn(target, {"profile", "import", "-"}, exported.out);
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("config.bin"), std::string::npos) << result.err;
    EXPECT_EQ(target.Read("record.ini"), "[Old]\r\nItemCount=0\r\n");
    EXPECT_FALSE(target.Exists("str.ini"));
}

}  // namespace
}  // namespace kv12::test
