// The program's icon in the notification area: added at start-up, added again
// whenever the taskbar is recreated (Explorer restarted), carrying the tip,
// the balloons and the right-click menu, and removed at shutdown.
#pragma once

#include <string>
#include <string_view>

#include "win32/windows_api.h"

namespace kv12::win32 {

class TrayIcon {
public:
    // The record for window's icon: callback message, icon and tip (flags
    // NIF_MESSAGE | NIF_ICON | NIF_TIP). Nothing is shown until Add.
    TrayIcon(HWND window, UINT callbackMessage, HICON icon, std::wstring_view tip);
    // Removes the icon if it is shown.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // NIM_ADD. False where there is no notification area (Wine's null
    // display driver, a session without a shell); the program runs on.
    bool Add();
    // NIM_DELETE; later balloons are dropped.
    void Remove();
    bool Added() const { return added_; }

    // The message the shell broadcasts when the taskbar is created anew; the
    // owner window re-adds the icon when it arrives.
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

    // A balloon with the information icon (also for warnings), shown for
    // about timeoutMs (NIM_MODIFY with NIF_INFO). Texts longer than the
    // record's fields are cut. False when the shell refused it.
    bool ShowBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs);

    // A popup menu with one item at the cursor; the choice arrives at the
    // window as WM_COMMAND with commandId. The window is made the foreground
    // window first, or the menu would not close when the user clicks elsewhere.
    void ShowMenu(UINT commandId, std::wstring_view label);

private:
    NOTIFYICONDATAW data_{};
    UINT taskbarCreated_ = 0;
    bool added_ = false;
};

}  // namespace kv12::win32
