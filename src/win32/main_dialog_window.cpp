#include "win32/main_dialog_window.h"

#include <cstdio>
#include <functional>
#include <thread>

#include "win32/windows_api.h"
// dbt.h needs the Windows headers first.
#include <dbt.h>

#include "resource_ids.h"
#include "win32/sim_control.h"
#include "win32/skinned_dialog_window.h"
#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace kv12::win32 {

namespace {

constexpr UINT_PTR SIM_CONTROL_TIMER = 1;
constexpr UINT SIM_CONTROL_POLL_MS = 100;

// The template's own size in dialog units; the window takes its real size from its background image.
constexpr short TEMPLATE_WIDTH = 450;
constexpr short TEMPLATE_HEIGHT = 325;

LONGLONG PerformanceCounter() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

UniqueIcon LoadAppIcon(int widthMetric, int heightMetric) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                     ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric), 0)));
}

// Waits for a thread's work while still answering messages sent to this
// thread: the notice reader may be inside SendMessageW to us, and would never
// return if we only blocked.
void RunWhileAnsweringSentMessages(const std::function<void()>& work) {
    UniqueHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) {
        work();
        return;
    }
    std::thread worker([&] {
        work();
        ::SetEvent(done.Get());
    });
    HANDLE handle = done.Get();
    while (::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        // Peeking dispatches the messages other threads sent; nothing posted is removed.
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.join();
}

}  // namespace

MainDialogWindow::MainDialogWindow(MainWindowSetup setup)
    : setup_(std::move(setup)), host_(setup_.context, *this) {}

MainDialogWindow::~MainDialogWindow() {
    ShutDown();
}

int MainDialogWindow::Run() {
    DialogTemplateSpec desc;
    desc.style = MAIN_WINDOW_STYLE;
    desc.exStyle = MAIN_WINDOW_EX_STYLE;
    desc.className = MAIN_WINDOW_CLASS;
    desc.width = TEMPLATE_WIDTH;
    desc.height = TEMPLATE_HEIGHT;
    desc.pointSize = 12;
    desc.weight = FW_NORMAL;
    desc.charset = GB2312_CHARSET;
    desc.fontFace = L"宋体";
    return RunModal(nullptr, desc) == 0 ? 0 : 1;
}

void MainDialogWindow::Log(std::string_view category, std::string_view text) const {
    if (setup_.context.log) setup_.context.log->Write(category, text);
}

bool MainDialogWindow::OnInitDialog() {
    HWND window = Handle();
    host_.Attach(window);

    // The icons, and no taskbar button: the program lives in the notification area.
    bigIcon_ = LoadAppIcon(SM_CXICON, SM_CYICON);
    smallIcon_ = LoadAppIcon(SM_CXSMICON, SM_CYSMICON);
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);

    tray_ = std::make_unique<TrayIcon>(window, WM_TRAYICON, smallIcon_.Get(), TRAY_TIP);
    // Without a notification area (Wine's null display driver) this fails; the
    // icon is added again if a taskbar appears later.
    Log("tray", tray_->Add() ? "icon added" : "icon could not be added");

    DeviceLink& link = *setup_.link;
    link.SetNoticeSink([this](const MouseNotice& notice) { DeliverNotice(notice); });
    window_ = std::make_unique<ui::CHidMouseDlg>(host_, link, setup_.files, setup_.version);
    window_->FindMouseAtStartup();

    // The reader waits idle until a mouse is ready.
    reader_ =
        std::make_unique<NoticeReader>(link, [this](const MouseNotice& notice) { DeliverNotice(notice); });
    if (link.DeviceReady()) reader_->Resume();

    deviceNotify_ = RegisterHidNotifications(window);
    if (!deviceNotify_) {
        host_.ShowMessage("RegisterDeviceNotification failed!!!", "");
        return false;
    }

    // The window starts hidden in the tray: it holds no pixels before its first show.
    host_.KeepNoPixelsWhileHidden();
    window_->InitialiseWindow();
    if (setup_.simulatedMouse) ::SetTimer(window, SIM_CONTROL_TIMER, SIM_CONTROL_POLL_MS, nullptr);
    Log("window", "started");
    return true;
}

void MainDialogWindow::DeliverNotice(const MouseNotice& notice) {
    // Once shutdown has begun the window takes no more notices.
    if (stopping_.load()) return;
    HWND window = Handle();
    if (window) ::SendMessageW(window, WM_MOUSENOTICE, notice.code, notice.value);
}

std::optional<MessageResult> MainDialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return std::nullopt;  // start-up failed half-way: only the defaults
    if (tray_ && message == tray_->TaskbarCreatedMessage() && message != 0) {
        Log("tray", tray_->Add() ? "icon added again" : "icon could not be added again");
        return MessageResult{0};
    }
    switch (message) {
        case WM_ERASEBKGND:
            host_.PaintBackground(reinterpret_cast<HDC>(wParam));
            if (host_.HasCanvas()) LogFirstPaint();
            return MessageResult{TRUE};
        case WM_NCPAINT:
            if (window_->OnNcPaint()) return MessageResult{0};
            return std::nullopt;
        case WM_LBUTTONDOWN:
            window_->OnLButtonDown(PointOf(lParam));
            return std::nullopt;
        case WM_MOUSEMOVE:
            window_->OnMouseMove(PointOf(lParam));
            return std::nullopt;
        case WM_MOUSEHOVER:
            window_->OnMouseHover(PointOf(lParam));
            return std::nullopt;
        case WM_QUERYDRAGICON:
            return MessageResult{reinterpret_cast<INT_PTR>(bigIcon_.Get())};
        case WM_TRAYICON:
            // Clicks only: the pointer passing over the icon would fill the log.
            if (LOWORD(lParam) == WM_LBUTTONUP || LOWORD(lParam) == WM_LBUTTONDBLCLK ||
                LOWORD(lParam) == WM_RBUTTONUP) {
                Log("tray", "mouse message " + std::to_string(LOWORD(lParam)));
                trayClickAt_ = PerformanceCounter();
            }
            window_->OnTrayIcon(static_cast<unsigned>(LOWORD(lParam)));
            trayClickAt_.reset();
            return MessageResult{0};
        case WM_MOUSENOTICE:
            if (stopping_.load()) return MessageResult{0};
            Log("notice", std::to_string(wParam) + " " + std::to_string(lParam));
            window_->OnMouseNotice(static_cast<int>(wParam), static_cast<long long>(lParam));
            return MessageResult{0};
        case WM_DEVICECHANGE: {
            const DeviceChange change = ReadDeviceChange(wParam, lParam);
            if (change.deviceType == DBT_DEVTYP_DEVICEINTERFACE &&
                (change.event == DBT_DEVICEARRIVAL || change.event == DBT_DEVICEREMOVECOMPLETE)) {
                Log("device", (change.event == DBT_DEVICEARRIVAL ? "arrival " : "removal ") + change.name);
                window_->OnDeviceChange(change.event, change.deviceType, change.name);
            }
            return MessageResult{TRUE};
        }
        case WM_COMMAND:
            if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
                window_->OnClose();  // Escape: as a close request, the window hides
            } else if (lParam != 0 || LOWORD(wParam) != IDOK) {
                window_->OnCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return MessageResult{0};
        case WM_LISTPOINTERMOVE:
            window_->OnListPointerMove(static_cast<int>(wParam), static_cast<int>(lParam));
            return MessageResult{0};
        case WM_CONTEXTMENU: {
            // A list box leaves the right button to its parent as this message.
            const HWND control = reinterpret_cast<HWND>(wParam);
            if (control != Handle()) window_->OnContextMenu(::GetDlgCtrlID(control));
            return MessageResult{0};
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            const auto colors = window_->ControlColorsFor(id, ControlKindOf(message));
            if (const auto brush = host_.ApplyControlColors(message, wParam, lParam, colors)) {
                return MessageResult{*brush};
            }
            return std::nullopt;
        }
        case WM_CLOSE:
            window_->OnClose();
            return MessageResult{0};
        case WM_TIMER:
            if (wParam == SIM_CONTROL_TIMER) {
                PollSimControl();
                return MessageResult{0};
            }
            return std::nullopt;
        case WM_DESTROY:
            ShutDown();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void MainDialogWindow::LogFirstPaint() {
    if (!showRequestedAt_) return;
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    const double ms = frequency.QuadPart > 0 ? static_cast<double>(PerformanceCounter() - *showRequestedAt_) *
                                                   1000.0 / static_cast<double>(frequency.QuadPart)
                                             : 0.0;
    showRequestedAt_.reset();
    char text[64];
    std::snprintf(text, sizeof text, "first paint %.1f ms after show", ms);
    Log("paint", text);
}

void MainDialogWindow::OnFinalMessage() {
    host_.ReleaseWindowResources();
}

void MainDialogWindow::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    stopping_.store(true);
    if (Handle()) ::KillTimer(Handle(), SIM_CONTROL_TIMER);
    if (reader_) {
        NoticeReader& reader = *reader_;
        RunWhileAnsweringSentMessages([&reader] { reader.Stop(); });
    }
    if (setup_.link) setup_.link->CloseHandles();
    deviceNotify_.Reset();
    if (tray_) tray_->Remove();
    Log("window", "shut down");
}

void MainDialogWindow::PollSimControl() {
    if (!setup_.simulatedMouse) return;
    const auto text = TakeSimControlFile(setup_.simControlFile);
    if (!text) return;
    const SimScript script = ParseSimControl(*text);
    for (const std::string& error : script.errors) Log("sim", error);
    VirtualMouse& mouse = *setup_.simulatedMouse;
    const auto announce = [this](std::uint32_t event, const std::string& path) {
        Log("device", (event == DEVICE_EVENT_ARRIVAL ? "arrival " : "removal ") + path);
        window_->OnDeviceChange(event, DEVICE_TYPE_INTERFACE, path);
    };
    for (const SimCommand& command : script.commands) {
        switch (command.kind) {
            case SimCommandKind::Unplug:
                Log("sim", "unplug");
                for (const std::string& path : mouse.Unplug()) announce(DEVICE_EVENT_REMOVE_COMPLETE, path);
                break;
            case SimCommandKind::Plug:
                Log("sim", "plug");
                for (const std::string& path : mouse.PlugIn()) announce(DEVICE_EVENT_ARRIVAL, path);
                break;
            case SimCommandKind::UnplugNotice:
                Log("sim", "unplug notice");
                announce(DEVICE_EVENT_REMOVE_COMPLETE, mouse.UnplugInterface(MouseInterface::Notice));
                break;
            case SimCommandKind::UnplugCommand:
                Log("sim", "unplug command");
                announce(DEVICE_EVENT_REMOVE_COMPLETE, mouse.UnplugInterface(MouseInterface::Command));
                break;
            case SimCommandKind::Notice:
                Log("sim", "notice " + std::to_string(command.code) + " " + std::to_string(command.value));
                mouse.InjectNotice(command.code, command.value);
                break;
        }
    }
}

void MainDialogWindow::Host::ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) {
    window_.Log("balloon", std::string(title) + ": " + std::string(text));
    if (window_.tray_)
        window_.tray_->ShowBalloon(WideFromUtf8(text), WideFromUtf8(title), static_cast<UINT>(timeoutMs));
}

void MainDialogWindow::Host::ShowTrayMenu(std::string_view exitText) {
    if (window_.tray_) window_.tray_->ShowMenu(ui::ID_TRAY_EXIT, WideFromUtf8(exitText));
}

void MainDialogWindow::Host::Quit() {
    window_.ShutDown();
    window_.End(0);
}

void MainDialogWindow::Host::ResumeReader() {
    if (window_.reader_) window_.reader_->Resume();
}

void MainDialogWindow::Host::OpenUrl(std::string_view url) {
    window_.Log("shell", "open " + std::string(url));
    ::ShellExecuteW(nullptr, L"open", WideFromUtf8(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainDialogWindow::Host::OnCapturedKey(const ui::KeyEvent& event) {
    if (window_.window_) window_.window_->OnKeyEvent(event);
}

bool MainDialogWindow::Host::DiscardsCapturedKey(const ui::KeyEvent& event) const {
    return window_.window_ && window_.window_->DiscardsKey(event);
}

void MainDialogWindow::Host::SetWindowTitle(std::string_view text) {
    ::SetWindowTextW(Window(), WideFromUtf8(text).c_str());
}

void MainDialogWindow::Host::ShowContextMenu(int commandId, std::string_view text) {
    const UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MACRO_LIST_MENU)));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    if (!popup) return;
    ::ModifyMenuW(popup, static_cast<UINT>(commandId), MF_BYCOMMAND | MF_STRING,
                  static_cast<UINT_PTR>(commandId), WideFromUtf8(text).c_str());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is in front.
    ::SetForegroundWindow(Window());
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Window(), nullptr);
    ::PostMessageW(Window(), WM_NULL, 0, 0);
}

void MainDialogWindow::Host::ShowInForeground() {
    if (!::IsWindowVisible(Window()))
        window_.showRequestedAt_ = window_.trayClickAt_.value_or(PerformanceCounter());
    WindowHostBase::ShowInForeground();
}

ui::DialogResult MainDialogWindow::Host::RunModal(ui::SkinnedDialog& dialog) {
    // The dialog's images are its own: they go when it closes, its background with its canvas.
    ImageCache dialogImages(window_.setup_.context.log);
    HostContext context = window_.setup_.context;
    context.images = &dialogImages;
    SkinnedDialogWindow dialogWindow(dialog, context);
    return dialogWindow.Run(Window());
}

}  // namespace kv12::win32
