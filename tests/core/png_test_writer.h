// A small PNG encoder for tests: any colour type, bit depth, filter and
// interlacing, written from sample values, with every step exposed so that a
// test can damage one part of a file on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv12::test {

// Filter choice for all rows: 0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth, or
// MIXED_FILTERS for row n taking filter n % 5.
inline constexpr int MIXED_FILTERS = 5;

struct TestPng {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 6;
    bool interlaced = false;
    int filter = 0;
    // Sample values at the bit depth, width * height * channels, rows top-down.
    std::vector<std::uint16_t> samples;
    std::vector<std::uint8_t> palette;  // red, green, blue per entry; no PLTE when empty
    std::vector<std::uint8_t> trns;     // the tRNS chunk's data; none when empty
};

struct PngChunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

unsigned PngChannels(std::uint8_t colourType);
// The 13 bytes of IHDR.
std::vector<std::uint8_t> PngHeaderData(const TestPng& png);
// The filtered scanlines (a filter byte before each row), pass by pass when interlaced.
std::vector<std::uint8_t> PngScanlines(const TestPng& png);
// zlib's compress of the bytes.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& bytes);
// IHDR, PLTE and tRNS when given, one IDAT, IEND.
std::vector<PngChunk> PngChunks(const TestPng& png);
// The signature and the chunks with their lengths and CRCs.
std::vector<std::uint8_t> PngFileBytes(const std::vector<PngChunk>& chunks);
std::vector<std::uint8_t> EncodePng(const TestPng& png);

}  // namespace kv12::test
