// Decoded skin images, kept by file path so that hover changes and page
// rebuilds draw without reading and decoding the same files again. A file that
// fails to decode is not remembered: the next draw tries again (and a dialog
// says so again).
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "win32/png_image.h"

namespace kv12::win32 {

class ImageCache {
public:
    // The decoded image of file, decoding it on first use; nullptr when it
    // cannot be decoded. The pointer stays valid until Clear or the next
    // change of folder.
    const DecodedImage* Find(const std::filesystem::path& file);

    // Forgets every image when the skin folder is not the one in use (a new
    // skin may hold different files under the same names).
    void UseFolder(const std::string& folder);

    void Clear() { images_.clear(); }
    std::size_t Size() const { return images_.size(); }

private:
    std::string folder_;
    std::map<std::filesystem::path, DecodedImage> images_;
};

}  // namespace kv12::win32
