#include "ui/macro_dialog.h"

#include <cstddef>
#include <utility>

#include "core/macros.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using namespace macro_layout;

constexpr int DISPLAY_ID = control_ids::MACRO_KEY_DISPLAY;
constexpr int LIST_ID = control_ids::MACRO_KEY_LIST;
constexpr std::uint8_t FIRST_REPEAT_MODE = 1;

std::size_t OptionSlot(int option) {
    return static_cast<std::size_t>(option - 1);
}

}  // namespace

CMacroDialog::CMacroDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version,
                           std::filesystem::path recordIni)
    : SkinnedDialogBase({SkinImageName(SkinImage::MacroKeyBackground), MACRO_DIALOG_LOAD_FAILED}, skin,
                        languageCode, version),
      recordIni_(std::move(recordIni)),
      list_({LIST_ID, MACRO_LIST, MACRO_BOX}) {
    AddList(list_);
}

const MacroDialogTexts& CMacroDialog::Texts() const {
    return DialogTextsFor(DialogLanguage()).macro;
}

DialogFrameTexts CMacroDialog::FrameTexts() const {
    return Texts().frame;
}

void CMacroDialog::OnInit() {
    repeatMode_ = FIRST_REPEAT_MODE;
    Host().CreateControl({DISPLAY_ID, ControlKind::Static, MACRO_DISPLAY, STYLE_STATIC, selectedName_});
}

void CMacroDialog::Paint() {
    const MacroDialogTexts& texts = Texts();
    DrawWhite(texts.prompt, PROMPT);
    for (int option = 1; option <= REPEAT_OPTION_COUNT; ++option) {
        DrawWhite(texts.repeatOptions[OptionSlot(option)], REPEAT_TEXTS[OptionSlot(option)],
                  TextFormat::WrappedLeft);
        DrawRepeatBox(option);
    }
}

void CMacroDialog::DrawRepeatBox(int option) {
    const SkinImage image = option == repeatMode_ ? SkinImage::CheckBoxTicked : SkinImage::CheckBoxClear;
    Host().DrawImage(SkinImageName(image), REPEAT_BOXES[OptionSlot(option)].TopLeft());
}

void CMacroDialog::OnPress(Point point) {
    if (MACRO_BOX.Contains(point)) list_.Toggle(LoadMacroNames(recordIni_));
    for (int option = 1; option <= REPEAT_OPTION_COUNT; ++option) {
        if (REPEAT_BOXES[OptionSlot(option)].Contains(point)) ChooseRepeatMode(option);
    }
}

void CMacroDialog::ChooseRepeatMode(int option) {
    if (option == repeatMode_) return;
    const int previous = repeatMode_;
    repeatMode_ = static_cast<std::uint8_t>(option);
    DrawRepeatBox(option);
    DrawRepeatBox(previous);
    Host().Present();
}

void CMacroDialog::OnListChoice(PopupList& list, int position) {
    selectedIndex_ = position;
    selectedName_ = list.ItemText(position);
    Host().SetControlText(DISPLAY_ID, selectedName_);
    Host().InvalidateControl(DISPLAY_ID);
    list.Close();
}

}  // namespace kv12::ui
