// The parts of the main window's two pages whose behaviour lives in classes of
// their own: the assignment menus and the lighting lists of the basic page, the
// Windows pointer settings and the macro area of the advanced page. The main
// window draws the pages' frames, DPI and report-rate areas itself and calls
// these where its click dispatcher and page builders reach them. A main window
// without them leaves those regions inert (a press there drags nothing either:
// it is a control of the page).
#pragma once

#include "ui/window_host.h"

namespace kv12::ui {

class PageAreas {
  public:
    virtual ~PageAreas() = default;

    // --- the basic page ----------------------------------------------------
    // Closes every open drop-down list whose list and opener both miss the point
    // (run before any other test of a press on the basic page).
    virtual void CloseBasicListsAwayFrom(Point point) = 0;
    // "Mode A" (0) or "Mode B" (1).
    virtual void SelectKeyMode(int mode) = 0;
    // "Default": the factory assignment of both key modes.
    virtual void RestoreDefaultKeys() = 0;
    // Opens or closes the assignment list of button 1..6.
    virtual void ToggleAssignmentList(int button) = 0;
    // Opens lighting list 1..3.
    virtual void OpenLightingList(int list) = 0;
    // Draws and creates the rest of the basic page (the lighting area) into the
    // canvas while the page is built; the main window presents afterwards.
    virtual void BuildBasicArea() = 0;
    // Destroys the basic page's controls of these areas and their open lists.
    virtual void TearDownBasicArea() = 0;

    // --- the advanced page -------------------------------------------------
    // Closes the mouse-event list unless the point is in its box or in the list.
    virtual void CloseMouseEventListAwayFrom(Point point) = 0;
    // Pointer check box 1 or 2.
    virtual void TogglePointerSwitch(int which) = 0;
    virtual void RestorePointerDefaults() = 0;
    virtual void StartRecording() = 0;
    virtual void StopRecording() = 0;
    // Macro button 1..3: New, Delete, Confirm.
    virtual void PressMacroButton(int button) = 0;
    virtual void ToggleMouseEventList() = 0;
    // Pointer slider 1..3 set to cell 1..11.
    virtual void SetPointerSlider(int slider, int cell) = 0;
    // As BuildBasicArea, for the advanced page (pointer values, macro area).
    virtual void BuildAdvancedArea() = 0;
    // Destroys the advanced page's controls and list, and removes the recorder's hook.
    virtual void TearDownAdvancedArea() = 0;

    // --- both --------------------------------------------------------------
    // OK and Apply: the Windows pointer settings, after the mouse's settings went out.
    virtual void ApplyPointerSettings() = 0;
    // WM_COMMAND from the pages' controls (40..62, 149..154) and the macro
    // sequence's context menu (32772).
    virtual void OnCommand(int id, int notifyCode) = 0;
};

}  // namespace kv12::ui
