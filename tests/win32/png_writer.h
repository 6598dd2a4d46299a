// Tiny PNG files for the drawing tests, written by the tests' own encoder
// (tests/core/png_test_writer.h) so that the tests need no fixture files: each
// pixel is given as 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kv12::win32::test {

// Writes a width x height PNG, rows top-down. withAlpha: an 8-bit RGBA image;
// otherwise an 8-bit RGB image (the alpha bytes of the pixels are ignored).
// False when the file could not be written.
bool WritePng(const std::filesystem::path& file, int width, int height,
              const std::vector<std::uint32_t>& pixels, bool withAlpha);

}  // namespace kv12::win32::test
