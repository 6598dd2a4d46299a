#include "win32/image_cache.h"

#include "core/utf8_path.h"

namespace kv12::win32 {

const DecodedImage* ImageCache::Find(const std::filesystem::path& file) {
    if (const auto found = images_.find(file); found != images_.end()) return &found->second;
    auto image = Decode(file);
    if (!image) return nullptr;
    return &images_.emplace(file, std::move(*image)).first->second;
}

const DecodedImage* ImageCache::Peek(const std::filesystem::path& file) const {
    const auto found = images_.find(file);
    return found != images_.end() ? &found->second : nullptr;
}

std::optional<DecodedImage> ImageCache::Decode(const std::filesystem::path& file) {
    auto image = DecodedImage::FromFile(file);
    if (!image) return std::nullopt;
    ++decodes_;
    if (log_) {
        log_->Write("image", "decoded " + PathToUtf8(file) + " " + std::to_string(image->Width()) + "x" +
                                 std::to_string(image->Height()));
    }
    return image;
}

std::optional<DecodedImage> ImageCache::Take(const std::filesystem::path& file) {
    auto found = images_.find(file);
    if (found == images_.end()) return std::nullopt;
    std::optional<DecodedImage> image(std::move(found->second));
    images_.erase(found);
    return image;
}

void ImageCache::UseFolder(const std::string& folder) {
    if (folder == folder_) return;
    folder_ = folder;
    images_.clear();
}

std::size_t ImageCache::Clear() {
    const std::size_t count = images_.size();
    images_.clear();
    return count;
}

}  // namespace kv12::win32
