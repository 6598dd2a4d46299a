// A list that drops down from a box: a real list box created on demand at a
// fixed place (or beside an item of another list), whose selection follows
// the pointer, that closes when a press lands away from both the list and its
// box, and whose choice the owner reads on the list's notification. The page
// lists of the main window and the lists of the dialogs are all this one
// thing; each owner decides what a choice means.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/window_host.h"

namespace kv12::ui {

class PopupList {
  public:
    struct Layout {
        int listId = 0;
        Rect list;  // where the list box is created
        Rect box;   // the opener; an empty rectangle for a list that has none
    };

    explicit PopupList(Layout layout) : layout_(layout) {}

    /// The window the list lives in; set before any other call.
    void Bind(WindowHost& host) { host_ = &host; }

    int Id() const { return layout_.listId; }
    bool IsOpen() const { return open_; }
    /// Where the list is (or would be) created.
    Rect ListRect() const { return at_.value_or(layout_.list); }
    bool BoxContains(Point point) const { return layout_.box.Contains(point); }
    /// The point lies in the open list or in the box.
    bool Contains(Point point) const { return BoxContains(point) || (open_ && ListRect().Contains(point)); }

    /// Creates the list with these items (none selected) at its place, or at
    /// `at` when given, and marks it open. An open list is created anew.
    void Open(std::vector<std::string> items, std::optional<Rect> at = std::nullopt);
    /// Destroys the list if it exists and marks it closed.
    void Close();
    /// Closes an open list, or opens a closed one with these items.
    void Toggle(std::vector<std::string> items);
    /// Closes the list when it is open and the point misses both it and its
    /// box; true when it closed.
    bool CloseIfAwayFrom(Point point);

    /// For a selection change or double click of this list: the selected
    /// position, or nullopt (another control, another notification, no
    /// selection, a list that no longer exists). The list stays as it is.
    std::optional<int> ChoiceFrom(int id, int notifyCode) const;
    /// The text of an item as the list was filled; empty out of range.
    const std::string& ItemText(int position) const;
    const std::vector<std::string>& Items() const { return items_; }

    /// A wheel notch over the window: three lines down for a zero or negative
    /// delta, up for a positive one, while the list is open.
    void Scroll(int wheelDelta);

  private:
    WindowHost* host_ = nullptr;
    Layout layout_;
    std::optional<Rect> at_;
    bool open_ = false;
    std::vector<std::string> items_;
};

}  // namespace kv12::ui
