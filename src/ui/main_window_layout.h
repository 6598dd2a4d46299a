// Where everything sits in the main window's client area (left, top, right,
// bottom; a point on the right or bottom edge is outside). The skin images are
// drawn at these rectangles' top-left corners at their natural size.
#pragma once

#include "ui/control_ids.h"
#include "ui/window_host.h"

namespace kv12::ui::layout {

// The frame, the same on both pages.
inline constexpr Rect OK_BUTTON{562, 623, 667, 644};
inline constexpr Rect APPLY_BUTTON{666, 623, 771, 644};
inline constexpr Rect CANCEL_BUTTON{770, 623, 875, 644};
inline constexpr Rect SKIN_BUTTON{701, 5, 719, 23};
inline constexpr Rect MINIMISE_BUTTON{825, 5, 843, 23};
inline constexpr Rect CLOSE_BUTTON{850, 5, 868, 23};
inline constexpr Rect PREVIOUS_PAGE_BUTTON{20, 58, 60, 98};  // shows the basic page
inline constexpr Rect NEXT_PAGE_BUTTON{70, 58, 110, 98};     // shows the advanced page
inline constexpr Rect WEB_ADDRESS{273, 627, 449, 647};       // drawn there, opened by a click
inline constexpr Rect PAGE_TITLE{120, 58, 352, 98};

// The basic page's key area.
inline constexpr Rect MODE_A_BUTTON{253, 518, 358, 539};
inline constexpr Rect MODE_B_BUTTON{357, 518, 462, 539};
inline constexpr Rect KEY_DEFAULTS_BUTTON{307, 549, 412, 570};
inline constexpr int SHOWN_DROP_DOWN_ROWS = 6;  // the settings hold eight buttons; six are offered
inline constexpr int DROP_DOWN_PITCH = 23;
inline constexpr int ROW_NUMBER_WIDTH = 20;

/// The drop-down box of button 1..8.
constexpr Rect DropDownBox(int button) {
    const int dy = DROP_DOWN_PITCH * (button - 1);
    return {252, 199 + dy, 463, 220 + dy};
}

/// The opener of lighting list 1..3.
constexpr Rect LightingListOpener(int list) {
    const int dy = 30 * (list - 1);
    return {767, 330 + dy, 851, 344 + dy};
}

// The basic page's headings.
inline constexpr Rect KEY_SETTING_HEADING{259, 160, 364, 181};
inline constexpr Rect REPORT_RATE_HEADING{504, 161, 609, 182};
inline constexpr Rect DPI_SETTING_HEADING{504, 275, 609, 296};
inline constexpr Rect DPI_EFFECT_HEADING{704, 275, 809, 296};

// The report-rate positions 1..4: 125, 250, 500, 1000 Hz.
inline constexpr int REPORT_RATE_POSITIONS = 4;
constexpr Rect ReportRateCell(int position) {
    const int left = 542 + 72 * (position - 1);
    return {left, 204, left + 70, 215};
}

// The DPI stages 1..4: an enable box, a colour swatch above it and a column of
// level cells growing upward from y 500 with an 18 px pitch.
inline constexpr int STAGE_COLUMN_PITCH = 27;
inline constexpr int DPI_CELL_PITCH = 18;
constexpr int StageColumnLeft(int stage) {
    return 554 + STAGE_COLUMN_PITCH * (stage - 1);
}
constexpr Rect StageEnableBox(int stage) {
    return {StageColumnLeft(stage), 541, StageColumnLeft(stage) + 16, 557};
}
constexpr Rect StageSwatch(int stage) {
    return {StageColumnLeft(stage), 523, StageColumnLeft(stage) + 16, 539};
}
/// Level cell 1..12 (counted from the bottom) of a stage.
constexpr Rect DpiStepCell(int stage, int step) {
    const int top = 500 - DPI_CELL_PITCH * (step - 1);
    return {StageColumnLeft(stage), top, StageColumnLeft(stage) + 16, top + 16};
}
inline constexpr int MAX_DPI_STEPS = 12;
inline constexpr int FIRST_SWATCH_ID = control_ids::FIRST_STAGE_SWATCH;  // static controls 71..74

// The advanced page.
inline constexpr Rect POINTER_SWITCH_1{51, 255, 67, 271};
inline constexpr Rect POINTER_SWITCH_2{51, 405, 67, 421};
inline constexpr Rect POINTER_DEFAULTS_BUTTON{194, 573, 299, 594};
inline constexpr Rect START_RECORDING_BUTTON{735, 229, 764, 258};
inline constexpr Rect STOP_RECORDING_BUTTON{735, 265, 764, 294};
inline constexpr Rect MOUSE_EVENT_BOX{735, 402, 854, 416};
inline constexpr Rect MOUSE_EVENT_LIST{734, 419, 854, 569};

/// Macro button 1..3: New, Delete, Confirm.
constexpr Rect MacroButton(int button) {
    const int left = 513 + 104 * (button - 1);
    return {left, 528, left + 105, 549};
}

// The three pointer sliders: eleven cells 24 px apart, first cells at y 200, 350, 500.
inline constexpr int POINTER_SLIDERS = 3;
inline constexpr int POINTER_SLIDER_CELLS = 11;
/// Cell 1..11 of pointer slider 1..3.
constexpr Rect PointerSliderCell(int slider, int cell) {
    const int left = 52 + 24 * (cell - 1);
    const int top = 200 + 150 * (slider - 1);
    return {left, top, left + 24, top + 11};
}

// The advanced page's headings.
inline constexpr Rect SELECT_MACRO_HEADING{457, 196, 592, 220};
inline constexpr Rect KEY_PRESS_SEQUENCE_HEADING{591, 196, 726, 220};
inline constexpr Rect RECORD_OPTION_HEADING{725, 196, 875, 220};
inline constexpr Rect MOUSE_SPEED_HEADING{38, 160, 143, 181};
inline constexpr Rect SCROLLING_SPEED_HEADING{38, 310, 143, 331};
inline constexpr Rect DOUBLE_CLICK_SPEED_HEADING{38, 460, 143, 481};
inline constexpr Rect MACRO_SETTING_HEADING{469, 160, 578, 181};

}  // namespace kv12::ui::layout
