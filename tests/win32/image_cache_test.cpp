#include "win32/image_cache.h"

#include <gtest/gtest.h>

#include "../core/test_folder.h"
#include "core/utf8_path.h"
#include "png_writer.h"
#include "win32/debug_log.h"

namespace kv12::win32 {
namespace {

class ImageCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            test::WritePng(folder_ / "a.png", 2, 2, std::vector<std::uint32_t>(4, 0xFF112233), false));
    }
    kv12::test::TestFolder folder_;
    ImageCache cache_;
};

TEST_F(ImageCacheTest, ASecondLookUpDoesNotDecodeAgain) {
    const DecodedImage* first = cache_.Find(folder_ / "a.png");
    ASSERT_NE(first, nullptr);
    // Even with the file gone, the decoded image is still there.
    std::filesystem::remove(folder_ / "a.png");
    EXPECT_EQ(cache_.Find(folder_ / "a.png"), first);
    EXPECT_EQ(cache_.Size(), 1u);
}

TEST_F(ImageCacheTest, AFailedDecodeIsNotRememberedSoTheFileIsTriedAgain) {
    EXPECT_EQ(cache_.Find(folder_ / "late.png"), nullptr);
    EXPECT_EQ(cache_.Size(), 0u);
    ASSERT_TRUE(test::WritePng(folder_ / "late.png", 1, 1, {0xFF000000}, false));
    EXPECT_NE(cache_.Find(folder_ / "late.png"), nullptr);
}

TEST_F(ImageCacheTest, ChangingTheSkinFolderForgetsEveryImage) {
    cache_.UseFolder(PathToUtf8(folder_.path()) + "/Skins/Blue");
    ASSERT_NE(cache_.Find(folder_ / "a.png"), nullptr);
    cache_.UseFolder(PathToUtf8(folder_.path()) + "/Skins/Blue");  // the same folder again: kept
    EXPECT_EQ(cache_.Size(), 1u);
    cache_.UseFolder(PathToUtf8(folder_.path()) + "/Skins/Red");
    EXPECT_EQ(cache_.Size(), 0u);
}

TEST_F(ImageCacheTest, EveryDecodeIsCountedAndLoggedWithItsFileAndSize) {
    ASSERT_TRUE(test::WritePng(folder_ / "wide.png", 3, 1, std::vector<std::uint32_t>(3, 0xFF000000), true));
    {
        DebugLog log(folder_ / "log.txt");
        ImageCache cache(&log);
        ASSERT_NE(cache.Find(folder_ / "a.png"), nullptr);
        ASSERT_NE(cache.Find(folder_ / "a.png"), nullptr);  // kept: no second decode
        EXPECT_EQ(cache.Decodes(), 1u);
        // A background the caller keeps itself is decoded every time it is asked for, and not kept here.
        ASSERT_TRUE(cache.Decode(folder_ / "wide.png"));
        EXPECT_FALSE(cache.Contains(folder_ / "wide.png"));
        EXPECT_FALSE(cache.Decode(folder_ / "missing.png"));
        EXPECT_EQ(cache.Find(folder_ / "missing.png"), nullptr);
        EXPECT_EQ(cache.Decodes(), 2u);
    }
    EXPECT_EQ(folder_.Read("log.txt"), "image: decoded " + PathToUtf8(folder_ / "a.png") + " 2x2\n" +
                                           "image: decoded " + PathToUtf8(folder_ / "wide.png") + " 3x1\n");
}

TEST_F(ImageCacheTest, TakeHandsAnImageOverAndClearSaysHowManyWereDropped) {
    ASSERT_TRUE(test::WritePng(folder_ / "b.png", 1, 1, {0xFF000000}, false));
    ASSERT_NE(cache_.Find(folder_ / "a.png"), nullptr);
    ASSERT_NE(cache_.Find(folder_ / "b.png"), nullptr);
    const auto taken = cache_.Take(folder_ / "a.png");
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Width(), 2);
    EXPECT_FALSE(cache_.Contains(folder_ / "a.png"));
    EXPECT_EQ(cache_.Peek(folder_ / "a.png"), nullptr);
    EXPECT_FALSE(cache_.Take(folder_ / "a.png"));
    EXPECT_NE(cache_.Peek(folder_ / "b.png"), nullptr);
    EXPECT_EQ(cache_.Clear(), 1u);
    EXPECT_EQ(cache_.Size(), 0u);
    EXPECT_EQ(cache_.Decodes(), 2u) << "taking and clearing decode nothing";
}

}  // namespace
}  // namespace kv12::win32
