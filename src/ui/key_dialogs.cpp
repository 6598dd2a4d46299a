#include "ui/key_dialogs.h"

#include <string>
#include <vector>

#include "core/key_names.h"
#include "core/key_tables.h"
#include "ui/control_ids.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

// Starts the capture; when the system refuses it, says so with the system's
// code and leaves the dialog open without capture (OK then gives empty texts).
void StartCaptureOrSay(DialogHost& host, std::string_view failureFormat) {
    const std::uint32_t error = host.StartKeyCapture();
    if (error != 0) host.ShowMessage(KeyCaptureFailedText(failureFormat, error), {});
}

void ShowInControl(DialogHost& host, int id, const std::string& text) {
    host.SetControlText(id, text);
    host.InvalidateControl(id);
}

std::vector<std::string> ModifierItems() {
    std::vector<std::string> items;
    for (const std::string_view name : ModifierNames()) items.emplace_back(name);
    return items;
}

}  // namespace

std::string KeyCaptureFailedText(std::string_view format, std::uint32_t errorCode) {
    std::string text(format);
    // The code is printed unsigned: the system's codes are DWORDs.
    if (const auto at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(errorCode));
    return text;
}

// --- CSingleDialog ------------------------------------------------------------------

CSingleDialog::CSingleDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version)
    : SkinnedDialogBase({SkinImageName(SkinImage::SingleKeyBackground), SINGLE_DIALOG_LOAD_FAILED,
                         /*enterAndEscEnd=*/false},
                        skin, languageCode, version) {}

const SingleDialogTexts& CSingleDialog::Texts() const {
    return DialogTextsFor(DialogLanguage()).single;
}

DialogFrameTexts CSingleDialog::FrameTexts() const {
    return Texts().frame;
}

void CSingleDialog::OnInit() {
    Host().CreateControl({control_ids::SINGLE_KEY_DISPLAY, ControlKind::Static,
                          single_key_layout::KEY_DISPLAY, STYLE_STATIC_CENTERED, keyText_});
    StartCaptureOrSay(Host(), SINGLE_KEY_HOOK_FAILED_FORMAT);
}

void CSingleDialog::Paint() {
    DrawWhite(Texts().prompt, single_key_layout::PROMPT);
}

void CSingleDialog::OnKeyEvent(const KeyEvent& event) {
    if (!Running()) return;
    // Presses, repeats and releases all count: the name that stays is the
    // one of the key released last (Ctrl+A leaves "Ctrl" when Ctrl goes up last).
    keyText_ = KeyNameFromScanCode(event.scanCode, event.extended);
    ShowInControl(Host(), control_ids::SINGLE_KEY_DISPLAY, keyText_);
}

bool CSingleDialog::DiscardsKey(std::uint32_t virtualKey) const {
    return virtualKey == VK_LEFT_WINDOWS || virtualKey == VK_RIGHT_WINDOWS;
}

// --- CComboDialog -------------------------------------------------------------------

CComboDialog::CComboDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version)
    : SkinnedDialogBase({SkinImageName(SkinImage::ComboKeyBackground), COMBO_DIALOG_LOAD_FAILED,
                         /*enterAndEscEnd=*/false},
                        skin, languageCode, version),
      list_({control_ids::COMBO_MODIFIER_LIST, combo_key_layout::MODIFIER_LIST,
             combo_key_layout::MODIFIER_BOX}) {
    AddList(list_);
}

DialogFrameTexts CComboDialog::FrameTexts() const {
    return DialogTextsFor(DialogLanguage()).combo.frame;
}

void CComboDialog::OnInit() {
    using namespace combo_key_layout;
    Host().CreateControl({control_ids::COMBO_MODIFIER_DISPLAY, ControlKind::Static, MODIFIER_DISPLAY,
                          STYLE_STATIC_CENTERED, modifierText_});
    Host().CreateControl(
        {control_ids::COMBO_FIRST_KEY, ControlKind::Edit, FIRST_KEY_FIELD, STYLE_KEY_FIELD, firstKeyText_});
    Host().CreateControl({control_ids::COMBO_SECOND_KEY, ControlKind::Edit, SECOND_KEY_FIELD, STYLE_KEY_FIELD,
                          secondKeyText_});
    StartCaptureOrSay(Host(), COMBO_KEY_HOOK_FAILED_FORMAT);
}

void CComboDialog::EnableKeyFields(bool enabled) {
    Host().EnableControl(control_ids::COMBO_FIRST_KEY, enabled);
    Host().EnableControl(control_ids::COMBO_SECOND_KEY, enabled);
}

void CComboDialog::OnPress(Point point) {
    if (!combo_key_layout::MODIFIER_BOX.Contains(point)) return;
    if (list_.IsOpen()) {
        list_.Close();
        EnableKeyFields(true);
        return;
    }
    // The key fields take no keys while the list is open.
    EnableKeyFields(false);
    list_.Open(ModifierItems());
}

void CComboDialog::OnListChoice(PopupList& list, int position) {
    modifierText_ = list.ItemText(position);
    modifierPosition_ = position;
    ShowInControl(Host(), control_ids::COMBO_MODIFIER_DISPLAY, modifierText_);
    list.Close();
    EnableKeyFields(true);
}

void CComboDialog::OnListClosedAway(PopupList& /*list*/) {
    EnableKeyFields(true);
}

void CComboDialog::OnKeyEvent(const KeyEvent& event) {
    // While the list is open the fields are disabled, but a field that had
    // the focus keeps it; its key is not taken then.
    if (!Running() || list_.IsOpen()) return;
    std::string* text = nullptr;
    const int focused = Host().FocusedControl();
    if (focused == control_ids::COMBO_FIRST_KEY) text = &firstKeyText_;
    if (focused == control_ids::COMBO_SECOND_KEY) text = &secondKeyText_;
    if (text == nullptr) return;
    *text = KeyNameFromScanCode(event.scanCode, event.extended);
    ShowInControl(Host(), focused, *text);
}

}  // namespace kv12::ui
