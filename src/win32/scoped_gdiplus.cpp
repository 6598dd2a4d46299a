#include "win32/scoped_gdiplus.h"

#include "win32/windows_api.h"
#include <gdiplus.h>

namespace kv12::win32 {

ScopedGdiPlus::ScopedGdiPlus() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, background thread, external codecs
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

ScopedGdiPlus::~ScopedGdiPlus() {
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace kv12::win32
