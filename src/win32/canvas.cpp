#include "win32/canvas.h"

#include <climits>

namespace kv12::win32 {

std::optional<Canvas> Canvas::FromImage(const DecodedImage& image) {
    Canvas canvas;
    canvas.bitmap_ = image.CopyBitmap();
    canvas.dc_.Reset(::CreateCompatibleDC(nullptr));
    if (!canvas.bitmap_ || !canvas.dc_) return std::nullopt;
    canvas.previous_ = ::SelectObject(canvas.dc_.Get(), canvas.bitmap_.Get());
    canvas.width_ = image.Width();
    canvas.height_ = image.Height();
    return canvas;
}

Canvas::~Canvas() {
    // A moved-from canvas owns no context.
    if (dc_ && previous_) ::SelectObject(dc_.Get(), previous_);
}

bool Canvas::Draw(const DecodedImage& image, int x, int y) {
    return DrawDecodedImage(dc_.Get(), image, x, y);
}

void Canvas::DrawText(std::wstring_view text, const RECT& rect, UINT format, HFONT font, COLORREF color) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return;
    const ScopedSelectObject selectFont(dc_.Get(), font);
    ::SetBkMode(dc_.Get(), TRANSPARENT);
    ::SetTextColor(dc_.Get(), color);
    RECT box = rect;
    ::DrawTextW(dc_.Get(), text.data(), static_cast<int>(text.size()), &box, format);
}

void Canvas::CopyTo(HDC target, const RECT& area) const {
    RECT r = area;
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) ::GetClipBox(target, &r);
    // The canvas is already the finished picture off-screen: one block
    // transfer straight from it puts it on the target without a half-drawn
    // state, and without a second window-sized bitmap for every paint.
    ::BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, dc_.Get(), r.left, r.top, SRCCOPY);
}

COLORREF Canvas::PixelAt(int x, int y) const {
    ::GdiFlush();
    return ::GetPixel(dc_.Get(), x, y);
}

}  // namespace kv12::win32
