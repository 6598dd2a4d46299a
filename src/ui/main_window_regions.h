// The main window's hover regions: where each sits, its two images and the
// hover group it belongs to. Shared by the hover handlers and the page builders.
#pragma once

#include <array>
#include <cstddef>

#include "ui/main_window.h"
#include "ui/main_window_layout.h"
#include "ui/skin_images.h"

namespace kv12::ui {

// Regions of one group show at most one over image between them; a region
// alone in its group has HoverGroup::None.
enum class HoverGroup { None, BottomButtons, PageArrows, MacroButtons, DropDownRows };

struct HoverRegionInfo {
    Rect rect;
    SkinImage normal;
    SkinImage over;
    HoverGroup group;
    int page;  // PAGE_NONE for the frame, shown on both pages
};

// Indexed by HoverRegion.
inline constexpr std::array<HoverRegionInfo, HOVER_REGION_COUNT> HOVER_REGIONS = {{
    {layout::SKIN_BUTTON, SkinImage::SkinButtonNormal, SkinImage::SkinButtonOver, HoverGroup::None,
     PAGE_NONE},
    {layout::MINIMISE_BUTTON, SkinImage::MinimiseNormal, SkinImage::MinimiseOver, HoverGroup::None,
     PAGE_NONE},
    {layout::CLOSE_BUTTON, SkinImage::CloseNormal, SkinImage::CloseOver, HoverGroup::None, PAGE_NONE},
    {layout::PREVIOUS_PAGE_BUTTON, SkinImage::PreviousPageNormal, SkinImage::PreviousPageOver,
     HoverGroup::PageArrows, PAGE_NONE},
    {layout::NEXT_PAGE_BUTTON, SkinImage::NextPageNormal, SkinImage::NextPageOver, HoverGroup::PageArrows,
     PAGE_NONE},
    {layout::OK_BUTTON, SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::BottomButtons, PAGE_NONE},
    {layout::APPLY_BUTTON, SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::BottomButtons,
     PAGE_NONE},
    {layout::CANCEL_BUTTON, SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::BottomButtons,
     PAGE_NONE},
    {layout::POINTER_DEFAULTS_BUTTON, SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::None,
     PAGE_ADVANCED},
    {layout::MacroButton(1), SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::MacroButtons,
     PAGE_ADVANCED},
    {layout::MacroButton(2), SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::MacroButtons,
     PAGE_ADVANCED},
    {layout::MacroButton(3), SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::MacroButtons,
     PAGE_ADVANCED},
    {layout::KEY_DEFAULTS_BUTTON, SkinImage::ButtonNormal, SkinImage::ButtonOver, HoverGroup::None,
     PAGE_BASIC},
    {layout::DropDownBox(1), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
    {layout::DropDownBox(2), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
    {layout::DropDownBox(3), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
    {layout::DropDownBox(4), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
    {layout::DropDownBox(5), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
    {layout::DropDownBox(6), SkinImage::DropdownBoxNormal, SkinImage::DropdownBoxOver,
     HoverGroup::DropDownRows, PAGE_BASIC},
}};

constexpr const HoverRegionInfo& RegionInfo(HoverRegion region) {
    return HOVER_REGIONS[static_cast<std::size_t>(region)];
}

constexpr HoverRegion RowRegion(int row) {
    return static_cast<HoverRegion>(static_cast<int>(HoverRegion::Row1) + row - 1);
}

}  // namespace kv12::ui
