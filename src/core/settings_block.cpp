#include "core/settings_block.h"

#include <stdexcept>
#include <string>

namespace kv12 {
namespace {

int Checked(int value, int first, int last, const char* what) {
    if (value < first || value > last) {
        throw std::out_of_range(std::string("settings block: ") + what + " " + std::to_string(value) +
                                " is outside " + std::to_string(first) + ".." + std::to_string(last));
    }
    return value;
}

std::size_t ParamOffset(KeyMode mode, int row, int button) {
    Checked(row, PARAM_ROW_FIRST, PARAM_ROW_LAST, "parameter row");
    Checked(button, 0, BUTTON_COUNT - 1, "button");
    const std::size_t base = mode == KeyMode::A ? offsets::BUTTON_PARAM_A : offsets::BUTTON_PARAM_B;
    return base + 8 * static_cast<std::size_t>(row) + static_cast<std::size_t>(button);
}

std::size_t TypeOffset(KeyMode mode, int button) {
    Checked(button, 0, BUTTON_COUNT - 1, "button");
    return (mode == KeyMode::A ? offsets::BUTTON_TYPE_A : offsets::BUTTON_TYPE_B) + static_cast<std::size_t>(button);
}

std::size_t DpiSwitchOffset(KeyMode mode, int button) {
    Checked(button, 0, BUTTON_COUNT - 1, "button");
    return (mode == KeyMode::A ? offsets::DPI_SWITCH_PARAM_A : offsets::DPI_SWITCH_PARAM_B) +
           static_cast<std::size_t>(button);
}

std::size_t Indexed(std::size_t base, int index, int count, const char* what) {
    return base + static_cast<std::size_t>(Checked(index, 0, count - 1, what));
}

std::size_t ColorOffset(int stage, ColorChannel channel) {
    Checked(stage, 0, STAGE_COUNT - 1, "stage");
    const int c = Checked(static_cast<int>(channel), 0, 2, "colour channel");
    return offsets::STAGE_COLOR + 3 * static_cast<std::size_t>(stage) + static_cast<std::size_t>(c);
}

std::size_t ReservedOffset(int index) {
    static constexpr std::size_t where[SettingsBlock::RESERVED_COUNT] = {128, 129, 130, 131, 132, 134, 162};
    return where[Checked(index, 0, SettingsBlock::RESERVED_COUNT - 1, "reserved byte")];
}

std::size_t SlotOffset(int slot) {
    return offsets::MACRO_SLOTS + MACRO_SLOT_SIZE * static_cast<std::size_t>(Checked(slot, 0, MACRO_SLOT_COUNT - 1, "macro slot"));
}

}  // namespace

std::uint8_t& SettingsBlock::buttonType(KeyMode m, int b) { return bytes[TypeOffset(m, b)]; }
std::uint8_t SettingsBlock::buttonType(KeyMode m, int b) const { return bytes[TypeOffset(m, b)]; }
std::uint8_t& SettingsBlock::buttonParam(KeyMode m, int r, int b) { return bytes[ParamOffset(m, r, b)]; }
std::uint8_t SettingsBlock::buttonParam(KeyMode m, int r, int b) const { return bytes[ParamOffset(m, r, b)]; }
std::uint8_t& SettingsBlock::dpiSwitchParam(KeyMode m, int b) { return bytes[DpiSwitchOffset(m, b)]; }
std::uint8_t SettingsBlock::dpiSwitchParam(KeyMode m, int b) const { return bytes[DpiSwitchOffset(m, b)]; }

std::uint8_t& SettingsBlock::dpiStage(int k) { return bytes[Indexed(offsets::DPI_STAGE, k, STAGE_COUNT, "stage")]; }
std::uint8_t SettingsBlock::dpiStage(int k) const { return bytes[Indexed(offsets::DPI_STAGE, k, STAGE_COUNT, "stage")]; }
std::uint8_t& SettingsBlock::dpiStageEnabled(int k) {
    return bytes[Indexed(offsets::DPI_STAGE_ENABLED, k, STAGE_COUNT, "stage")];
}
std::uint8_t SettingsBlock::dpiStageEnabled(int k) const {
    return bytes[Indexed(offsets::DPI_STAGE_ENABLED, k, STAGE_COUNT, "stage")];
}
std::uint8_t& SettingsBlock::stageColor(int k, ColorChannel c) { return bytes[ColorOffset(k, c)]; }
std::uint8_t SettingsBlock::stageColor(int k, ColorChannel c) const { return bytes[ColorOffset(k, c)]; }

std::uint8_t& SettingsBlock::ledParam(int i) { return bytes[Indexed(offsets::LED_PARAM, i, 3, "lighting parameter")]; }
std::uint8_t SettingsBlock::ledParam(int i) const {
    return bytes[Indexed(offsets::LED_PARAM, i, 3, "lighting parameter")];
}
std::uint8_t& SettingsBlock::ledEffectOfMode12(int i) {
    return bytes[Indexed(offsets::LED_EFFECT_12, i, 2, "lighting effect")];
}
std::uint8_t SettingsBlock::ledEffectOfMode12(int i) const {
    return bytes[Indexed(offsets::LED_EFFECT_12, i, 2, "lighting effect")];
}

std::span<std::uint8_t, MACRO_SLOT_SIZE> SettingsBlock::macroSlot(int s) {
    return std::span<std::uint8_t, MACRO_SLOT_SIZE>(bytes.data() + SlotOffset(s), MACRO_SLOT_SIZE);
}
std::span<const std::uint8_t, MACRO_SLOT_SIZE> SettingsBlock::macroSlot(int s) const {
    return std::span<const std::uint8_t, MACRO_SLOT_SIZE>(bytes.data() + SlotOffset(s), MACRO_SLOT_SIZE);
}

std::uint8_t& SettingsBlock::pointerFlag(int i) { return bytes[Indexed(offsets::POINTER_FLAGS, i, 2, "pointer flag")]; }
std::uint8_t SettingsBlock::pointerFlag(int i) const {
    return bytes[Indexed(offsets::POINTER_FLAGS, i, 2, "pointer flag")];
}
std::uint8_t& SettingsBlock::pointerValue(int i) {
    return bytes[Indexed(offsets::POINTER_VALUES, i, 3, "pointer value")];
}
std::uint8_t SettingsBlock::pointerValue(int i) const {
    return bytes[Indexed(offsets::POINTER_VALUES, i, 3, "pointer value")];
}

std::uint8_t& SettingsBlock::reserved(int i) { return bytes[ReservedOffset(i)]; }
std::uint8_t SettingsBlock::reserved(int i) const { return bytes[ReservedOffset(i)]; }

void ApplyDefaultButtons(SettingsBlock& block) {
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        for (int b = 0; b < BUTTON_COUNT; ++b) block.buttonType(mode, b) = DEFAULT_BUTTON_TYPES[b];
        block.dpiSwitchParam(mode, DEFAULT_DPI_SWITCH_BUTTON) = DEFAULT_DPI_SWITCH_STEP;
    }
}

}  // namespace kv12
