#include "device/scramble_config.h"

#include <gtest/gtest.h>

namespace kv12 {
namespace {

TEST(ScrambleConfig, ParsesTwelveAndSixteenHexDigitsInEitherCase) {
    EXPECT_EQ(ParseScrambleKey("0a1B2c3D4e5F"), (ScrambleKey{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}));
    EXPECT_EQ(ParseScrambleTable("00112233445566ff"),
              (ScrambleTable{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0xFF}));
}

struct BadHexCase {
    const char* name;
    const char* text;
};

class BadHexTest : public testing::TestWithParam<BadHexCase> {};

TEST_P(BadHexTest, IsRefusedAsKey) {
    EXPECT_FALSE(ParseScrambleKey(GetParam().text)) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, BadHexTest,
                         testing::Values(BadHexCase{"Empty", ""}, BadHexCase{"ElevenDigits", "0a1b2c3d4e5"},
                                         BadHexCase{"ThirteenDigits", "0a1b2c3d4e5f6"},
                                         BadHexCase{"NotAHexDigit", "0a1b2c3d4e5g"},
                                         BadHexCase{"SpaceInside", "0a 1b2c3d4e5"},
                                         BadHexCase{"HexPrefix", "0x1b2c3d4e5f"},
                                         BadHexCase{"MinusSign", "-a1b2c3d4e5f"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScrambleConfig, MissingSectionGivesTheShippedValuesWithoutMessage) {
    const auto loaded = LoadScrambleConfig(IniDocument::Parse("[Skins]\r\nLan=CHS\r\n"));
    EXPECT_EQ(loaded.config, DEFAULT_SCRAMBLE_CONFIG);
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(ScrambleConfig, ValuesInStrIniReplaceTheShippedOnes) {
    const auto loaded = LoadScrambleConfig(
        IniDocument::Parse("[Device]\r\nScrambleKey=010203040506\r\nScrambleTable=a0a1a2a3a4a5a6a7\r\n"));
    EXPECT_EQ(loaded.config.key, (ScrambleKey{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(loaded.config.table, (ScrambleTable{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7}));
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(ScrambleConfig, BadValueFallsBackToItsDefaultWithAMessageNamingIt) {
    const auto loaded = LoadScrambleConfig(
        IniDocument::Parse("[Device]\r\nScrambleKey=xyz\r\nScrambleTable=a0a1a2a3a4a5a6a7\r\n"));
    EXPECT_EQ(loaded.config.key, DEFAULT_SCRAMBLE_KEY);
    EXPECT_EQ(loaded.config.table[0], 0xA0);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_NE(loaded.messages[0].find("ScrambleKey"), std::string::npos);
    EXPECT_NE(loaded.messages[0].find("\"xyz\""), std::string::npos);
}

TEST(ScrambleConfig, CommandLineOverridesReplaceOnlyWhatIsGiven) {
    const auto loaded =
        OverrideScrambleConfig(DEFAULT_SCRAMBLE_CONFIG, std::string("ffeeddccbbaa"), std::nullopt);
    EXPECT_EQ(loaded.config.key, (ScrambleKey{0xFF, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA}));
    EXPECT_EQ(loaded.config.table, DEFAULT_SCRAMBLE_TABLE);
    EXPECT_TRUE(loaded.messages.empty());

    const auto bad = OverrideScrambleConfig(DEFAULT_SCRAMBLE_CONFIG, std::nullopt, std::string("12"));
    EXPECT_EQ(bad.config, DEFAULT_SCRAMBLE_CONFIG);
    ASSERT_EQ(bad.messages.size(), 1u);
    EXPECT_NE(bad.messages[0].find("--scramble-table"), std::string::npos);
}

TEST(ScrambleConfig, ToHexIsLowercaseWithoutSeparators) {
    const std::uint8_t bytes[] = {0x00, 0xAB, 0x0F, 0x90};
    EXPECT_EQ(ToHex(bytes, 4), "00ab0f90");
}

}  // namespace
}  // namespace kv12
