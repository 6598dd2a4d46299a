// CSingleDialog and CComboDialog: the dialogs of the kinds "Single Key" and
// "Combo Key". Instead of offering lists they capture the keys the user
// presses: while a dialog runs, every key event of the program is named in
// English (KeyNameFromScanCode) and the dialog shows the name. The single-key
// dialog keeps one name; the combination dialog keeps a modifier chosen from
// a list plus one key name for each of its two key fields. Both return texts
// only; the assignment menu turns them into usages.
//
// Enter and Esc are keys like any other here, so neither ends these dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/dialog_texts.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

// WS_CHILD | WS_VISIBLE | ES_CENTER: the combination dialog's key fields.
inline constexpr std::uint32_t STYLE_KEY_FIELD = 0x50000001;

// Virtual keys of the Windows keys. Their messages never reach the
// single-key dialog's controls (the system would open the Start menu); the
// capture has named them before.
inline constexpr std::uint32_t VK_LEFT_WINDOWS = 91;
inline constexpr std::uint32_t VK_RIGHT_WINDOWS = 92;

namespace single_key_layout {
inline constexpr Rect PROMPT{23, 108, 201, 124};
inline constexpr Rect KEY_DISPLAY{74, 128, 150, 142};
}  // namespace single_key_layout

namespace combo_key_layout {
inline constexpr Rect MODIFIER_DISPLAY{50, 70, 116, 84};
inline constexpr Rect MODIFIER_BOX{50, 70, 132, 84};
inline constexpr Rect MODIFIER_LIST{50, 86, 132, 226};
inline constexpr Rect FIRST_KEY_FIELD{50, 120, 131, 134};
inline constexpr Rect SECOND_KEY_FIELD{50, 170, 131, 184};
}  // namespace combo_key_layout

/// The hook-failure message: the format with its "%d" replaced by the code.
std::string KeyCaptureFailedText(std::string_view format, std::uint32_t errorCode);

class CSingleDialog : public SkinnedDialogBase {
  public:
    CSingleDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);

    /// The last captured key name; empty before any key.
    const std::string& KeyText() const { return keyText_; }

    void OnKeyEvent(const KeyEvent& event) override;
    bool DiscardsKey(std::uint32_t virtualKey) const override;

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void Paint() override;
    const SingleDialogTexts& Texts() const;

    std::string keyText_;
};

class CComboDialog : public SkinnedDialogBase {
  public:
    CComboDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);

    /// "" or one of the eight modifier names.
    const std::string& ModifierText() const { return modifierText_; }
    /// The chosen modifier's place in the list; none until one is chosen.
    std::optional<int> ModifierPosition() const { return modifierPosition_; }
    const std::string& FirstKeyText() const { return firstKeyText_; }
    const std::string& SecondKeyText() const { return secondKeyText_; }
    bool ModifierListOpen() const { return list_.IsOpen(); }

    void OnKeyEvent(const KeyEvent& event) override;

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void OnPress(Point point) override;
    void OnListChoice(PopupList& list, int position) override;
    void OnListClosedAway(PopupList& list) override;
    void EnableKeyFields(bool enabled);

    std::string modifierText_;
    std::optional<int> modifierPosition_;
    std::string firstKeyText_;
    std::string secondKeyText_;
    PopupList list_;
};

}  // namespace kv12::ui
