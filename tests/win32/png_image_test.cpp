#include "win32/png_image.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../core/png_test_writer.h"
#include "../core/test_folder.h"
#include "png_writer.h"
#include "win32/canvas.h"

namespace kv12::win32 {
namespace {

// A canvas made from an opaque background, and images drawn onto it.
class PngDrawing : public ::testing::Test {
  protected:
    static constexpr std::uint32_t BACKGROUND = 0xFFC86400;  // RGB(200, 100, 0)

    void SetUp() override {
        ASSERT_TRUE(test::WritePng(folder_ / "background.png", 8, 8,
                                   std::vector<std::uint32_t>(64, BACKGROUND), false));
        const auto background = DecodedImage::FromFile(folder_ / "background.png");
        ASSERT_TRUE(background);
        canvas_ = Canvas::FromImage(*background);
        ASSERT_TRUE(canvas_);
    }

    std::optional<DecodedImage> Image(const char* name, int width, int height,
                                      std::vector<std::uint32_t> pixels, bool withAlpha) {
        if (!test::WritePng(folder_ / name, width, height, pixels, withAlpha)) return std::nullopt;
        return DecodedImage::FromFile(folder_ / name);
    }

    kv12::test::TestFolder folder_;
    std::optional<Canvas> canvas_;
};

TEST_F(PngDrawing, AFullyTransparentPixelLeavesTheCanvasUnchanged) {
    const auto image = Image("clear.png", 2, 1, {0x00000000, 0x00FFFFFF}, true);
    ASSERT_TRUE(image);
    ASSERT_TRUE(image->HasAlpha());
    ASSERT_TRUE(canvas_->Draw(*image, 3, 3));
    EXPECT_EQ(canvas_->PixelAt(3, 3), RGB(200, 100, 0));
    EXPECT_EQ(canvas_->PixelAt(4, 3), RGB(200, 100, 0));
}

TEST_F(PngDrawing, HalfTransparentWhiteIsPremultipliedBeforeBlending) {
    const auto image = Image("half.png", 1, 1, {0x80FFFFFF}, true);
    ASSERT_TRUE(image);
    // Stored as (128, 128, 128, 128): c * a / 255 with the fraction dropped.
    EXPECT_EQ(image->PixelAt(0, 0), 0x80808080u);
    ASSERT_TRUE(canvas_->Draw(*image, 2, 2));
    // Source over: result = source + destination * (255 - 128) / 255.
    const COLORREF blended = canvas_->PixelAt(2, 2);
    EXPECT_NEAR(GetRValue(blended), 128 + 200 * 127 / 255, 1);
    EXPECT_NEAR(GetGValue(blended), 128 + 100 * 127 / 255, 1);
    EXPECT_NEAR(GetBValue(blended), 128, 1);
}

TEST_F(PngDrawing, OpaqueAlphaPixelsReplaceTheCanvas) {
    const auto image = Image("opaque-alpha.png", 1, 1, {0xFF102030}, true);
    ASSERT_TRUE(image);
    ASSERT_TRUE(canvas_->Draw(*image, 0, 0));
    EXPECT_EQ(canvas_->PixelAt(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST_F(PngDrawing, ImageWithoutAlphaIsCopiedOpaquelyCornersIncluded) {
    // Corner pixels black and white: a blend or a colour key would show in them.
    const auto image = Image("rgb.png", 3, 3,
                             {0xFF000000, 0xFF0A141E, 0xFFFFFFFF,  //
                              0xFF0A141E, 0xFF0A141E, 0xFF0A141E,  //
                              0xFFFFFFFF, 0xFF0A141E, 0xFF000000},
                             false);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->HasAlpha());
    EXPECT_EQ(image->BitsPerPixel(), 24);
    ASSERT_TRUE(canvas_->Draw(*image, 1, 1));
    EXPECT_EQ(canvas_->PixelAt(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas_->PixelAt(3, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas_->PixelAt(2, 2), RGB(10, 20, 30));
    EXPECT_EQ(canvas_->PixelAt(3, 3), RGB(0, 0, 0));
    // Around it the canvas is untouched.
    EXPECT_EQ(canvas_->PixelAt(0, 0), RGB(200, 100, 0));
    EXPECT_EQ(canvas_->PixelAt(4, 4), RGB(200, 100, 0));
}

TEST_F(PngDrawing, AnImagePartlyOutsideTheCanvasIsClipped) {
    const auto image = Image("edge.png", 4, 4, std::vector<std::uint32_t>(16, 0xFF0000FF), false);
    ASSERT_TRUE(image);
    ASSERT_TRUE(canvas_->Draw(*image, 6, 6));
    EXPECT_EQ(canvas_->PixelAt(7, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas_->PixelAt(5, 5), RGB(200, 100, 0));
    EXPECT_EQ(canvas_->Width(), 8);
    EXPECT_EQ(canvas_->Height(), 8);
}

TEST_F(PngDrawing, AMissingOrBrokenFileDecodesToNothing) {
    EXPECT_FALSE(DecodedImage::FromFile(folder_ / "missing.png"));
    folder_.Write("broken.png", std::string("\x89PNG\r\n\x1a\nnot really", 18));
    EXPECT_FALSE(DecodedImage::FromFile(folder_ / "broken.png"));
    EXPECT_FALSE(LoadPng(canvas_->Dc(), folder_ / "missing.png", 0, 0));
    EXPECT_EQ(canvas_->PixelAt(0, 0), RGB(200, 100, 0));
}

// Files of other kinds than the writer's 8-bit colour ones: a palette with a
// transparent entry becomes a 32-bit image with alpha, an interlaced grey one
// a 24-bit opaque image of odd width (its rows padded to 4 bytes).
TEST_F(PngDrawing, PaletteAndInterlacedGreyFilesBecomeTheRightBitmaps) {
    kv12::test::TestPng palette;
    palette.width = 3;
    palette.height = 1;
    palette.colourType = 3;
    palette.bitDepth = 2;
    palette.samples = {0, 1, 2};
    palette.palette = {255, 255, 255, 10, 20, 30, 200, 100, 0};
    palette.trns = {0x80, 0x00};
    folder_.Write("palette.png", kv12::test::EncodePng(palette));
    const auto paletteImage = DecodedImage::FromFile(folder_ / "palette.png");
    ASSERT_TRUE(paletteImage);
    EXPECT_EQ(paletteImage->BitsPerPixel(), 32);
    EXPECT_FALSE(paletteImage->IsOpaque());
    EXPECT_EQ(paletteImage->PixelAt(0, 0), 0x80808080u);  // white at alpha 128, premultiplied
    EXPECT_EQ(paletteImage->PixelAt(1, 0), 0x00000000u);
    EXPECT_EQ(paletteImage->PixelAt(2, 0), 0xFFC86400u);

    kv12::test::TestPng grey;
    grey.width = 5;
    grey.height = 3;
    grey.colourType = 0;
    grey.bitDepth = 8;
    grey.interlaced = true;
    for (int i = 0; i < 15; ++i) grey.samples.push_back(static_cast<std::uint16_t>(i * 17));
    folder_.Write("grey.png", kv12::test::EncodePng(grey));
    const auto greyImage = DecodedImage::FromFile(folder_ / "grey.png");
    ASSERT_TRUE(greyImage);
    EXPECT_EQ(greyImage->BitsPerPixel(), 24);
    EXPECT_TRUE(greyImage->IsOpaque());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const std::uint32_t value = static_cast<std::uint32_t>((y * 5 + x) * 17);
            EXPECT_EQ(greyImage->PixelAt(x, y), value | (value << 8) | (value << 16)) << x << ", " << y;
        }
    }
}

// The size a hidden window takes: only a file that decodes whole gives one,
// so a background with a sound header and a broken body fails at once.
TEST(PngSize, ComesOnlyFromAFileThatDecodesWhole) {
    kv12::test::TestFolder folder;
    ASSERT_TRUE(
        test::WritePng(folder / "wide.png", 37, 5, std::vector<std::uint32_t>(185, 0xFF000000), true));
    const auto size = CheckPngSize(folder / "wide.png");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 37);
    EXPECT_EQ(size->height, 5);

    const std::string whole = folder.Read("wide.png");
    std::string flipped = whole;
    flipped[whole.size() - 20] = static_cast<char>(flipped[whole.size() - 20] ^ 0x55);  // in the image data
    struct Bad {
        const char* name;
        std::string bytes;  // empty: no file at all
    };
    const std::vector<Bad> bad = {
        {"missing.png", ""},
        {"header-only.png", whole.substr(0, 8 + 25)},  // the signature and a sound IHDR
        {"broken-data.png", flipped},
        {"text.png", "width=875 height=647, not a picture"},
    };
    for (const Bad& file : bad) {
        if (!file.bytes.empty()) folder.Write(file.name, file.bytes);
        EXPECT_FALSE(CheckPngSize(folder / file.name)) << file.name;
    }
}

TEST_F(PngDrawing, ACanvasIsACopySoDrawingLeavesTheDecodedImageAlone) {
    const auto background = DecodedImage::FromFile(folder_ / "background.png");
    ASSERT_TRUE(background);
    auto second = Canvas::FromImage(*background);
    ASSERT_TRUE(second);
    const auto image = Image("dot.png", 1, 1, {0xFF00FF00}, false);
    ASSERT_TRUE(image);
    ASSERT_TRUE(second->Draw(*image, 0, 0));
    EXPECT_EQ(second->PixelAt(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(background->PixelAt(0, 0), 0x00C86400u);
}

// Opacity decides whether a drawn image hides what was under it: an alpha
// channel that is 255 everywhere hides it as well as no alpha channel.
struct OpacityCase {
    const char* name;
    bool withAlpha;
    std::vector<std::uint32_t> pixels;  // 2 x 1
    bool opaque;
    std::uint8_t alphaOfSecond;
};

class Opacity : public PngDrawing, public ::testing::WithParamInterface<OpacityCase> {};

TEST_P(Opacity, IsKnownFromEveryPixelsAlpha) {
    const OpacityCase& c = GetParam();
    const auto image = Image(c.name, 2, 1, c.pixels, c.withAlpha);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->IsOpaque(), c.opaque);
    EXPECT_EQ(image->AlphaAt(0, 0), 255);
    EXPECT_EQ(image->AlphaAt(1, 0), c.alphaOfSecond);
    EXPECT_EQ(image->AlphaAt(2, 0), 0) << "outside the image";
    EXPECT_EQ(image->AlphaAt(0, -1), 0) << "outside the image";
}

INSTANTIATE_TEST_SUITE_P(
    Images, Opacity,
    ::testing::Values(OpacityCase{"rgb.png", false, {0xFF102030, 0x00405060}, true, 255},
                      OpacityCase{"alpha-full.png", true, {0xFF102030, 0xFF405060}, true, 255},
                      OpacityCase{"alpha-half.png", true, {0xFF102030, 0x80405060}, false, 0x80},
                      OpacityCase{"alpha-hole.png", true, {0xFF102030, 0x00405060}, false, 0}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase_if(name, [](char c) { return c == '-' || c == '.'; });
        return name;
    });

struct PremultiplyCase {
    std::uint8_t b, g, r, a;
    std::uint8_t expectedB, expectedG, expectedR;
};

void PrintTo(const PremultiplyCase& c, std::ostream* os) {
    *os << "bgra(" << int(c.b) << "," << int(c.g) << "," << int(c.r) << "," << int(c.a) << ")";
}

class Premultiply : public ::testing::TestWithParam<PremultiplyCase> {};

TEST_P(Premultiply, ScalesColourByAlphaDroppingTheFraction) {
    const PremultiplyCase c = GetParam();
    std::uint8_t pixel[4] = {c.b, c.g, c.r, c.a};
    PremultiplyPixels(pixel, 1);
    EXPECT_EQ(pixel[0], c.expectedB);
    EXPECT_EQ(pixel[1], c.expectedG);
    EXPECT_EQ(pixel[2], c.expectedR);
    EXPECT_EQ(pixel[3], c.a);
}

INSTANTIATE_TEST_SUITE_P(Pixels, Premultiply,
                         ::testing::Values(PremultiplyCase{255, 255, 255, 128, 128, 128, 128},
                                           PremultiplyCase{255, 255, 255, 0, 0, 0, 0},
                                           PremultiplyCase{10, 20, 30, 255, 10, 20, 30},
                                           PremultiplyCase{200, 100, 1, 254, 199, 99, 0}),
                         // "B200G100R1A254": the pixel before.
                         [](const auto& info) {
                             const PremultiplyCase& c = info.param;
                             return "B" + std::to_string(c.b) + "G" + std::to_string(c.g) + "R" +
                                    std::to_string(c.r) + "A" + std::to_string(c.a);
                         });

}  // namespace
}  // namespace kv12::win32
