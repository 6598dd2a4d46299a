// The mouse's 8-byte command and its keyed scrambling. A command is the code
// (bit 7 set when the mouse answers), six argument bytes and a checksum; it
// travels after report ID 0 in a feature report, scrambled once the handshake
// has found a mouse that speaks the scrambled protocol.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv12 {

inline constexpr std::size_t COMMAND_SIZE = 8;
using Command = std::array<std::uint8_t, COMMAND_SIZE>;

inline constexpr std::size_t SCRAMBLE_KEY_SIZE = 6;
inline constexpr std::size_t SCRAMBLE_TABLE_SIZE = 8;
using ScrambleKey = std::array<std::uint8_t, SCRAMBLE_KEY_SIZE>;
using ScrambleTable = std::array<std::uint8_t, SCRAMBLE_TABLE_SIZE>;

// The firmware's secret: the six key bytes XORed into the arguments and the
// table added to every byte. Taken from configuration (scramble_config.h).
struct ScrambleConfig {
    ScrambleKey key{};
    ScrambleTable table{};
    friend bool operator==(const ScrambleConfig&, const ScrambleConfig&) = default;
};

// Report framing. Every report starts with report ID 0; a feature report
// carries one command in bytes 1..8, a data report one 32-byte chunk in bytes
// 1..32. These are the lengths of the real mouse; the link sizes its reports
// from the capabilities the system reports.
inline constexpr std::uint8_t COMMAND_REPORT_ID = 0;
inline constexpr std::size_t FEATURE_REPORT_LENGTH = 1 + COMMAND_SIZE;
inline constexpr std::size_t DATA_CHUNK_SIZE = 32;
inline constexpr std::size_t DATA_REPORT_LENGTH = 1 + DATA_CHUNK_SIZE;

// Bit 7 of the code: the mouse answers with a reply feature report (and, for
// commands with a data phase, sends the data instead of receiving it).
inline constexpr std::uint8_t COMMAND_REPLY_BIT = 0x80;

// Command codes.
inline constexpr std::uint8_t CMD_HANDSHAKE = 0x00;
inline constexpr std::uint8_t CMD_REPORT_RATE = 0x01;
inline constexpr std::uint8_t CMD_WRITE_SENSOR_STATE = 0x03;
inline constexpr std::uint8_t CMD_READ_SENSOR_STATE = 0x83;
inline constexpr std::uint8_t CMD_WRITE_LED_OPTIONS = 0x07;
inline constexpr std::uint8_t CMD_READ_LED_OPTIONS = 0x87;
inline constexpr std::uint8_t CMD_WRITE_LIGHTING_STATE = 0x0D;
inline constexpr std::uint8_t CMD_READ_LIGHTING_STATE = 0x8D;
inline constexpr std::uint8_t CMD_WRITE_STAGE_COLORS = 0x10;
inline constexpr std::uint8_t CMD_WRITE_DPI_STAGES = 0x11;
inline constexpr std::uint8_t CMD_WRITE_KEY_MATRIX = 0x12;
inline constexpr std::uint8_t CMD_WRITE_MACRO = 0x13;
inline constexpr std::uint8_t CMD_READ_MACRO = 0x93;

// The handshake's challenge; the mouse echoes bytes 1..4.
inline constexpr Command HANDSHAKE_CHALLENGE = {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB};

// 0xFF minus the sum of bytes 0..6, modulo 256.
std::uint8_t CommandChecksum(const Command& command);
// The command with byte 7 set to its checksum.
Command WithChecksum(Command command);
// True when byte 7 is the checksum of bytes 0..6.
bool HasValidChecksum(const Command& command);
// True when the command expects a reply (bit 7 of the code).
constexpr bool ExpectsReply(const Command& command) {
    return (command[0] & COMMAND_REPLY_BIT) != 0;
}

// The keyed transform, in place: swap byte pairs, XOR the arguments with the
// key, rotate the 64 bits left by three, add the nibble-swapped table.
void ScrambleCommand(Command& command, const ScrambleConfig& config);
// The exact inverse of ScrambleCommand.
void UnscrambleCommand(Command& command, const ScrambleConfig& config);

// Number of 32-byte chunks that carry a data phase of the given byte length.
constexpr std::size_t ChunkCount(std::size_t lengthBytes) {
    return (lengthBytes + DATA_CHUNK_SIZE - 1) / DATA_CHUNK_SIZE;
}

}  // namespace kv12
