// The Win32 window of a sub-dialog (the skin chooser, the key dialogs): a
// modal dialog on an empty template whose messages drive the portable
// dialog's behaviour, and the host that behaviour draws through.
#pragma once

#include "ui/window_host.h"
#include "win32/dialog_window.h"
#include "win32/window_host_base.h"

namespace kv12::win32 {

// Style of the sub-dialogs' template: WS_POPUP | WS_BORDER | WS_CLIPCHILDREN
// with DS_SETFOREGROUND | DS_SETFONT; no caption, a thin border. Not
// DS_CONTROL: the dialog manager would hand Enter and Esc of such a dialog to
// its owner, so Esc in a dialog would hide the main window behind it.
inline constexpr DWORD SUB_DIALOG_STYLE = 0x82800240;

class SkinnedDialogWindow final : public DialogWindow {
  public:
    SkinnedDialogWindow(ui::SkinnedDialog& dialog, HostContext context);

    // Runs the dialog over owner; Ok only when the dialog ended with OK.
    ui::DialogResult Run(HWND owner);

  private:
    class Host final : public WindowHostBase<ui::DialogHost> {
      public:
        Host(HostContext context, SkinnedDialogWindow& window)
            : WindowHostBase(std::move(context), true), window_(window) {}
        void EndDialog(ui::DialogResult result) override;

      protected:
        void OnCapturedKey(const ui::KeyEvent& event) override;
        bool DiscardsCapturedKey(const ui::KeyEvent& event) const override;

      private:
        SkinnedDialogWindow& window_;
    };

    bool OnInitDialog() override;
    std::optional<MessageResult> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ui::SkinnedDialog& dialog_;
    Host host_;
};

}  // namespace kv12::win32
