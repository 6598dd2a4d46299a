// The Win32 window of CHidMouseDlg: the borderless modal dialog that lives in
// the notification area. It owns what only Windows has (the tray icon, the
// device notifications, the notice reader's delivery by SendMessageW, the
// skinned sub-dialogs) and hands every message to the portable main window.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/program_files.h"
#include "device/device_link.h"
#include "device/notice_reader.h"
#include "sim/virtual_mouse.h"
#include "ui/main_window.h"
#include "ui/window_host.h"
#include "win32/device_notification.h"
#include "win32/dialog_window.h"
#include "win32/gdi_handles.h"
#include "win32/pointer_settings.h"
#include "win32/tray_icon.h"
#include "win32/window_host_base.h"

namespace kv12::win32 {

// The main window's template: WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN with
// DS_CENTER | DS_SETFOREGROUND | DS_SETFONT; WS_EX_APPWINDOW | WS_EX_ACCEPTFILES.
inline constexpr DWORD MAIN_WINDOW_STYLE = 0x92000A40;
inline constexpr DWORD MAIN_WINDOW_EX_STYLE = 0x00040010;
inline constexpr const wchar_t* MAIN_WINDOW_CLASS = L"KorvexKV12Class";
inline constexpr const wchar_t* TRAY_TIP = L"Gaming Mouse Setting";

// What the main window is given by the application.
struct MainWindowSetup {
    HostContext context;
    DeviceLink* link = nullptr;
    ProgramFiles files;
    ui::WindowsVersion version;
    // The simulated mouse and its control file (--simulate); null otherwise.
    VirtualMouse* simulatedMouse = nullptr;
    std::filesystem::path simControlFile;
};

class MainDialogWindow final : public DialogWindow {
  public:
    explicit MainDialogWindow(MainWindowSetup setup);
    ~MainDialogWindow() override;

    // Runs the window until Exit; returns the process exit code.
    int Run();

  private:
    class Host final : public WindowHostBase<ui::MainWindowHost> {
      public:
        Host(HostContext context, MainDialogWindow& window)
            : WindowHostBase(std::move(context), false), window_(window) {}
        void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) override;
        void ShowTrayMenu(std::string_view exitText) override;
        void Quit() override;
        void ResumeReader() override;
        void OpenUrl(std::string_view url) override;
        ui::DialogResult RunModal(ui::SkinnedDialog& dialog) override;
        void SetWindowTitle(std::string_view text) override;
        void ShowContextMenu(int commandId, std::string_view text) override;
        ui::PointerSettingsPort& PointerSettings() override { return pointer_; }
        // Also starts the clock of the first paint when the window was hidden.
        void ShowInForeground() override;

      protected:
        // Key capture of the main window (the macro recorder) goes to the shown page's areas.
        void OnCapturedKey(const ui::KeyEvent& event) override;
        bool DiscardsCapturedKey(const ui::KeyEvent& event) const override;

      private:
        MainDialogWindow& window_;
        SystemPointerSettings pointer_;
    };

    bool OnInitDialog() override;
    std::optional<MessageResult> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

    // The reader thread's notices go to the window by SendMessageW.
    void DeliverNotice(const MouseNotice& notice);
    // Shutdown clean-up: the reader stopped, the mouse's handles closed, the
    // device notifications and the tray icon removed. Runs once.
    void ShutDown();
    // Runs the simulated mouse's control file, if one is waiting.
    void PollSimControl();
    void Log(std::string_view category, std::string_view text) const;
    // After a show, the first paint that puts the canvas on the screen is
    // logged with the time since the show was asked for (the tray click).
    void LogFirstPaint();

    MainWindowSetup setup_;
    Host host_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<NoticeReader> reader_;
    UniqueDeviceNotify deviceNotify_;
    std::unique_ptr<ui::CHidMouseDlg> window_;
    // QueryPerformanceCounter ticks: the tray click being handled, and the
    // show whose first paint is still to come.
    std::optional<LONGLONG> trayClickAt_;
    std::optional<LONGLONG> showRequestedAt_;
    std::atomic<bool> stopping_{false};
    bool shutDown_ = false;
};

}  // namespace kv12::win32
