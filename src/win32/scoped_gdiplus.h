// GDI+ start-up and shutdown tied to a scope. The application holds one for
// its whole run; the PNG decoder takes one more around each decode, which only
// moves GDI+'s reference count while the application's is in force, and lets
// the decoder work in programs (the tests) that never started GDI+ themselves.
#pragma once

#include <cstdint>

namespace kv12::win32 {

class ScopedGdiPlus {
public:
    // GdiplusStartup with input version 1, no debug callback, GDI+'s own
    // background thread (we never pump its hook ourselves) and external codecs
    // allowed.
    ScopedGdiPlus();
    ~ScopedGdiPlus();
    ScopedGdiPlus(const ScopedGdiPlus&) = delete;
    ScopedGdiPlus& operator=(const ScopedGdiPlus&) = delete;

    // False when GDI+ could not be started; nothing can then be decoded.
    bool Started() const { return token_ != 0; }

private:
    std::uintptr_t token_ = 0;
};

}  // namespace kv12::win32
