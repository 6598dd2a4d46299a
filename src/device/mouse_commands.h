// The mouse's command set, one function per command. Each builds the 8-byte
// command and sends it through the device link (which adds the checksum and
// scrambles). Results are returned but, as the apply sequence relies on, never
// retried.
#pragma once

#include <cstdint>
#include <span>

#include "core/key_function.h"
#include "core/settings_block.h"
#include "device/device_command.h"
#include "device/device_image.h"
#include "device/device_link.h"

namespace kv12 {

// A command from its code and up to six arguments; the checksum is left 0 as
// the link computes it.
Command MakeCommand(std::uint8_t code, std::uint8_t a1 = 0, std::uint8_t a2 = 0, std::uint8_t a3 = 0,
                    std::uint8_t a4 = 0, std::uint8_t a5 = 0, std::uint8_t a6 = 0);

// 0x01: report-rate code (1, 2, 4, 8 ms).
bool SetReportRate(DeviceLink& link, std::uint8_t rate);

// 0x83: sensor type, rate, option 1, option 2 (bytes 1..4 of the reply).
SensorState ReadSensorState(DeviceLink& link);
// 0x03.
bool WriteSensorState(DeviceLink& link, const SensorState& state);

// 0x8D: effect, option 1, option 2.
LightingState ReadLightingState(DeviceLink& link);
// 0x0D.
bool WriteLightingState(DeviceLink& link, const LightingState& state);

// 0x87 for one group. The request is built in `buffer`, which also receives
// the reply: a series of requests reuses one buffer, so a later request
// carries in bytes 2..6 what the previous reply left there. Start a series
// with a zeroed buffer. Returns the reply (byte 1 the group, 2..4 its bytes).
const Command& ReadLedOptions(DeviceLink& link, Command& buffer, std::uint8_t group);
// 0x07.
bool WriteLedOptions(DeviceLink& link, std::uint8_t group, const LedGroup& options);

// 0x10: part 0 announces the colours (no data); part 1 carries the 24 bytes.
void WriteStageColors(DeviceLink& link, std::uint8_t part, std::span<std::uint8_t> colorData);
// 0x11: stage count and the 8 bytes of stage codes.
void WriteDpiStages(DeviceLink& link, std::uint8_t stageCount, std::span<std::uint8_t> stageCodes);
// 0x12: key matrix 1..4, 64 bytes in two chunks.
void WriteKeyMatrix(DeviceLink& link, std::uint8_t number, std::span<std::uint8_t> matrix);
// 0x13: macro slot 1..12, 128 bytes in four chunks.
void WriteMacroSlot(DeviceLink& link, std::uint8_t slot, std::span<std::uint8_t> slotBytes);

// 0x93 for one slot, with the request buffer of a series as for
// ReadLedOptions. The data (at most four chunks) lands in `data`; returns the
// number of bytes received. The reply's byte 1 names the slot the data
// belongs to.
std::size_t ReadMacroSlot(DeviceLink& link, Command& buffer, std::uint8_t slot,
                          std::span<std::uint8_t, MACRO_SLOT_SIZE> data);

// Reads the sensor state, takes its type as sensorType, sets bit 6 of option 2
// and writes it back. Run on the first build of the basic page and after each
// arrival of the mouse.
void InitialiseSensor(DeviceLink& link);

}  // namespace kv12
