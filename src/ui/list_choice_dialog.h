// CListChoiceDialog: a drop-down box showing the current choice, a list that
// opens under it, and OK / Cancel. The multimedia dialog (seven consumer
// functions) and the Windows dialog (eleven application and browser
// functions) are this one dialog, each driven by its own constant table; the
// caller turns the chosen position into a usage (MediaUsage, AppUsage).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dialog_texts.h"
#include "core/language.h"
#include "ui/control_ids.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

// The box and its list are wide enough for the longest item in every
// language ("Multimedia Player", "打開多媒體播放器").
namespace list_choice_layout {
inline constexpr Rect DISPLAY{43, 129, 187, 143};
inline constexpr Rect BOX{43, 129, 203, 143};
inline constexpr Rect MEDIA_LIST{43, 145, 203, 265};
inline constexpr Rect WINDOWS_LIST{43, 145, 203, 305};
}  // namespace list_choice_layout

// What tells one list-choice dialog from another.
struct ListChoiceTable {
    DialogFrameSpec frame;
    int displayId = 0;  // the static showing the choice
    int listId = 0;
    Rect list;
    int itemCount = 0;
    std::string_view (*itemText)(int position, Language language) = nullptr;
    const DialogFrameTexts& (*frameTexts)(const DialogTexts& texts) = nullptr;
};

class CListChoiceDialog : public SkinnedDialogBase {
  public:
    // The table must outlive the dialog (the tables of the two dialogs are constants).
    CListChoiceDialog(const ListChoiceTable& table, const SkinState& skin, std::string_view languageCode,
                      WindowsVersion version);

    // The choice, read after OK: item 0 until the user picks another.
    int Position() const { return position_; }
    const std::string& ChosenText() const { return chosenText_; }

    bool ListOpen() const { return list_.IsOpen(); }

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void OnPress(Point point) override;
    void OnListChoice(PopupList& list, int position) override;
    // The list's items in the dialog's language, in table order.
    std::vector<std::string> Items() const;

    const ListChoiceTable& table_;
    int position_ = 0;
    std::string chosenText_;
    PopupList list_;
};

// The seven multimedia functions ("Next", "Vol-", ...).
class CMediaDialog : public CListChoiceDialog {
  public:
    CMediaDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);
};

// The eleven application-launch and browser functions.
class CWindowsDialog : public CListChoiceDialog {
  public:
    CWindowsDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);
};

}  // namespace kv12::ui
