#include "win32/dialog_window.h"

#include "win32/guarded_call.h"

namespace kv12::win32 {

namespace {

void PushDword(std::vector<WORD>& out, DWORD value) {
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

void PushString(std::vector<WORD>& out, const std::wstring& text) {
    for (const wchar_t c : text) out.push_back(static_cast<WORD>(c));
    out.push_back(0);
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplateSpec& desc) {
    std::vector<WORD> out;
    out.push_back(1);       // dlgVer
    out.push_back(0xFFFF);  // signature: extended template
    PushDword(out, 0);      // help id
    PushDword(out, desc.exStyle);
    PushDword(out, desc.style);
    out.push_back(0);  // no items
    out.push_back(0);  // x, y: DS_CENTER places the window
    out.push_back(0);
    out.push_back(static_cast<WORD>(desc.width));
    out.push_back(static_cast<WORD>(desc.height));
    out.push_back(0);  // no menu
    if (desc.className.empty()) {
        out.push_back(0);
    } else {
        PushString(out, desc.className);
    }
    out.push_back(0);  // no title
    if ((desc.style & (DS_SETFONT | DS_SHELLFONT)) != 0) {
        out.push_back(desc.pointSize);
        out.push_back(desc.weight);
        out.push_back(static_cast<WORD>(desc.charset << 8));  // italic 0, then the character set
        PushString(out, desc.fontFace);
    }
    return out;
}

bool ReturnsValueDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

INT_PTR DialogWindow::RunModal(HWND owner, const DialogTemplateSpec& desc) {
    const std::vector<WORD> dialogTemplate = BuildDialogTemplate(desc);
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                     reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                     &Procedure, reinterpret_cast<LPARAM>(this));
}

void DialogWindow::End(INT_PTR result) {
    if (window_) ::EndDialog(window_, result);
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded("window procedure", INT_PTR{FALSE},
                   [&] { return HandleMessage(window, message, wParam, lParam); });
}

INT_PTR DialogWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        if (!self->OnInitDialog()) ::EndDialog(window, IDCANCEL);
        return FALSE;  // the windows have no control to give the focus to
    }
    if (!self) return FALSE;  // messages before WM_INITDIALOG: default handling
    if (message == WM_NCDESTROY) {
        self->OnFinalMessage();
        self->window_ = nullptr;
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
    const std::optional<MessageResult> result = self->OnMessage(message, wParam, lParam);
    if (!result) return FALSE;
    if (ReturnsValueDirectly(message)) return result->value;
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result->value);
    return TRUE;
}

}  // namespace kv12::win32
