#include "win32/wide_text.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

struct TextCase {
    const char* name;
    std::string utf8;
    std::wstring wide;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class WideTextRoundTrip : public ::testing::TestWithParam<TextCase> {};

TEST_P(WideTextRoundTrip, ConvertsBothWaysWithoutLoss) {
    const TextCase& c = GetParam();
    EXPECT_EQ(WideFromUtf8(c.utf8), c.wide);
    EXPECT_EQ(Utf8FromWide(c.wide), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideTextRoundTrip,
    ::testing::Values(TextCase{"Empty", "", L""}, TextCase{"Ascii", "config.bin", L"config.bin"},
                      TextCase{"Chinese", "\xE7\xA1\xAE\xE5\xAE\x9A", L"\u786E\u5B9A"},
                      TextCase{"OutsideTheBasicPlane", "\xF0\x9F\x96\xB1", L"\xD83D\xDDB1"},
                      TextCase{"EmbeddedNul", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(WideText, MalformedUtf8BecomesReplacementCharactersAndKeepsTheRest) {
    // A stray byte, and a sequence cut short.
    EXPECT_EQ(WideFromUtf8(std::string("a\xFF") + "b"), L"a\uFFFDb");
    EXPECT_EQ(WideFromUtf8(std::string("\xE7\xA1") + "x"), L"\uFFFDx");
}

TEST(WideText, AnUnpairedSurrogateBecomesAReplacementCharacter) {
    EXPECT_EQ(Utf8FromWide(std::wstring(L"a\xD800") + L"b"), std::string("a\xEF\xBF\xBD") + "b");
}

}  // namespace
}  // namespace kv12::win32
