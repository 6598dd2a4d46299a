// The report-rate selector and the four DPI stages of the basic page: each
// stage has an enable box, a column of level cells and a colour swatch (a real
// static control, 71..74, painted with the stage colour). Every operation
// edits the settings block and redraws what changed; nothing reaches the mouse
// before the user applies.
#pragma once

#include <cstdint>
#include <optional>

#include "core/settings_block.h"
#include "ui/page_area.h"
#include "ui/skin_state.h"
#include "ui/window_host.h"

namespace kv12::ui {

class DpiArea final : public PageArea {
  public:
    // The block, the sensor type and the skin are read at each call, so they
    // may change between calls (Cancel, a new mouse, a new skin).
    DpiArea(const PageContext& context, const std::uint8_t& sensorType);

    // --- PageArea -----------------------------------------------------------
    /// The rate cells, then the stages (DrawRateCells, DrawStages).
    void Build() override;
    /// The swatch controls go (DestroySwatches).
    void TearDown() override;
    /// A rate cell, a stage's enable box, swatch or level cell. A level cell
    /// that the sensor does not have is background: the press is not taken.
    bool OnPress(Point point) override;
    /// The swatches are painted with their stage's colour.
    std::optional<ControlColors> ControlColorsFor(int id, ControlKind kind) const override;

    /// The report-rate cells, the light one for the stored code (page build, no Present).
    void DrawRateCells();
    /// Everything else of the area into the canvas and the swatch controls
    /// (page build, no Present): rate captions, enable boxes with their numbers,
    /// the "Color" and "Select" labels, the level columns and the scale.
    void DrawStages();
    /// Destroys the four swatch controls that exist.
    void DestroySwatches();

    /// Position 1..4 (125, 250, 500, 1000 Hz). Redraws the two positions that
    /// change and presents; a click on the chosen position changes nothing.
    void SelectReportRate(int position);
    /// Stage 1..4 on or off; the last stage that is on stays on.
    void ToggleStage(int stage);
    /// Level `step` (1..12) of stage 1..4, whether or not the stage is on.
    void SelectDpiStep(int stage, int step);
    /// The colour chooser for a stage that is on; a stage that is off, or a
    /// cancelled chooser, changes nothing.
    void ChooseStageColor(int stage);

    /// The colour a swatch control (71..74) is painted with; nullopt for another id.
    std::optional<Rgb> SwatchColor(int controlId) const;

  private:
    int StepCount() const;
    void DrawColumn(int stage, int litSteps);
    void DrawStageColumn(int stage);

    WindowHost& host_;
    SettingsBlock& block_;  // the store's block: Cancel restores it in place
    const std::uint8_t& sensorType_;
    const SkinState& skin_;
};

}  // namespace kv12::ui
