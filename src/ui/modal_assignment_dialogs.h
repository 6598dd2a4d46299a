// The assignment menus' dialogs as the program runs them: each call makes the
// skinned dialog in the interface language and skin of the moment, runs it
// modally over the main window and reads what it holds when it ends with OK.
#pragma once

#include "ui/assignment_dialogs.h"
#include "ui/page_area.h"

namespace kv12::ui {

class ModalAssignmentDialogs final : public AssignmentDialogs {
  public:
    // The context is read at each call (language, skin and files may change).
    explicit ModalAssignmentDialogs(const PageContext& context) : context_(context) {}

    std::optional<ListChoice> ChooseWindowsKey() override;
    std::optional<ListChoice> ChooseMediaKey() override;
    std::optional<FireKeyChoice> ChooseFireKey() override;
    std::optional<std::string> CaptureSingleKey() override;
    std::optional<ComboKeyChoice> CaptureComboKey() override;
    std::optional<MacroKeyChoice> ChooseMacroKey() override;

  private:
    const PageContext& context_;
};

}  // namespace kv12::ui
