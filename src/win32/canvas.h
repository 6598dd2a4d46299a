// A window's canvas: the bitmap that holds the window's whole picture. It
// starts as a copy of the window's decoded background image; everything the
// window shows is drawn into it and then copied to the screen, never drawn on
// the screen directly.
#pragma once

#include <optional>
#include <string_view>

#include "win32/windows_api.h"

#include "win32/gdi_handles.h"
#include "win32/png_image.h"

namespace kv12::win32 {

class Canvas {
  public:
    // A canvas holding a copy of the image; nothing when memory runs out.
    static std::optional<Canvas> FromImage(const DecodedImage& image);

    Canvas(Canvas&&) noexcept = default;
    Canvas& operator=(Canvas&&) noexcept = default;
    ~Canvas();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The memory context the canvas is selected into, for drawing.
    HDC Dc() const { return dc_.Get(); }

    // Draws an image at its natural size (see DrawDecodedImage).
    bool Draw(const DecodedImage& image, int x, int y);
    // Draws a text with the given font and colour, background left as it is.
    void DrawText(std::wstring_view text, const RECT& rect, UINT format, HFONT font, COLORREF color);

    // Copies the part of the canvas that `area` covers (all zero: the target's
    // clip box) to the target at the same coordinates, in one block transfer.
    void CopyTo(HDC target, const RECT& area) const;

    // The colour at (x, y) (CLR_INVALID outside the canvas).
    COLORREF PixelAt(int x, int y) const;

  private:
    Canvas() = default;

    int width_ = 0;
    int height_ = 0;
    // The context comes first: a move assignment then deletes the old context
    // before the old bitmap, which GDI refuses to delete while it is selected.
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;  // the context's first bitmap, put back before it is deleted
};

}  // namespace kv12::win32
