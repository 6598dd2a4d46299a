#include "win32/skinned_dialog_window.h"

#include "win32/window_messages.h"

namespace kv12::win32 {

SkinnedDialogWindow::SkinnedDialogWindow(ui::SkinnedDialog& dialog, HostContext context)
    : dialog_(dialog), host_(std::move(context), *this) {}

void SkinnedDialogWindow::Host::EndDialog(ui::DialogResult result) {
    window_.End(result == ui::DialogResult::Ok ? IDOK : IDCANCEL);
}

void SkinnedDialogWindow::Host::OnCapturedKey(const ui::KeyEvent& event) {
    window_.dialog_.OnKeyEvent(event);
}

bool SkinnedDialogWindow::Host::DiscardsCapturedKey(const ui::KeyEvent& event) const {
    return window_.dialog_.DiscardsKey(event.virtualKey);
}

ui::DialogResult SkinnedDialogWindow::Run(HWND owner) {
    DialogTemplateSpec desc;
    desc.style = SUB_DIALOG_STYLE;
    desc.pointSize = 9;
    desc.fontFace = L"MS Shell Dlg";
    return RunModal(owner, desc) == IDOK ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

bool SkinnedDialogWindow::OnInitDialog() {
    host_.Attach(Handle());
    return dialog_.OnInitDialog(host_);
}

std::optional<MessageResult> SkinnedDialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            dialog_.OnEraseBackground();
            host_.PaintBackground(reinterpret_cast<HDC>(wParam));
            return MessageResult{TRUE};
        case WM_LBUTTONDOWN:
            dialog_.OnLButtonDown(PointOf(lParam));
            return std::nullopt;
        case WM_MOUSEMOVE:
            dialog_.OnMouseMove(PointOf(lParam));
            return std::nullopt;
        case WM_MOUSEHOVER:
            dialog_.OnMouseHover(PointOf(lParam));
            return std::nullopt;
        case WM_MOUSEWHEEL:
            dialog_.OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return std::nullopt;
        case WM_COMMAND:
            if (lParam != 0) {
                dialog_.OnCommand(LOWORD(wParam), HIWORD(wParam));
                return MessageResult{0};
            }
            // Enter and Esc come from the dialog manager as IDOK and IDCANCEL
            // without a control; each dialog has its own rule for them.
            if (LOWORD(wParam) == IDOK) dialog_.OnEnterKey();
            if (LOWORD(wParam) == IDCANCEL) dialog_.OnEscapeKey();
            return MessageResult{0};
        case WM_LISTPOINTERMOVE:
            dialog_.OnListPointerMove(static_cast<int>(wParam), static_cast<int>(lParam));
            return MessageResult{0};
        case WM_HELP:
            return MessageResult{TRUE};
        case WM_CLOSE:
            End(IDCANCEL);
            return MessageResult{0};
        case WM_DESTROY:
            host_.StopKeyCapture();
            return std::nullopt;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            const auto colors = dialog_.ControlColorsFor(id, ControlKindOf(message));
            if (const auto brush = host_.ApplyControlColors(message, wParam, lParam, colors)) {
                return MessageResult{*brush};
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace kv12::win32
