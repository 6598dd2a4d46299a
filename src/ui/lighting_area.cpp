#include "ui/lighting_area.h"

#include "core/lighting_texts.h"
#include "ui/control_ids.h"
#include "ui/main_window_layout.h"

namespace kv12::ui {

namespace {

using namespace lighting_layout;
using layout::LightingListOpener;

constexpr int MODE_ROW = 1;
constexpr int PARAMETER_ROW = 2;
constexpr int EFFECT_ROW = 3;
constexpr int LIGHT_MODE_COUNT = 4;
constexpr int LIGHT_EFFECT_COUNT = 4;
// The effect of modes 1 and 2 as the page shows it after a choice, and the
// first of the two effects mode 3 offers (ledEffect3 = list position + 2).
constexpr int EFFECT_RGB = 1;
constexpr int FIRST_NEON_EFFECT = 2;
// Labels stand right-aligned from 70 to 10 pixels left of their row.
constexpr int LABEL_LEFT = 70;
constexpr int LABEL_GAP = 10;

}  // namespace

std::string LightingParameterText(int mode, int value) {
    switch (mode) {
        case LIGHT_STANDARD:
            return std::string(BrightnessText(value));
        case LIGHT_RESPIRATION:
            return std::string(RespirationCycleText(value));
        case LIGHT_NEON:
            return NeonCycleText(value);
        default:
            return {};
    }
}

LightingArea::LightingArea(const PageContext& context)
    : context_(context),
      modeList_({control_ids::LIGHTING_MODE_LIST, MODE_LIST, LightingListOpener(MODE_ROW)}),
      parameterList_(
          {control_ids::LIGHTING_PARAMETER_LIST, PARAMETER_LIST_NEON, LightingListOpener(PARAMETER_ROW)}),
      effectList_({control_ids::LIGHTING_EFFECT_LIST, EFFECT_LIST, LightingListOpener(EFFECT_ROW)}) {
    modeList_.Bind(context_.host);
    parameterList_.Bind(context_.host);
    effectList_.Bind(context_.host);
}

std::string LightingArea::ModeText(int mode) const {
    if (mode < 0 || mode >= LIGHT_MODE_COUNT) return {};
    return std::string(context_.texts[TXT_LIGHT_MODE_FIRST + mode]);
}

std::string LightingArea::EffectText(int effect) const {
    if (effect < 0 || effect >= LIGHT_EFFECT_COUNT) return {};
    return std::string(context_.texts[TXT_LIGHT_EFFECT_FIRST + effect]);
}

std::string LightingArea::ParameterText(int mode) const {
    if (mode < LIGHT_STANDARD || mode > LIGHT_NEON) return {};
    return LightingParameterText(mode, context_.store.block.ledParam(mode - 1));
}

std::string LightingArea::EffectTextOfMode(int mode) const {
    const SettingsBlock& block = context_.store.block;
    if (mode == LIGHT_STANDARD || mode == LIGHT_RESPIRATION)
        return EffectText(block.ledEffectOfMode12(mode - 1));
    if (mode == LIGHT_NEON) return EffectText(block.ledEffect3());
    return {};
}

std::vector<std::string> LightingArea::ParameterItems(int mode) const {
    std::vector<std::string> items;
    // Any mode but standard and respiration lists the neon times, lighting off included.
    const int count = mode == LIGHT_STANDARD      ? BRIGHTNESS_COUNT
                      : mode == LIGHT_RESPIRATION ? RESPIRATION_CYCLE_COUNT
                                                  : NEON_CYCLE_COUNT;
    const int textMode = mode == LIGHT_STANDARD || mode == LIGHT_RESPIRATION ? mode : LIGHT_NEON;
    for (int i = 0; i < count; ++i) items.push_back(LightingParameterText(textMode, i));
    return items;
}

void LightingArea::ShowBox(int id, const std::string& text) {
    WindowHost& host = context_.host;
    if (host.ControlExists(id)) {
        host.SetControlText(id, text);
        host.InvalidateControl(id);
        return;
    }
    host.CreateControl({id, ControlKind::Static, TextBox(id - control_ids::LIGHTING_MODE_BOX + 1),
                        STYLE_STATIC_CENTERED, text});
}

void LightingArea::Build() {
    const std::array<int, 3> labels = {TXT_MODE, TXT_PARAMETER, TXT_EFFECT};
    for (int row = MODE_ROW; row <= EFFECT_ROW; ++row) {
        const Rect opener = LightingListOpener(row);
        context_.host.DrawText(context_.texts[labels[static_cast<std::size_t>(row - 1)]],
                               {opener.left - LABEL_LEFT, opener.top, opener.left - LABEL_GAP, opener.bottom},
                               TextFormat::Right, FontRole::Normal, context_.skin.TextColor);
    }
    const int mode = context_.store.block.ledMode();
    ShowBox(control_ids::LIGHTING_MODE_BOX, ModeText(mode));
    if (mode >= LIGHT_STANDARD && mode <= LIGHT_NEON) {
        ShowBox(control_ids::LIGHTING_PARAMETER_BOX, ParameterText(mode));
        ShowBox(control_ids::LIGHTING_EFFECT_BOX, EffectTextOfMode(mode));
    }
}

void LightingArea::CloseAll() {
    modeList_.Close();
    parameterList_.Close();
    effectList_.Close();
}

void LightingArea::TearDown() {
    CloseAll();
    for (int id : {control_ids::LIGHTING_MODE_BOX, control_ids::LIGHTING_PARAMETER_BOX,
                   control_ids::LIGHTING_EFFECT_BOX}) {
        if (context_.host.ControlExists(id)) context_.host.DestroyControl(id);
    }
}

void LightingArea::CloseListsAwayFrom(Point point) {
    modeList_.CloseIfAwayFrom(point);
    parameterList_.CloseIfAwayFrom(point);
    effectList_.CloseIfAwayFrom(point);
}

bool LightingArea::OnPress(Point point) {
    if (LightingListOpener(MODE_ROW).Contains(point)) {
        OpenModeList();
        return true;
    }
    if (LightingListOpener(PARAMETER_ROW).Contains(point)) {
        OpenParameterList();
        return true;
    }
    if (LightingListOpener(EFFECT_ROW).Contains(point)) {
        OpenEffectList();
        return true;
    }
    return false;
}

bool LightingArea::ListOpen(int listId) const {
    for (const PopupList* list : {&modeList_, &parameterList_, &effectList_}) {
        if (list->Id() == listId) return list->IsOpen();
    }
    return false;
}

void LightingArea::OpenModeList() {
    std::vector<std::string> items;
    for (int mode = LIGHT_STANDARD; mode <= LIGHT_NEON; ++mode) items.push_back(ModeText(mode));
    modeList_.Toggle(std::move(items));
}

void LightingArea::OpenParameterList() {
    if (parameterList_.IsOpen()) {
        parameterList_.Close();
        return;
    }
    const int mode = context_.store.block.ledMode();
    const Rect rect = mode == LIGHT_STANDARD      ? PARAMETER_LIST_BRIGHTNESS
                      : mode == LIGHT_RESPIRATION ? PARAMETER_LIST_RESPIRATION
                                                  : PARAMETER_LIST_NEON;
    parameterList_.Open(ParameterItems(mode), rect);
}

void LightingArea::OpenEffectList() {
    const int mode = context_.store.block.ledMode();
    if (mode == LIGHT_STANDARD || mode == LIGHT_RESPIRATION) {
        // One effect only: the box shows it instead of a list.
        ShowBox(control_ids::LIGHTING_EFFECT_BOX, EffectText(EFFECT_RGB));
        return;
    }
    if (mode != LIGHT_NEON) return;
    effectList_.Toggle({EffectText(FIRST_NEON_EFFECT), EffectText(FIRST_NEON_EFFECT + 1)});
}

bool LightingArea::OnCommand(int id, int notifyCode) {
    PopupList* lists[] = {&modeList_, &parameterList_, &effectList_};
    for (PopupList* list : lists) {
        if (list->Id() != id) continue;
        const auto position = list->ChoiceFrom(id, notifyCode);
        if (!position) return true;
        if (list == &modeList_) ChooseMode(*position);
        if (list == &parameterList_) ChooseParameter(*position);
        if (list == &effectList_) ChooseEffect(*position);
        return true;
    }
    return false;
}

void LightingArea::ChooseMode(int position) {
    if (position < 0 || position >= LIGHT_NEON) return;
    const int mode = position + 1;
    context_.store.block.ledMode() = static_cast<std::uint8_t>(mode);
    ShowBox(control_ids::LIGHTING_MODE_BOX, ModeText(mode));
    // Modes 1 and 2 have the one effect "RGB Effect"; mode 3 shows its stored one.
    ShowBox(control_ids::LIGHTING_PARAMETER_BOX, ParameterText(mode));
    ShowBox(control_ids::LIGHTING_EFFECT_BOX,
            mode == LIGHT_NEON ? EffectTextOfMode(mode) : EffectText(EFFECT_RGB));
    modeList_.Close();
}

void LightingArea::ChooseParameter(int position) {
    const int mode = context_.store.block.ledMode();
    if (mode >= LIGHT_STANDARD && mode <= LIGHT_NEON) {
        context_.store.block.ledParam(mode - 1) = static_cast<std::uint8_t>(position);
    }
    if (context_.host.ControlExists(control_ids::LIGHTING_PARAMETER_BOX))
        ShowBox(control_ids::LIGHTING_PARAMETER_BOX, parameterList_.ItemText(position));
    parameterList_.Close();
}

void LightingArea::ChooseEffect(int position) {
    if (position < 0 || position > 1) return;
    context_.store.block.ledEffect3() = static_cast<std::uint8_t>(FIRST_NEON_EFFECT + position);
    ShowBox(control_ids::LIGHTING_EFFECT_BOX, effectList_.ItemText(position));
    effectList_.Close();
}

}  // namespace kv12::ui
