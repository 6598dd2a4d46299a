#include "ui/skin_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/preferences.h"
#include "core/utf8_path.h"

namespace kv12 {
namespace {

// What the program needs to know of a PNG file before drawing it.
struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;  // 2 = RGB, 6 = RGBA, 3 = palette, 0 / 4 = grey
    int interlace = 0;
};

constexpr std::array<std::uint8_t, 8> PNG_SIGNATURE = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t ReadBigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The header of a well-formed PNG file: the signature, IHDR first with a
// correct checksum, then chunks that stay inside the file up to IEND, with at
// least one IDAT. Anything else gives nullopt.
std::optional<PngHeader> ReadPngHeader(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 8 || !std::equal(PNG_SIGNATURE.begin(), PNG_SIGNATURE.end(), bytes.begin())) {
        return std::nullopt;
    }
    std::optional<PngHeader> header;
    bool sawData = false;
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = ReadBigEndian(bytes, at);
        if (length > bytes.size() - at - 12) return std::nullopt;
        const std::string_view type(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
        if (Crc32(&bytes[at + 4], length + 4) != ReadBigEndian(bytes, at + 8 + length)) return std::nullopt;
        if (!header) {
            if (type != "IHDR" || length != 13) return std::nullopt;
            header = PngHeader{ReadBigEndian(bytes, at + 8), ReadBigEndian(bytes, at + 12), bytes[at + 16],
                               bytes[at + 17], bytes[at + 20]};
        } else if (type == "IDAT") {
            sawData = true;
        } else if (type == "IEND") {
            return sawData ? header : std::nullopt;
        }
        at += 12 + length;
    }
    return std::nullopt;
}

void AppendChunk(std::vector<std::uint8_t>& png, std::string_view type,
                 const std::vector<std::uint8_t>& data) {
    auto put32 = [&png](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(v >> shift));
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    put32(Crc32(&png[typeAt], data.size() + 4));
}

// A 3 x 2 RGBA file. The image data is one stored zlib block holding the two
// filtered rows, its checksum left zero: the header reader does not inflate.
std::vector<std::uint8_t> SmallPng() {
    std::vector<std::uint8_t> png(PNG_SIGNATURE.begin(), PNG_SIGNATURE.end());
    AppendChunk(png, "IHDR", {0, 0, 0, 3, 0, 0, 0, 2, 8, 6, 0, 0, 0});
    std::vector<std::uint8_t> data = {0x78, 0x01, 0x01, 26, 0, 0xE5, 0xFF};  // final stored block of 26
    for (int row = 0; row < 2; ++row) {
        data.push_back(0);  // filter type: none
        for (std::uint8_t value = 1; value <= 12; ++value) data.push_back(value);
    }
    data.insert(data.end(), 4, 0);
    AppendChunk(png, "IDAT", data);
    AppendChunk(png, "IEND", {});
    return png;
}

std::filesystem::path SkinsRoot() {
    return PathFromUtf8(KV12_SKINS_DIR);
}

std::vector<std::filesystem::path> ShippedSkins() {
    std::vector<std::filesystem::path> skins;
    for (const auto& entry : std::filesystem::directory_iterator(SkinsRoot())) {
        if (entry.is_directory()) skins.push_back(entry.path());
    }
    std::sort(skins.begin(), skins.end());
    return skins;
}

// The file of an image inside a skin folder (the names carry a leading "/").
std::filesystem::path ImageFile(const std::filesystem::path& skin, const SkinImageSpec& desc) {
    return skin / PathFromUtf8(desc.name.substr(1));
}

TEST(ReadPngHeader, ReadsSizeAndPixelFormatOfAWellFormedFile) {
    const auto header = ReadPngHeader(SmallPng());
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->width, 3u);
    EXPECT_EQ(header->height, 2u);
    EXPECT_EQ(header->bitDepth, 8);
    EXPECT_EQ(header->colourType, 6);
    EXPECT_EQ(header->interlace, 0);
}

TEST(ReadPngHeader, RefusesDamagedFiles) {
    const std::vector<std::uint8_t> good = SmallPng();
    const std::size_t ihdrDataAt = 16, idatAt = 33, iendAt = good.size() - 12;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty file", {}});
    cases.push_back({"signature only", {PNG_SIGNATURE.begin(), PNG_SIGNATURE.end()}});
    auto flipped = good;
    flipped[1] = 'p';
    cases.push_back({"wrong signature", flipped});
    auto badWidth = good;
    badWidth[ihdrDataAt + 3] = 4;  // the checksum no longer matches
    cases.push_back({"header checksum wrong", badWidth});
    cases.push_back({"cut inside the image data", {good.begin(), good.begin() + idatAt + 20}});
    cases.push_back({"no end chunk", {good.begin(), good.begin() + iendAt}});
    std::vector<std::uint8_t> dataFirst(PNG_SIGNATURE.begin(), PNG_SIGNATURE.end());
    dataFirst.insert(dataFirst.end(), good.begin() + idatAt, good.end());
    cases.push_back({"header missing", dataFirst});
    std::vector<std::uint8_t> noData(good.begin(), good.begin() + idatAt);
    noData.insert(noData.end(), good.begin() + iendAt, good.end());
    cases.push_back({"no image data", noData});
    auto hugeLength = good;
    hugeLength[idatAt] = 0x7F;
    cases.push_back({"chunk longer than the file", hugeLength});
    for (const auto& c : cases) EXPECT_FALSE(ReadPngHeader(c.bytes).has_value()) << c.what;
}

TEST(SkinImages, NamesAreUniqueAndAddressedFromTheSkinFolder) {
    std::set<std::string_view> names;
    for (const auto& desc : SKIN_IMAGES) {
        EXPECT_TRUE(desc.name.starts_with("/") && desc.name.ends_with(".png")) << desc.name;
        EXPECT_GT(desc.width, 0) << desc.name;
        EXPECT_GT(desc.height, 0) << desc.name;
        EXPECT_TRUE(names.insert(desc.name).second) << "twice: " << desc.name;
    }
    EXPECT_EQ(SkinImageName(SkinImage::BasicBackground), "/BasicSet2.png");
    EXPECT_EQ(SkinImageName(SkinImage::CheckBoxTicked), "/PaneMakingTick.png");
    EXPECT_EQ(SkinImageName(SkinImage::RateSliderDark), "/slider-RP-dark.png");
}

TEST(SkinImages, OnlyWindowBackgroundsMayBeLargerThanTheirPlaces) {
    struct Case {
        SkinImage image;
        int width, height;
        bool fits;
    } cases[] = {
        {SkinImage::ButtonNormal, 105, 21, true},        {SkinImage::ButtonNormal, 106, 21, false},
        {SkinImage::ButtonNormal, 105, 20, false},       {SkinImage::DropdownBoxOver, 211, 21, true},
        {SkinImage::BasicBackground, 875, 647, true},    {SkinImage::BasicBackground, 890, 660, true},
        {SkinImage::BasicBackground, 874, 660, false},   {SkinImage::WindowsKeyBackground, 390, 304, false},
        {SkinImage::FireKeyBackground, 399, 290, false}, {SkinImage::MacroKeyBackground, 390, 285, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinImageSizeFits(SkinImageInfo(c.image), c.width, c.height), c.fits)
            << SkinImageName(c.image) << " " << c.width << "x" << c.height;
    }
    for (std::size_t i = 0; i < SKIN_IMAGE_COUNT; ++i) {
        const auto image = static_cast<SkinImage>(i);
        EXPECT_EQ(IsSkinBackground(image), i < 10) << SkinImageName(image);
    }
}

TEST(ShippedSkins, GraphiteAndIvoryAreShipped) {
    std::set<std::string> names;
    for (const auto& skin : ShippedSkins()) names.insert(PathToUtf8(skin.filename()));
    EXPECT_TRUE(names.contains("Graphite"));
    EXPECT_TRUE(names.contains("Ivory"));
}

// Every image exists, is a well-formed 8-bit PNG the decoder takes as it is, and
// fits its places. The shipped skins keep window backgrounds opaque (RGB) and
// give elements an alpha channel (RGBA), as they are drawn over the canvas.
TEST(ShippedSkins, EveryImageIsAWellFormedPngOfTheSizeItsPlacesNeed) {
    for (const auto& skin : ShippedSkins()) {
        for (std::size_t i = 0; i < SKIN_IMAGE_COUNT; ++i) {
            const auto& desc = SKIN_IMAGES[i];
            const auto file = ImageFile(skin, desc);
            const std::string where = PathToUtf8(skin.filename()) + std::string(desc.name);
            const auto bytes = ReadFileBytes(file);
            if (!bytes) {
                ADD_FAILURE() << "missing: " << where;
                continue;
            }
            const auto header = ReadPngHeader(*bytes);
            if (!header) {
                ADD_FAILURE() << "not a well-formed PNG: " << where;
                continue;
            }
            EXPECT_TRUE(
                SkinImageSizeFits(desc, static_cast<int>(header->width), static_cast<int>(header->height)))
                << where << " is " << header->width << "x" << header->height << ", its places need "
                << (desc.rule == SizeRule::Exact ? "exactly " : "at least ") << desc.width << "x"
                << desc.height;
            EXPECT_EQ(header->bitDepth, 8) << where;
            EXPECT_EQ(header->interlace, 0) << where;
            EXPECT_EQ(header->colourType, IsSkinBackground(static_cast<SkinImage>(i)) ? 2 : 6) << where;
        }
    }
}

TEST(ShippedSkins, AdvancedPageHasTheSizeOfTheWindowTheBasicPageSets) {
    for (const auto& skin : ShippedSkins()) {
        const auto basic = ReadFileBytes(ImageFile(skin, SkinImageInfo(SkinImage::BasicBackground)));
        const auto advanced = ReadFileBytes(ImageFile(skin, SkinImageInfo(SkinImage::AdvancedBackground)));
        ASSERT_TRUE(basic && advanced) << PathToUtf8(skin);
        const auto basicHeader = ReadPngHeader(*basic);
        const auto advancedHeader = ReadPngHeader(*advanced);
        ASSERT_TRUE(basicHeader && advancedHeader) << PathToUtf8(skin);
        EXPECT_EQ(advancedHeader->width, basicHeader->width) << PathToUtf8(skin);
        EXPECT_EQ(advancedHeader->height, basicHeader->height) << PathToUtf8(skin);
    }
}

TEST(DefaultPreferences, StartInEnglishWithTheGraphiteSkinAndItsTextColour) {
    const auto file = PathFromUtf8(KV12_DEFAULTS_DIR) / "str.ini";
    const auto text = ReadFileText(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_FALSE(text->starts_with("\xEF\xBB\xBF")) << "plain UTF-8, no byte-order mark";
    for (std::size_t at = text->find('\n'); at != std::string::npos; at = text->find('\n', at + 1)) {
        EXPECT_TRUE(at > 0 && (*text)[at - 1] == '\r') << "line end without CR at byte " << at;
    }
    const auto ini = IniDocument::Parse(*text);
    EXPECT_EQ(ReadLanguage(ini), "EN");
    const auto prefs = LoadPreferences(ini, "Setting-EN");
    EXPECT_EQ(prefs.skinPath, "Graphite");
    EXPECT_TRUE(std::filesystem::is_directory(SkinsRoot() / PathFromUtf8(prefs.skinPath)));
    EXPECT_EQ(ParseColorComponent(prefs.rColor), 230);
    EXPECT_EQ(ParseColorComponent(prefs.gColor), 234);
    EXPECT_EQ(ParseColorComponent(prefs.bColor), 238);
}

}  // namespace
}  // namespace kv12
