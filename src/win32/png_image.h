// PNG images for the skinned windows: decoded by our own decoder (core/png_file.h,
// zlib underneath; no system image library is loaded) into a device-independent
// bitmap that GDI can draw, with per-pixel alpha premultiplied ahead of
// AlphaBlend (which expects it so), and drawn at their natural size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "win32/windows_api.h"

#include "win32/gdi_handles.h"

namespace kv12::win32 {

// One decoded image. An image with an alpha channel is held as 32-bit
// blue-green-red-alpha pixels, premultiplied; one without as 24-bit pixels
// that are copied opaquely. Rows run top-down.
class DecodedImage {
  public:
    DecodedImage() = default;
    DecodedImage(DecodedImage&&) noexcept = default;
    DecodedImage& operator=(DecodedImage&&) noexcept = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool HasAlpha() const { return hasAlpha_; }
    int BitsPerPixel() const { return hasAlpha_ ? 32 : 24; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // The pixel at (x, y) as stored: blue, green, red and (32-bit only) alpha.
    // Zero outside the image.
    std::uint32_t PixelAt(int x, int y) const;
    // Whether every pixel is fully opaque (always so without alpha): drawn, it
    // hides whatever was under its rectangle.
    bool IsOpaque() const { return opaque_; }
    // The alpha of the pixel at (x, y): 255 everywhere in an image without
    // alpha, 0 outside the image. A decoded image is only ever drawn from,
    // never into, so no pending GDI work has to be flushed first.
    std::uint8_t AlphaAt(int x, int y) const;

    // A separate copy of the bitmap, e.g. for a window canvas that is drawn on.
    UniqueBitmap CopyBitmap() const;

    // Reads and decodes a PNG file. Nothing when the file is missing or is not
    // a valid PNG.
    static std::optional<DecodedImage> FromFile(const std::filesystem::path& file);

  private:
    friend std::optional<DecodedImage> MakeDecodedImage(int width, int height, bool hasAlpha);

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool hasAlpha_ = false;
    bool opaque_ = true;
    std::uint8_t* bits_ = nullptr;  // owned by bitmap_
    UniqueBitmap bitmap_;
};

// The size of a PNG file that decodes whole, its pixels dropped at once: what
// a hidden window needs to take its size, with the same verdict on the file
// as drawing it later. Nothing when the file is missing or does not decode.
struct ImageSize {
    int width = 0;
    int height = 0;
};
std::optional<ImageSize> CheckPngSize(const std::filesystem::path& file);

// Premultiplies 32-bit blue-green-red-alpha pixels in place: each colour byte
// c becomes c * alpha / 255, fraction dropped; alpha is kept.
void PremultiplyPixels(std::uint8_t* pixels, std::size_t pixelCount);

// Draws the whole image with its top-left corner at (x, y), width x height:
// AlphaBlend (source over, constant alpha 255, per-pixel alpha) for an image
// with alpha, a plain 1:1 copy otherwise.
bool DrawDecodedImage(HDC dc, const DecodedImage& image, int x, int y);

// Decodes the file and draws it at (x, y); false (nothing drawn) when it
// cannot be decoded.
bool LoadPng(HDC dc, const std::filesystem::path& file, int x, int y);

}  // namespace kv12::win32
