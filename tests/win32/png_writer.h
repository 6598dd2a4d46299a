// Tiny PNG files for the drawing tests, written by GDI+ so that the tests need
// no fixture files: each pixel is given as 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kv12::win32::test {

// Writes a width x height PNG, rows top-down. withAlpha: a 32-bit RGBA image;
// otherwise a 24-bit RGB image (the alpha bytes of the pixels are ignored).
// False when GDI+ could not write it.
bool WritePng(const std::filesystem::path& file, int width, int height, const std::vector<std::uint32_t>& pixels,
              bool withAlpha);

}  // namespace kv12::win32::test
