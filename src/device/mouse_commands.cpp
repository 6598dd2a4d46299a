#include "device/mouse_commands.h"

#include <algorithm>

namespace kv12 {
namespace {

// Option 2 of the sensor state gets this bit on every initialisation.
constexpr std::uint8_t SENSOR_OPTION2_INIT_BIT = 0x40;

}  // namespace

Command MakeCommand(std::uint8_t code, std::uint8_t a1, std::uint8_t a2, std::uint8_t a3, std::uint8_t a4,
                    std::uint8_t a5, std::uint8_t a6) {
    return Command{code, a1, a2, a3, a4, a5, a6, 0};
}

bool SetReportRate(DeviceLink& link, std::uint8_t rate) {
    Command command = MakeCommand(CMD_REPORT_RATE, rate);
    return link.SendCommand(command);
}

SensorState ReadSensorState(DeviceLink& link) {
    Command command = MakeCommand(CMD_READ_SENSOR_STATE);
    link.SendCommand(command);
    return SensorState{command[1], command[2], command[3], command[4]};
}

bool WriteSensorState(DeviceLink& link, const SensorState& state) {
    Command command = MakeCommand(CMD_WRITE_SENSOR_STATE, state[0], state[1], state[2], state[3]);
    return link.SendCommand(command);
}

LightingState ReadLightingState(DeviceLink& link) {
    Command command = MakeCommand(CMD_READ_LIGHTING_STATE);
    link.SendCommand(command);
    return LightingState{command[1], command[2], command[3]};
}

bool WriteLightingState(DeviceLink& link, const LightingState& state) {
    Command command = MakeCommand(CMD_WRITE_LIGHTING_STATE, state[0], state[1], state[2]);
    return link.SendCommand(command);
}

const Command& ReadLedOptions(DeviceLink& link, Command& buffer, std::uint8_t group) {
    buffer[0] = CMD_READ_LED_OPTIONS;
    buffer[1] = group;
    link.SendCommand(buffer);
    return buffer;
}

bool WriteLedOptions(DeviceLink& link, std::uint8_t group, const LedGroup& options) {
    Command command = MakeCommand(CMD_WRITE_LED_OPTIONS, group, options[0], options[1], options[2]);
    return link.SendCommand(command);
}

void WriteStageColors(DeviceLink& link, std::uint8_t part, std::span<std::uint8_t> colorData) {
    const auto length = static_cast<std::uint8_t>(part == 0 ? 0 : colorData.size());
    Command command = MakeCommand(CMD_WRITE_STAGE_COLORS, part, length);
    link.SendCommandWithData(command, colorData);
}

void WriteDpiStages(DeviceLink& link, std::uint8_t stageCount, std::span<std::uint8_t> stageCodes) {
    Command command =
        MakeCommand(CMD_WRITE_DPI_STAGES, stageCount, static_cast<std::uint8_t>(stageCodes.size()));
    link.SendCommandWithData(command, stageCodes);
}

void WriteKeyMatrix(DeviceLink& link, std::uint8_t number, std::span<std::uint8_t> matrix) {
    Command command = MakeCommand(CMD_WRITE_KEY_MATRIX, number, static_cast<std::uint8_t>(matrix.size()));
    link.SendCommandWithData(command, matrix);
}

void WriteMacroSlot(DeviceLink& link, std::uint8_t slot, std::span<std::uint8_t> slotBytes) {
    Command command = MakeCommand(CMD_WRITE_MACRO, slot, static_cast<std::uint8_t>(slotBytes.size()));
    link.SendCommandWithData(command, slotBytes);
}

std::size_t ReadMacroSlot(DeviceLink& link, Command& buffer, std::uint8_t slot,
                          std::span<std::uint8_t, MACRO_SLOT_SIZE> data) {
    buffer[0] = CMD_READ_MACRO;
    buffer[1] = slot;
    return link.SendCommandWithData(buffer, data);
}

void InitialiseSensor(DeviceLink& link) {
    SensorState state = ReadSensorState(link);
    link.state().image.sensorState = state;
    link.state().sensorType = state[0];
    state[3] = static_cast<std::uint8_t>(state[3] | SENSOR_OPTION2_INIT_BIT);
    WriteSensorState(link, state);
}

}  // namespace kv12
