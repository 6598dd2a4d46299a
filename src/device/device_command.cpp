#include "device/device_command.h"

#include <utility>

namespace kv12 {
namespace {

// Byte pairs exchanged in the first step of the transform. Swapping is its
// own inverse, so unscrambling uses the same pairs.
constexpr std::array<std::pair<std::size_t, std::size_t>, 4> SWAP_PAIRS = {{{0, 5}, {1, 4}, {2, 7}, {3, 6}}};

constexpr std::uint8_t SwapNibbles(std::uint8_t b) {
    return static_cast<std::uint8_t>((b << 4) | (b >> 4));
}

void SwapPairs(Command& c) {
    for (const auto& [a, b] : SWAP_PAIRS) std::swap(c[a], c[b]);
}

void XorKey(Command& c, const ScrambleKey& key) {
    for (std::size_t i = 0; i < SCRAMBLE_KEY_SIZE; ++i) c[i + 1] ^= key[i];
}

// The eight bytes as one 64-bit string, byte 0 the most significant.
std::uint64_t Pack(const Command& c) {
    std::uint64_t v = 0;
    for (std::uint8_t b : c) v = (v << 8) | b;
    return v;
}

void Unpack(Command& c, std::uint64_t v) {
    for (std::size_t i = COMMAND_SIZE; i-- > 0;) {
        c[i] = static_cast<std::uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

}  // namespace

std::uint8_t CommandChecksum(const Command& command) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < COMMAND_SIZE - 1; ++i) sum += command[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

Command WithChecksum(Command command) {
    command[COMMAND_SIZE - 1] = CommandChecksum(command);
    return command;
}

bool HasValidChecksum(const Command& command) {
    return command[COMMAND_SIZE - 1] == CommandChecksum(command);
}

void ScrambleCommand(Command& command, const ScrambleConfig& config) {
    SwapPairs(command);
    XorKey(command, config.key);
    const std::uint64_t v = Pack(command);
    Unpack(command, (v << 3) | (v >> 61));
    for (std::size_t i = 0; i < COMMAND_SIZE; ++i) {
        command[i] = static_cast<std::uint8_t>(command[i] + SwapNibbles(config.table[i]));
    }
}

void UnscrambleCommand(Command& command, const ScrambleConfig& config) {
    for (std::size_t i = 0; i < COMMAND_SIZE; ++i) {
        command[i] = static_cast<std::uint8_t>(command[i] - SwapNibbles(config.table[i]));
    }
    const std::uint64_t v = Pack(command);
    Unpack(command, (v >> 3) | (v << 61));
    XorKey(command, config.key);
    SwapPairs(command);
}

}  // namespace kv12
