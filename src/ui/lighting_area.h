// The lighting rows of the basic page ("DPI Effect"): "Mode", "Parameter" and
// "Effect", each a text box that drops down a list when clicked. Each
// lighting mode keeps its own parameter byte, so changing the mode never
// loses the others' values. Choices edit the settings block only.
#pragma once

#include <string>
#include <vector>

#include "core/settings_block.h"
#include "ui/page_area.h"
#include "ui/popup_list.h"

namespace kv12::ui {

namespace lighting_layout {
// The text boxes (static controls 80..82) and their click regions, 30 px apart.
constexpr Rect TextBox(int row) {
    const int dy = 30 * (row - 1);
    return {767, 330 + dy, 835, 344 + dy};
}
inline constexpr Rect MODE_LIST{766, 347, 851, 407};
inline constexpr Rect EFFECT_LIST{766, 407, 851, 447};
// The parameter list grows with its items: ten brightness texts, five or thirty cycle times.
inline constexpr Rect PARAMETER_LIST_BRIGHTNESS{767, 377, 851, 547};
inline constexpr Rect PARAMETER_LIST_RESPIRATION{767, 377, 851, 467};
inline constexpr Rect PARAMETER_LIST_NEON{767, 377, 851, 577};
}  // namespace lighting_layout

// The lighting modes as ledMode stores them.
enum LightingMode : std::uint8_t { LIGHT_OFF = 0, LIGHT_STANDARD = 1, LIGHT_RESPIRATION = 2, LIGHT_NEON = 3 };

class LightingArea final : public PageArea {
  public:
    explicit LightingArea(const PageContext& context);

    // --- PageArea -----------------------------------------------------------
    /// The row labels and the text boxes of the stored mode (only the mode's
    /// box when lighting is off).
    void Build() override;
    void TearDown() override;
    void CloseListsAwayFrom(Point point) override;
    bool OnPress(Point point) override;
    /// Selections and double clicks of lists 60, 61 and 62.
    bool OnCommand(int id, int notifyCode) override;

    // --- operations ---------------------------------------------------------
    void OpenModeList();
    void OpenParameterList();
    /// Modes 1 and 2 have one effect, shown at once; mode 3 offers two; off, none.
    void OpenEffectList();
    /// List position 0..2: modes 1..3.
    void ChooseMode(int position);
    void ChooseParameter(int position);
    /// List position 0..1: "RGB Flash", "RGB Fixed On".
    void ChooseEffect(int position);

    bool ListOpen(int listId) const;

  private:
    std::string ModeText(int mode) const;
    std::string EffectText(int effect) const;
    /// The parameter text of a mode's stored byte; empty when lighting is off.
    std::string ParameterText(int mode) const;
    std::string EffectTextOfMode(int mode) const;
    std::vector<std::string> ParameterItems(int mode) const;
    void ShowBox(int id, const std::string& text);
    void CloseAll();

    PageContext context_;
    PopupList modeList_;
    PopupList parameterList_;
    PopupList effectList_;
};

/// The text of a lighting parameter byte in a mode (brightness, respiration or
/// neon cycle); empty for lighting off or a value outside the mode's range.
std::string LightingParameterText(int mode, int value);

}  // namespace kv12::ui
