// Decoded skin images of one window, kept by file path so that hover changes
// and page rebuilds draw without reading and decoding the same files again. A
// file that fails to decode is not remembered: the next draw tries again (and
// a dialog says so again). Every decode is counted and, with a log, written
// to it as "image: decoded <file> <width>x<height>".
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "win32/debug_log.h"
#include "win32/png_image.h"

namespace kv12::win32 {

class ImageCache {
  public:
    explicit ImageCache(DebugLog* log = nullptr) : log_(log) {}

    // The decoded image of file, decoding it on first use; nullptr when it
    // cannot be decoded. The pointer stays valid until Clear, Take of that
    // file or the next change of folder.
    const DecodedImage* Find(const std::filesystem::path& file);
    // The image if it is decoded already; never decodes.
    const DecodedImage* Peek(const std::filesystem::path& file) const;
    bool Contains(const std::filesystem::path& file) const { return images_.contains(file); }

    // Decodes file for a caller that keeps the image itself (a window's
    // background): counted and logged like every decode, but not kept here.
    std::optional<DecodedImage> Decode(const std::filesystem::path& file);
    // Hands a kept image over to the caller and forgets it; nothing when it is
    // not kept.
    std::optional<DecodedImage> Take(const std::filesystem::path& file);

    // Forgets every image when the skin folder is not the one in use (a new
    // skin may hold different files under the same names).
    void UseFolder(const std::string& folder);

    // Forgets every image; returns how many there were.
    std::size_t Clear();
    std::size_t Size() const { return images_.size(); }
    // How many files have been decoded since the cache was made.
    std::size_t Decodes() const { return decodes_; }

  private:
    DebugLog* log_;
    std::string folder_;
    std::map<std::filesystem::path, DecodedImage> images_;
    std::size_t decodes_ = 0;
};

}  // namespace kv12::win32
