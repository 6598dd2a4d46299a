// The PNG decoder from arbitrary bytes. It never reads or writes outside its
// buffers (AddressSanitizer watches) and either refuses the input with a
// one-line reason or gives an image within the size limits whose pixel
// buffer holds exactly width * height pixels, opaque throughout when the
// image says it has no alpha. Mutated files rarely get past the chunks' CRCs
// and the compressed data's checksum, so each input is decoded three ways: as
// it is; with every CRC made right; and as the parts of a file (IHDR's 13
// bytes, a palette, a tRNS chunk, then the scanlines, which are compressed
// here) so that the filters and the pixel conversion see arbitrary data.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include <zlib.h>

#include "core/png_file.h"
#include "fuzz_check.h"

using kv12::fuzz::Check;

namespace {

void CheckDecode(std::span<const std::uint8_t> bytes) {
    const kv12::PngDecodeResult result = kv12::DecodePng(bytes);
    if (const auto* error = std::get_if<kv12::PngError>(&result)) {
        Check(!error->message.empty(), "a refused file has a reason");
        Check(error->message.find('\n') == std::string::npos, "the reason is one line");
        return;
    }
    const kv12::PngImage& image = std::get<kv12::PngImage>(result);
    Check(image.width > 0 && image.height > 0, "a decoded image has pixels");
    Check(static_cast<std::uint32_t>(image.width) <= kv12::PNG_MAX_SIDE &&
              static_cast<std::uint32_t>(image.height) <= kv12::PNG_MAX_SIDE &&
              static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height) <=
                  kv12::PNG_MAX_PIXELS,
          "a decoded image is within the size limits");
    Check(image.pixels.size() ==
              static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4,
          "the pixels are width * height * 4 bytes");
    if (!image.hasAlpha) {
        for (std::size_t i = 3; i < image.pixels.size(); i += 4)
            Check(image.pixels[i] == 255, "no alpha: opaque");
    }
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void PutBigEndian32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// The file with the CRC of every whole chunk made right.
std::vector<std::uint8_t> WithGoodCrcs(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = BigEndian32(bytes.data() + at);
        if (length > bytes.size() - at - 12) break;
        const auto crc = crc32(0, bytes.data() + at + 4, length + 4);
        PutBigEndian32(bytes.data() + at + 8 + length, static_cast<std::uint32_t>(crc));
        at += std::size_t{length} + 12;
    }
    return bytes;
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data,
                 std::size_t length) {
    const std::size_t at = out.size();
    out.resize(at + 12 + length);
    PutBigEndian32(out.data() + at, static_cast<std::uint32_t>(length));
    std::memcpy(out.data() + at + 4, type, 4);
    if (length > 0) std::memcpy(out.data() + at + 8, data, length);
    PutBigEndian32(out.data() + at + 8 + length,
                   static_cast<std::uint32_t>(crc32(0, out.data() + at + 4, static_cast<uInt>(length + 4))));
}

// A file built from the input's parts: IHDR, a palette and a tRNS chunk of the
// lengths the next bytes give, and the rest compressed into one IDAT.
std::vector<std::uint8_t> FromParts(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 15) return out;
    AppendChunk(out, "IHDR", data, 13);
    std::size_t at = 13;
    const std::size_t paletteLength = std::min<std::size_t>(data[at] * 3u, size - at - 1);
    ++at;
    if (paletteLength > 0) AppendChunk(out, "PLTE", data + at, paletteLength);
    at += paletteLength;
    if (at == size) return out;
    const std::size_t trnsLength = std::min<std::size_t>(data[at], size - at - 1);
    ++at;
    if (trnsLength > 0) AppendChunk(out, "tRNS", data + at, trnsLength);
    at += trnsLength;
    uLongf compressedSize = compressBound(static_cast<uLong>(size - at));
    std::vector<std::uint8_t> compressed(compressedSize);
    if (compress(compressed.data(), &compressedSize, data + at, static_cast<uLong>(size - at)) != Z_OK)
        return out;
    AppendChunk(out, "IDAT", compressed.data(), compressedSize);
    AppendChunk(out, "IEND", nullptr, 0);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckDecode(std::span<const std::uint8_t>(data, size));
    if (size >= 8) CheckDecode(WithGoodCrcs(data, size));
    CheckDecode(FromParts(data, size));
    return 0;
}
