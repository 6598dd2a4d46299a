#include "ui/default_item_texts.h"

#include "core/key_function.h"
#include "core/key_tables.h"
#include "core/settings_block.h"

namespace kv12::ui {

std::array<std::string, ITEM_TEXT_COUNT> DefaultItemTexts(Language language) {
    std::array<std::string, ITEM_TEXT_COUNT> texts;
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        const int kind = DEFAULT_BUTTON_TYPES[static_cast<std::size_t>(button)];
        // The DPI-switch button shows its step ("DPI Loop"), not the kind's name.
        const std::string text(kind == static_cast<int>(KeyFunctionKind::DpiSwitch)
                                   ? DpiStepText(DEFAULT_DPI_SWITCH_STEP)
                                   : KeyFunctionKindText(kind, language));
        texts[static_cast<std::size_t>(button)] = text;
        texts[static_cast<std::size_t>(button + BUTTON_COUNT)] = text;
    }
    return texts;
}

}  // namespace kv12::ui
