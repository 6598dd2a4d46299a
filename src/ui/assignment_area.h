// The assignment menus of the basic page: a drop-down list of the sixteen
// function kinds under each of the boxes of buttons 1..6, the DPI side list
// beside its "DPI Switch" item, the "Mode A" / "Mode B" buttons that choose
// which key mode is edited, and "Default". A choice edits the settings block
// and the button's display text (the parameter dialogs run through
// AssignmentDialogs); nothing reaches the mouse before the user applies.
//
// The main window draws the boxes and mode buttons (they share its hover
// handling); the area asks it to redraw them after each change.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings_block.h"
#include "ui/assignment_dialogs.h"
#include "ui/page_area.h"
#include "ui/popup_list.h"

namespace kv12::ui {

// The button lists and their places.
inline constexpr int ASSIGNMENT_BUTTONS = 6;  // buttons 1..6 are offered; the settings hold eight
inline constexpr int DPI_SIDE_LIST_SIZE = 60;
// The list item that opens the DPI side list: its position is the kind value.
inline constexpr int DPI_SWITCH_ITEM = 6;
inline constexpr int SHIFT_ITEM = 14;

/// The list of button 1..8: under its box, 270 pixels high.
constexpr Rect AssignmentListRect(int button) {
    const int dy = 23 * (button - 1);
    return {252, 221 + dy, 463, 491 + dy};
}

class AssignmentArea final : public PageArea {
  public:
    // `redrawKeyArea` redraws the six boxes and the two mode buttons and
    // presents. The dialogs must outlive the area.
    AssignmentArea(const PageContext& context, AssignmentDialogs& dialogs,
                   std::function<void()> redrawKeyArea);

    // --- PageArea -----------------------------------------------------------
    void Build() override {}
    /// Closes the open lists (the page is left or rebuilt).
    void TearDown() override;
    /// The side list closes on any press; a button list when the press
    /// misses both the list and its box.
    void CloseListsAwayFrom(Point point) override;
    /// A box of buttons 1..6, "Mode A", "Mode B" or "Default".
    bool OnPress(Point point) override;
    /// Selections of the button lists (41..48) and of the side list (40).
    bool OnCommand(int id, int notifyCode) override;
    /// The side list opens while the pointer rests on "DPI Switch".
    void OnListPointerMove(int listId, int item) override;

    // --- operations ---------------------------------------------------------
    /// Opens the list of button 1..6 (unless the left-key rule refuses), or
    /// closes it when it is open.
    void ToggleAssignmentList(int button);
    /// Key mode 0 (A) or 1 (B) becomes the edited one.
    void SelectKeyMode(int mode);
    /// The factory assignment in both modes, with its display texts.
    void RestoreDefaultKeys();
    /// The button (1..8) whose list is open.
    std::optional<int> OpenButton() const;
    bool SideListOpen() const { return sideList_.IsOpen(); }

  private:
    KeyMode EditedMode() const;
    std::string& TextOf(KeyMode mode, int slot);
    std::string KindText(int kind) const;
    void OnAssignmentChosen(int slot, int position);
    void OnDpiStepChosen(int position);
    // What one choice gives a button: its kind, the parameter rows the choice
    // sets (row, value), the DPI step of the "DPI Switch" kind and the text.
    struct Assignment {
        std::uint8_t kind = 0;
        std::vector<std::pair<int, std::uint8_t>> rows;
        std::optional<std::uint8_t> dpiStep;
        std::string text;
    };
    // Runs the kind's dialog; nullopt when the button keeps what it has.
    std::optional<Assignment> RunParameterDialog(int kind);
    // False (after telling the user) when a captured key name has no usage.
    bool KeyIsAssignable(const std::string& name);
    // Writes an assignment into the edited mode, the Shift rule applied.
    void Store(int slot, const Assignment& assignment);
    void CloseAll();

    PageContext context_;
    AssignmentDialogs& dialogs_;
    std::function<void()> redrawKeyArea_;
    std::vector<PopupList> lists_;  // buttons 1..8 at 0..7
    PopupList sideList_;
};

}  // namespace kv12::ui
