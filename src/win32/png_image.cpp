#include "win32/png_image.h"

#include <cstring>
#include <span>
#include <variant>

#include "core/file_io.h"
#include "core/png_file.h"

namespace kv12::win32 {

namespace {

int StrideOf(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

}  // namespace

// A top-down DIB section of the given size, not yet filled.
std::optional<DecodedImage> MakeDecodedImage(int width, int height, bool hasAlpha) {
    if (width <= 0 || height <= 0) return std::nullopt;
    DecodedImage image;
    image.width_ = width;
    image.height_ = height;
    image.hasAlpha_ = hasAlpha;
    image.opaque_ = !hasAlpha;
    image.stride_ = StrideOf(width, image.BitsPerPixel());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(image.BitsPerPixel());
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    image.bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image.bitmap_ || !bits) return std::nullopt;
    image.bits_ = static_cast<std::uint8_t*>(bits);
    return image;
}

namespace {

// Far beyond any skin image; a huge file under a skin's name is never read into memory.
constexpr std::uintmax_t MAX_FILE_BYTES = std::uintmax_t{256} << 20;

PngDecodeResult DecodePngFile(const std::filesystem::path& file) {
    const BoundedRead read = ReadFileUpTo(file, MAX_FILE_BYTES);
    if (read.outcome != BoundedRead::Outcome::Read) return PngError{"cannot be read"};
    return DecodePng(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(read.bytes.data()),
                                                   read.bytes.size()));
}

}  // namespace

std::optional<ImageSize> CheckPngSize(const std::filesystem::path& file) {
    const PngDecodeResult decoded = DecodePngFile(file);
    const auto* png = std::get_if<PngImage>(&decoded);
    if (!png) return std::nullopt;
    return ImageSize{png->width, png->height};
}

void PremultiplyPixels(std::uint8_t* pixels, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i) {
        std::uint8_t* p = pixels + 4 * i;
        const unsigned alpha = p[3];
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(p[c] * alpha / 255);
    }
}

std::uint32_t DecodedImage::PixelAt(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    ::GdiFlush();  // GDI may still be drawing into the section
    const std::uint8_t* p = bits_ + static_cast<std::ptrdiff_t>(y) * stride_ + x * (BitsPerPixel() / 8);
    std::uint32_t value = p[0] | (p[1] << 8) | (p[2] << 16);
    if (hasAlpha_) value |= static_cast<std::uint32_t>(p[3]) << 24;
    return value;
}

std::uint8_t DecodedImage::AlphaAt(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    if (!hasAlpha_) return 255;
    return bits_[static_cast<std::ptrdiff_t>(y) * stride_ + x * 4 + 3];
}

UniqueBitmap DecodedImage::CopyBitmap() const {
    auto copy = MakeDecodedImage(width_, height_, hasAlpha_);
    if (!copy) return UniqueBitmap();
    ::GdiFlush();
    std::memcpy(copy->bits_, bits_, static_cast<std::size_t>(stride_) * height_);
    return std::move(copy->bitmap_);
}

std::optional<DecodedImage> DecodedImage::FromFile(const std::filesystem::path& file) {
    PngDecodeResult decoded = DecodePngFile(file);
    const auto* png = std::get_if<PngImage>(&decoded);
    if (!png) return std::nullopt;
    auto image = MakeDecodedImage(png->width, png->height, png->hasAlpha);
    if (!image) return std::nullopt;

    const std::size_t width = static_cast<std::size_t>(png->width);
    const std::size_t pixelCount = width * static_cast<std::size_t>(png->height);
    if (png->hasAlpha) {
        // 32-bit rows have no padding: the decoder's pixels are the section's bytes.
        std::memcpy(image->bits_, png->pixels.data(), pixelCount * 4);
        PremultiplyPixels(image->bits_, pixelCount);
        // A file with an alpha channel that is opaque everywhere still hides what it is drawn over.
        image->opaque_ = true;
        for (std::size_t i = 0; i < pixelCount && image->opaque_; ++i)
            image->opaque_ = image->bits_[4 * i + 3] == 255;
    } else {
        for (int y = 0; y < png->height; ++y) {
            const std::uint8_t* from = png->pixels.data() + static_cast<std::size_t>(y) * width * 4;
            std::uint8_t* to = image->bits_ + static_cast<std::ptrdiff_t>(y) * image->stride_;
            for (std::size_t x = 0; x < width; ++x) std::memcpy(to + 3 * x, from + 4 * x, 3);
        }
    }
    return image;
}

bool DrawDecodedImage(HDC dc, const DecodedImage& image, int x, int y) {
    if (!dc || !image.Bitmap()) return false;
    UniqueDc source(::CreateCompatibleDC(dc));
    if (!source) return false;
    const ScopedSelectObject select(source.Get(), image.Bitmap());
    if (image.HasAlpha()) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        return ::AlphaBlend(dc, x, y, image.Width(), image.Height(), source.Get(), 0, 0, image.Width(),
                            image.Height(), blend) != FALSE;
    }
    return ::StretchBlt(dc, x, y, image.Width(), image.Height(), source.Get(), 0, 0, image.Width(),
                        image.Height(), SRCCOPY) != FALSE;
}

bool LoadPng(HDC dc, const std::filesystem::path& file, int x, int y) {
    const auto image = DecodedImage::FromFile(file);
    if (!image) return false;
    return DrawDecodedImage(dc, *image, x, y);
}

}  // namespace kv12::win32
