// A keyboard hook of the user-interface thread (WH_KEYBOARD): it sees every key
// event that the program's own windows receive, before they are processed, and
// lets each one go on. The key dialogs and the macro recorder name the keys
// from what it reports.
#pragma once

#include <cstdint>
#include <functional>

#include "win32/windows_api.h"

namespace kv12::win32 {

// One key event as the hook receives it.
struct KeyEvent {
    std::uint32_t virtualKey = 0;
    std::uint32_t scanCode = 0;  // bits 16..23 of the keystroke flags
    bool extended = false;       // bit 24: right-hand Ctrl and Alt, the cursor block, ...
    bool wasDown = false;        // bit 30: the key was already down (auto-repeat, release)
    bool released = false;       // bit 31: the key is being released
    std::uint32_t flags = 0;     // the keystroke flags as given (lParam)
};

// Reads the keystroke flags of a keyboard message.
KeyEvent KeyEventFrom(WPARAM virtualKey, LPARAM flags);

class KeyboardHook {
  public:
    using Handler = std::function<void(const KeyEvent&)>;
    // Asked after the handler: true keeps the key message from its window.
    using Discard = std::function<bool(const KeyEvent&)>;

    // Installs the hook on the calling thread; check Installed (and
    // InstallError for the system's error code when it failed). Only one hook
    // of this class may be installed on a thread at a time.
    explicit KeyboardHook(Handler handler, Discard discard = nullptr);
    // Removes the hook.
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    bool Installed() const { return hook_ != nullptr; }
    DWORD InstallError() const { return installError_; }

  private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    Discard discard_;
    HHOOK hook_ = nullptr;
    DWORD installError_ = 0;
};

}  // namespace kv12::win32
