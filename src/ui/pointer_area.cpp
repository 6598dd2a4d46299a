#include "ui/pointer_area.h"

#include <algorithm>
#include <string>

#include "core/dialog_texts.h"
#include "core/pointer_positions.h"
#include "ui/main_window_layout.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using layout::POINTER_DEFAULTS_BUTTON;
using layout::POINTER_SLIDER_CELLS;
using layout::POINTER_SLIDERS;
using layout::PointerSliderCell;

// The block's pointer flags.
constexpr int FLAG_PRECISION = 0;
constexpr int FLAG_ONE_SCREEN = 1;
constexpr int FLAG_COUNT = 2;

// Each box's text runs from 10 px right of the box to x 408.
constexpr int BOX_TEXT_GAP = 10;
constexpr int BOX_TEXT_RIGHT = 408;
// The step numbers stand 10..30 px under their steps.
constexpr int STEP_NUMBER_TOP = 10;
constexpr int STEP_NUMBER_BOTTOM = 30;

// "Enhance Pointer Precision": two thresholds and the acceleration.
constexpr MouseParameters PRECISION_ON{6, 10, 1};
constexpr MouseParameters PRECISION_OFF{0, 0, 0};

// What "Default" writes, and the positions that show it.
constexpr std::uint32_t DEFAULT_SPEED = 10;
constexpr std::uint32_t DEFAULT_WHEEL_LINES = 3;
constexpr std::uint32_t DEFAULT_DOUBLE_CLICK_MS = 500;
constexpr std::uint8_t DEFAULT_SPEED_POSITION = 6;
constexpr std::uint8_t DEFAULT_WHEEL_POSITION = 3;
constexpr std::uint8_t DEFAULT_DOUBLE_CLICK_POSITION = 6;

// The messages of failed calls, English in every language.
constexpr const char* GET_SPEED_FAILED = "GETMOUSESPEED failed.";
constexpr const char* GET_WHEEL_FAILED = "GETWHEELSCROLLLINES failed.";
constexpr const char* GET_DOUBLE_CLICK_FAILED = "GetDoubleClickTime failed.";
constexpr const char* SET_MOUSE_FAILED = "SETMOUSE failed.";
constexpr const char* SET_SPEED_FAILED = "SETMOUSESPEED failed.";
constexpr const char* SET_WHEEL_FAILED = "SETWHEELSCROLLLINES failed.";
constexpr const char* SET_DOUBLE_CLICK_FAILED = "SPI_SETDOUBLECLICKTIME failed.";

constexpr Rect BoxRect(int index) {
    return index == FLAG_PRECISION ? layout::POINTER_SWITCH_1 : layout::POINTER_SWITCH_2;
}

bool ValidSlider(int slider) {
    return slider >= 1 && slider <= POINTER_SLIDERS;
}

}  // namespace

PointerArea::PointerArea(const PageContext& context) : context_(context) {}

void PointerArea::Build() {
    if (!valuesRead_) {
        ReadPointerSettings();
    } else {
        for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) DrawSlider(slider);
    }
    for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) {
        for (int step = 1; step <= POINTER_SLIDER_CELLS; ++step) {
            const Rect cell = PointerSliderCell(slider, step);
            context_.host.DrawText(
                std::to_string(step),
                {cell.left, cell.bottom + STEP_NUMBER_TOP, cell.right, cell.bottom + STEP_NUMBER_BOTTOM},
                TextFormat::Centered, FontRole::Normal, context_.skin.TextColor);
        }
    }
    constexpr int BOX_TEXT_ROWS[FLAG_COUNT] = {TXT_ENHANCE_POINTER_PRECISION, TXT_SCROLL_ONE_SCREEN};
    for (int index = 0; index < FLAG_COUNT; ++index) {
        DrawBox(index);
        const Rect box = BoxRect(index);
        context_.host.DrawText(context_.texts[BOX_TEXT_ROWS[index]],
                               {box.right + BOX_TEXT_GAP, box.top, BOX_TEXT_RIGHT, box.bottom},
                               TextFormat::Left, FontRole::Normal, context_.skin.TextColor);
    }
}

bool PointerArea::OnPress(Point point) {
    if (BoxRect(FLAG_PRECISION).Contains(point)) {
        TogglePrecision();
        return true;
    }
    if (BoxRect(FLAG_ONE_SCREEN).Contains(point)) {
        ToggleOneScreen();
        return true;
    }
    if (POINTER_DEFAULTS_BUTTON.Contains(point)) {
        RestorePointerDefaults();
        return true;
    }
    for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) {
        for (int step = 1; step <= POINTER_SLIDER_CELLS; ++step) {
            if (PointerSliderCell(slider, step).Contains(point)) {
                SelectPointerStep(slider, step);
                return true;
            }
        }
    }
    return false;
}

void PointerArea::OnApplied() {
    ApplyPointerSettings();
}

void PointerArea::ReadPointerSettings() {
    PointerSettingsPort& system = context_.host.PointerSettings();
    SettingsBlock& block = context_.store.block;

    const auto mouse = system.GetMouse();
    block.pointerFlag(FLAG_PRECISION) = mouse && (*mouse)[2] != 0 ? 1 : 0;

    if (const auto speed = system.GetMouseSpeed()) {
        block.pointerValue(SLIDER_SPEED - 1) = PositionOfPointerSpeed(*speed);
    } else {
        ShowWarning(GET_SPEED_FAILED);
    }

    if (const auto lines = system.GetWheelScrollLines()) {
        const bool oneScreen = *lines == WHEEL_PAGE_SCROLL;
        block.pointerFlag(FLAG_ONE_SCREEN) = oneScreen ? 1 : 0;
        block.pointerValue(SLIDER_SCROLLING - 1) = oneScreen ? 0 : PositionOfWheelLines(*lines);
    } else {
        ShowWarning(GET_WHEEL_FAILED);
    }

    // A failed read answers 0 ms, which is no time at all: the stored
    // position stays, as for the other settings.
    const std::uint32_t time = system.GetDoubleClickTime();
    if (time == 0) {
        ShowWarning(GET_DOUBLE_CLICK_FAILED);
    } else {
        block.pointerValue(SLIDER_DOUBLE_CLICK - 1) = PositionOfDoubleClickTime(time);
    }

    for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) DrawSlider(slider);
    valuesRead_ = true;
}

void PointerArea::SelectPointerStep(int slider, int step) {
    if (!ValidSlider(slider) || step < 1 || step > POINTER_SLIDER_CELLS) return;
    context_.store.block.pointerValue(slider - 1) = static_cast<std::uint8_t>(step);
    DrawSlider(slider);
    context_.host.Present();
}

void PointerArea::TogglePrecision() {
    std::uint8_t& flag = context_.store.block.pointerFlag(FLAG_PRECISION);
    flag = flag != 0 ? 0 : 1;
    DrawBox(FLAG_PRECISION);
    context_.host.Present();
}

void PointerArea::ToggleOneScreen() {
    std::uint8_t& flag = context_.store.block.pointerFlag(FLAG_ONE_SCREEN);
    flag = flag != 0 ? 0 : 1;
    DrawBox(FLAG_ONE_SCREEN);
    context_.host.Present();
}

void PointerArea::ApplyPointerSettings() {
    PointerSettingsPort& system = context_.host.PointerSettings();
    const SettingsBlock& block = context_.store.block;
    // A stored position outside the slider is written as the nearest step.
    const auto position = [&](int slider) { return ClampPointerPosition(block.pointerValue(slider - 1)); };

    if (!system.SetMouse(block.pointerFlag(FLAG_PRECISION) != 0 ? PRECISION_ON : PRECISION_OFF)) {
        ShowWarning(SET_MOUSE_FAILED);
    }
    const auto speed = static_cast<std::uint32_t>(*PointerSpeedOfPosition(position(SLIDER_SPEED)));
    if (!system.SetMouseSpeed(speed)) ShowWarning(SET_SPEED_FAILED);
    const std::uint32_t lines = block.pointerFlag(FLAG_ONE_SCREEN) != 0
                                    ? WHEEL_PAGE_SCROLL
                                    : static_cast<std::uint32_t>(position(SLIDER_SCROLLING));
    if (!system.SetWheelScrollLines(lines)) ShowWarning(SET_WHEEL_FAILED);
    const auto time = static_cast<std::uint32_t>(*DoubleClickTimeOfPosition(position(SLIDER_DOUBLE_CLICK)));
    if (!system.SetDoubleClickTime(time)) ShowWarning(SET_DOUBLE_CLICK_FAILED);
}

void PointerArea::RestorePointerDefaults() {
    PointerSettingsPort& system = context_.host.PointerSettings();
    if (!system.SetMouse(PRECISION_OFF)) ShowWarning(SET_MOUSE_FAILED);
    if (!system.SetMouseSpeed(DEFAULT_SPEED)) ShowWarning(SET_SPEED_FAILED);
    if (!system.SetWheelScrollLines(DEFAULT_WHEEL_LINES)) ShowWarning(SET_WHEEL_FAILED);
    if (!system.SetDoubleClickTime(DEFAULT_DOUBLE_CLICK_MS)) ShowWarning(SET_DOUBLE_CLICK_FAILED);

    SettingsBlock& block = context_.store.block;
    block.pointerFlag(FLAG_PRECISION) = 0;
    block.pointerFlag(FLAG_ONE_SCREEN) = 0;
    DrawBox(FLAG_PRECISION);
    DrawBox(FLAG_ONE_SCREEN);
    block.pointerValue(SLIDER_SPEED - 1) = DEFAULT_SPEED_POSITION;
    block.pointerValue(SLIDER_SCROLLING - 1) = DEFAULT_WHEEL_POSITION;
    block.pointerValue(SLIDER_DOUBLE_CLICK - 1) = DEFAULT_DOUBLE_CLICK_POSITION;
    for (int slider = 1; slider <= POINTER_SLIDERS; ++slider) DrawSlider(slider);
    context_.host.Present();
}

void PointerArea::DrawSlider(int slider) {
    // A position beyond the slider shows all eleven steps light; 0 shows none.
    const int shown = std::min<int>(context_.store.block.pointerValue(slider - 1), POINTER_SLIDER_CELLS);
    for (int step = 1; step <= POINTER_SLIDER_CELLS; ++step) {
        const auto image = step <= shown ? SkinImage::SliderLight : SkinImage::SliderDark;
        context_.host.DrawImage(SkinImageName(image), PointerSliderCell(slider, step).TopLeft());
    }
}

void PointerArea::DrawBox(int index) {
    const bool ticked = context_.store.block.pointerFlag(index) != 0;
    context_.host.DrawImage(SkinImageName(ticked ? SkinImage::CheckBoxTicked : SkinImage::CheckBoxClear),
                            BoxRect(index).TopLeft());
}

void PointerArea::ShowWarning(const char* text) {
    context_.host.ShowMessage(text, WARNING_CAPTION);
}

}  // namespace kv12::ui
