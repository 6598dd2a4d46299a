#include "ui/modal_assignment_dialogs.h"

#include "ui/fire_key_dialog.h"
#include "ui/key_dialogs.h"
#include "ui/list_choice_dialog.h"
#include "ui/macro_dialog.h"

namespace kv12::ui {

namespace {

bool RunOk(const PageContext& context, SkinnedDialog& dialog) {
    return context.host.RunModal(dialog) == DialogResult::Ok;
}

}  // namespace

std::optional<ListChoice> ModalAssignmentDialogs::ChooseWindowsKey() {
    CWindowsDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return ListChoice{dialog.Position(), dialog.ChosenText()};
}

std::optional<ListChoice> ModalAssignmentDialogs::ChooseMediaKey() {
    CMediaDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return ListChoice{dialog.Position(), dialog.ChosenText()};
}

std::optional<FireKeyChoice> ModalAssignmentDialogs::ChooseFireKey() {
    CFireKeyDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return FireKeyChoice{dialog.KeyPosition(), dialog.KeyText(), dialog.Speed(), dialog.Times()};
}

std::optional<std::string> ModalAssignmentDialogs::CaptureSingleKey() {
    CSingleDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return dialog.KeyText();
}

std::optional<ComboKeyChoice> ModalAssignmentDialogs::CaptureComboKey() {
    CComboDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return ComboKeyChoice{dialog.ModifierText(), dialog.FirstKeyText(), dialog.SecondKeyText()};
}

std::optional<MacroKeyChoice> ModalAssignmentDialogs::ChooseMacroKey() {
    CMacroDialog dialog(context_.skin, context_.languageCode, context_.version, context_.files.record);
    if (!RunOk(context_, dialog)) return std::nullopt;
    return MacroKeyChoice{dialog.SelectedIndex(), dialog.SelectedName(), dialog.RepeatMode()};
}

}  // namespace kv12::ui
