#include "win32/canvas_recipe.h"

#include <algorithm>

namespace kv12::win32 {

bool PaintsOver(const DecodedImage& image, ui::Point at, const RecordedDraw& earlier,
                const ImageCache& images) {
    if (!earlier.touched) return false;
    const RECT& t = *earlier.touched;
    if (t.left >= t.right || t.top >= t.bottom) return true;  // it changed nothing
    if (t.left < at.x || t.top < at.y || t.right > at.x + image.Width() || t.bottom > at.y + image.Height()) {
        return false;
    }
    if (image.IsOpaque()) return true;
    // An earlier image changed only its pixels with some alpha; a text may
    // have inked any pixel of its box.
    const DecodedImage* under = nullptr;
    if (earlier.kind == RecordedDraw::Kind::Image) {
        under = images.Peek(earlier.file);
        if (!under) return false;
    }
    for (int y = t.top; y < t.bottom; ++y) {
        for (int x = t.left; x < t.right; ++x) {
            if (under && under->AlphaAt(x - earlier.at.x, y - earlier.at.y) == 0) continue;
            if (image.AlphaAt(x - at.x, y - at.y) != 255) return false;
        }
    }
    return true;
}

void CanvasRecipe::StartFrom(const std::filesystem::path& base) {
    base_ = base;
    draws_.clear();
    complete_ = true;
}

void CanvasRecipe::Clear() {
    StartFrom({});
}

void CanvasRecipe::Add(RecordedDraw draw, const DecodedImage* image, const ImageCache& images) {
    if (base_.empty() || !complete_) return;
    if (image && draw.touched) {
        std::erase_if(draws_, [&](const RecordedDraw& earlier) {
            return PaintsOver(*image, draw.at, earlier, images);
        });
    }
    if (draws_.size() >= MAX_DRAWS) {
        draws_.clear();
        complete_ = false;
        return;
    }
    draws_.push_back(std::move(draw));
}

std::vector<RecordedDraw> CanvasRecipe::TakeDraws() {
    std::vector<RecordedDraw> draws;
    draws.swap(draws_);
    return draws;
}

}  // namespace kv12::win32
