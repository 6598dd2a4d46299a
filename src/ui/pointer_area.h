// The Windows pointer settings on the left of the advanced page: three
// eleven-step sliders (pointer speed, wheel scroll lines, double-click time),
// "Enhance Pointer Precision", "Scroll One Screen" and "Default". The settings
// block holds the choices as slider positions and flags; they are read from
// Windows the first time the page is built in a run and written to Windows on
// OK and Apply. "Default" writes the Windows defaults at once. Nothing here
// goes to the mouse.
//
// A position outside 1..11 (an all-zero block, a value Windows holds beyond
// the slider's ends) is kept as it is stored, shown at most at 11, and written
// to Windows as the nearest position in range: Windows never gets speed 0,
// 0 wheel lines or a wrapped double-click time from the page.
#pragma once

#include "core/settings_block.h"
#include "ui/page_area.h"

namespace kv12::ui {

// The three sliders.
enum PointerSlider : int { SLIDER_SPEED = 1, SLIDER_SCROLLING = 2, SLIDER_DOUBLE_CLICK = 3 };

class PointerArea final : public PageArea {
  public:
    explicit PointerArea(const PageContext& context);

    // --- PageArea -----------------------------------------------------------
    /// The first build in a run reads the values from Windows
    /// (ReadPointerSettings); every build then draws the sliders with the
    /// step numbers under them, and the two boxes with their texts.
    void Build() override;
    /// The area has no controls.
    void TearDown() override {}
    /// A slider step, one of the two boxes or "Default".
    bool OnPress(Point point) override;
    /// OK and Apply: ApplyPointerSettings.
    void OnApplied() override;

    // --- operations ---------------------------------------------------------
    /// Reads the four settings from Windows into the block and marks them
    /// read. A failed read shows its message ("Warning") and reading goes on;
    /// a speed or wheel setting Windows does not give keeps what the block holds.
    void ReadPointerSettings();
    /// Stores step 1..11 as the position of slider 1..3 and redraws that
    /// slider; Windows is not changed yet.
    void SelectPointerStep(int slider, int step);
    /// Flip "Enhance Pointer Precision" / "Scroll One Screen" and redraw its box.
    void TogglePrecision();
    void ToggleOneScreen();
    /// Writes the block's choices to Windows, each setting on its own: a
    /// refused write shows its message ("Warning") and the next still goes.
    void ApplyPointerSettings();
    /// Writes the Windows defaults at once (precision off, speed 10, three
    /// lines, 500 ms), then shows them: boxes clear, positions 6, 3 and 6.
    void RestorePointerDefaults();

    /// Whether the values have been read from Windows in this run.
    bool ValuesRead() const { return valuesRead_; }

  private:
    void DrawSlider(int slider);
    void DrawBox(int index);
    void ShowWarning(const char* text);

    PageContext context_;
    bool valuesRead_ = false;
};

}  // namespace kv12::ui
