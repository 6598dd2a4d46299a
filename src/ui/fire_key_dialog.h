// CFireKeyDialog: the parameters of a "Fire Key" assignment. The user picks
// the key or mouse button the mouse repeats from a popup list, and types how
// fast (5..255, smaller is faster) and how many times (0..255, 0 = until the
// button is released) into two number fields. Out-of-range numbers are put
// right silently: the speed when its field loses the focus (and before OK),
// the times at every change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/dialog_texts.h"
#include "ui/control_ids.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

namespace fire_key_layout {
inline constexpr Rect KEY_DISPLAY{50, 70, 116, 84};
inline constexpr Rect KEY_BOX{50, 70, 132, 84};
inline constexpr Rect KEY_LIST{50, 86, 132, 256};
inline constexpr Rect SPEED_FIELD{50, 120, 131, 134};
inline constexpr Rect TIMES_FIELD{50, 170, 131, 184};
// Each label spans 40 pixels either side of its field and the 20 above it;
// the notes start 30 pixels left of the times field, below it.
inline constexpr Rect SPEED_LABEL{10, 100, 171, 120};
inline constexpr Rect TIMES_LABEL{10, 150, 171, 170};
inline constexpr Rect NOTE_HEADING{20, 190, 400, 206};
inline constexpr Rect SPEED_NOTE{20, 206, 400, 222};
// Two lines' room down to the buttons: the English note is wider than the dialog.
inline constexpr Rect TIMES_NOTE{20, 222, 400, 252};
}  // namespace fire_key_layout

namespace fire_key_limits {
inline constexpr int SPEED_MIN = 5;
inline constexpr int SPEED_MAX = 255;
inline constexpr std::uint8_t SPEED_START = 32;
inline constexpr std::uint8_t SPEED_CORRECTED = 5;  // what an out-of-range speed becomes
inline constexpr int TIMES_MIN = 0;
inline constexpr int TIMES_MAX = 255;
inline constexpr std::uint8_t TIMES_START = 1;
inline constexpr std::uint8_t TIMES_CORRECTED = 1;  // what an out-of-range count becomes
}  // namespace fire_key_limits

class CFireKeyDialog : public SkinnedDialogBase {
  public:
    CFireKeyDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);

    // The choice, read after OK.
    int KeyPosition() const { return keyPosition_; }  // position in FireKeyNames()
    const std::string& KeyText() const { return keyText_; }
    std::uint8_t Speed() const { return speed_; }
    std::uint8_t Times() const { return times_; }

    bool ListOpen() const { return keyList_.IsOpen(); }

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void Paint() override;
    void OnPress(Point point) override;
    void OnListChoice(PopupList& list, int position) override;
    void OnListClosedAway(PopupList& list) override;
    void OnControlCommand(int id, int notifyCode) override;
    void BeforeOk() override;
    const FireKeyDialogTexts& Texts() const;

    void ToggleKeyList();
    void EnableFields(bool enabled);
    // Takes the speed field's value, or puts the field right when it is out of range.
    void CommitSpeed();
    // The same for the times field.
    void CommitTimes();

    int keyPosition_ = 0;
    std::string keyText_;
    std::uint8_t speed_ = fire_key_limits::SPEED_START;
    std::uint8_t times_ = fire_key_limits::TIMES_START;
    PopupList keyList_;
};

}  // namespace kv12::ui
