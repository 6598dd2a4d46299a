// The 32 images of a skin folder and the size each must have. Every image is
// drawn at its natural size with its top-left corner at a fixed place, so an
// element image must be exactly the size of the rectangles it fills; a window
// background sets its window's size and must be large enough for everything
// that window draws or creates on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv12 {

// List positions of SKIN_IMAGES.
enum class SkinImage : std::uint8_t {
    BasicBackground,
    AdvancedBackground,
    ComboKeyBackground,
    DelayTimeBackground,
    FireKeyBackground,
    MacroKeyBackground,
    MediaKeyBackground,
    SingleKeyBackground,
    WindowsKeyBackground,
    SkinsBackground,
    ButtonNormal,
    ButtonOver,
    CloseNormal,
    CloseOver,
    MinimiseNormal,
    MinimiseOver,
    SkinButtonNormal,
    SkinButtonOver,
    PreviousPageNormal,
    PreviousPageOver,
    NextPageNormal,
    NextPageOver,
    DropdownBoxNormal,
    DropdownBoxOver,
    SliderLight,
    SliderDark,
    DpiSliderLight,
    DpiSliderDark,
    RateSliderLight,
    RateSliderDark,
    CheckBoxClear,
    CheckBoxTicked,
};

inline constexpr std::size_t SKIN_IMAGE_COUNT = 32;
static_assert(static_cast<std::size_t>(SkinImage::CheckBoxTicked) + 1 == SKIN_IMAGE_COUNT);

enum class SizeRule : std::uint8_t {
    Exact,    // an element drawn into rectangles of this size
    AtLeast,  // a window background: the window takes its size
};

struct SkinImageSpec {
    std::string_view name;  // appended to the skin folder; begins with "/"
    int width;
    int height;
    SizeRule rule;
};

// Indexed by SkinImage. Background minimums are the right and bottom edges of
// the farthest rectangle their window uses (edges exclusive, as hit-testing).
inline constexpr std::array<SkinImageSpec, SKIN_IMAGE_COUNT> SKIN_IMAGES = {{
    // Main window, basic page; also sizes the main window. Width: the Cancel
    // button (770, 623, 875, 644); height: the web address (273, 627, 449, 647).
    {"/BasicSet2.png", 875, 647, SizeRule::AtLeast},
    // Main window, advanced page: the same frame, and the "Record Option"
    // heading (725, 196, 875, 220). Painted into the window the basic page sized.
    {"/AdvancedSet2.png", 875, 647, SizeRule::AtLeast},
    // Sub-dialogs: the standard frame needs the Cancel button (270, 253, 375, 274).
    {"/combo-key.png", 375, 274, SizeRule::AtLeast},
    {"/delay-time.png", 375, 274, SizeRule::AtLeast},
    // The fire-key notes run to x 400 (20, 222, 400, 238).
    {"/fire-key.png", 400, 274, SizeRule::AtLeast},
    // The repeat option texts run to x 390 (237, 170, 390, 202); the macro
    // list hangs down to y 285 (43, 146, 151, 285).
    {"/macro-key.png", 390, 285, SizeRule::AtLeast},
    {"/media-key.png", 375, 274, SizeRule::AtLeast},
    {"/single-key.png", 375, 274, SizeRule::AtLeast},
    // The application list hangs down to y 305 (43, 145, 151, 305).
    {"/windows-key.png", 375, 305, SizeRule::AtLeast},
    {"/skins.png", 375, 274, SizeRule::AtLeast},
    // Text buttons: OK (562, 623, 667, 644) and every other captioned button.
    {"/button-normal.png", 105, 21, SizeRule::Exact},
    {"/button-over.png", 105, 21, SizeRule::Exact},
    // Close button (850, 5, 868, 23) and the dialogs' (352, 6, 370, 24).
    {"/button-close-normal.png", 18, 18, SizeRule::Exact},
    {"/button-close-over.png", 18, 18, SizeRule::Exact},
    // Minimise button (825, 5, 843, 23).
    {"/button-min-normal.png", 18, 18, SizeRule::Exact},
    {"/button-min-over.png", 18, 18, SizeRule::Exact},
    // Skin button (701, 5, 719, 23).
    {"/button-Skins-normal.png", 18, 18, SizeRule::Exact},
    {"/button-Skins-over.png", 18, 18, SizeRule::Exact},
    // Previous page (20, 58, 60, 98).
    {"/button-PrePage-normal.png", 40, 40, SizeRule::Exact},
    {"/button-PrePage-over.png", 40, 40, SizeRule::Exact},
    // Next page (70, 58, 110, 98).
    {"/button-NextPage-normal.png", 40, 40, SizeRule::Exact},
    {"/button-NextPage-over.png", 40, 40, SizeRule::Exact},
    // Drop-down box of button 1 (252, 199, 463, 220).
    {"/DropdownBox-normal.png", 211, 21, SizeRule::Exact},
    {"/DropdownBox-over.png", 211, 21, SizeRule::Exact},
    // Pointer slider cell 1 (52, 200, 76, 211); cells stand 24 px apart.
    {"/slider-light.png", 24, 11, SizeRule::Exact},
    {"/slider-dark.png", 24, 11, SizeRule::Exact},
    // Lowest DPI level of stage 1 (554, 500, 570, 516); levels stand 18 px apart.
    {"/slider-DPI-light.png", 16, 16, SizeRule::Exact},
    {"/slider-DPI-dark.png", 16, 16, SizeRule::Exact},
    // Report-rate position 125 Hz (542, 204, 612, 215).
    {"/slider-RP-light.png", 70, 11, SizeRule::Exact},
    {"/slider-RP-dark.png", 70, 11, SizeRule::Exact},
    // Check boxes: DPI stage 1 (554, 541, 570, 557), pointer precision (51, 255, 67, 271).
    {"/Pane.png", 16, 16, SizeRule::Exact},
    {"/PaneMakingTick.png", 16, 16, SizeRule::Exact},
}};

/// The size rule and name of one image.
constexpr const SkinImageSpec& SkinImageInfo(SkinImage image) {
    return SKIN_IMAGES[static_cast<std::size_t>(image)];
}

/// The name to append to the skin folder, e.g. "/button-normal.png".
constexpr std::string_view SkinImageName(SkinImage image) {
    return SkinImageInfo(image).name;
}

/// Whether an image of width x height pixels fits its places.
constexpr bool SkinImageSizeFits(const SkinImageSpec& desc, int width, int height) {
    if (desc.rule == SizeRule::Exact) return width == desc.width && height == desc.height;
    return width >= desc.width && height >= desc.height;
}

/// Whether the image is a window background.
constexpr bool IsSkinBackground(SkinImage image) {
    return SkinImageInfo(image).rule == SizeRule::AtLeast;
}

}  // namespace kv12
