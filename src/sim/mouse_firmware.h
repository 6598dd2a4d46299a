// The firmware of the simulated mouse: what it does with the commands and
// data reports that reach its command collection, without any of the
// plumbing (handles, plugging, threads, traces) that VirtualMouse adds.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/key_function.h"
#include "core/settings_block.h"
#include "device/device_command.h"
#include "device/device_image.h"

namespace kv12 {

// How the firmware treats the handshake challenge.
enum class HandshakeMode {
    Scrambled,  // the real protocol: commands arrive scrambled, the echo is scrambled
    Plain,      // an older protocol: commands arrive plain and the plain challenge is echoed
    None,       // scrambled commands, but the challenge is never answered
};

// What the firmware keeps. The factory state is what reads return before
// anything was written.
struct MouseFirmwareState {
    std::uint8_t reportRate = 0;
    SensorState sensorState{};
    LightingState lightingState{0x01, 0x05, 0x02};
    std::array<LedGroup, LED_GROUP_COUNT> ledGroups{{{0x01, 0x7D, 0x0A}, {0x02, 0x03, 0x04}}};
    std::array<std::uint8_t, STAGE_COLOR_DATA_SIZE> stageColors{};
    std::uint8_t dpiStageCount = 0;
    std::array<std::uint8_t, DPI_STAGE_CODES_SIZE> dpiStageCodes{};
    std::array<KeyMatrix, KEY_MATRIX_COUNT> keyMatrices{};
    std::array<std::array<std::uint8_t, MACRO_SLOT_SIZE>, MACRO_SLOT_COUNT> macroSlots{};

    friend bool operator==(const MouseFirmwareState&, const MouseFirmwareState&) = default;
};

class MouseFirmware {
  public:
    MouseFirmware(HandshakeMode handshake, const ScrambleConfig& scramble, std::uint8_t sensorType);

    // A command as it came over the wire (the 8 bytes after the report ID).
    // Returns it decoded; false in accepted when its checksum was wrong and
    // it was refused. Every command replaces the reply and drops data not yet
    // exchanged.
    struct Received {
        Command command;
        bool accepted = false;
    };
    Received ReceiveCommand(const Command& wire);

    // The feature report a reply read gets: all zeros unless the last command
    // was a read command the firmware answers.
    const std::array<std::uint8_t, FEATURE_REPORT_LENGTH>& ReplyReport() const { return reply_; }
    // The reply decoded as the firmware meant it.
    Command DecodedReply() const;

    // One data report (report ID, then a chunk) of a write command's data phase.
    void ReceiveData(std::span<const std::uint8_t> report);
    // The next data report of a read command's data phase, if any is left.
    std::optional<std::vector<std::uint8_t>> TakeDataReport();

    // The mouse lost power: exchanges in progress are forgotten, settings kept.
    void ForgetExchange();

    const MouseFirmwareState& State() const { return state_; }

  private:
    struct PendingWrite {
        std::size_t chunksLeft = 0;
        std::size_t length = 0;
        std::vector<std::uint8_t> data;
        std::function<void(MouseFirmwareState&, std::span<const std::uint8_t>)> commit;
    };

    void Execute(const Command& command);
    void SetReply(Command reply);
    bool Scrambles() const { return handshake_ != HandshakeMode::Plain; }

    HandshakeMode handshake_;
    ScrambleConfig scramble_;
    MouseFirmwareState state_;
    std::array<std::uint8_t, FEATURE_REPORT_LENGTH> reply_{};
    PendingWrite pendingWrite_;
    std::deque<std::vector<std::uint8_t>> dataReports_;
};

}  // namespace kv12
