#include "ui/delay_time_dialog.h"

#include <algorithm>

#include "ui/control_ids.h"
#include "ui/number_field.h"
#include "ui/skin_images.h"

namespace kv12::ui {

CDelayTimeDialog::CDelayTimeDialog(const SkinState& skin, std::string_view languageCode,
                                   WindowsVersion version)
    : SkinnedDialogBase({SkinImageName(SkinImage::DelayTimeBackground), DELAY_TIME_DIALOG_LOAD_FAILED}, skin,
                        languageCode, version) {}

const DelayTimeDialogTexts& CDelayTimeDialog::Texts() const {
    return DialogTextsFor(DialogLanguage()).delayTime;
}

DialogFrameTexts CDelayTimeDialog::FrameTexts() const {
    return Texts().frame;
}

void CDelayTimeDialog::OnInit() {
    Host().CreateControl({control_ids::DELAY_FIELD, ControlKind::Edit, delay_time_layout::DELAY_FIELD,
                          STYLE_BORDERED_NUMBER_FIELD, delayText_});
}

void CDelayTimeDialog::Paint() {
    DrawWhite(Texts().prompt, delay_time_layout::PROMPT);
    DrawWhite(Texts().range, delay_time_layout::RANGE);
}

void CDelayTimeDialog::ReadField() {
    delayText_ = Host().ControlText(control_ids::DELAY_FIELD);
    delay_ = std::max(0, ReadDecimalField(delayText_));
}

void CDelayTimeDialog::OnControlCommand(int id, int notifyCode) {
    if (id != control_ids::DELAY_FIELD || notifyCode != EDIT_CHANGED) return;
    ReadField();
    Host().InvalidateControl(control_ids::DELAY_FIELD);
}

void CDelayTimeDialog::BeforeOk() {
    // OK returns what the field shows, even a text that came without a change notification.
    ReadField();
}

}  // namespace kv12::ui
