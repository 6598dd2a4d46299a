#include "ui/number_field.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace kv12::test {
namespace {

struct DecimalCase {
    const char* name;
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
    ::testing::Values(DecimalCase{"Empty", "", 0}, DecimalCase{"Letters", "abc", 0},
                      DecimalCase{"MinusAlone", "-", 0}, DecimalCase{"Digits", "42", 42},
                      DecimalCase{"LeadingSpaces", "  42", 42}, DecimalCase{"PlusSign", "+7", 7},
                      DecimalCase{"MinusSign", "-3", -3}, DecimalCase{"DigitsThenLetters", "12ab", 12},
                      DecimalCase{"LeadingZeros", "007", 7}, DecimalCase{"Largest", "2147483647", INT_MAX},
                      DecimalCase{"OneAboveTheLargest", "2147483648", INT_MAX},
                      DecimalCase{"Smallest", "-2147483648", INT_MIN},
                      DecimalCase{"FarBelowTheSmallest", "-99999999999999999999999999", INT_MIN},
                      DecimalCase{"FarAboveTheLargest", "99999999999999999999999999", INT_MAX}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12::test
