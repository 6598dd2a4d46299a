#include "core/png_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "png_test_writer.h"

namespace kv12 {
namespace {

using test::EncodePng;
using test::PngChunk;
using test::PngChunks;
using test::PngFileBytes;
using test::TestPng;

// The decoded pixels as 0xAARRGGBB values, or the error message when decoding failed.
struct Decoded {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<std::uint32_t> argb;
};

Decoded Decode(const std::vector<std::uint8_t>& bytes) {
    Decoded out;
    const PngDecodeResult result = DecodePng(bytes);
    if (const auto* error = std::get_if<PngError>(&result)) {
        out.error = error->message;
        return out;
    }
    const PngImage& image = std::get<PngImage>(result);
    out.ok = true;
    out.width = image.width;
    out.height = image.height;
    out.hasAlpha = image.hasAlpha;
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height * 4);
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        const std::uint8_t* p = image.pixels.data() + i;
        out.argb.push_back((std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) |
                           (std::uint32_t{p[1]} << 8) | p[0]);
    }
    return out;
}

struct SampleCase {
    const char* name;
    TestPng png;
    bool hasAlpha;
    std::vector<std::uint32_t> expected;  // 0xAARRGGBB, rows top-down
};

TestPng MakePng(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, std::uint8_t bitDepth,
                std::vector<std::uint16_t> samples, std::vector<std::uint8_t> palette = {},
                std::vector<std::uint8_t> trns = {}) {
    TestPng png;
    png.width = width;
    png.height = height;
    png.colourType = colourType;
    png.bitDepth = bitDepth;
    png.samples = std::move(samples);
    png.palette = std::move(palette);
    png.trns = std::move(trns);
    return png;
}

// Four palette entries: black, red, a green, a blue.
const std::vector<std::uint8_t> PALETTE4 = {0, 0, 0, 255, 0, 0, 0, 200, 0, 10, 20, 250};

TEST(DecodePng, EveryColourTypeAndBitDepthGivesStraightBgra) {
    const std::vector<SampleCase> cases = {
        {"grey 1-bit, 9 wide (crosses a byte)",
         MakePng(9, 1, 0, 1, {0, 1, 1, 0, 1, 0, 0, 1, 1}),
         false,
         {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF,
          0xFFFFFFFF}},
        {"grey 2-bit scaled to 0..255",
         MakePng(5, 1, 0, 2, {0, 1, 2, 3, 1}),
         false,
         {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF, 0xFF555555}},
        {"grey 4-bit", MakePng(3, 1, 0, 4, {0, 5, 15}), false, {0xFF000000, 0xFF555555, 0xFFFFFFFF}},
        {"grey 8-bit, 2 rows",
         MakePng(2, 2, 0, 8, {0, 0x80, 0xFF, 0x12}),
         false,
         {0xFF000000, 0xFF808080, 0xFFFFFFFF, 0xFF121212}},
        {"grey 16-bit keeps the high byte",
         MakePng(3, 1, 0, 16, {0x0000, 0x12FF, 0xFF00}),
         false,
         {0xFF000000, 0xFF121212, 0xFFFFFFFF}},
        {"grey 8-bit with a transparent grey",
         MakePng(3, 1, 0, 8, {0, 0x80, 0xFF}, {}, {0x00, 0x80}),
         true,
         {0xFF000000, 0x00808080, 0xFFFFFFFF}},
        {"grey 16-bit transparent grey compared at 16 bits",
         MakePng(2, 1, 0, 16, {0x12FF, 0x1200}, {}, {0x12, 0xFF}),
         true,
         {0x00121212, 0xFF121212}},
        {"grey 2-bit with a transparent grey",
         MakePng(3, 1, 0, 2, {0, 2, 3}, {}, {0x00, 0x02}),
         true,
         {0xFF000000, 0x00AAAAAA, 0xFFFFFFFF}},
        {"colour 8-bit", MakePng(2, 1, 2, 8, {10, 20, 30, 40, 50, 60}), false, {0xFF0A141E, 0xFF28323C}},
        {"colour 16-bit", MakePng(1, 1, 2, 16, {0x0A01, 0x1402, 0x1EFF}), false, {0xFF0A141E}},
        {"colour 8-bit with a transparent colour",
         MakePng(3, 1, 2, 8, {10, 20, 30, 40, 50, 60, 40, 50, 61}, {}, {0, 40, 0, 50, 0, 60}),
         true,
         {0xFF0A141E, 0x0028323C, 0xFF28323D}},
        {"colour 16-bit transparent colour compared at 16 bits",
         MakePng(2, 1, 2, 16, {0x0A00, 0x1400, 0x1E00, 0x0A00, 0x1400, 0x1E01}, {},
                 {0x0A, 0, 0x14, 0, 0x1E, 0}),
         true,
         {0x000A141E, 0xFF0A141E}},
        {"palette 1-bit",
         MakePng(10, 1, 3, 1, {0, 1, 1, 0, 0, 0, 0, 0, 1, 1}, {0, 0, 0, 9, 8, 7}),
         false,
         {0xFF000000, 0xFF090807, 0xFF090807, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
          0xFF090807, 0xFF090807}},
        {"palette 2-bit",
         MakePng(5, 1, 3, 2, {3, 2, 1, 0, 3}, PALETTE4),
         false,
         {0xFF0A14FA, 0xFF00C800, 0xFFFF0000, 0xFF000000, 0xFF0A14FA}},
        {"palette 4-bit with alpha for the first entries",
         MakePng(3, 1, 3, 4, {1, 0, 3}, PALETTE4, {0, 128}),
         true,
         {0x80FF0000, 0x00000000, 0xFF0A14FA}},
        {"palette 8-bit",
         MakePng(4, 1, 3, 8, {2, 3, 1, 0}, PALETTE4),
         false,
         {0xFF00C800, 0xFF0A14FA, 0xFFFF0000, 0xFF000000}},
        {"grey-alpha 8-bit", MakePng(2, 1, 4, 8, {0x40, 0x80, 0xFF, 0x00}), true, {0x80404040, 0x00FFFFFF}},
        {"grey-alpha 16-bit", MakePng(1, 1, 4, 16, {0x40FF, 0x8001}), true, {0x80404040}},
        {"colour-alpha 8-bit keeps colour under zero alpha",
         MakePng(2, 1, 6, 8, {1, 2, 3, 0, 200, 100, 50, 128}),
         true,
         {0x00010203, 0x80C86432}},
        {"colour-alpha 16-bit", MakePng(1, 1, 6, 16, {0x0102, 0x0304, 0x0506, 0x7F00}), true, {0x7F010305}},
    };
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = Decode(EncodePng(c.png));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.width, static_cast<int>(c.png.width));
        EXPECT_EQ(decoded.height, static_cast<int>(c.png.height));
        EXPECT_EQ(decoded.hasAlpha, c.hasAlpha);
        EXPECT_EQ(decoded.argb, c.expected);
    }
}

// Samples that differ from their neighbours in every direction, so that each
// filter's prediction matters.
std::vector<std::uint16_t> VariedSamples(std::size_t count, unsigned maxValue) {
    std::vector<std::uint16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::uint16_t>((i * 7919 + i * i * 31) % (maxValue + 1));
    return samples;
}

TEST(DecodePng, EveryFilterTypeGivesTheSamePixels) {
    struct Format {
        std::uint8_t colourType;
        std::uint8_t bitDepth;
    };
    // 8-bit colour-alpha (4 bytes a pixel), 16-bit colour (6), 2-bit grey (less than a byte).
    for (const Format format : {Format{6, 8}, Format{2, 16}, Format{0, 2}}) {
        TestPng reference = MakePng(7, 5, format.colourType, format.bitDepth, {});
        reference.samples =
            VariedSamples(7 * 5 * test::PngChannels(format.colourType), (1u << format.bitDepth) - 1);
        const Decoded unfiltered = Decode(EncodePng(reference));
        ASSERT_TRUE(unfiltered.ok) << unfiltered.error;
        if (format.colourType == 6) {
            // The reference itself: the samples as pixels.
            for (std::size_t i = 0; i < unfiltered.argb.size(); ++i) {
                const std::uint16_t* s = reference.samples.data() + i * 4;
                EXPECT_EQ(unfiltered.argb[i], (std::uint32_t{s[3]} << 24) | (std::uint32_t{s[0]} << 16) |
                                                  (std::uint32_t{s[1]} << 8) | s[2]);
            }
        }
        for (const int filter : {1, 2, 3, 4, test::MIXED_FILTERS}) {
            SCOPED_TRACE("colour type " + std::to_string(format.colourType) + ", depth " +
                         std::to_string(format.bitDepth) + ", filter " + std::to_string(filter));
            TestPng filtered = reference;
            filtered.filter = filter;
            // The filter bytes really are the ones asked for (row 1 of the mixed case: Sub).
            const std::vector<std::uint8_t> scanlines = test::PngScanlines(filtered);
            EXPECT_EQ(scanlines[0], filter == test::MIXED_FILTERS ? 0 : filter);
            const Decoded decoded = Decode(EncodePng(filtered));
            ASSERT_TRUE(decoded.ok) << decoded.error;
            EXPECT_EQ(decoded.argb, unfiltered.argb);
        }
    }
}

TEST(DecodePng, InterlacedImagesGiveTheSamePixelsAsPlainOnes) {
    struct Size {
        std::uint32_t width, height;
    };
    struct Format {
        std::uint8_t colourType, bitDepth;
    };
    // Sizes smaller than, equal to and beyond the 8 x 8 block, where some passes are empty.
    for (const Size size : {Size{1, 1}, Size{3, 2}, Size{8, 8}, Size{9, 13}, Size{17, 5}}) {
        for (const Format format : {Format{6, 8}, Format{3, 4}, Format{0, 1}, Format{4, 16}}) {
            SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height) + ", colour type " +
                         std::to_string(format.colourType) + ", depth " + std::to_string(format.bitDepth));
            TestPng plain = MakePng(size.width, size.height, format.colourType, format.bitDepth, {});
            const unsigned maxValue = format.colourType == 3 ? 3 : (1u << format.bitDepth) - 1;
            plain.samples = VariedSamples(
                std::size_t{size.width} * size.height * test::PngChannels(format.colourType), maxValue);
            if (format.colourType == 3) plain.palette = PALETTE4;
            plain.filter = test::MIXED_FILTERS;
            TestPng interlaced = plain;
            interlaced.interlaced = true;
            const Decoded a = Decode(EncodePng(plain));
            const Decoded b = Decode(EncodePng(interlaced));
            ASSERT_TRUE(a.ok) << a.error;
            ASSERT_TRUE(b.ok) << b.error;
            EXPECT_EQ(b.argb, a.argb);
            if (format.colourType == 6) {
                for (std::size_t i = 0; i < b.argb.size(); ++i) {
                    const std::uint16_t* s = plain.samples.data() + i * 4;
                    ASSERT_EQ(b.argb[i], (std::uint32_t{s[3]} << 24) | (std::uint32_t{s[0]} << 16) |
                                             (std::uint32_t{s[1]} << 8) | s[2]);
                }
            }
        }
    }
}

TEST(DecodePng, AncillaryChunksAreSkippedAndImageDataMaySpanSeveralChunks) {
    TestPng png = MakePng(4, 3, 6, 8, VariedSamples(4 * 3 * 4, 255));
    const Decoded reference = Decode(EncodePng(png));
    ASSERT_TRUE(reference.ok) << reference.error;

    std::vector<PngChunk> chunks = PngChunks(png);
    const std::vector<std::uint8_t> compressed = chunks[1].data;
    chunks.erase(chunks.begin() + 1);
    // The compressed stream split into three IDAT chunks (one of them empty), with
    // ancillary chunks before them and after IEND's predecessor.
    const std::size_t third = compressed.size() / 3;
    chunks.insert(chunks.begin() + 1, {{"tEXt", {'a', 0, 'b'}},
                                       {"gAMA", {0, 0, 0xB1, 0x8F}},
                                       {"IDAT", {compressed.begin(), compressed.begin() + third}},
                                       {"IDAT", {}},
                                       {"IDAT", {compressed.begin() + third, compressed.end()}},
                                       {"zzZz", {1, 2, 3}}});
    const Decoded decoded = Decode(PngFileBytes(chunks));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.argb, reference.argb);
}

TEST(DecodePng, ImageDataSplitAnywhereDecodesTheSame) {
    // 300 x 200 colour: 180 kB of scanlines, more than the inflater takes at first.
    TestPng png = MakePng(300, 200, 2, 8, VariedSamples(300 * 200 * 3, 255));
    png.filter = test::MIXED_FILTERS;
    const Decoded reference = Decode(EncodePng(png));
    ASSERT_TRUE(reference.ok) << reference.error;
    const std::vector<PngChunk> chunks = PngChunks(png);
    const std::vector<std::uint8_t>& compressed = chunks[1].data;
    for (const std::size_t piece : {std::size_t{1}, std::size_t{13}, std::size_t{4096}}) {
        SCOPED_TRACE(piece);
        std::vector<PngChunk> split = {chunks[0]};
        for (std::size_t at = 0; at < compressed.size(); at += piece) {
            const std::size_t end = std::min(compressed.size(), at + piece);
            split.push_back({"IDAT",
                             {compressed.begin() + static_cast<std::ptrdiff_t>(at),
                              compressed.begin() + static_cast<std::ptrdiff_t>(end)}});
        }
        split.push_back(chunks.back());
        const Decoded decoded = Decode(PngFileBytes(split));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.argb, reference.argb);
    }
}

// A file changed in one way, and what the error message must contain.
struct BadCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    const char* message;
};

TestPng SmallRgba() {
    return MakePng(3, 2, 6, 8, VariedSamples(3 * 2 * 4, 255));
}

std::vector<std::uint8_t> WithChunks(const std::function<void(std::vector<PngChunk>&)>& change,
                                     TestPng png = SmallRgba()) {
    std::vector<PngChunk> chunks = PngChunks(png);
    change(chunks);
    return PngFileBytes(chunks);
}

std::vector<std::uint8_t> WithHeader(const std::function<void(TestPng&)>& change) {
    TestPng png = SmallRgba();
    change(png);
    // The header changed, the image data still the small image's.
    return WithChunks([&](std::vector<PngChunk>& chunks) { chunks[0].data = test::PngHeaderData(png); });
}

std::vector<std::uint8_t> WithScanlines(const std::function<void(std::vector<std::uint8_t>&)>& change) {
    return WithChunks([&](std::vector<PngChunk>& chunks) {
        std::vector<std::uint8_t> scanlines = test::PngScanlines(SmallRgba());
        change(scanlines);
        chunks[1].data = test::Deflate(scanlines);
    });
}

TEST(DecodePng, DamagedOrInvalidFilesGiveAReason) {
    const std::vector<BadCase> cases = {
        {"empty", [] { return std::vector<std::uint8_t>(); }, "signature"},
        {"bad signature",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes[1] = 'Q';
             return bytes;
         },
         "signature"},
        {"bad CRC",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes[8 + 8 + 13] ^= 1;  // IHDR's CRC
             return bytes;
         },
         "bad CRC"},
        {"damaged chunk data under a good-looking length",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes[8 + 8 + 3] ^= 0x40;  // IHDR's width
             return bytes;
         },
         "bad CRC"},
        {"truncated inside IDAT",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes.resize(bytes.size() - 20);
             return bytes;
         },
         "truncated"},
        {"truncated after the signature",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes.resize(10);
             return bytes;
         },
         "truncated"},
        {"chunk length beyond 2^31",
         [] {
             auto bytes = EncodePng(SmallRgba());
             bytes[8] = 0x80;
             return bytes;
         },
         "truncated"},
        {"missing IHDR", [] { return WithChunks([](auto& chunks) { chunks.erase(chunks.begin()); }); },
         "not IHDR"},
        {"missing IDAT", [] { return WithChunks([](auto& chunks) { chunks.erase(chunks.begin() + 1); }); },
         "no IDAT"},
        {"missing IEND", [] { return WithChunks([](auto& chunks) { chunks.pop_back(); }); }, "before IEND"},
        {"IDAT chunks apart",
         [] {
             return WithChunks([](auto& chunks) {
                 const auto data = chunks[1].data;
                 chunks[1].data.assign(data.begin(), data.begin() + 4);
                 chunks.insert(chunks.begin() + 2,
                               {{"tEXt", {'a', 0}}, {"IDAT", {data.begin() + 4, data.end()}}});
             });
         },
         "not consecutive"},
        {"two IHDR",
         [] { return WithChunks([](auto& chunks) { chunks.insert(chunks.begin() + 1, chunks[0]); }); },
         "more than one IHDR"},
        {"IHDR too long", [] { return WithChunks([](auto& chunks) { chunks[0].data.push_back(0); }); },
         "length 14"},
        {"unknown critical chunk",
         [] { return WithChunks([](auto& chunks) {
                  chunks.insert(chunks.begin() + 1, {"ABCD", {}});
              }); },
         "unknown critical chunk ABCD"},
        {"chunk type with a digit",
         [] { return WithChunks([](auto& chunks) {
                  chunks.insert(chunks.begin() + 1, {"ab1d", {}});
              }); },
         "invalid type"},
        {"width 0", [] { return WithHeader([](TestPng& s) { s.width = 0; }); }, "no pixels"},
        {"height 0", [] { return WithHeader([](TestPng& s) { s.height = 0; }); }, "no pixels"},
        {"width beyond 16384", [] { return WithHeader([](TestPng& s) { s.width = 16385; }); }, "too large"},
        {"width 2^31", [] { return WithHeader([](TestPng& s) { s.width = 0x80000000u; }); }, "beyond 2^31"},
        {"beyond 64 Mi pixels",
         [] {
             return WithHeader([](TestPng& s) {
                 s.width = 16384;
                 s.height = 4097;
             });
         },
         "too large"},
        {"colour type 5", [] { return WithHeader([](TestPng& s) { s.colourType = 5; }); }, "colour type 5"},
        {"bit depth 4 with colour", [] { return WithHeader([](TestPng& s) { s.bitDepth = 4; }); },
         "bit depth 4"},
        {"bit depth 16 with a palette",
         [] {
             return WithHeader([](TestPng& s) {
                 s.colourType = 3;
                 s.bitDepth = 16;
             });
         },
         "bit depth 16"},
        {"bit depth 3 grey",
         [] {
             return WithHeader([](TestPng& s) {
                 s.colourType = 0;
                 s.bitDepth = 3;
             });
         },
         "bit depth 3"},
        {"compression method 1", [] { return WithChunks([](auto& chunks) { chunks[0].data[10] = 1; }); },
         "compression method"},
        {"filter method 1", [] { return WithChunks([](auto& chunks) { chunks[0].data[11] = 1; }); },
         "filter method"},
        {"interlace method 2", [] { return WithChunks([](auto& chunks) { chunks[0].data[12] = 2; }); },
         "interlace method"},
        {"palette image without PLTE",
         [] {
             return EncodePng(MakePng(2, 1, 3, 8, {0, 1}));
         },
         "no PLTE"},
        {"palette index beyond the palette",
         [] {
             return EncodePng(MakePng(3, 1, 3, 8, {0, 4, 1}, PALETTE4));
         },
         "palette index 4"},
        {"PLTE longer than the bit depth indexes",
         [] {
             std::vector<std::uint8_t> palette(3 * 3, 0);
             return EncodePng(MakePng(2, 1, 3, 1, {0, 1}, palette));
         },
         "more entries"},
        {"PLTE not a multiple of 3",
         [] {
             return EncodePng(MakePng(2, 1, 3, 8, {0, 1}, {1, 2, 3, 4}));
         },
         "PLTE"},
        {"PLTE in a grey image",
         [] {
             return EncodePng(MakePng(1, 1, 0, 8, {0}, {1, 2, 3}));
         },
         "grey image"},
        {"tRNS longer than the palette",
         [] {
             return EncodePng(MakePng(1, 1, 3, 8, {0}, PALETTE4, {1, 2, 3, 4, 5}));
         },
         "more entries than the palette"},
        {"tRNS in a colour-alpha image",
         [] {
             TestPng png = SmallRgba();
             png.trns = {0, 0, 0, 0, 0, 0};
             return EncodePng(png);
         },
         "alpha channel"},
        {"tRNS of the wrong length for grey", [] { return EncodePng(MakePng(1, 1, 0, 8, {0}, {}, {0})); },
         "length 1"},
        {"inflated data one byte short",
         [] { return WithScanlines([](std::vector<std::uint8_t>& s) { s.pop_back(); }); }, "short"},
        {"inflated data one byte long",
         [] { return WithScanlines([](std::vector<std::uint8_t>& s) { s.push_back(0); }); },
         "more than the image"},
        {"unknown filter type", [] { return WithScanlines([](std::vector<std::uint8_t>& s) { s[0] = 5; }); },
         "filter type 5"},
        {"damaged compressed data", [] { return WithChunks([](auto& chunks) { chunks[1].data[0] = 0x00; }); },
         "damaged"},
        {"compressed stream cut short",
         [] { return WithChunks([](auto& chunks) { chunks[1].data.resize(chunks[1].data.size() - 6); }); },
         "short"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = Decode(c.bytes());
        ASSERT_FALSE(decoded.ok);
        EXPECT_NE(decoded.error.find(c.message), std::string::npos) << decoded.error;
        EXPECT_EQ(decoded.error.find('\n'), std::string::npos);
    }
}

TEST(DecodePng, EveryTruncationOfAFileIsRefused) {
    TestPng png = MakePng(9, 5, 3, 2, VariedSamples(9 * 5, 3), PALETTE4, {0, 100});
    png.interlaced = true;
    png.filter = test::MIXED_FILTERS;
    const std::vector<std::uint8_t> whole = EncodePng(png);
    ASSERT_TRUE(Decode(whole).ok);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::vector<std::uint8_t> part(whole.begin(),
                                             whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(Decode(part).ok) << size << " bytes";
    }
}

std::uint32_t HeaderNumber(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

TEST(DecodePng, DecodesEveryShippedSkinImage) {
    int files = 0;
    for (const auto& skin : std::filesystem::directory_iterator(KV12_SKINS_DIR)) {
        for (const auto& entry : std::filesystem::directory_iterator(skin.path())) {
            if (entry.path().extension() != ".png") continue;
            SCOPED_TRACE(entry.path().string());
            const auto bytes = ReadFileBytes(entry.path());
            ASSERT_TRUE(bytes.has_value());
            ASSERT_GE(bytes->size(), 24u);
            const Decoded decoded = Decode(*bytes);
            ASSERT_TRUE(decoded.ok) << decoded.error;
            EXPECT_EQ(static_cast<std::uint32_t>(decoded.width), HeaderNumber(*bytes, 16));
            EXPECT_EQ(static_cast<std::uint32_t>(decoded.height), HeaderNumber(*bytes, 20));
            ++files;
        }
    }
    EXPECT_GT(files, 50);

    // Pixels as ImageMagick reads them (`convert FILE -crop 1x1+X+Y -depth 8 rgba:-`).
    struct KnownPixel {
        const char* file;
        int x, y;
        std::uint32_t argb;
    };
    const KnownPixel known[] = {
        {"Graphite/AdvancedSet2.png", 10, 10, 0xFF101214},
        {"Graphite/AdvancedSet2.png", 200, 150, 0xFF22262B},
        {"Graphite/AdvancedSet2.png", 889, 659, 0xFF0F1113},
        {"Ivory/BasicSet2.png", 5, 7, 0xFFE7E2D8},
        {"Graphite/button-close-normal.png", 9, 9, 0xFF9AA5B1},
        {"Graphite/button-NextPage-over.png", 20, 20, 0xFF1E5E66},
        {"Graphite/button-NextPage-over.png", 3, 20, 0xFF2FD3DE},
        {"Ivory/button-normal.png", 50, 10, 0xFF2A3F6A},
        {"Ivory/button-normal.png", 0, 0, 0x00000000},
        {"Ivory/button-normal.png", 3, 0, 0x00334F82},
    };
    for (const KnownPixel& pixel : known) {
        SCOPED_TRACE(pixel.file);
        const auto bytes = ReadFileBytes(std::filesystem::path(KV12_SKINS_DIR) / pixel.file);
        ASSERT_TRUE(bytes.has_value());
        const Decoded decoded = Decode(*bytes);
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.argb.at(static_cast<std::size_t>(pixel.y) * decoded.width + pixel.x), pixel.argb)
            << pixel.x << ", " << pixel.y;
    }
}

}  // namespace
}  // namespace kv12
