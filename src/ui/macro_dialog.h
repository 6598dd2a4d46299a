// CMacroDialog: the parameters of a "Macro Key" assignment. The user picks
// one of the macros of record.ini from a popup list (its position there is
// its slot) and one of three repeat modes from ticked option boxes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/dialog_texts.h"
#include "ui/control_ids.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

namespace macro_layout {
inline constexpr Rect MACRO_BOX{43, 129, 151, 143};
inline constexpr Rect MACRO_DISPLAY{43, 129, 135, 143};
inline constexpr Rect PROMPT{-7, 113, 201, 129};
inline constexpr Rect MACRO_LIST{43, 146, 151, 285};
// Repeat options 1..3 at 0..2: the tick box and the text beside it.
inline constexpr std::array<Rect, REPEAT_OPTION_COUNT> REPEAT_BOXES = {
    {{220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
// Three lines' room, centred on the boxes: the English first option needs three.
inline constexpr std::array<Rect, REPEAT_OPTION_COUNT> REPEAT_TEXTS = {
    {{237, 62, 390, 110}, {237, 112, 390, 160}, {237, 162, 390, 210}}};
}  // namespace macro_layout

class CMacroDialog : public SkinnedDialogBase {
  public:
    // recordIni: the macro file beside the executable; read each time the list opens.
    CMacroDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version,
                 std::filesystem::path recordIni);

    // The choice, read after OK. Without a pick the index stays 0 and the name
    // empty: the first macro's slot is assigned.
    int SelectedIndex() const { return selectedIndex_; }
    const std::string& SelectedName() const { return selectedName_; }
    std::uint8_t RepeatMode() const { return repeatMode_; }  // 1..3

    bool ListOpen() const { return list_.IsOpen(); }

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void Paint() override;
    void OnPress(Point point) override;
    void OnListChoice(PopupList& list, int position) override;
    const MacroDialogTexts& Texts() const;

    // Draws the tick box of option 1..3 as its mode makes it.
    void DrawRepeatBox(int option);
    void ChooseRepeatMode(int option);

    std::filesystem::path recordIni_;
    int selectedIndex_ = 0;
    std::string selectedName_;
    std::uint8_t repeatMode_ = 1;
    PopupList list_;
};

}  // namespace kv12::ui
