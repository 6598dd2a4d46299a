// The areas of the main window's two pages, in one place. An area is built
// after the ones before it and is offered a press after them; their
// rectangles do not overlap, so the order only decides the drawing order.
#include "ui/assignment_area.h"
#include "ui/dpi_area.h"
#include "ui/lighting_area.h"
#include "ui/macro_area.h"
#include "ui/main_window.h"
#include "ui/modal_assignment_dialogs.h"
#include "ui/pointer_area.h"

namespace kv12::ui {

void CHidMouseDlg::CreatePageAreas() {
    // --- the basic page ------------------------------------------------------
    auto dpi = std::make_unique<DpiArea>(context_, link_.state().sensorType);
    dpi_ = dpi.get();
    basicAreas_.push_back(std::move(dpi));
    assignmentDialogs_ = std::make_unique<ModalAssignmentDialogs>(context_);
    basicAreas_.push_back(
        std::make_unique<AssignmentArea>(context_, *assignmentDialogs_, [this] { RedrawKeyArea(); }));
    basicAreas_.push_back(std::make_unique<LightingArea>(context_));

    // --- the advanced page -----------------------------------------------------
    // Register the advanced page's areas here (the pointer settings, the macro
    // area), each as advancedAreas_.push_back(std::make_unique<...>(context_, ...)).
    advancedAreas_.push_back(std::make_unique<PointerArea>(context_));
    advancedAreas_.push_back(std::make_unique<MacroArea>(context_));
}

void CHidMouseDlg::AddPageArea(int page, std::unique_ptr<PageArea> area) {
    if (AreaList* areas = AreasOf(page)) areas->push_back(std::move(area));
}

CHidMouseDlg::AreaList* CHidMouseDlg::AreasOf(int page) {
    if (page == PAGE_BASIC) return &basicAreas_;
    if (page == PAGE_ADVANCED) return &advancedAreas_;
    return nullptr;
}

const CHidMouseDlg::AreaList* CHidMouseDlg::AreasOf(int page) const {
    if (page == PAGE_BASIC) return &basicAreas_;
    if (page == PAGE_ADVANCED) return &advancedAreas_;
    return nullptr;
}

bool CHidMouseDlg::DispatchToAreas(Point point) {
    AreaList* areas = AreasOf(currentPage_);
    if (areas == nullptr) return false;
    // Every open list that the press misses closes before any area sees it.
    for (const auto& area : *areas) area->CloseListsAwayFrom(point);
    for (const auto& area : *areas) {
        if (area->OnPress(point)) return true;
    }
    return false;
}

}  // namespace kv12::ui
