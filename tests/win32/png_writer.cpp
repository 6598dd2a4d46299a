#include "png_writer.h"

#include <fstream>

#include "../core/png_test_writer.h"

namespace kv12::win32::test {

bool WritePng(const std::filesystem::path& file, int width, int height,
              const std::vector<std::uint32_t>& pixels, bool withAlpha) {
    kv12::test::PngSpec spec;
    spec.width = static_cast<std::uint32_t>(width);
    spec.height = static_cast<std::uint32_t>(height);
    spec.bitDepth = 8;
    spec.colourType = withAlpha ? 6 : 2;
    for (const std::uint32_t argb : pixels) {
        spec.samples.push_back(static_cast<std::uint16_t>((argb >> 16) & 0xFF));
        spec.samples.push_back(static_cast<std::uint16_t>((argb >> 8) & 0xFF));
        spec.samples.push_back(static_cast<std::uint16_t>(argb & 0xFF));
        if (withAlpha) spec.samples.push_back(static_cast<std::uint16_t>(argb >> 24));
    }
    const std::vector<std::uint8_t> bytes = kv12::test::EncodePng(spec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace kv12::win32::test
