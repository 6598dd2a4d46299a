#include "win32/mem_dc.h"

namespace kv12::win32 {

namespace {

bool IsEmpty(const RECT& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

}  // namespace

CMemDC::CMemDC(HDC target, const RECT& rect) : target_(target), rect_(rect) {
    // Printing goes straight to the printer: an off-screen copy would only cost memory.
    if (::GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) {
        offScreen_ = false;
        return;
    }
    if (IsEmpty(rect_)) ::GetClipBox(target, &rect_);
    memory_.Reset(::CreateCompatibleDC(target));
    if (!memory_) return;
    bitmap_.Reset(::CreateCompatibleBitmap(target, rect_.right - rect_.left, rect_.bottom - rect_.top));
    if (!bitmap_) return;
    previous_ = ::SelectObject(memory_.Get(), bitmap_.Get());
    ::SetWindowOrgEx(memory_.Get(), rect_.left, rect_.top, nullptr);
}

void CMemDC::SelectCanvas(HBITMAP canvas) {
    if (!offScreen_ || !memory_ || !canvas) return;
    // Selecting the canvas takes our own bitmap out; previous_ still holds the
    // context's first bitmap, which the destructor puts back.
    ::SelectObject(memory_.Get(), canvas);
}

CMemDC::~CMemDC() {
    if (!offScreen_ || !memory_) return;
    if (bitmap_) {
        ::BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, memory_.Get(),
                 rect_.left, rect_.top, SRCCOPY);
    }
    if (previous_) ::SelectObject(memory_.Get(), previous_);
    // bitmap_ and memory_ are released by their owners, the bitmap first as it
    // is declared after the context.
}

}  // namespace kv12::win32
