#include "win32/keyboard_hook.h"

#include "win32/guarded_call.h"

namespace kv12::win32 {

namespace {

// The hook of this thread; hook procedures carry no context of their own.
thread_local KeyboardHook* activeHook = nullptr;
thread_local const KeyboardHook::Handler* activeHandler = nullptr;
thread_local const KeyboardHook::Discard* activeDiscard = nullptr;

}  // namespace

KeyEvent KeyEventFrom(WPARAM virtualKey, LPARAM flags) {
    const auto bits = static_cast<std::uint32_t>(flags);
    KeyEvent event;
    event.virtualKey = static_cast<std::uint32_t>(virtualKey);
    event.scanCode = (bits >> 16) & 0xFF;
    event.extended = (bits & (1u << 24)) != 0;
    event.wasDown = (bits & (1u << 30)) != 0;
    event.released = (bits & (1u << 31)) != 0;
    event.flags = bits;
    return event;
}

KeyboardHook::KeyboardHook(Handler handler, Discard discard)
    : handler_(std::move(handler)), discard_(std::move(discard)) {
    if (activeHook) {
        installError_ = ERROR_ALREADY_EXISTS;
        return;
    }
    hook_ = ::SetWindowsHookExW(WH_KEYBOARD, &Procedure, nullptr, ::GetCurrentThreadId());
    if (!hook_) {
        installError_ = ::GetLastError();
        return;
    }
    activeHook = this;
    activeHandler = &handler_;
    activeDiscard = &discard_;
}

KeyboardHook::~KeyboardHook() {
    if (!hook_) return;
    ::UnhookWindowsHookEx(hook_);
    activeHook = nullptr;
    activeHandler = nullptr;
    activeDiscard = nullptr;
}

LRESULT CALLBACK KeyboardHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && activeHandler && *activeHandler) {
        const bool discard = Guarded("keyboard hook", false, [&] {
            // Copies: the handler may remove the hook (and with it the
            // originals), e.g. when Ctrl+Break ends a recording.
            const KeyboardHook::Handler handler = *activeHandler;
            const KeyboardHook::Discard discarder = activeDiscard ? *activeDiscard : nullptr;
            const KeyEvent event = KeyEventFrom(wParam, lParam);
            handler(event);
            return discarder && discarder(event);
        });
        // Not swallowed unless the window asked for it: the key goes on to the window.
        return discard ? 1 : 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace kv12::win32
