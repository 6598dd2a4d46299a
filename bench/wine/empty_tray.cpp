// The floor the Wine benchmark compares KorvexKV12.exe against: a tray program
// that does nothing else. One hidden window, one tray icon, a message loop;
// built with the same compiler, flags and static runtime as the program, so the
// difference in start-up time and memory is what the program itself adds.
//
// A click on the icon (either button) or WM_CLOSE ends it, taking the icon
// away first: Wine hides its tray window only when the last icon is gone, and
// the benchmark waits for that before the next start.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT WM_TRAY_CALLBACK = WM_APP + 1;
constexpr UINT TRAY_ICON_ID = 1;
constexpr wchar_t WINDOW_CLASS[] = L"KV12EmptyTray";

NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    return data;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TRAY_CALLBACK:
            if (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP) ::DestroyWindow(window);
            return 0;
        case WM_DESTROY: {
            NOTIFYICONDATAW data = IconData(window);
            ::Shell_NotifyIconW(NIM_DELETE, &data);
            ::PostQuitMessage(0);
            return 0;
        }
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WINDOW_CLASS;
    if (!::RegisterClassExW(&windowClass)) return 1;

    // Never shown: the icon is the program's only presence on the screen.
    HWND window = ::CreateWindowExW(0, WINDOW_CLASS, L"Empty tray", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    NOTIFYICONDATAW data = IconData(window);
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_CALLBACK;
    data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ::lstrcpynW(data.szTip, L"Empty tray", ARRAYSIZE(data.szTip));
    if (!::Shell_NotifyIconW(NIM_ADD, &data)) {
        ::DestroyWindow(window);
        return 2;
    }

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
