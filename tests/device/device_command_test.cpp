#include "device/device_command.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/common/case_name.h"

namespace kv12 {
namespace {

struct ChecksumCase {
    Command command;  // byte 7 is the expected checksum
};

class CommandChecksumTest : public testing::TestWithParam<ChecksumCase> {};

TEST_P(CommandChecksumTest, IsFfMinusTheSumOfBytesZeroToSix) {
    const Command& expected = GetParam().command;
    EXPECT_EQ(CommandChecksum(expected), expected[7]);
    Command blank = expected;
    blank[7] = 0x55;
    EXPECT_EQ(WithChecksum(blank), expected);
    EXPECT_TRUE(HasValidChecksum(expected));
    EXPECT_FALSE(HasValidChecksum(blank));
}

INSTANTIATE_TEST_SUITE_P(KnownCommands, CommandChecksumTest,
                         testing::Values(ChecksumCase{{0x01, 0x08, 0, 0, 0, 0, 0, 0xF6}},
                                         ChecksumCase{{0x00, 0xAA, 0xDD, 0x3B, 0x62, 0, 0, 0xDB}},
                                         ChecksumCase{{0x83, 0, 0, 0, 0, 0, 0, 0x7C}},
                                         ChecksumCase{{0x8D, 0, 0, 0, 0, 0, 0, 0x72}},
                                         ChecksumCase{{0x10, 0, 0, 0, 0, 0, 0, 0xEF}},
                                         ChecksumCase{{0x12, 0x01, 0x40, 0, 0, 0, 0, 0xAC}},
                                         ChecksumCase{{0x13, 0x01, 0x80, 0, 0, 0, 0, 0x6B}},
                                         // A sum above 255 wraps.
                                         ChecksumCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x06}}),
                         // "Command0108000000000000": bytes 0 to 6 in hexadecimal.
                         [](const auto& info) {
                             std::string name = "Command";
                             for (std::size_t i = 0; i < 7; ++i) name += test::CaseHex(info.param.command[i]);
                             return name;
                         });

TEST(ScrambleCommand, HandshakeChallengeConstantCarriesItsChecksum) {
    EXPECT_TRUE(HasValidChecksum(HANDSHAKE_CHALLENGE));
}

struct ScrambleCase {
    const char* name;
    Command plain;
    ScrambleConfig config;
    Command scrambled;  // worked out by hand from the transform's four steps
};

class ScrambleVectorTest : public testing::TestWithParam<ScrambleCase> {};

TEST_P(ScrambleVectorTest, MatchesTheTransformWorkedByHand) {
    const ScrambleCase& c = GetParam();
    Command bytes = c.plain;
    ScrambleCommand(bytes, c.config);
    EXPECT_EQ(bytes, c.scrambled);
    UnscrambleCommand(bytes, c.config);
    EXPECT_EQ(bytes, c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, ScrambleVectorTest,
    testing::Values(
        // No key, no table: only the swaps and the rotation.
        ScrambleCase{"NoKeyNoTable",
                     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08},
                     {},
                     {0x30, 0x28, 0x40, 0x38, 0x10, 0x08, 0x20, 0x18}},
        // Key and a table whose nibble swap adds 0x01..0x08.
        ScrambleCase{"KeyAndTable",
                     {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88},
                     {{1, 2, 3, 4, 5, 6}, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80}},
                     {0x33, 0xA6, 0x56, 0xA5, 0x35, 0xA8, 0x18, 0xA3}},
        // The challenge under the shipped key and table.
        ScrambleCase{"ChallengeUnderTheShippedKeyAndTable",
                     HANDSHAKE_CHALLENGE,
                     {{0x4B, 0x76, 0x31, 0x32, 0x6D, 0x53}, {0x3C, 0x5A, 0x17, 0xE2, 0x81, 0x4F, 0xB6, 0x09}},
                     {0xC4, 0xF2, 0xDA, 0xBA, 0xDB, 0x5F, 0xB1, 0x78}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrambleCommand, UnscrambleUndoesScrambleForRandomKeysTablesAndCommands) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 5000; ++round) {
        ScrambleConfig config;
        for (auto& b : config.key) b = static_cast<std::uint8_t>(byte(random));
        for (auto& b : config.table) b = static_cast<std::uint8_t>(byte(random));
        Command command;
        for (auto& b : command) b = static_cast<std::uint8_t>(byte(random));
        Command bytes = command;
        ScrambleCommand(bytes, config);
        UnscrambleCommand(bytes, config);
        ASSERT_EQ(bytes, command) << "round " << round;
        // Unscramble first, scramble after: the transform is a bijection both ways.
        UnscrambleCommand(bytes, config);
        ScrambleCommand(bytes, config);
        ASSERT_EQ(bytes, command) << "round " << round;
    }
}

TEST(ScrambleCommand, DifferentKeysGiveDifferentScrambledBytes) {
    Command a = HANDSHAKE_CHALLENGE;
    Command b = HANDSHAKE_CHALLENGE;
    ScrambleCommand(a, ScrambleConfig{{1, 2, 3, 4, 5, 6}, {}});
    ScrambleCommand(b, ScrambleConfig{{1, 2, 3, 4, 5, 7}, {}});
    EXPECT_NE(a, b);
}

struct ChunkCase {
    std::size_t length;
    std::size_t chunks;
};

class ChunkCountTest : public testing::TestWithParam<ChunkCase> {};

TEST_P(ChunkCountTest, RoundsTheLengthUpToWholeChunks) {
    EXPECT_EQ(ChunkCount(GetParam().length), GetParam().chunks);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ChunkCountTest,
                         testing::Values(ChunkCase{0, 0}, ChunkCase{1, 1}, ChunkCase{24, 1}, ChunkCase{32, 1},
                                         ChunkCase{33, 2}, ChunkCase{64, 2}, ChunkCase{128, 4},
                                         ChunkCase{255, 8}),
                         [](const auto& info) { return "Length" + std::to_string(info.param.length); });

}  // namespace
}  // namespace kv12
