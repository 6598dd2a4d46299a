// Hover: a region shows its over image once the pointer has rested on it, and
// goes back to normal when the pointer moves off every region (or when another
// member of its group is hovered). Each change reaches the screen in one Present.
#include <array>
#include <string>

#include "ui/main_window.h"
#include "ui/main_window_regions.h"

namespace kv12::ui {

namespace {

// The regions a rest of the pointer is tested against, in this order.
constexpr std::array<HoverRegion, 8> FRAME_HOVER_ORDER = {
    HoverRegion::Ok,    HoverRegion::Apply,    HoverRegion::Cancel,       HoverRegion::SkinButton,
    HoverRegion::Close, HoverRegion::Minimise, HoverRegion::PreviousPage, HoverRegion::NextPage,
};
constexpr std::array<HoverRegion, 4> ADVANCED_HOVER_ORDER = {
    HoverRegion::PointerDefaults,
    HoverRegion::New,
    HoverRegion::Delete,
    HoverRegion::Confirm,
};
constexpr std::array<HoverRegion, 7> BASIC_HOVER_ORDER = {
    HoverRegion::KeyDefaults, HoverRegion::Row1, HoverRegion::Row2, HoverRegion::Row3,
    HoverRegion::Row4,        HoverRegion::Row5, HoverRegion::Row6,
};

template <std::size_t N>
std::optional<HoverRegion> FirstContaining(const std::array<HoverRegion, N>& order, Point point) {
    for (HoverRegion region : order) {
        if (RegionInfo(region).rect.Contains(point)) return region;
    }
    return std::nullopt;
}

}  // namespace

std::optional<HoverRegion> CHidMouseDlg::HoverRegionAt(Point point) const {
    if (auto region = FirstContaining(FRAME_HOVER_ORDER, point)) return region;
    if (currentPage_ == PAGE_ADVANCED) return FirstContaining(ADVANCED_HOVER_ORDER, point);
    if (currentPage_ == PAGE_BASIC) return FirstContaining(BASIC_HOVER_ORDER, point);
    return std::nullopt;
}

std::string_view CHidMouseDlg::RegionText(HoverRegion region) const {
    switch (region) {
        case HoverRegion::Ok:
            return texts_[TXT_OK];
        case HoverRegion::Apply:
            return texts_[TXT_APPLY];
        case HoverRegion::Cancel:
            return texts_[TXT_CANCEL];
        case HoverRegion::PointerDefaults:
            return texts_[TXT_POINTER_DEFAULT];
        case HoverRegion::New:
            return texts_[TXT_NEW];
        case HoverRegion::Delete:
            return texts_[TXT_DELETE];
        case HoverRegion::Confirm:
            return texts_[TXT_CONFIRM];
        case HoverRegion::KeyDefaults:
            return texts_[TXT_KEY_DEFAULT];
        default:
            return {};
    }
}

const std::string& CHidMouseDlg::ItemTextOfRow(int row) const {
    // Rows show the edited key mode: Mode B's texts follow Mode A's eight.
    const int index = store_.block.keyMode() == static_cast<std::uint8_t>(KeyMode::B) ? row + 7 : row - 1;
    return prefs_.itemTexts[static_cast<std::size_t>(index)];
}

void CHidMouseDlg::DrawRegion(HoverRegion region, bool over) {
    const HoverRegionInfo& info = RegionInfo(region);
    host_.DrawImage(SkinImageName(over ? info.over : info.normal), info.rect.TopLeft());
    if (info.group == HoverGroup::DropDownRows) {
        const int row = static_cast<int>(region) - static_cast<int>(HoverRegion::Row1) + 1;
        const Rect& r = info.rect;
        host_.DrawText(std::to_string(row), {r.left, r.top, r.left + layout::ROW_NUMBER_WIDTH, r.bottom},
                       TextFormat::Left, FontRole::Normal, skin_.TextColor);
        host_.DrawText(ItemTextOfRow(row), {r.left + layout::ROW_NUMBER_WIDTH, r.top, r.right, r.bottom},
                       TextFormat::Left, FontRole::Normal, skin_.TextColor);
        return;
    }
    const std::string_view text = RegionText(region);
    if (!text.empty())
        host_.DrawText(text, info.rect, TextFormat::Centered, FontRole::Normal, skin_.TextColor);
}

bool CHidMouseDlg::RegionOnShownPage(HoverRegion region) const {
    const int page = RegionInfo(region).page;
    return page == PAGE_NONE || page == currentPage_;
}

void CHidMouseDlg::OnMouseMove(Point point) {
    if (HoverRegionAt(point)) {
        host_.TrackHover();
        return;
    }
    bool drawn = false;
    for (int i = 0; i < HOVER_REGION_COUNT; ++i) {
        if (!hoverFlags_[static_cast<std::size_t>(i)]) continue;
        const auto region = static_cast<HoverRegion>(i);
        // A flag left from the other page names a region that is no longer in
        // the canvas: drawing its normal image would paint it over this page.
        if (RegionOnShownPage(region)) {
            DrawRegion(region, false);
            drawn = true;
        }
        hoverFlags_[static_cast<std::size_t>(i)] = false;
    }
    if (drawn) host_.Present();
}

void CHidMouseDlg::OnMouseHover(Point point) {
    const auto hovered = HoverRegionAt(point);
    if (!hovered) return;
    DrawRegion(*hovered, true);
    hoverFlags_[static_cast<std::size_t>(*hovered)] = true;
    const HoverGroup group = RegionInfo(*hovered).group;
    if (group != HoverGroup::None) {
        for (int i = 0; i < HOVER_REGION_COUNT; ++i) {
            const auto region = static_cast<HoverRegion>(i);
            if (region == *hovered || RegionInfo(region).group != group) continue;
            if (!hoverFlags_[static_cast<std::size_t>(i)]) continue;
            DrawRegion(region, false);
            hoverFlags_[static_cast<std::size_t>(i)] = false;
        }
    }
    host_.Present();
}

}  // namespace kv12::ui
