// The macro area of the advanced page ("Macro Setting"): the macros of
// record.ini in MacroList, the key press sequence of the selected one in
// SequenceList, its name and loop count, the mouse-event list, New, Delete
// and Confirm, and the recorder's Start / Stop Recording.
//
// SequenceList is a working copy: record.ini and the macro slots change only
// at Confirm, except that Delete removes a macro's section at once. A macro's
// slot is its place in record.ini (the first section is slot 0), and a button
// that plays a macro holds that slot number; nothing here renumbers buttons.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/macro_recorder.h"
#include "ui/page_area.h"
#include "ui/popup_list.h"

namespace kv12::ui {

namespace macro_layout {
inline constexpr Rect MACRO_LIST_RECT{462, 220, 591, 512};
inline constexpr Rect SEQUENCE_LIST_RECT{592, 220, 725, 512};
inline constexpr Rect MACRO_NAME_BOX_RECT{735, 322, 799, 336};
inline constexpr Rect LOOP_TIMES_BOX_RECT{735, 362, 799, 376};
inline constexpr Rect MOUSE_EVENT_DISPLAY{735, 402, 839, 416};  // the box's text; its click region is wider
// The texts beside the recording regions and above the boxes end at x 874.
inline constexpr int LABEL_RIGHT = 874;
inline constexpr int RECORDING_TEXT_GAP = 10;
inline constexpr int LABEL_HEIGHT = 20;
}  // namespace macro_layout

// The static text that shows the last mouse event chosen.
inline constexpr int MOUSE_EVENT_DISPLAY_ID = 119;

// WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY: MacroList and SequenceList
// (the scroll bar shows only when the items overflow).
inline constexpr std::uint32_t STYLE_MACRO_LIST = 0x50200001;
// WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL: the macro name.
inline constexpr std::uint32_t STYLE_MACRO_NAME_BOX = 0x50000081;
// WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE: the mouse event's text.
inline constexpr std::uint32_t STYLE_MOUSE_EVENT_DISPLAY = 0x50000201;

// Loop counts the mouse takes; any other number in the box becomes 1.
inline constexpr int LOOP_COUNT_MIN = 1;
inline constexpr int LOOP_COUNT_MAX = 65535;
// What an edited delay above the dialog's range becomes.
inline constexpr int DELAY_EDIT_MAX_MS = 10000;
inline constexpr std::string_view DELAY_TOO_LONG_ITEM = "10 ms";

class MacroArea final : public PageArea, private RecordTarget {
  public:
    explicit MacroArea(const PageContext& context);

    // --- PageArea -----------------------------------------------------------
    /// The labels, the controls, the macros of record.ini (the first one
    /// selected, with its items, its name and slot 0's loop count).
    void Build() override;
    /// Ends a recording's capture, closes the mouse-event list and destroys
    /// the controls; unconfirmed edits go with them.
    void TearDown() override;
    /// The mouse-event list closes on a press away from it and its box.
    void CloseListsAwayFrom(Point point) override;
    /// Start / Stop Recording, New, Delete, Confirm, the mouse-event box.
    bool OnPress(Point point) override;
    /// The lists' and boxes' notifications and the context menu's Delete.
    bool OnCommand(int id, int notifyCode) override;
    void OnKeyEvent(const KeyEvent& event) override { recorder_.OnKeyEvent(event); }
    bool DiscardsKey(const KeyEvent& event) const override { return recorder_.DiscardsKey(event); }
    /// SequenceList's menu: one item, Delete.
    bool OnContextMenu(int controlId) override;

    // --- operations ---------------------------------------------------------
    /// Adds the name in MacroNameBox to MacroList (not to record.ini) and
    /// selects it with an empty sequence; refused with a message for an empty,
    /// too long, unstorable or listed name, or a thirteenth macro.
    void NewMacro();
    /// Removes the selected macro from the list and its section from
    /// record.ini, after warning about the buttons whose slot it shifts.
    void DeleteMacroCmd();
    /// Saves the sequence under the selected list name and compiles
    /// record.ini into the slots; a sequence the slot cannot hold is refused.
    void ConfirmMacro();
    /// Shows macro `index` of MacroList: its name, items and loop count.
    void SelectMacro(int index);
    /// LoopTimesBox changed: a number outside 1..65535 becomes 1; the count
    /// goes into the selected macro's slot.
    void LoopTimesChanged();
    /// Opens or closes the mouse-event list.
    void ToggleMouseEventList();
    /// Inserts a mouse event (an item of the mouse-event list) after the
    /// selected item, or at the top of an empty sequence.
    void InsertMouseEvent(std::string_view event);
    /// Edits the delay at `index` through the delay dialog.
    void EditDelayItem(int index);
    /// Removes the selected item of the sequence.
    void DeleteSequenceItem();

    MacroRecorder& Recorder() { return recorder_; }
    bool MouseEventListOpen() const { return mouseEventList_.IsOpen(); }

  private:
    // RecordTarget.
    bool HasMacros() const override;
    bool MacroSelected() const override;
    void ClearSequence() override;
    void AppendToSequence(const std::vector<std::string>& items) override;
    void DropLastFromSequence(int count) override;

    Language UserLanguage() const;
    std::vector<std::string> SequenceItems() const;
    // Sets LoopTimesBox's text; as on Windows, the change notice follows.
    void ShowLoopTimes(const std::string& text);
    // False, after saying why, when a new name cannot be a macro's name.
    bool NameIsUsable(const std::string& name);
    // Names the buttons whose macro moves or goes when the macro at
    // record.ini position `position` of `count` is deleted.
    std::vector<std::string> ButtonsShiftedByDelete(int position, int count) const;
    void InsertSequenceItems(int at, const std::vector<std::string>& items);
    void DestroyControls();

    PageContext context_;
    MacroRecorder recorder_;
    PopupList mouseEventList_;
};

}  // namespace kv12::ui
