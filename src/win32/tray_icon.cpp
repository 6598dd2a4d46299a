#include "win32/tray_icon.h"

#include <algorithm>

#include "win32/gdi_handles.h"

namespace kv12::win32 {

namespace {

// The record as the shell of Windows Vista and later knows it (without the
// balloon icon handle): 968 bytes in a 64-bit program.
constexpr DWORD TRAY_RECORD_SIZE = NOTIFYICONDATAW_V3_SIZE;
#ifdef _WIN64
static_assert(TRAY_RECORD_SIZE == 968);
#endif

template <std::size_t N>
void CopyCut(wchar_t (&field)[N], std::wstring_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon(HWND window, UINT callbackMessage, HICON icon, std::wstring_view tip)
    : taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    data_.cbSize = TRAY_RECORD_SIZE;
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    CopyCut(data_.szTip, tip);
}

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::Add() {
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return added_;
}

void TrayIcon::Remove() {
    if (!added_) return;
    ::Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

bool TrayIcon::ShowBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs) {
    if (!added_) return false;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    balloon.uTimeout = timeoutMs;
    CopyCut(balloon.szInfo, text);
    CopyCut(balloon.szInfoTitle, title);
    return ::Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

void TrayIcon::ShowMenu(UINT commandId, std::wstring_view label) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    const std::wstring text(label);
    ::AppendMenuW(menu.Get(), MF_STRING, commandId, text.c_str());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(data_.hWnd);
    ::TrackPopupMenu(menu.Get(), TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    // Lets the menu's owner leave the foreground cleanly (a known shell quirk).
    ::PostMessageW(data_.hWnd, WM_NULL, 0, 0);
}

}  // namespace kv12::win32
