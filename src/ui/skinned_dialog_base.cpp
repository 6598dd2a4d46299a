#include "ui/skinned_dialog_base.h"

#include "core/language.h"
#include "ui/skin_images.h"
#include "ui/window_fonts.h"

namespace kv12::ui {

namespace {

using namespace dialog_frame;

// The frame buttons in hover order; OK and Cancel are one group, the close mark is alone.
enum FrameButton : int { FRAME_CLOSE = 0, FRAME_OK = 1, FRAME_CANCEL = 2 };
constexpr int BOTTOM_BUTTONS_GROUP = 1;

}  // namespace

SkinnedDialogBase::SkinnedDialogBase(DialogFrameSpec spec, const SkinState& skin,
                                     std::string_view languageCode, WindowsVersion version)
    : spec_(spec),
      skin_(skin),
      languageCode_(languageCode),
      version_(version),
      hover_({{CLOSE_BUTTON, 0}, {OK_BUTTON, BOTTOM_BUTTONS_GROUP}, {CANCEL_BUTTON, BOTTOM_BUTTONS_GROUP}},
             [this](int index, bool over) { DrawFrameButton(index, over); }) {}

Language SkinnedDialogBase::DialogLanguage() const {
    return LanguageFromCode(languageCode_);
}

void SkinnedDialogBase::AddList(PopupList& list) {
    lists_.push_back(&list);
    if (host_ != nullptr) list.Bind(*host_);
}

bool SkinnedDialogBase::OnInitDialog(DialogHost& host) {
    host.SetSkinFolder(skin_.SkinPath);
    if (!host.LoadCanvas(spec_.background)) {
        host.ShowMessage(LOAD_FAILED_TEXT, spec_.failureCaption);
        // Without its picture the dialog has no visible area; the host ends it
        // with Cancel at once, so it never stays open where nobody can close it.
        return false;
    }
    host_ = &host;
    for (PopupList* list : lists_) list->Bind(host);
    const WindowFonts fonts = FontsFor(languageCode_, version_);
    host.SetFonts(fonts.normal, fonts.title);
    OnInit();
    return true;
}

void SkinnedDialogBase::DrawCaption(std::string_view text, Rect rect, TextFormat format) {
    host_->DrawText(text, rect, format, FontRole::Normal, skin_.TextColor);
}

void SkinnedDialogBase::DrawWhite(std::string_view text, Rect rect, TextFormat format) {
    host_->DrawText(text, rect, format, FontRole::Normal, WHITE);
}

void SkinnedDialogBase::DrawFrameButton(int index, bool over) {
    if (index == FRAME_CLOSE) {
        host_->DrawImage(SkinImageName(over ? SkinImage::CloseOver : SkinImage::CloseNormal),
                         CLOSE_BUTTON.TopLeft());
        return;
    }
    const Rect rect = index == FRAME_OK ? OK_BUTTON : CANCEL_BUTTON;
    host_->DrawImage(SkinImageName(over ? SkinImage::ButtonOver : SkinImage::ButtonNormal), rect.TopLeft());
    const DialogFrameTexts texts = FrameTexts();
    DrawCaption(index == FRAME_OK ? texts.ok : texts.cancel, rect);
}

void SkinnedDialogBase::OnEraseBackground() {
    if (host_ == nullptr) return;
    DrawFrameButton(FRAME_OK, false);
    DrawFrameButton(FRAME_CANCEL, false);
    DrawFrameButton(FRAME_CLOSE, false);
    hover_.Reset();
    Paint();
    host_->Present();
}

void SkinnedDialogBase::OnMouseMove(Point point) {
    if (host_ != nullptr) hover_.OnMouseMove(*host_, point);
}

void SkinnedDialogBase::OnMouseHover(Point point) {
    if (host_ != nullptr) hover_.OnMouseHover(*host_, point);
}

void SkinnedDialogBase::EndWithOk() {
    if (host_ == nullptr) return;
    BeforeOk();
    host_->EndDialog(DialogResult::Ok);
}

void SkinnedDialogBase::EndWithCancel() {
    if (host_ != nullptr) host_->EndDialog(DialogResult::Cancel);
}

void SkinnedDialogBase::OnLButtonDown(Point point) {
    if (host_ == nullptr) return;
    for (PopupList* list : lists_) {
        if (list->CloseIfAwayFrom(point)) OnListClosedAway(*list);
    }
    if (OK_BUTTON.Contains(point)) EndWithOk();
    if (CANCEL_BUTTON.Contains(point) || CLOSE_BUTTON.Contains(point)) EndWithCancel();
    OnPress(point);
}

void SkinnedDialogBase::OnMouseWheel(int delta) {
    if (host_ == nullptr) return;
    for (PopupList* list : lists_) list->Scroll(delta);
}

void SkinnedDialogBase::OnCommand(int id, int notifyCode) {
    if (host_ == nullptr) return;
    for (PopupList* list : lists_) {
        if (list->Id() != id) continue;
        if (const auto position = list->ChoiceFrom(id, notifyCode)) OnListChoice(*list, *position);
        return;
    }
    OnControlCommand(id, notifyCode);
}

void SkinnedDialogBase::OnEnterKey() {
    if (spec_.enterAndEscEnd) EndWithOk();
}

void SkinnedDialogBase::OnEscapeKey() {
    if (spec_.enterAndEscEnd) EndWithCancel();
}

ControlColors SkinnedDialogBase::ControlColorsFor(int /*id*/, ControlKind kind) const {
    switch (kind) {
        case ControlKind::Static:
        case ControlKind::ListBox:
            return {.text = WHITE, .transparent = true, .useNormalFont = true, .brush = GROUND};
        case ControlKind::Edit:
            return {.text = WHITE, .background = GROUND, .useNormalFont = true, .brush = GROUND};
        default:
            return {.defaultHandling = true};
    }
}

}  // namespace kv12::ui
