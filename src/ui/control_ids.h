// Every child-control id of the program's windows, in one place: the ids are
// what WM_COMMAND and WM_CTLCOLOR* carry, so two controls of one window must
// never share one, and a reader looking for "who owns 152" finds it here.
#pragma once

namespace kv12::ui::control_ids {

// --- the main window, basic page ---------------------------------------------
inline constexpr int DPI_SIDE_LIST = 40;          // "DPI +", "DPI -", "DPI Loop" beside the "DPI Switch" item
inline constexpr int FIRST_ASSIGNMENT_LIST = 41;  // the list of button k is 40 + k, k = 1..8
constexpr int AssignmentList(int button) {
    return DPI_SIDE_LIST + button;
}
inline constexpr int LIGHTING_MODE_LIST = 60;
inline constexpr int LIGHTING_PARAMETER_LIST = 61;
inline constexpr int LIGHTING_EFFECT_LIST = 62;
inline constexpr int FIRST_STAGE_SWATCH = 71;  // the colour swatches of stages 1..4: 71..74
inline constexpr int LIGHTING_MODE_BOX = 80;
inline constexpr int LIGHTING_PARAMETER_BOX = 81;
inline constexpr int LIGHTING_EFFECT_BOX = 82;

// --- the main window, advanced page ------------------------------------------
inline constexpr int LOOP_TIMES_BOX = 149;
inline constexpr int MACRO_NAME_BOX = 150;
inline constexpr int MACRO_LIST = 151;
inline constexpr int SEQUENCE_LIST = 152;
inline constexpr int MOUSE_EVENT_LIST = 154;
// The sequence list's context menu: "Delete" (menu 178).
inline constexpr int SEQUENCE_MENU = 178;
inline constexpr int SEQUENCE_DELETE_COMMAND = 32772;

// --- the sub-dialogs -----------------------------------------------------------
inline constexpr int SINGLE_KEY_DISPLAY = 502;
inline constexpr int COMBO_MODIFIER_DISPLAY = 512;
inline constexpr int COMBO_MODIFIER_LIST = 515;
inline constexpr int COMBO_FIRST_KEY = 516;
inline constexpr int COMBO_SECOND_KEY = 517;
inline constexpr int WINDOWS_KEY_DISPLAY = 532;
inline constexpr int WINDOWS_KEY_LIST = 533;
inline constexpr int MEDIA_KEY_DISPLAY = 552;
inline constexpr int MEDIA_KEY_LIST = 553;
inline constexpr int SKIN_NAME_LABEL = 560;
inline constexpr int SKIN_COLOR_SWATCH = 561;
inline constexpr int SKIN_LIST = 562;
inline constexpr int FIRE_KEY_DISPLAY = 572;
inline constexpr int FIRE_KEY_LIST = 573;
inline constexpr int FIRE_SPEED_FIELD = 574;
inline constexpr int FIRE_TIMES_FIELD = 575;
inline constexpr int MACRO_KEY_DISPLAY = 592;
inline constexpr int MACRO_KEY_LIST = 593;
inline constexpr int DELAY_FIELD = 600;

}  // namespace kv12::ui::control_ids
