#include "win32/program_options.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/case_name.h"

namespace kv12::win32 {
namespace {

struct GoodCase {
    std::vector<std::string> args;
    ProgramOptions expected;
};

void PrintArgs(const std::vector<std::string>& args, std::ostream* os) {
    *os << "[";
    for (const std::string& arg : args) *os << " " << arg;
    *os << " ]";
}
void PrintTo(const GoodCase& c, std::ostream* os) {
    PrintArgs(c.args, os);
}

// "simulateSimSensorType1": the command line in words.
template <typename Case>
std::string ArgsName(const ::testing::TestParamInfo<Case>& info) {
    std::string line;
    for (const std::string& arg : info.param.args) line += (line.empty() ? "" : " ") + arg;
    return line.empty() ? "NoArguments" : test::CaseName(line);
}

class ProgramOptionsAccepted : public ::testing::TestWithParam<GoodCase> {};

TEST_P(ProgramOptionsAccepted, GivesTheOptions) {
    const ParsedOptions parsed = ParseProgramOptions(GetParam().args);
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(*parsed.options, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ProgramOptionsAccepted,
    ::testing::Values(
        GoodCase{{}, {}}, GoodCase{{"--simulate"}, {true, 0, "", "", ""}},
        GoodCase{{"--simulate", "--sim-sensor-type", "1"}, {true, 1, "", "", ""}},
        GoodCase{{"--sim-sensor-type=255", "--simulate"}, {true, 255, "", "", ""}},
        GoodCase{{"--simulate", "--sim-control", "C:\\t\\ctl.txt"}, {true, 0, "C:\\t\\ctl.txt", "", ""}},
        GoodCase{{"--log", "日志.txt", "--trace=t.jsonl"}, {false, 0, "", "日志.txt", "t.jsonl"}}),
    ArgsName<GoodCase>);

struct BadCase {
    std::vector<std::string> args;
    std::string errorContains;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    PrintArgs(c.args, os);
}

class ProgramOptionsRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(ProgramOptionsRefused, SaysWhatIsWrong) {
    const ParsedOptions parsed = ParseProgramOptions(GetParam().args);
    EXPECT_FALSE(parsed.options);
    EXPECT_NE(parsed.error.find(GetParam().errorContains), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ProgramOptionsRefused,
                         ::testing::Values(BadCase{{"--fast"}, "unknown option \"--fast\""},
                                           BadCase{{"simulate"}, "unknown option"},
                                           BadCase{{"--log"}, "--log needs a file name"},
                                           BadCase{{"--trace="}, "--trace needs a file name"},
                                           BadCase{{"--simulate", "--sim-sensor-type", "256"}, "0 to 255"},
                                           BadCase{{"--simulate", "--sim-sensor-type", "-1"}, "0 to 255"},
                                           BadCase{{"--simulate", "--sim-sensor-type", "1x"}, "0 to 255"},
                                           BadCase{{"--sim-sensor-type", "1"}, "needs --simulate"},
                                           BadCase{{"--sim-control", "c.txt"}, "needs --simulate"},
                                           BadCase{{"--simulate=yes"}, "takes no value"}),
                         ArgsName<BadCase>);

}  // namespace
}  // namespace kv12::win32
