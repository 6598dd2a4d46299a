#include "png_writer.h"

#include <memory>
#include <vector>

#include "win32/windows_api.h"
// gdiplus.h needs the Windows headers first.
#include <gdiplus.h>

#include "win32/scoped_gdiplus.h"

namespace kv12::win32::test {

namespace {

bool PngEncoder(CLSID& clsid) {
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<std::uint8_t> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool WritePng(const std::filesystem::path& file, int width, int height, const std::vector<std::uint32_t>& pixels,
              bool withAlpha) {
    const ScopedGdiPlus gdiplus;
    CLSID png{};
    if (!gdiplus.Started() || !PngEncoder(png)) return false;
    auto bitmap =
        std::make_unique<Gdiplus::Bitmap>(width, height, withAlpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = pixels[static_cast<std::size_t>(y) * width + x];
            bitmap->SetPixel(x, y, Gdiplus::Color(withAlpha ? argb : (argb | 0xFF000000u)));
        }
    }
    const bool written = bitmap->Save(file.c_str(), &png, nullptr) == Gdiplus::Ok;
    bitmap.reset();
    return written;
}

}  // namespace kv12::win32::test
