// The click dispatcher: a press on the client area is tested against fixed
// rectangles in a fixed order. The frame's tests come first, then the shown
// page's; a press that hits nothing moves the window.
#include <array>

#include "ui/dpi_tables.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"

namespace kv12::ui {

namespace {

using namespace layout;

// The frame's buttons that never end the dispatch; a press on one of them is
// still a press on a control, never the start of a window drag.
constexpr std::array<Rect, 5> NON_STOPPING_FRAME_BUTTONS = {OK_BUTTON, APPLY_BUTTON, SKIN_BUTTON,
                                                            CANCEL_BUTTON, WEB_ADDRESS};

bool OnFrameButton(Point point) {
    for (const Rect& rect : NON_STOPPING_FRAME_BUTTONS) {
        if (rect.Contains(point)) return true;
    }
    return false;
}

}  // namespace

void CHidMouseDlg::OnLButtonDown(Point point) {
    // OK, Apply and the skin button are tested each on its own.
    if (OK_BUTTON.Contains(point) && link_.DeviceReady()) {
        ApplyAndSave();
        host_.Hide();
    }
    if (APPLY_BUTTON.Contains(point) && link_.DeviceReady()) ApplyAndSave();
    if (SKIN_BUTTON.Contains(point)) ApplySkin();

    if (MINIMISE_BUTTON.Contains(point)) {
        host_.Hide();
        return;
    }
    if (CLOSE_BUTTON.Contains(point)) {
        host_.Quit();
        return;
    }
    if (PREVIOUS_PAGE_BUTTON.Contains(point)) {
        BuildBasicPage();
        return;
    }
    if (NEXT_PAGE_BUTTON.Contains(point)) {
        BuildAdvancedPage();
        return;
    }
    if (CANCEL_BUTTON.Contains(point)) {
        store_.RestoreSavedCopy();
        rebuildOnShow_ = true;
        host_.Hide();
    }
    if (WEB_ADDRESS.Contains(point)) {
        host_.OpenUrl(texts_[TXT_MAKER_WEB_ADDRESS]);
        return;
    }

    bool handled = false;
    if (currentPage_ == PAGE_BASIC) handled = DispatchBasicPage(point);
    if (currentPage_ == PAGE_ADVANCED) handled = DispatchAdvancedPage(point);
    if (!handled && !OnFrameButton(point)) host_.StartDrag(point);
}

bool CHidMouseDlg::DispatchBasicPage(Point point) {
    if (areas_ != nullptr) areas_->CloseBasicListsAwayFrom(point);

    if (MODE_A_BUTTON.Contains(point)) {
        if (areas_ != nullptr) areas_->SelectKeyMode(0);
        return true;
    }
    if (MODE_B_BUTTON.Contains(point)) {
        if (areas_ != nullptr) areas_->SelectKeyMode(1);
        return true;
    }
    if (KEY_DEFAULTS_BUTTON.Contains(point)) {
        if (areas_ != nullptr) areas_->RestoreDefaultKeys();
        return true;
    }
    for (int button = 1; button <= SHOWN_DROP_DOWN_ROWS; ++button) {
        if (DropDownBox(button).Contains(point)) {
            if (areas_ != nullptr) areas_->ToggleAssignmentList(button);
            return true;
        }
    }
    for (int position = 1; position <= REPORT_RATE_POSITIONS; ++position) {
        if (ReportRateCell(position).Contains(point)) {
            dpi_.SelectReportRate(position);
            return true;
        }
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        if (StageEnableBox(stage).Contains(point)) {
            dpi_.ToggleStage(stage);
            return true;
        }
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        if (StageSwatch(stage).Contains(point)) {
            dpi_.ChooseStageColor(stage);
            return true;
        }
    }
    for (int list = 1; list <= 3; ++list) {
        if (LightingListOpener(list).Contains(point)) {
            if (areas_ != nullptr) areas_->OpenLightingList(list);
            return true;
        }
    }
    const std::uint8_t sensorType = link_.state().sensorType;
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        for (int step = 1; step <= MAX_DPI_STEPS; ++step) {
            if (DpiStepCell(stage, step).Contains(point)) {
                // The upper four cells exist only on the twelve-step sensor;
                // elsewhere they are background and the press moves the window.
                if (!DpiStepSelectable(sensorType, step)) return false;
                dpi_.SelectDpiStep(stage, step);
                return true;
            }
        }
    }
    return false;
}

bool CHidMouseDlg::DispatchAdvancedPage(Point point) {
    if (areas_ != nullptr) areas_->CloseMouseEventListAwayFrom(point);

    // Each region names what the advanced page's areas do with a press on it.
    struct Region {
        Rect rect;
        void (*action)(PageAreas&);
    };
    static constexpr std::array<Region, 9> REGIONS = {{
        {POINTER_SWITCH_1, [](PageAreas& a) { a.TogglePointerSwitch(1); }},
        {POINTER_SWITCH_2, [](PageAreas& a) { a.TogglePointerSwitch(2); }},
        {POINTER_DEFAULTS_BUTTON, [](PageAreas& a) { a.RestorePointerDefaults(); }},
        {START_RECORDING_BUTTON, [](PageAreas& a) { a.StartRecording(); }},
        {STOP_RECORDING_BUTTON, [](PageAreas& a) { a.StopRecording(); }},
        {MacroButton(1), [](PageAreas& a) { a.PressMacroButton(1); }},
        {MacroButton(2), [](PageAreas& a) { a.PressMacroButton(2); }},
        {MacroButton(3), [](PageAreas& a) { a.PressMacroButton(3); }},
        {MOUSE_EVENT_BOX, [](PageAreas& a) { a.ToggleMouseEventList(); }},
    }};
    for (const Region& region : REGIONS) {
        if (region.rect.Contains(point)) {
            if (areas_ != nullptr) region.action(*areas_);
            return true;
        }
    }
    for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) {
        for (int cell = 1; cell <= POINTER_SLIDER_CELLS; ++cell) {
            if (PointerSliderCell(slider, cell).Contains(point)) {
                if (areas_ != nullptr) areas_->SetPointerSlider(slider, cell);
                return true;
            }
        }
    }
    return false;
}

}  // namespace kv12::ui
