// The click dispatcher: a press on the client area is tested against fixed
// rectangles in a fixed order. The frame's tests come first, then the shown
// page's areas (DispatchToAreas); a press that hits nothing moves the window.
#include <array>

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

    const bool handled = DispatchToAreas(point);
    if (!handled && !OnFrameButton(point)) host_.StartDrag(point);
}

}  // namespace kv12::ui
