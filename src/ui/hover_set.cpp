#include "ui/hover_set.h"

namespace kv12::ui {

HoverSet::HoverSet(std::vector<Region> regions, Draw draw, Shown shown)
    : regions_(std::move(regions)),
      draw_(std::move(draw)),
      shown_(std::move(shown)),
      flags_(regions_.size()) {}

std::optional<int> HoverSet::RegionAt(Point point) const {
    for (std::size_t i = 0; i < regions_.size(); ++i) {
        const int index = static_cast<int>(i);
        if (IsShown(index) && regions_[i].rect.Contains(point)) return index;
    }
    return std::nullopt;
}

bool HoverSet::Flag(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < flags_.size() &&
           flags_[static_cast<std::size_t>(index)];
}

void HoverSet::Reset() {
    flags_.assign(regions_.size(), false);
}

void HoverSet::OnMouseMove(WindowHost& host, Point point) {
    if (RegionAt(point)) {
        host.TrackHover();
        return;
    }
    bool drawn = false;
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        if (!flags_[i]) continue;
        flags_[i] = false;
        if (!IsShown(static_cast<int>(i))) continue;
        draw_(static_cast<int>(i), false);
        drawn = true;
    }
    if (drawn) host.Present();
}

void HoverSet::OnMouseHover(WindowHost& host, Point point) {
    const std::optional<int> hovered = RegionAt(point);
    if (!hovered) return;
    const auto index = static_cast<std::size_t>(*hovered);
    draw_(*hovered, true);
    flags_[index] = true;
    const int group = regions_[index].group;
    if (group != 0) {
        for (std::size_t i = 0; i < regions_.size(); ++i) {
            if (i == index || regions_[i].group != group || !flags_[i]) continue;
            flags_[i] = false;
            if (IsShown(static_cast<int>(i))) draw_(static_cast<int>(i), false);
        }
    }
    host.Present();
}

}  // namespace kv12::ui
