#include "device/apply_settings.h"

#include <algorithm>

#include "device/dpi_stage_codes.h"
#include "device/mouse_commands.h"

namespace kv12 {
namespace {

// LED group 0 for the neon effects 2 and 3 (ledEffect3).
constexpr LedGroup NEON_EFFECT2_GROUP0 = {2, 125, 10};
constexpr LedGroup NEON_EFFECT3_GROUP0 = {3, 10, 10};
constexpr std::uint8_t FIXED_OPTION2 = 2;

std::uint8_t PlusOne(std::uint8_t value) {
    return static_cast<std::uint8_t>(value + 1);
}

void ReadLedGroups(DeviceLink& link, DeviceImage& image) {
    Command buffer{};
    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        const Command& reply = ReadLedOptions(link, buffer, group);
        if (reply[1] < LED_GROUP_COUNT) {
            std::copy_n(reply.begin() + 2, LED_GROUP_SIZE, image.ledGroups[reply[1]].begin());
        }
        link.Wait(COMMAND_GAP_WAIT);
    }
}

void ReadBackMacros(DeviceLink& link, DeviceImage& image) {
    Command buffer{};
    for (std::uint8_t slot = 1; slot <= MACRO_SLOT_COUNT; ++slot) {
        std::array<std::uint8_t, MACRO_SLOT_SIZE> data{};
        const std::size_t received = ReadMacroSlot(link, buffer, slot, data);
        const std::uint8_t named = buffer[1];
        if (named >= 1 && named <= MACRO_SLOT_COUNT) {
            std::copy_n(
                data.begin(), std::min(received, MACRO_SLOT_SIZE),
                image.macroImage.begin() + static_cast<std::ptrdiff_t>((named - 1) * MACRO_SLOT_SIZE));
        }
        link.Wait(COMMAND_GAP_WAIT);
    }
}

}  // namespace

void ApplyLightingMode(const SettingsBlock& block, LightingState& lighting, LedGroup& group0) {
    switch (block.ledMode()) {
        case LED_MODE_STANDARD:
            lighting = {LED_MODE_STANDARD, PlusOne(block.ledParam(0)), FIXED_OPTION2};
            group0[0] = 1;
            break;
        case LED_MODE_RESPIRATION:
            lighting = {LED_MODE_RESPIRATION, PlusOne(block.ledParam(1)), FIXED_OPTION2};
            group0[0] = 1;
            break;
        case LED_MODE_NEON:
            lighting[0] = LED_MODE_NEON;
            lighting[1] = PlusOne(block.ledParam(2));
            if (block.ledEffect3() == 2) group0 = NEON_EFFECT2_GROUP0;
            if (block.ledEffect3() == 3) group0 = NEON_EFFECT3_GROUP0;
            break;
        default:
            break;
    }
}

std::array<std::uint8_t, STAGE_COLOR_DATA_SIZE> BuildStageColorData(const SettingsBlock& block) {
    std::array<std::uint8_t, STAGE_COLOR_DATA_SIZE> data{};
    std::copy_n(block.bytes.begin() + offsets::STAGE_COLOR, 3 * STAGE_COUNT, data.begin());
    return data;
}

void SendSettings(DeviceLink& link, const SettingsBlock& block) {
    DeviceImage& image = link.state().image;

    SetReportRate(link, block.reportRate());

    image.lightingState = ReadLightingState(link);
    ReadLedGroups(link, image);
    ApplyLightingMode(block, image.lightingState, image.ledGroups[0]);

    image.stageColorData = BuildStageColorData(block);
    WriteStageColors(link, 0, {});
    link.Wait(COMMAND_GAP_WAIT);
    WriteStageColors(link, 1, image.stageColorData);
    link.Wait(COMMAND_GAP_WAIT);

    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        WriteLedOptions(link, group, image.ledGroups[group]);
        link.Wait(COMMAND_GAP_WAIT);
    }
    WriteLightingState(link, image.lightingState);

    image.dpiStageCodes = BuildDpiStageCodes(block, link.state().sensorType);
    image.stageCount = DPI_STAGE_COUNT_SENT;
    WriteDpiStages(link, image.stageCount, image.dpiStageCodes);

    image.keyMatrices[0].fill(0);
    std::copy_n(block.bytes.begin() + offsets::MACRO_SLOTS, MACRO_IMAGE_SIZE, image.macroImage.begin());
    for (std::uint8_t slot = 1; slot <= MACRO_SLOT_COUNT; ++slot) {
        WriteMacroSlot(
            link, slot,
            std::span<std::uint8_t>(image.macroImage).subspan((slot - 1) * MACRO_SLOT_SIZE, MACRO_SLOT_SIZE));
        link.Wait(COMMAND_GAP_WAIT);
    }
    // The read-back only refreshes the image; nothing later depends on it.
    ReadBackMacros(link, image);

    image.keyMatrices = BuildKeyMatrices(block);
    for (std::uint8_t number = 1; number <= KEY_MATRIX_COUNT; ++number) {
        WriteKeyMatrix(link, number, image.keyMatrices[number - 1]);
        link.Wait(COMMAND_GAP_WAIT);
    }
}

ApplyResult ApplySettings(DeviceLink& link, const SettingsBlock& block, const ApplyFiles& files) {
    ApplyResult result;
    if (!link.DeviceReady()) return result;
    result.sent = true;
    SendSettings(link, block);

    if (auto message = SaveSettingsFile(files.config, block)) {
        result.messages.push_back(std::move(*message));
    } else {
        result.configWritten = true;
    }
    if (auto error = SaveItemTexts(files.preferences, files.languageSection, files.itemTexts)) {
        result.messages.push_back(UserMessage{error->message, ""});
    } else {
        result.preferencesWritten = true;
    }
    return result;
}

}  // namespace kv12
