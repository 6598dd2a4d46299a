#include "sim/mouse_firmware.h"

#include <algorithm>

namespace kv12 {
namespace {

template <std::size_t N>
void CopyInto(std::array<std::uint8_t, N>& target, std::span<const std::uint8_t> data) {
    std::copy_n(data.begin(), std::min(N, data.size()), target.begin());
}

}  // namespace

MouseFirmware::MouseFirmware(HandshakeMode handshake, const ScrambleConfig& scramble, std::uint8_t sensorType)
    : handshake_(handshake), scramble_(scramble) {
    state_.sensorState = {sensorType, 0x01, 0x00, 0x00};
}

MouseFirmware::Received MouseFirmware::ReceiveCommand(const Command& wire) {
    Command command = wire;
    if (Scrambles()) UnscrambleCommand(command, scramble_);
    ForgetExchange();
    const bool accepted = HasValidChecksum(command);
    if (accepted) Execute(command);
    return Received{command, accepted};
}

Command MouseFirmware::DecodedReply() const {
    Command decoded{};
    std::copy_n(reply_.begin() + 1, COMMAND_SIZE, decoded.begin());
    if (Scrambles()) UnscrambleCommand(decoded, scramble_);
    return decoded;
}

void MouseFirmware::ReceiveData(std::span<const std::uint8_t> report) {
    if (pendingWrite_.chunksLeft == 0 || report.size() < DATA_REPORT_LENGTH) return;
    pendingWrite_.data.insert(pendingWrite_.data.end(), report.begin() + 1,
                              report.begin() + DATA_REPORT_LENGTH);
    if (--pendingWrite_.chunksLeft == 0) {
        const std::size_t length = std::min(pendingWrite_.length, pendingWrite_.data.size());
        pendingWrite_.commit(state_, std::span<const std::uint8_t>(pendingWrite_.data).first(length));
        pendingWrite_ = PendingWrite{};
    }
}

std::optional<std::vector<std::uint8_t>> MouseFirmware::TakeDataReport() {
    if (dataReports_.empty()) return std::nullopt;
    std::vector<std::uint8_t> next = std::move(dataReports_.front());
    dataReports_.pop_front();
    return next;
}

void MouseFirmware::ForgetExchange() {
    reply_.fill(0);
    pendingWrite_ = PendingWrite{};
    dataReports_.clear();
}

void MouseFirmware::SetReply(Command reply) {
    reply = WithChecksum(reply);
    if (Scrambles()) ScrambleCommand(reply, scramble_);
    reply_[0] = COMMAND_REPORT_ID;
    std::copy(reply.begin(), reply.end(), reply_.begin() + 1);
}

void MouseFirmware::Execute(const Command& c) {
    auto expectData = [this](std::size_t length, auto commit) {
        pendingWrite_.length = length;
        pendingWrite_.chunksLeft = ChunkCount(length);
        pendingWrite_.commit = commit;
    };
    const std::uint8_t slot = c[1];
    switch (c[0]) {
        case CMD_HANDSHAKE:
            if (handshake_ != HandshakeMode::None)
                SetReply(Command{c[0], c[1], c[2], c[3], c[4], c[5], c[6]});
            break;
        case CMD_REPORT_RATE:
            state_.reportRate = c[1];
            break;
        case CMD_WRITE_SENSOR_STATE:
            state_.sensorState = {c[1], c[2], c[3], c[4]};
            break;
        case CMD_READ_SENSOR_STATE: {
            const auto& s = state_.sensorState;
            SetReply(Command{c[0], s[0], s[1], s[2], s[3]});
            break;
        }
        case CMD_WRITE_LED_OPTIONS:
            if (c[1] < LED_GROUP_COUNT) state_.ledGroups[c[1]] = {c[2], c[3], c[4]};
            break;
        case CMD_READ_LED_OPTIONS:
            if (c[1] < LED_GROUP_COUNT) {
                const auto& g = state_.ledGroups[c[1]];
                SetReply(Command{c[0], c[1], g[0], g[1], g[2]});
            }
            break;
        case CMD_WRITE_LIGHTING_STATE:
            state_.lightingState = {c[1], c[2], c[3]};
            break;
        case CMD_READ_LIGHTING_STATE: {
            const auto& l = state_.lightingState;
            SetReply(Command{c[0], l[0], l[1], l[2]});
            break;
        }
        case CMD_WRITE_STAGE_COLORS:
            expectData(c[2], [](MouseFirmwareState& f, std::span<const std::uint8_t> d) {
                CopyInto(f.stageColors, d);
            });
            break;
        case CMD_WRITE_DPI_STAGES:
            state_.dpiStageCount = c[1];
            expectData(c[2], [](MouseFirmwareState& f, std::span<const std::uint8_t> d) {
                CopyInto(f.dpiStageCodes, d);
            });
            break;
        case CMD_WRITE_KEY_MATRIX:
            if (slot >= 1 && slot <= KEY_MATRIX_COUNT) {
                expectData(c[2], [slot](MouseFirmwareState& f, std::span<const std::uint8_t> d) {
                    CopyInto(f.keyMatrices[slot - 1], d);
                });
            }
            break;
        case CMD_WRITE_MACRO:
            if (slot >= 1 && slot <= MACRO_SLOT_COUNT) {
                expectData(c[2], [slot](MouseFirmwareState& f, std::span<const std::uint8_t> d) {
                    CopyInto(f.macroSlots[slot - 1], d);
                });
            }
            break;
        case CMD_READ_MACRO:
            if (slot >= 1 && slot <= MACRO_SLOT_COUNT) {
                SetReply(Command{c[0], slot, static_cast<std::uint8_t>(MACRO_SLOT_SIZE)});
                const auto& bytes = state_.macroSlots[slot - 1];
                for (std::size_t chunk = 0; chunk < ChunkCount(MACRO_SLOT_SIZE); ++chunk) {
                    std::vector<std::uint8_t> report(DATA_REPORT_LENGTH, 0);
                    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(chunk * DATA_CHUNK_SIZE),
                                DATA_CHUNK_SIZE, report.begin() + 1);
                    dataReports_.push_back(std::move(report));
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace kv12
