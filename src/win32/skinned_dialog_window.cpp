#include "win32/skinned_dialog_window.h"

#include "win32/window_messages.h"

namespace kv12::win32 {

SkinnedDialogWindow::SkinnedDialogWindow(ui::SkinnedDialog& dialog, HostContext context)
    : dialog_(dialog), host_(std::move(context), *this) {}

void SkinnedDialogWindow::Host::EndDialog(ui::DialogResult result) {
    window_.End(result == ui::DialogResult::Ok ? IDOK : IDCANCEL);
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
        // Escape (IDCANCEL from the dialog manager) cancels like the close button.
        if (LOWORD(wParam) == IDCANCEL) End(IDCANCEL);
        return MessageResult{0};
    case WM_CLOSE:
        End(IDCANCEL);
        return MessageResult{0};
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
