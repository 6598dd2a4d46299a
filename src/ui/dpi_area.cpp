#include "ui/dpi_area.h"

#include <algorithm>
#include <string>

#include "ui/dpi_tables.h"
#include "ui/main_window_layout.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using layout::DpiStepCell;
using layout::FIRST_SWATCH_ID;
using layout::ReportRateCell;
using layout::StageEnableBox;
using layout::StageSwatch;

// The labels left of the swatch row and the enable-box row: English in every language.
constexpr std::string_view COLOR_LABEL = "Color";
constexpr std::string_view SELECT_LABEL = "Select";
// Scale texts stand this far left of the level columns: wider for the 12-step table.
constexpr int SCALE_OFFSET_8_STEPS = 60;
constexpr int SCALE_OFFSET_12_STEPS = 40;
constexpr int SCALE_GAP = 10;

bool ValidStage(int stage) {
    return stage >= 1 && stage <= STAGE_COUNT;
}

}  // namespace

DpiArea::DpiArea(const PageContext& context, const std::uint8_t& sensorType)
    : host_(context.host), block_(context.store.block), sensorType_(sensorType), skin_(context.skin) {}

void DpiArea::Build() {
    DrawRateCells();
    DrawStages();
}

void DpiArea::TearDown() {
    DestroySwatches();
}

bool DpiArea::OnPress(Point point) {
    for (int position = 1; position <= layout::REPORT_RATE_POSITIONS; ++position) {
        if (ReportRateCell(position).Contains(point)) {
            SelectReportRate(position);
            return true;
        }
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        if (StageEnableBox(stage).Contains(point)) {
            ToggleStage(stage);
            return true;
        }
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        if (StageSwatch(stage).Contains(point)) {
            ChooseStageColor(stage);
            return true;
        }
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        for (int step = 1; step <= layout::MAX_DPI_STEPS; ++step) {
            if (DpiStepCell(stage, step).Contains(point)) {
                // The upper four cells exist only on the twelve-step sensor;
                // elsewhere they are background and the press moves the window.
                if (!DpiStepSelectable(sensorType_, step)) return false;
                SelectDpiStep(stage, step);
                return true;
            }
        }
    }
    return false;
}

std::optional<ControlColors> DpiArea::ControlColorsFor(int id, ControlKind kind) const {
    if (kind != ControlKind::Static) return std::nullopt;
    const auto swatch = SwatchColor(id);
    if (!swatch) return std::nullopt;
    return ControlColors{.transparent = true, .brush = *swatch};
}

int DpiArea::StepCount() const {
    return static_cast<int>(DpiStepTable(sensorType_).size());
}

void DpiArea::DrawRateCells() {
    const int chosen = ReportRatePosition(block_.reportRate());
    for (int position = 1; position <= layout::REPORT_RATE_POSITIONS; ++position) {
        const auto image = position == chosen ? SkinImage::RateSliderLight : SkinImage::RateSliderDark;
        host_.DrawImage(SkinImageName(image), ReportRateCell(position).TopLeft());
    }
}

void DpiArea::DrawColumn(int stage, int litSteps) {
    for (int step = 1; step <= StepCount(); ++step) {
        const auto image = step <= litSteps ? SkinImage::DpiSliderLight : SkinImage::DpiSliderDark;
        host_.DrawImage(SkinImageName(image), DpiStepCell(stage, step).TopLeft());
    }
}

void DpiArea::DrawStageColumn(int stage) {
    const bool on = block_.dpiStageEnabled(stage - 1) != 0;
    DrawColumn(stage, on ? block_.dpiStage(stage - 1) + 1 : 0);
}

void DpiArea::DrawStages() {
    const Rgb color = skin_.TextColor;
    for (int position = 1; position <= layout::REPORT_RATE_POSITIONS; ++position) {
        const Rect cell = ReportRateCell(position);
        host_.DrawText(ReportRateCaption(position),
                       {cell.left, cell.bottom + 10, cell.right, cell.bottom + 30}, TextFormat::Centered,
                       FontRole::Normal, color);
    }
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        const Rect box = StageEnableBox(stage);
        const bool on = block_.dpiStageEnabled(stage - 1) != 0;
        host_.DrawImage(SkinImageName(on ? SkinImage::CheckBoxTicked : SkinImage::CheckBoxClear),
                        box.TopLeft());
        host_.DrawText(std::to_string(stage), {box.left, box.bottom + 5, box.right, box.bottom + 30},
                       TextFormat::Centered, FontRole::Normal, color);
        DrawStageColumn(stage);
    }
    const Rect firstSwatch = StageSwatch(1);
    host_.DrawText(COLOR_LABEL,
                   {firstSwatch.left - 60, firstSwatch.top, firstSwatch.left - 10, firstSwatch.bottom},
                   TextFormat::Right, FontRole::Normal, color);
    const Rect firstBox = StageEnableBox(1);
    host_.DrawText(SELECT_LABEL, {firstBox.left - 60, firstBox.top, firstBox.left - 10, firstBox.bottom},
                   TextFormat::Right, FontRole::Normal, color);

    const auto table = DpiStepTable(sensorType_);
    const int offset = table.size() > 8 ? SCALE_OFFSET_12_STEPS : SCALE_OFFSET_8_STEPS;
    for (int step = 1; step <= static_cast<int>(table.size()); ++step) {
        const Rect cell = DpiStepCell(1, step);
        host_.DrawText(table[static_cast<std::size_t>(step - 1)],
                       {cell.left - offset, cell.top, cell.left - SCALE_GAP, cell.bottom}, TextFormat::Right,
                       FontRole::Normal, color);
    }

    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        const int id = FIRST_SWATCH_ID + stage - 1;
        if (!host_.ControlExists(id)) {
            host_.CreateControl({id, ControlKind::Static, StageSwatch(stage), STYLE_STATIC, {}});
        } else {
            host_.InvalidateControl(id);
        }
    }
}

void DpiArea::DestroySwatches() {
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        const int id = FIRST_SWATCH_ID + stage - 1;
        if (host_.ControlExists(id)) host_.DestroyControl(id);
    }
}

void DpiArea::SelectReportRate(int position) {
    const std::uint8_t code = ReportRateCode(position);
    if (code == 0 || block_.reportRate() == code) return;
    // The previous position is the one the page shows light, so that a code
    // the page does not know (shown at 1000 Hz) is darkened too.
    const int previous = ReportRatePosition(block_.reportRate());
    if (previous != position) {
        host_.DrawImage(SkinImageName(SkinImage::RateSliderDark), ReportRateCell(previous).TopLeft());
    }
    host_.DrawImage(SkinImageName(SkinImage::RateSliderLight), ReportRateCell(position).TopLeft());
    block_.reportRate() = code;
    host_.Present();
}

void DpiArea::ToggleStage(int stage) {
    if (!ValidStage(stage)) return;
    const int k = stage - 1;
    if (block_.dpiStageEnabled(k) == 0) {
        host_.DrawImage(SkinImageName(SkinImage::CheckBoxTicked), StageEnableBox(stage).TopLeft());
        block_.dpiStageEnabled(k) = 1;
        DrawColumn(stage, block_.dpiStage(k) + 1);
        host_.Present();
        return;
    }
    bool anotherOn = false;
    for (int other = 0; other < STAGE_COUNT; ++other) {
        if (other != k && block_.dpiStageEnabled(other) != 0) anotherOn = true;
    }
    if (!anotherOn) return;  // at least one stage always stays on
    host_.DrawImage(SkinImageName(SkinImage::CheckBoxClear), StageEnableBox(stage).TopLeft());
    block_.dpiStageEnabled(k) = 0;
    DrawColumn(stage, 0);
    host_.Present();
}

void DpiArea::SelectDpiStep(int stage, int step) {
    if (!ValidStage(stage) || step < 1 || step > layout::MAX_DPI_STEPS) return;
    block_.dpiStage(stage - 1) = static_cast<std::uint8_t>(step - 1);
    DrawColumn(stage, step);
    host_.Present();
}

void DpiArea::ChooseStageColor(int stage) {
    if (!ValidStage(stage) || block_.dpiStageEnabled(stage - 1) == 0) return;
    const auto chosen = host_.ChooseColor(Rgb{0, 0, 0});
    if (!chosen) return;
    block_.stageColor(stage - 1, ColorChannel::Red) = chosen->r;
    block_.stageColor(stage - 1, ColorChannel::Green) = chosen->g;
    block_.stageColor(stage - 1, ColorChannel::Blue) = chosen->b;
    host_.InvalidateControl(FIRST_SWATCH_ID + stage - 1);
}

std::optional<Rgb> DpiArea::SwatchColor(int controlId) const {
    const int k = controlId - FIRST_SWATCH_ID;
    if (k < 0 || k >= STAGE_COUNT) return std::nullopt;
    return Rgb{block_.stageColor(k, ColorChannel::Red), block_.stageColor(k, ColorChannel::Green),
               block_.stageColor(k, ColorChannel::Blue)};
}

}  // namespace kv12::ui
