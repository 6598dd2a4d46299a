// CSkinsDialog: the skin chooser opened by the main window's skin button. The
// user picks a skin folder under "Skins" from a popup list and a text colour
// from the system's colour chooser; nothing changes until OK, and then only
// through the main window's ApplySkin.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialog_texts.h"
#include "ui/control_ids.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

// The chooser's controls.
inline constexpr int SKIN_NAME_LABEL_ID = control_ids::SKIN_NAME_LABEL;
inline constexpr int SKIN_COLOR_SWATCH_ID = control_ids::SKIN_COLOR_SWATCH;
inline constexpr int SKIN_LIST_ID = control_ids::SKIN_LIST;

namespace skins_layout {
inline constexpr Rect CLOSE_BUTTON{352, 6, 370, 24};
inline constexpr Rect OK_BUTTON{166, 253, 271, 274};
inline constexpr Rect CANCEL_BUTTON{270, 253, 375, 274};
inline constexpr Rect COLOR_PROMPT{12, 64, 181, 94};
inline constexpr Rect COLOR_SWATCH{42, 94, 151, 110};
inline constexpr Rect NAME_LABEL{43, 128, 135, 142};
inline constexpr Rect NAME_BOX{42, 128, 151, 142};
inline constexpr Rect SKIN_LIST{42, 146, 151, 264};
}  // namespace skins_layout

/// The names of the folders in the skins root, sorted by name: files and the
/// entries "." and ".." are never listed; a missing or unreadable root gives none.
std::vector<std::string> ListSkinFolders(const std::filesystem::path& skinsRoot);

class CSkinsDialog : public SkinnedDialogBase {
  public:
    // Takes its starting choice from the skin as it is when the dialog opens.
    CSkinsDialog(const SkinState& skin, std::filesystem::path skinsRoot, std::string_view languageCode,
                 WindowsVersion version);

    ControlColors ControlColorsFor(int id, ControlKind kind) const override;

    /// Opens the popup list of skin folders, or closes it when it is open.
    void ChooseSkinList();

    // The choice, read after OK.
    Rgb Color() const { return color_; }
    const std::string& ChosenName() const { return chosenName_; }
    const std::string& ChosenFolder() const { return chosenFolder_; }
    bool ListOpen() const { return list_.IsOpen(); }

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void Paint() override;
    void OnPress(Point point) override;
    void OnListChoice(PopupList& list, int position) override;
    const SkinsDialogTexts& Texts() const;

    std::filesystem::path skinsRoot_;
    Rgb color_;
    std::string chosenName_;
    std::string chosenFolder_;
    PopupList list_;
};

}  // namespace kv12::ui
