// Owning and scoped wrappers for the GDI and USER resources of the window
// layer. Every object created here is released by the wrapper that holds it,
// so an early return can never leak a bitmap, a font or a device context, and
// nothing selected into a context outlives the selection.
#pragma once

#include <utility>

#include "win32/windows_api.h"

#include "win32/unique_handle.h"

namespace kv12::win32 {

// Bitmaps, fonts and brushes from CreateXxx: NULL is empty, DeleteObject frees.
template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::DeleteObject(value); }
};
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;

// A device context of our own (CreateCompatibleDC): DeleteDC, not ReleaseDC.
struct CreatedDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::DeleteDC(value); }
};
using UniqueDc = UniqueResource<CreatedDcTraits>;

// Icons loaded without LR_SHARED belong to us and are destroyed.
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::DestroyIcon(value); }
};
using UniqueIcon = UniqueResource<IconTraits>;

// Menus from CreatePopupMenu or LoadMenuW.
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::DestroyMenu(value); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

// A window's own context for the length of a scope (GetDC ... ReleaseDC).
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~ScopedGetDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a context and puts the previous one back at the end
// of the scope; a context must never be deleted with our object still in it.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelectObject() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace kv12::win32
