#include "device/apply_settings.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

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

std::string Numbered(std::string_view text, int number) {
    return std::string(text) + " " + std::to_string(number);
}

// The steps of a sequence, run in order until one does not get through.
class Steps {
  public:
    explicit Steps(DeviceLink& link) : link_(link) { link_.ClearTransferFailure(); }

    // Runs one step unless an earlier one failed; false once any has failed.
    template <typename Send>
    bool operator()(const std::string& step, Send&& send) {
        if (failure_) return false;
        send();
        if (const auto& transfer = link_.FirstTransferFailure()) failure_ = SendFailure{step, *transfer};
        return !failure_;
    }

    const std::optional<SendFailure>& Failure() const { return failure_; }

  private:
    DeviceLink& link_;
    std::optional<SendFailure> failure_;
};

bool ReadLedGroups(DeviceLink& link, Steps& steps, DeviceImage& image) {
    Command buffer{};
    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        const bool read = steps(Numbered("reading LED option group", group), [&] {
            const Command& reply = ReadLedOptions(link, buffer, group);
            if (reply[1] < LED_GROUP_COUNT) {
                std::copy_n(reply.begin() + 2, LED_GROUP_SIZE, image.ledGroups[reply[1]].begin());
            }
        });
        if (!read) return false;
        link.Wait(COMMAND_GAP_WAIT);
    }
    return true;
}

bool ReadBackMacros(DeviceLink& link, Steps& steps, DeviceImage& image) {
    Command buffer{};
    for (std::uint8_t slot = 1; slot <= MACRO_SLOT_COUNT; ++slot) {
        const bool read = steps(Numbered("reading back macro slot", slot), [&] {
            std::array<std::uint8_t, MACRO_SLOT_SIZE> data{};
            const std::size_t received = ReadMacroSlot(link, buffer, slot, data);
            const std::uint8_t named = buffer[1];
            if (named >= 1 && named <= MACRO_SLOT_COUNT) {
                std::copy_n(
                    data.begin(), std::min(received, MACRO_SLOT_SIZE),
                    image.macroImage.begin() + static_cast<std::ptrdiff_t>((named - 1) * MACRO_SLOT_SIZE));
            }
        });
        if (!read) return false;
        link.Wait(COMMAND_GAP_WAIT);
    }
    return true;
}

std::string TransferText(const TransferFailure& transfer) {
    const auto chunk = [&](std::string_view outcome) {
        return "data report " + std::to_string(transfer.chunk) + " of " +
               std::to_string(transfer.chunkCount) + " " + std::string(outcome);
    };
    std::string text;
    switch (transfer.op) {
        case TraceOp::SetFeature:
            text = "the command did not get through";
            break;
        case TraceOp::GetFeature:
            text = "the reply did not come back";
            break;
        case TraceOp::Write:
            text = chunk("did not get through");
            break;
        case TraceOp::Read:
            text = chunk("did not come back");
            break;
        case TraceOp::Wait:
            text = "the transfer failed";
            break;
    }
    if (!transfer.reason.empty()) text += " (" + transfer.reason + ")";
    return text;
}

// The window's message when the mouse did not take the settings. Nothing is
// saved then, and the edits stay in the window for another Apply.
constexpr Text3 APPLY_NOT_TAKEN = {
    "The mouse did not take the settings (was it unplugged?). Nothing was saved; your changes are still "
    "in the window. Connect the mouse and press Apply again.",
    "鼠标没有接收设置（是否已拔出？）。没有保存任何内容，您的修改仍在窗口中。请连接鼠标后再按“应用”。",
    "滑鼠沒有接收設定（是否已拔除？）。沒有儲存任何內容，您的修改仍在視窗中。請連接滑鼠後再按「應用」。",
};

}  // namespace

std::string DescribeSendFailure(const SendFailure& failure) {
    return failure.step + ": " + TransferText(failure.transfer);
}

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

std::optional<SendFailure> SendSettings(DeviceLink& link, const SettingsBlock& block) {
    DeviceImage& image = link.state().image;
    Steps step(link);

    if (!step("setting the report rate", [&] { SetReportRate(link, block.reportRate()); }))
        return step.Failure();

    if (!step("reading the lighting state", [&] { image.lightingState = ReadLightingState(link); }))
        return step.Failure();
    if (!ReadLedGroups(link, step, image)) return step.Failure();
    ApplyLightingMode(block, image.lightingState, image.ledGroups[0]);

    image.stageColorData = BuildStageColorData(block);
    if (!step("announcing the stage colours", [&] { WriteStageColors(link, 0, {}); })) return step.Failure();
    link.Wait(COMMAND_GAP_WAIT);
    if (!step("writing the stage colours", [&] { WriteStageColors(link, 1, image.stageColorData); }))
        return step.Failure();
    link.Wait(COMMAND_GAP_WAIT);

    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        if (!step(Numbered("writing LED option group", group),
                  [&] { WriteLedOptions(link, group, image.ledGroups[group]); })) {
            return step.Failure();
        }
        link.Wait(COMMAND_GAP_WAIT);
    }
    if (!step("writing the lighting state", [&] { WriteLightingState(link, image.lightingState); }))
        return step.Failure();

    image.dpiStageCodes = BuildDpiStageCodes(block, link.state().sensorType);
    image.stageCount = DPI_STAGE_COUNT_SENT;
    if (!step("writing the DPI stages", [&] { WriteDpiStages(link, image.stageCount, image.dpiStageCodes); }))
        return step.Failure();

    image.keyMatrices[0].fill(0);
    std::copy_n(block.bytes.begin() + offsets::MACRO_SLOTS, MACRO_IMAGE_SIZE, image.macroImage.begin());
    for (std::uint8_t slot = 1; slot <= MACRO_SLOT_COUNT; ++slot) {
        const auto slotBytes =
            std::span<std::uint8_t>(image.macroImage).subspan((slot - 1) * MACRO_SLOT_SIZE, MACRO_SLOT_SIZE);
        if (!step(Numbered("writing macro slot", slot), [&] { WriteMacroSlot(link, slot, slotBytes); }))
            return step.Failure();
        link.Wait(COMMAND_GAP_WAIT);
    }
    // The read-back only refreshes the image; nothing later depends on it. A
    // read-back that fails still ends the apply: the mouse stopped answering.
    if (!ReadBackMacros(link, step, image)) return step.Failure();

    image.keyMatrices = BuildKeyMatrices(block);
    for (std::uint8_t number = 1; number <= KEY_MATRIX_COUNT; ++number) {
        if (!step(Numbered("writing key matrix", number),
                  [&] { WriteKeyMatrix(link, number, image.keyMatrices[number - 1]); })) {
            return step.Failure();
        }
        link.Wait(COMMAND_GAP_WAIT);
    }
    return std::nullopt;
}

ApplyResult ApplySettings(DeviceLink& link, const SettingsBlock& block, const ApplyFiles& files) {
    ApplyResult result;
    if (!link.DeviceReady()) return result;
    result.sent = true;
    result.failure = SendSettings(link, block);
    if (result.failure) return result;

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

UserMessage ApplyNotTakenMessage(Language language) {
    return UserMessage{std::string(APPLY_NOT_TAKEN.In(language)), ""};
}

}  // namespace kv12
