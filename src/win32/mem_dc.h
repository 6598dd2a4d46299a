// CMemDC: a short-lived off-screen context that composes a picture and puts
// it on its target in one block transfer when it goes out of scope, so that
// the screen never shows a half-drawn state.
#pragma once

#include "win32/windows_api.h"

#include "win32/gdi_handles.h"

namespace kv12::win32 {

class CMemDC {
public:
    // An off-screen context compatible with target covering rect (in the
    // target's logical coordinates; an all-zero rect means the target's clip
    // box), with a bitmap of that size that is not cleared, and the window
    // origin moved so that callers draw in the target's coordinates. For a
    // printer context the object only aliases the target and draws directly.
    CMemDC(HDC target, const RECT& rect);
    // Copies the rectangle to the target (off-screen only), then puts the
    // context's first bitmap back and frees what it created.
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The context to draw into (the target itself when aliasing a printer).
    HDC Get() const { return offScreen_ ? memory_.Get() : target_; }
    const RECT& Rect() const { return rect_; }
    bool OffScreen() const { return offScreen_; }
    // False when the memory context or its bitmap could not be made; the
    // destructor then copies nothing.
    bool IsValid() const { return !offScreen_ || (memory_.IsValid() && bitmap_.IsValid()); }

    // Draws into the window's canvas instead of the object's own bitmap: the
    // canvas replaces it in the context until the object is destroyed, so that
    // everything drawn persists in the canvas and still reaches the target.
    // The canvas must be at least as large as the rectangle's far corner.
    void SelectCanvas(HBITMAP canvas);

private:
    HDC target_;
    RECT rect_;
    bool offScreen_ = true;
    UniqueDc memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace kv12::win32
