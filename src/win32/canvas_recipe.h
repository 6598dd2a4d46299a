// How a window's canvas was made: the image it started from and the draws
// since, oldest first. A hidden window keeps this instead of the canvas's
// pixels and makes the same picture again, draw by draw, when it shows.
//
// The list stays short: a draw that paints over an earlier one entirely
// takes its place. An image that is opaque over the whole canvas (a page's
// background) becomes the new start; an image hides an earlier image or text
// when every pixel the earlier one changed is fully opaque in it, which is
// what the hover images do to each other (the same shapes, drawn at the same
// corner). Should a skin's images still pile up past MAX_DRAWS, the recipe
// gives up until the next full background: the window then keeps its canvas.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/window_host.h"
#include "win32/image_cache.h"
#include "win32/png_image.h"
#include "win32/windows_api.h"

namespace kv12::win32 {

struct RecordedDraw {
    enum class Kind { Image, Text };
    Kind kind = Kind::Image;
    std::filesystem::path file;  // an image: its file
    ui::Point at;                // an image: its top-left corner
    std::string text;            // a text, as the window gave it
    ui::Rect rect;
    ui::TextFormat format = ui::TextFormat::Left;
    std::optional<ui::FontSpec> font;  // the font it was drawn in (none: the window had none)
    ui::Rgb color;
    // The canvas pixels the draw may have changed: an image's rectangle, a
    // text's inked box. Unknown for a draw made while the window was hidden,
    // which is worked out when it is made on the canvas.
    std::optional<RECT> touched;
};

class CanvasRecipe {
  public:
    static constexpr std::size_t MAX_DRAWS = 2048;

    // Starts from an image that fills the canvas (forgets every draw).
    void StartFrom(const std::filesystem::path& base);
    // Nothing to make a canvas from.
    void Clear();
    const std::filesystem::path& Base() const { return base_; }
    bool Empty() const { return base_.empty(); }
    // False once the draws went past MAX_DRAWS: the canvas cannot be made
    // again from the recipe until the next StartFrom.
    bool Complete() const { return complete_; }
    std::size_t DrawCount() const { return draws_.size(); }

    // A draw made on the canvas, or kept for later while the window is hidden.
    // image: what an image draw drew (null for a text, or when nothing was
    // decoded); with a known touched box it replaces the earlier draws it
    // hides. images: where the earlier draws' images are looked up (never
    // decoded) to tell which of their pixels they changed.
    void Add(RecordedDraw draw, const DecodedImage* image, const ImageCache& images);

    // The draws, for making the canvas again; the recipe keeps only its start.
    std::vector<RecordedDraw> TakeDraws();

  private:
    std::filesystem::path base_;
    std::vector<RecordedDraw> draws_;
    bool complete_ = true;
};

// Whether drawing `image` with its top-left corner at `at` leaves nothing of
// `earlier` visible (false when that is not known).
bool PaintsOver(const DecodedImage& image, ui::Point at, const RecordedDraw& earlier,
                const ImageCache& images);

}  // namespace kv12::win32
