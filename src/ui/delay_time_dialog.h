// CDelayTimeDialog: asks for one delay in milliseconds, for a delay line of a
// macro. It keeps the field's text as typed (the macro editor builds its line
// from it) and that text read as a number; it enforces no range, the editor
// decides what a delay above 10000 becomes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/dialog_texts.h"
#include "ui/skin_state.h"
#include "ui/skinned_dialog_base.h"
#include "ui/window_host.h"

namespace kv12::ui {

namespace delay_time_layout {
inline constexpr Rect PROMPT{14, 89, 210, 109};
inline constexpr Rect RANGE{14, 109, 210, 129};
inline constexpr Rect DELAY_FIELD{74, 129, 150, 143};
}  // namespace delay_time_layout

class CDelayTimeDialog : public SkinnedDialogBase {
  public:
    CDelayTimeDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version);

    /// The field's text read as a decimal number, never below 0: a pasted
    /// "-5" is no delay. Past the int range it stays at the largest int,
    /// which every range check sees as too big.
    int Delay() const { return delay_; }
    /// The field's text as typed.
    const std::string& DelayText() const { return delayText_; }

  private:
    DialogFrameTexts FrameTexts() const override;
    void OnInit() override;
    void Paint() override;
    void OnControlCommand(int id, int notifyCode) override;
    void BeforeOk() override;
    void ReadField();
    const DelayTimeDialogTexts& Texts() const;

    std::string delayText_;
    int delay_ = 0;
};

}  // namespace kv12::ui
