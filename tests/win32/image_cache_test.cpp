#include "win32/image_cache.h"

#include <gtest/gtest.h>

#include "../core/test_folder.h"
#include "core/utf8_path.h"
#include "png_writer.h"

namespace kv12::win32 {
namespace {

class ImageCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::WritePng(folder_ / "a.png", 2, 2, std::vector<std::uint32_t>(4, 0xFF112233), false));
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

}  // namespace
}  // namespace kv12::win32
