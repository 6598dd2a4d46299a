#include "win32/image_cache.h"

namespace kv12::win32 {

const DecodedImage* ImageCache::Find(const std::filesystem::path& file) {
    if (const auto found = images_.find(file); found != images_.end()) return &found->second;
    auto image = DecodedImage::FromFile(file);
    if (!image) return nullptr;
    return &images_.emplace(file, std::move(*image)).first->second;
}

void ImageCache::UseFolder(const std::string& folder) {
    if (folder == folder_) return;
    folder_ = folder;
    images_.clear();
}

}  // namespace kv12::win32
