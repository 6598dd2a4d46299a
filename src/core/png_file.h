// PNG decoding with zlib alone, so that the Windows program needs no image
// library of the system: every standard colour type, bit depth, filter and
// Adam7 interlacing, checked chunk by chunk. Any input is safe to hand in: a
// file that is not a whole, valid PNG gives a one-line reason, never a read
// or write outside the buffers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kv12 {

// The largest image accepted: 16384 on a side and 64 Mi pixels in all, which
// bounds the memory a file can make the decoder take.
inline constexpr std::uint32_t PNG_MAX_SIDE = 16384;
inline constexpr std::uint64_t PNG_MAX_PIXELS = std::uint64_t{64} << 20;

struct PngImage {
    int width = 0;
    int height = 0;
    // True for grey-alpha and colour-alpha images and for every image with a
    // tRNS chunk (a transparent colour or palette entries with alpha).
    bool hasAlpha = false;
    // width * height pixels of blue, green, red, alpha bytes, rows top-down,
    // alpha straight (not premultiplied) and 255 in an image without alpha.
    // 16-bit samples are reduced to their high byte; grey and palette samples
    // of fewer bits are scaled to the full 0..255 range.
    std::vector<std::uint8_t> pixels;
};

struct PngError {
    std::string message;  // one line in English: what is wrong with the file
};

using PngDecodeResult = std::variant<PngImage, PngError>;

// Decodes a whole PNG file held in memory. Ancillary chunks other than tRNS
// are skipped; an unknown critical chunk, a bad CRC, an IHDR field out of
// range, a palette index beyond the palette, or compressed image data that
// inflates to more or fewer bytes than the image needs are errors. Bytes of
// the compressed stream after its end, and anything after IEND, are ignored.
PngDecodeResult DecodePng(std::span<const std::uint8_t> bytes);

}  // namespace kv12
