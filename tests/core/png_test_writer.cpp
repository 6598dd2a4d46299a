#include "png_test_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include <zlib.h>

namespace kv12::test {

namespace {

// The Adam7 passes, written out here again on purpose: the files this writer
// makes check the decoder, so they must not share its tables.
struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> ADAM7 = {{
    {0, 0, 8, 8},
    {4, 0, 8, 8},
    {0, 4, 4, 8},
    {2, 0, 4, 4},
    {0, 2, 2, 4},
    {1, 0, 2, 2},
    {0, 1, 1, 2},
}};

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// One row's samples packed at the bit depth, most significant bits first.
std::vector<std::uint8_t> PackRow(const TestPng& png, const std::vector<std::uint16_t>& samples) {
    std::vector<std::uint8_t> row;
    if (png.bitDepth == 16) {
        for (const std::uint16_t s : samples) {
            row.push_back(static_cast<std::uint8_t>(s >> 8));
            row.push_back(static_cast<std::uint8_t>(s));
        }
        return row;
    }
    row.assign((samples.size() * png.bitDepth + 7) / 8, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t bit = i * png.bitDepth;
        row[bit / 8] |= static_cast<std::uint8_t>(samples[i] << (8 - png.bitDepth - bit % 8));
    }
    return row;
}

int Predict(int filter, int left, int up, int upLeft) {
    switch (filter) {
        case 1:
            return left;
        case 2:
            return up;
        case 3:
            return (left + up) / 2;
        case 4: {
            const int p = left + up - upLeft;
            const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
            if (pa <= pb && pa <= pc) return left;
            return pb <= pc ? up : upLeft;
        }
        default:
            return 0;
    }
}

void AppendFilteredRow(std::vector<std::uint8_t>& out, int filter, const std::vector<std::uint8_t>& row,
                       const std::vector<std::uint8_t>& previous, std::size_t bpp) {
    out.push_back(static_cast<std::uint8_t>(filter));
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int up = previous.empty() ? 0 : previous[i];
        const int upLeft = (!previous.empty() && i >= bpp) ? previous[i - bpp] : 0;
        out.push_back(static_cast<std::uint8_t>(row[i] - Predict(filter, left, up, upLeft)));
    }
}

}  // namespace

unsigned PngChannels(std::uint8_t colourType) {
    switch (colourType) {
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
    }
}

std::vector<std::uint8_t> PngHeaderData(const TestPng& png) {
    std::vector<std::uint8_t> data;
    PutBigEndian32(data, png.width);
    PutBigEndian32(data, png.height);
    data.insert(data.end(), {png.bitDepth, png.colourType, 0, 0, static_cast<std::uint8_t>(png.interlaced)});
    return data;
}

std::vector<std::uint8_t> PngScanlines(const TestPng& png) {
    const unsigned channels = PngChannels(png.colourType);
    const std::size_t bpp = std::max<std::size_t>(1, channels * png.bitDepth / 8);
    const std::vector<Pass> passes =
        png.interlaced ? std::vector<Pass>(ADAM7.begin(), ADAM7.end()) : std::vector<Pass>{{0, 0, 1, 1}};
    std::vector<std::uint8_t> out;
    for (const Pass& pass : passes) {
        std::vector<std::uint8_t> previous;
        int rowNumber = 0;
        for (std::uint32_t y = pass.y0; y < png.height; y += pass.dy) {
            std::vector<std::uint16_t> samples;
            for (std::uint32_t x = pass.x0; x < png.width; x += pass.dx) {
                for (unsigned c = 0; c < channels; ++c)
                    samples.push_back(
                        png.samples.at((static_cast<std::size_t>(y) * png.width + x) * channels + c));
            }
            if (samples.empty()) break;
            const std::vector<std::uint8_t> row = PackRow(png, samples);
            const int filter = png.filter == MIXED_FILTERS ? rowNumber % 5 : png.filter;
            AppendFilteredRow(out, filter, row, previous, bpp);
            previous = row;
            ++rowNumber;
        }
    }
    return out;
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<std::uint8_t> out(size);
    if (compress(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size())) != Z_OK) std::abort();
    out.resize(size);
    return out;
}

std::vector<PngChunk> PngChunks(const TestPng& png) {
    std::vector<PngChunk> chunks;
    chunks.push_back({"IHDR", PngHeaderData(png)});
    if (!png.palette.empty()) chunks.push_back({"PLTE", png.palette});
    if (!png.trns.empty()) chunks.push_back({"tRNS", png.trns});
    chunks.push_back({"IDAT", Deflate(PngScanlines(png))});
    chunks.push_back({"IEND", {}});
    return chunks;
}

std::vector<std::uint8_t> PngFileBytes(const std::vector<PngChunk>& chunks) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const PngChunk& chunk : chunks) {
        PutBigEndian32(out, static_cast<std::uint32_t>(chunk.data.size()));
        const std::size_t typeAt = out.size();
        out.insert(out.end(), chunk.type.begin(), chunk.type.end());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
        PutBigEndian32(out, static_cast<std::uint32_t>(
                                crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt))));
    }
    return out;
}

std::vector<std::uint8_t> EncodePng(const TestPng& png) {
    return PngFileBytes(PngChunks(png));
}

}  // namespace kv12::test
