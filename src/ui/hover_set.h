// The hover behaviour every skinned window shares: a region shows its over
// image once the pointer has rested on it (the hover notification), and goes
// back to normal when the pointer moves off every region, or when another
// region of its group is hovered. Each change reaches the screen in one
// Present. The window says how a region is drawn and which are shown now.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "ui/window_host.h"

namespace kv12::ui {

class HoverSet {
  public:
    struct Region {
        Rect rect;
        int group = 0;  // regions of one group (non-zero) show at most one over image between them
    };
    // Draws region `index` in its normal or over image into the canvas.
    using Draw = std::function<void(int index, bool over)>;
    // Whether region `index` is part of what the window shows now (a page's
    // own buttons are not, while the other page is shown); unset: all are.
    using Shown = std::function<bool(int index)>;

    HoverSet(std::vector<Region> regions, Draw draw, Shown shown = nullptr);

    /// WM_MOUSEMOVE: over a shown region, asks for a hover notification;
    /// elsewhere, every flagged region goes back to normal. A flag of a region
    /// that is not shown is cleared without drawing (it would paint over what
    /// the window shows now).
    void OnMouseMove(WindowHost& host, Point point);
    /// WM_MOUSEHOVER: the shown region under the pointer in its over image,
    /// its group's other flagged regions back to normal.
    void OnMouseHover(WindowHost& host, Point point);
    /// The first shown region containing the point, in region order.
    std::optional<int> RegionAt(Point point) const;
    bool Flag(int index) const;
    /// Forgets every flag (the canvas was drawn anew).
    void Reset();

  private:
    bool IsShown(int index) const { return !shown_ || shown_(index); }

    std::vector<Region> regions_;
    Draw draw_;
    Shown shown_;
    std::vector<bool> flags_;
};

}  // namespace kv12::ui
