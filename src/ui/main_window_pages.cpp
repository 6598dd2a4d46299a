// The two pages: each build paints the whole page into the canvas (background,
// frame buttons, the page's images, its texts, then the rest and its controls)
// and presents it once. Switching pages first removes the other page's controls.
#include <array>
#include <string>

#include "core/dialog_texts.h"
#include "core/language.h"
#include "device/mouse_commands.h"
#include "ui/default_item_texts.h"
#include "ui/main_window.h"
#include "ui/main_window_regions.h"

namespace kv12::ui {

namespace {

using namespace layout;

constexpr std::array<HoverRegion, 9> BASIC_FRAME_ORDER = {
    HoverRegion::Minimise,    HoverRegion::Close,        HoverRegion::SkinButton,
    HoverRegion::Ok,          HoverRegion::Apply,        HoverRegion::Cancel,
    HoverRegion::KeyDefaults, HoverRegion::PreviousPage, HoverRegion::NextPage,
};
constexpr std::array<HoverRegion, 12> ADVANCED_FRAME_ORDER = {
    HoverRegion::Minimise,        HoverRegion::Close, HoverRegion::SkinButton, HoverRegion::PreviousPage,
    HoverRegion::NextPage,        HoverRegion::Ok,    HoverRegion::Apply,      HoverRegion::Cancel,
    HoverRegion::PointerDefaults, HoverRegion::New,   HoverRegion::Delete,     HoverRegion::Confirm,
};

// The over images of the page's hover regions (and the frame's), decoded
// with the page so that the pointer's first pass over a region does not wait
// for its file.
void PrepareHoverImages(WindowHost& host, int page) {
    for (int i = 0; i < HOVER_REGION_COUNT; ++i) {
        const HoverRegionInfo& info = RegionInfo(static_cast<HoverRegion>(i));
        if (info.page == PAGE_NONE || info.page == page) host.PrepareImage(SkinImageName(info.over));
    }
}

}  // namespace

void CHidMouseDlg::BuildBasicPage() {
    if (currentPage_ == PAGE_BASIC) return;
    currentPage_ = PAGE_BASIC;
    TearDownPage(PAGE_ADVANCED);
    if (!basicPageBuilt_) FirstBasicBuild();
    DrawBasicPage();
    host_.Present();
    PrepareHoverImages(host_, PAGE_BASIC);
}

void CHidMouseDlg::BuildAdvancedPage() {
    if (currentPage_ == PAGE_ADVANCED) return;
    currentPage_ = PAGE_ADVANCED;
    TearDownPage(PAGE_BASIC);
    DrawAdvancedPage();
    host_.Present();
    PrepareHoverImages(host_, PAGE_ADVANCED);
}

void CHidMouseDlg::RebuildShownPage() {
    const int page = currentPage_;
    if (page == PAGE_NONE) return;
    TearDownPage(page);
    currentPage_ = PAGE_NONE;
    if (page == PAGE_BASIC) BuildBasicPage();
    if (page == PAGE_ADVANCED) BuildAdvancedPage();
}

void CHidMouseDlg::TearDownPage(int page) {
    if (AreaList* areas = AreasOf(page)) {
        for (const auto& area : *areas) area->TearDown();
    }
}

void CHidMouseDlg::FirstBasicBuild() {
    // The DPI table follows the sensor, so the mouse is asked before the page is drawn.
    if (link_.DeviceReady()) InitialiseSensor(link_);
    if (store_.firstRunFlag == 0) {
        prefs_.itemTexts = DefaultItemTexts(LanguageFromCode(languageCode_));
        if (const auto error =
                SaveItemTexts(files_.preferences, texts_[TXT_SECTION_NAME], prefs_.itemTexts)) {
            host_.ShowMessage(error->message, "");
        }
    }
    basicPageBuilt_ = true;
}

void CHidMouseDlg::DrawFrameImages(std::span<const HoverRegion> regions) {
    for (HoverRegion region : regions) {
        const HoverRegionInfo& info = RegionInfo(region);
        host_.DrawImage(SkinImageName(info.normal), info.rect.TopLeft());
    }
}

void CHidMouseDlg::DrawBottomButtonTexts() {
    for (HoverRegion region : {HoverRegion::Ok, HoverRegion::Apply, HoverRegion::Cancel}) {
        host_.DrawText(RegionText(region), RegionInfo(region).rect, TextFormat::Centered, FontRole::Normal,
                       skin_.TextColor);
    }
}

void CHidMouseDlg::DrawHeading(int row, Rect rect) {
    host_.DrawText(texts_[row], rect, TextFormat::Centered, FontRole::Normal, skin_.TextColor);
}

void CHidMouseDlg::DrawKeyRows() {
    for (int row = 1; row <= SHOWN_DROP_DOWN_ROWS; ++row) DrawRegion(RowRegion(row), false);
}

void CHidMouseDlg::DrawModeButtons() {
    const bool modeB = store_.block.keyMode() == static_cast<std::uint8_t>(KeyMode::B);
    const auto draw = [&](Rect rect, bool active, std::string_view caption) {
        host_.DrawImage(SkinImageName(active ? SkinImage::ButtonOver : SkinImage::ButtonNormal),
                        rect.TopLeft());
        host_.DrawText(caption, rect, TextFormat::Centered, FontRole::Normal, skin_.TextColor);
    };
    draw(MODE_A_BUTTON, !modeB, MODE_A_CAPTION);
    draw(MODE_B_BUTTON, modeB, MODE_B_CAPTION);
}

void CHidMouseDlg::RedrawKeyArea() {
    if (currentPage_ != PAGE_BASIC) return;
    DrawKeyRows();
    DrawModeButtons();
    host_.Present();
}

void CHidMouseDlg::DrawBasicPage() {
    host_.DrawImage(SkinImageName(SkinImage::BasicBackground), {0, 0});
    DrawFrameImages(BASIC_FRAME_ORDER);
    for (int row = 1; row <= SHOWN_DROP_DOWN_ROWS; ++row) {
        host_.DrawImage(SkinImageName(SkinImage::DropdownBoxNormal), DropDownBox(row).TopLeft());
    }

    host_.DrawText(texts_[TXT_BASIC_SETTINGS], PAGE_TITLE, TextFormat::Left, FontRole::Title,
                   skin_.TextColor);
    DrawHeading(TXT_KEY_SETTING, KEY_SETTING_HEADING);
    DrawHeading(TXT_REPORT_RATE_SETTING, REPORT_RATE_HEADING);
    DrawHeading(TXT_DPI_SETTING, DPI_SETTING_HEADING);
    DrawHeading(TXT_DPI_EFFECT, DPI_EFFECT_HEADING);
    DrawHeading(TXT_MAKER_WEB_ADDRESS, WEB_ADDRESS);
    DrawBottomButtonTexts();
    DrawHeading(TXT_KEY_DEFAULT, KEY_DEFAULTS_BUTTON);

    DrawKeyRows();
    DrawModeButtons();
    for (const auto& area : basicAreas_) area->Build();
}

void CHidMouseDlg::DrawAdvancedPage() {
    host_.DrawImage(SkinImageName(SkinImage::AdvancedBackground), {0, 0});
    DrawFrameImages(ADVANCED_FRAME_ORDER);
    // The pointer sliders and boxes are the pointer area's, drawn with the areas.

    DrawHeading(TXT_MAKER_WEB_ADDRESS, WEB_ADDRESS);
    DrawBottomButtonTexts();
    DrawHeading(TXT_POINTER_DEFAULT, POINTER_DEFAULTS_BUTTON);
    DrawHeading(TXT_SELECT_MACRO, SELECT_MACRO_HEADING);
    DrawHeading(TXT_KEY_PRESS_SEQUENCE, KEY_PRESS_SEQUENCE_HEADING);
    DrawHeading(TXT_RECORD_OPTION, RECORD_OPTION_HEADING);
    DrawHeading(TXT_NEW, MacroButton(1));
    DrawHeading(TXT_DELETE, MacroButton(2));
    DrawHeading(TXT_CONFIRM, MacroButton(3));
    DrawHeading(TXT_MOUSE_SPEED, MOUSE_SPEED_HEADING);
    DrawHeading(TXT_SCROLLING_SPEED, SCROLLING_SPEED_HEADING);
    DrawHeading(TXT_DOUBLE_CLICK_SPEED, DOUBLE_CLICK_SPEED_HEADING);
    DrawHeading(TXT_MACRO_SETTING, MACRO_SETTING_HEADING);
    host_.DrawText(texts_[TXT_ADVANCED_SETTINGS], PAGE_TITLE, TextFormat::Left, FontRole::Title,
                   skin_.TextColor);

    for (const auto& area : advancedAreas_) area->Build();
}

}  // namespace kv12::ui
