// The program's own small dialog framework: every window is a dialog built
// from an empty template in memory (no controls, no resource), run modally
// with DialogBoxIndirectParamW, whose messages arrive at one virtual method of
// the object that runs it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace kv12::win32 {

// What goes into an empty extended dialog template.
struct DialogTemplateSpec {
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring className;  // empty: the system dialog class
    short width = 0;         // dialog units; the windows resize themselves to their images
    short height = 0;
    // Used when style holds DS_SETFONT.
    WORD pointSize = 12;
    WORD weight = FW_NORMAL;
    BYTE charset = DEFAULT_CHARSET;
    std::wstring fontFace;
};

// The template's bytes (DLGTEMPLATEEX with no items), in WORDs so that the
// buffer is aligned as the system requires.
std::vector<WORD> BuildDialogTemplate(const DialogTemplateSpec& desc);

// A message's result. For the messages whose dialog-procedure result is the
// value itself (WM_CTLCOLOR*, WM_QUERYDRAGICON, WM_INITDIALOG, ...) the value
// is returned as is; for the others it becomes the window's message result.
struct MessageResult {
    INT_PTR value = 0;
};

class DialogWindow {
  public:
    DialogWindow() = default;
    virtual ~DialogWindow() = default;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Creates the dialog and runs its modal loop until End; returns End's
    // result, or -1 when the dialog could not be created.
    INT_PTR RunModal(HWND owner, const DialogTemplateSpec& desc);

    // Ends the modal loop with the given result (the window is destroyed).
    void End(INT_PTR result);

    HWND Handle() const { return window_; }

  protected:
    // WM_INITDIALOG. Returning false ends the dialog at once with IDCANCEL,
    // so that a window that failed to set itself up is never left open.
    virtual bool OnInitDialog() = 0;
    // Every later message; nothing means the default dialog handling.
    virtual std::optional<MessageResult> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Called before the window handle is forgotten (WM_NCDESTROY).
    virtual void OnFinalMessage() {}

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// True for the messages whose dialog-procedure result is the value itself.
bool ReturnsValueDirectly(UINT message);

}  // namespace kv12::win32
