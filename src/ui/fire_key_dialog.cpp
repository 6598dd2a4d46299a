#include "ui/fire_key_dialog.h"

#include <string>
#include <vector>

#include "core/key_tables.h"
#include "ui/number_field.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using namespace fire_key_layout;
using namespace fire_key_limits;

constexpr int KEY_DISPLAY_ID = control_ids::FIRE_KEY_DISPLAY;
constexpr int KEY_LIST_ID = control_ids::FIRE_KEY_LIST;
constexpr int SPEED_FIELD_ID = control_ids::FIRE_SPEED_FIELD;
constexpr int TIMES_FIELD_ID = control_ids::FIRE_TIMES_FIELD;

std::vector<std::string> FireKeyItems() {
    const auto names = FireKeyNames();
    return {names.begin(), names.end()};
}

}  // namespace

CFireKeyDialog::CFireKeyDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version)
    : SkinnedDialogBase({SkinImageName(SkinImage::FireKeyBackground), FIRE_KEY_DIALOG_LOAD_FAILED}, skin,
                        languageCode, version),
      keyText_(FireKeyNames()[0]),
      keyList_({KEY_LIST_ID, KEY_LIST, KEY_BOX}) {
    AddList(keyList_);
}

const FireKeyDialogTexts& CFireKeyDialog::Texts() const {
    return DialogTextsFor(DialogLanguage()).fireKey;
}

DialogFrameTexts CFireKeyDialog::FrameTexts() const {
    return Texts().frame;
}

void CFireKeyDialog::OnInit() {
    Host().CreateControl({KEY_DISPLAY_ID, ControlKind::Static, KEY_DISPLAY, STYLE_STATIC_CENTERED, keyText_});
    Host().CreateControl(
        {SPEED_FIELD_ID, ControlKind::Edit, SPEED_FIELD, STYLE_NUMBER_FIELD, std::to_string(SPEED_START)});
    Host().CreateControl(
        {TIMES_FIELD_ID, ControlKind::Edit, TIMES_FIELD, STYLE_NUMBER_FIELD, std::to_string(TIMES_START)});
}

void CFireKeyDialog::Paint() {
    const FireKeyDialogTexts& texts = Texts();
    DrawWhite(texts.speedLabel, SPEED_LABEL);
    DrawWhite(texts.timesLabel, TIMES_LABEL);
    DrawWhite(texts.noteHeading, NOTE_HEADING, TextFormat::Left);
    DrawWhite(texts.speedNote, SPEED_NOTE, TextFormat::Left);
    DrawWhite(texts.timesNote, TIMES_NOTE, TextFormat::WrappedLeft);
}

void CFireKeyDialog::OnPress(Point point) {
    if (KEY_BOX.Contains(point)) ToggleKeyList();
}

void CFireKeyDialog::ToggleKeyList() {
    keyList_.Toggle(FireKeyItems());
    // The fields take no input while the list hangs over them.
    EnableFields(!keyList_.IsOpen());
}

void CFireKeyDialog::EnableFields(bool enabled) {
    Host().EnableControl(SPEED_FIELD_ID, enabled);
    Host().EnableControl(TIMES_FIELD_ID, enabled);
}

void CFireKeyDialog::OnListChoice(PopupList& list, int position) {
    keyPosition_ = position;
    keyText_ = list.ItemText(position);
    Host().SetControlText(KEY_DISPLAY_ID, keyText_);
    Host().InvalidateControl(KEY_DISPLAY_ID);
    list.Close();
    EnableFields(true);
}

void CFireKeyDialog::OnListClosedAway(PopupList& /*list*/) {
    EnableFields(true);
}

void CFireKeyDialog::OnControlCommand(int id, int notifyCode) {
    if (id == SPEED_FIELD_ID && notifyCode == EDIT_CHANGED) Host().InvalidateControl(SPEED_FIELD_ID);
    if (id == SPEED_FIELD_ID && notifyCode == EDIT_FOCUS_LOST) CommitSpeed();
    if (id == TIMES_FIELD_ID && notifyCode == EDIT_CHANGED) CommitTimes();
}

void CFireKeyDialog::BeforeOk() {
    // OK can come while the speed field still has the focus (the frame
    // buttons are drawn, not real buttons, and Enter keeps the focus where it
    // is), so the field is read here too: OK returns the speed it shows.
    CommitSpeed();
}

void CFireKeyDialog::CommitSpeed() {
    const int value = ReadDecimalField(Host().ControlText(SPEED_FIELD_ID));
    if (value < SPEED_MIN || value > SPEED_MAX) {
        speed_ = SPEED_CORRECTED;
        Host().SetControlText(SPEED_FIELD_ID, std::to_string(SPEED_CORRECTED));
        return;
    }
    speed_ = static_cast<std::uint8_t>(value);
}

void CFireKeyDialog::CommitTimes() {
    const int value = ReadDecimalField(Host().ControlText(TIMES_FIELD_ID));
    if (value < TIMES_MIN || value > TIMES_MAX) {
        times_ = TIMES_CORRECTED;
        Host().SetControlText(TIMES_FIELD_ID, std::to_string(TIMES_CORRECTED));
        return;
    }
    times_ = static_cast<std::uint8_t>(value);
}

}  // namespace kv12::ui
