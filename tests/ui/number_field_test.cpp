#include "ui/number_field.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace kv12::test {
namespace {

struct DecimalCase {
    const char* text;
    int value;
};

void PrintTo(const DecimalCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DecimalField : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalField, ReadsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(ui::ReadDecimalField(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    NumberField, DecimalField,
    ::testing::Values(DecimalCase{"", 0}, DecimalCase{"abc", 0}, DecimalCase{"-", 0}, DecimalCase{"42", 42},
                      DecimalCase{"  42", 42}, DecimalCase{"+7", 7}, DecimalCase{"-3", -3},
                      DecimalCase{"12ab", 12}, DecimalCase{"007", 7}, DecimalCase{"2147483647", INT_MAX},
                      DecimalCase{"2147483648", INT_MAX}, DecimalCase{"-2147483648", INT_MIN},
                      DecimalCase{"-99999999999999999999999999", INT_MIN},
                      DecimalCase{"99999999999999999999999999", INT_MAX}));

}  // namespace
}  // namespace kv12::test
