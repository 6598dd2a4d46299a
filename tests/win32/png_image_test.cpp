#include "win32/png_image.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../core/test_folder.h"
#include "png_writer.h"
#include "win32/canvas.h"
#include "win32/scoped_gdiplus.h"

namespace kv12::win32 {
namespace {

// A canvas made from an opaque background, and images drawn onto it.
class PngDrawing : public ::testing::Test {
  protected:
    static constexpr std::uint32_t BACKGROUND = 0xFFC86400;  // RGB(200, 100, 0)

    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Started());
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

    ScopedGdiPlus gdiplus_;
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

// The size a hidden window takes from a file's header, without decoding it.
TEST(PngSize, ComesFromTheHeaderOrNotAtAll) {
    kv12::test::TestFolder folder;
    ASSERT_TRUE(
        test::WritePng(folder / "wide.png", 37, 5, std::vector<std::uint32_t>(185, 0xFF000000), true));
    const auto size = ReadPngSize(folder / "wide.png");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 37);
    EXPECT_EQ(size->height, 5);

    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    const std::string ihdrLength("\0\0\0\x0d", 4);
    struct Bad {
        const char* name;
        std::string bytes;  // empty: no file at all
    };
    const std::vector<Bad> bad = {
        {"missing.png", ""},
        {"short.png", signature + ihdrLength + "IHDR"},
        {"text.png", "width=875 height=647, not a picture"},
        {"zero-width.png", signature + ihdrLength + "IHDR" + std::string("\0\0\0\0\0\0\x02\x87", 8)},
        {"huge.png", signature + ihdrLength + "IHDR" + std::string("\x7f\xff\xff\xff\0\0\x02\x87", 8)},
        {"other-chunk-first.png",
         signature + ihdrLength + "tEXt" + std::string("\0\0\x03\x6b\0\0\x02\x87", 8)},
    };
    for (const Bad& file : bad) {
        if (!file.bytes.empty()) folder.Write(file.name, file.bytes);
        EXPECT_FALSE(ReadPngSize(folder / file.name)) << file.name;
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
                                           PremultiplyCase{200, 100, 1, 254, 199, 99, 0}));

}  // namespace
}  // namespace kv12::win32
