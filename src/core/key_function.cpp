#include "core/key_function.h"

#include <cstddef>

namespace kv12 {
namespace {

constexpr KeyFunctionCode MouseCode(std::uint8_t button) {
    return MakeCode(CODE_MOUSE, 0, button, 0);
}

void PutEntry(KeyMatrix& matrix, int entry, const KeyFunctionCode& code) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        matrix[4 * static_cast<std::size_t>(entry) + i] = code[i];
    }
}

// Entries 0..7 from one mode's table, plus the two fixed entries.
KeyMatrix ModeMatrix(const SettingsBlock& block, KeyMode mode) {
    KeyMatrix matrix{};
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        PutEntry(matrix, button,
                 EncodeKeyFunction(block.buttonType(mode, button), ButtonParamsOf(block, mode, button),
                                   block.dpiSwitchParam(mode, button)));
    }
    PutEntry(matrix, KEY_MATRIX_FIXED_ENTRY_1, MouseCode(MOUSE_FIXED_1));
    PutEntry(matrix, KEY_MATRIX_FIXED_ENTRY_2, MouseCode(MOUSE_FIXED_2));
    return matrix;
}

}  // namespace

KeyFunctionCode EncodeKeyFunction(std::uint8_t kind, const ButtonParams& p, std::uint8_t dpiStep) {
    switch (static_cast<KeyFunctionKind>(kind)) {
        case KeyFunctionKind::LeftClick:
            return MouseCode(MOUSE_LEFT);
        case KeyFunctionKind::RightClick:
            return MouseCode(MOUSE_RIGHT);
        case KeyFunctionKind::MidClick:
            return MouseCode(MOUSE_MIDDLE);
        case KeyFunctionKind::Forward:  // forward is the fifth button, backward the fourth
            return MouseCode(MOUSE_BUTTON5);
        case KeyFunctionKind::Backward:
            return MouseCode(MOUSE_BUTTON4);
        case KeyFunctionKind::TripleClick:
            return MakeCode(CODE_FIRE, MOUSE_LEFT, TRIPLE_CLICK_SPEED, TRIPLE_CLICK_TIMES);
        case KeyFunctionKind::DpiSwitch:
            return MakeCode(CODE_DPI, 0, dpiStep, 0);
        case KeyFunctionKind::RgbOnOff:
            return MakeCode(CODE_DEVICE, 0, DEVICE_RGB_ON_OFF, 0);
        case KeyFunctionKind::Windows:
            return MakeCode(CODE_CONSUMER, 0, p[4], p[5]);
        case KeyFunctionKind::Multimedia:
            return MakeCode(CODE_CONSUMER, 0, p[2], 0);
        case KeyFunctionKind::FireKey:
            return MakeCode(CODE_FIRE, p[7], p[8], p[9]);
        case KeyFunctionKind::SingleKey:
            return MakeCode(CODE_KEYBOARD, 0, p[10], 0);
        case KeyFunctionKind::ComboKey:
            return MakeCode(CODE_KEYBOARD, p[11], p[12], p[13]);
        case KeyFunctionKind::MacroKey:
            // The mouse numbers its macros from 1; the dialog stores positions from 0.
            return MakeCode(CODE_MACRO, p[15], static_cast<std::uint8_t>(p[14] + 1), 0);
        case KeyFunctionKind::Shift:
            return MakeCode(CODE_DEVICE, 0, DEVICE_KEY_MODE_SHIFT, 0);
        case KeyFunctionKind::KeyOff:
            break;
    }
    return KeyFunctionCode{};  // Key Off, and any kind no editor stores
}

ButtonParams ButtonParamsOf(const SettingsBlock& block, KeyMode mode, int button) {
    ButtonParams params{};
    for (int row = PARAM_ROW_FIRST; row <= PARAM_ROW_LAST; ++row) {
        params[static_cast<std::size_t>(row)] = block.buttonParam(mode, row, button);
    }
    return params;
}

std::array<KeyMatrix, KEY_MATRIX_COUNT> BuildKeyMatrices(const SettingsBlock& block) {
    return {ModeMatrix(block, KeyMode::A), KeyMatrix{}, ModeMatrix(block, KeyMode::B), KeyMatrix{}};
}

}  // namespace kv12
