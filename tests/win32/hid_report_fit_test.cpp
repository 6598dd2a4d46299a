#include "win32/hid_report_fit.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct FitCase {
    const char* name;
    Bytes report;
    std::size_t length;
    std::optional<Bytes> expected;
    // Test names and failure messages show the case's name, not its bytes.
    friend void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }
};

class FitReportCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitReportCases, GivesABufferOfExactlyTheDeclaredLengthOrRefuses) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitReport(c.report, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FitReportCases,
    ::testing::Values(
        FitCase{"ExactLengthIsKept", {0, 1, 2, 3}, 4, Bytes{0, 1, 2, 3}},
        FitCase{"ShortReportIsPaddedWithZeros", {0, 0x12, 0x34}, 9, Bytes{0, 0x12, 0x34, 0, 0, 0, 0, 0, 0}},
        // The program's 16-byte command buffer on a 9-byte feature report.
        FitCase{"LongReportWithAZeroTailIsCut",
                {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0},
                9,
                Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8}},
        FitCase{"LongReportThatWouldLoseDataIsRefused", {0, 1, 2, 3, 4}, 3, std::nullopt},
        FitCase{"CollectionWithoutSuchReportsRefuses", {0, 1}, 0, std::nullopt},
        FitCase{"EmptyReportIsRefused", {}, 9, std::nullopt}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kv12::win32
