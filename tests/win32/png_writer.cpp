#include "png_writer.h"

#include <fstream>

#include "../core/png_test_writer.h"

namespace kv12::win32::test {

bool WritePng(const std::filesystem::path& file, int width, int height,
              const std::vector<std::uint32_t>& pixels, bool withAlpha) {
    kv12::test::TestPng png;
    png.width = static_cast<std::uint32_t>(width);
    png.height = static_cast<std::uint32_t>(height);
    png.bitDepth = 8;
    png.colourType = withAlpha ? 6 : 2;
    for (const std::uint32_t argb : pixels) {
        png.samples.push_back(static_cast<std::uint16_t>((argb >> 16) & 0xFF));
        png.samples.push_back(static_cast<std::uint16_t>((argb >> 8) & 0xFF));
        png.samples.push_back(static_cast<std::uint16_t>(argb & 0xFF));
        if (withAlpha) png.samples.push_back(static_cast<std::uint16_t>(argb >> 24));
    }
    const std::vector<std::uint8_t> bytes = kv12::test::EncodePng(png);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace kv12::win32::test
