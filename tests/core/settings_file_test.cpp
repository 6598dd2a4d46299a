#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "test_folder.h"

namespace kv12 {
namespace {

using test::TestFolder;

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> data(size);
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    if (size > 0) data[0] = first;
    return data;
}

TEST(LoadSettingsFile, OnlyAnExactly1850ByteFileIsLoaded) {
    struct Case {
        std::size_t size;
        LoadOutcome outcome;
    } cases[] = {
        {1849, LoadOutcome::WrongSize},
        {1850, LoadOutcome::Loaded},
        {1851, LoadOutcome::WrongSize},
        {0, LoadOutcome::WrongSize},
    };
    for (const auto& c : cases) {
        TestFolder dir;
        const auto data = Pattern(c.size, 0);
        dir.Write("config.bin", data);
        SettingsBlock block;
        block.reportRate() = 99;  // sentinel: untouched unless loaded
        std::uint8_t flag = 7;
        const auto result = LoadSettingsFile(dir / "config.bin", block, flag);
        EXPECT_EQ(result.outcome, c.outcome) << c.size;
        EXPECT_FALSE(result.message.has_value()) << "a wrong size is ignored silently, size " << c.size;
        if (c.outcome == LoadOutcome::Loaded) {
            EXPECT_EQ(flag, 0);
            EXPECT_TRUE(std::equal(block.bytes.begin(), block.bytes.end(), data.begin() + 1));
        } else {
            EXPECT_EQ(flag, 7);
            EXPECT_EQ(block.reportRate(), 99);
        }
    }
}

// A sparse file: its size costs no disk space.
void MakeSparseFile(const std::filesystem::path& path, std::uint64_t size) {
#ifdef _WIN32
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);
#else
    { std::ofstream create(path, std::ios::binary); }
    std::filesystem::resize_file(path, size);
#endif
}

TEST(LoadSettingsFile, AHugeFileIsIgnoredLikeAnyWrongSizeWithoutBeingRead) {
    // More than the memory of any machine the tests run on: reading it whole
    // cannot succeed.
    constexpr std::uint64_t SIZE = std::uint64_t{64} << 30;
    TestFolder dir;
    MakeSparseFile(dir / "config.bin", SIZE);
    SettingsBlock block;
    block.reportRate() = 99;
    std::uint8_t flag = 7;
    const auto result = LoadSettingsFile(dir / "config.bin", block, flag);
    EXPECT_EQ(result.outcome, LoadOutcome::WrongSize);
    EXPECT_EQ(result.fileSize, SIZE);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_EQ(block.reportRate(), 99);
    EXPECT_EQ(flag, 7);
}

TEST(LoadSettingsFile, MissingFileGivesTheMessageAndLeavesTheBlockZero) {
    TestFolder dir;
    SettingsBlock block;
    std::uint8_t flag = 0;
    const auto result = LoadSettingsFile(dir / "config.bin", block, flag);
    EXPECT_EQ(result.outcome, LoadOutcome::Missing);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(result.message->text, "Config file is not exist.");
    EXPECT_EQ(result.message->caption, "");
    EXPECT_EQ(block, SettingsBlock{});
    EXPECT_EQ(flag, 0);
}

TEST(LoadSettingsFile, AFolderInPlaceOfTheFileIsIgnoredLikeAWrongSize) {
    TestFolder dir;
    std::filesystem::create_directory(dir / "config.bin");
    SettingsBlock block;
    std::uint8_t flag = 0;
    const auto result = LoadSettingsFile(dir / "config.bin", block, flag);
    EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_EQ(block, SettingsBlock{});
}

TEST(SaveSettingsFile, WritesExactly1850BytesWithFlagOneWhateverWasThere) {
    for (std::uint8_t oldFlag : {0, 1, 0xFF}) {
        TestFolder dir;
        dir.Write("config.bin", Pattern(1850, oldFlag));
        SettingsBlock block;
        for (std::size_t i = 0; i < SETTINGS_BLOCK_SIZE; ++i)
            block.bytes[i] = static_cast<std::uint8_t>(255 - i % 256);
        EXPECT_FALSE(SaveSettingsFile(dir / "config.bin", block).has_value());
        const std::string saved = dir.Read("config.bin");
        ASSERT_EQ(saved.size(), 1850u);
        EXPECT_EQ(static_cast<std::uint8_t>(saved[0]), 1);
        EXPECT_TRUE(std::equal(block.bytes.begin(), block.bytes.end(),
                               reinterpret_cast<const std::uint8_t*>(saved.data()) + 1));
        EXPECT_EQ(dir.Files(), std::vector<std::string>{"config.bin"}) << "no temporary file is left behind";
    }
}

TEST(SaveSettingsFile, CreatesAMissingFileSoTheMouseAndTheFileAgree) {
    TestFolder dir;
    SettingsBlock block;
    block.reportRate() = 2;
    EXPECT_FALSE(SaveSettingsFile(dir / "config.bin", block).has_value());
    SettingsBlock loaded;
    std::uint8_t flag = 0;
    EXPECT_EQ(LoadSettingsFile(dir / "config.bin", loaded, flag).outcome, LoadOutcome::Loaded);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(loaded, block);
}

TEST(SaveSettingsFile, AFailedWriteReportsTheErrorCodeAndKeepsTheOldFile) {
    TestFolder dir;
    // A folder where the file should be cannot be replaced by a file.
    std::filesystem::create_directory(dir / "config.bin");
    const auto message = SaveSettingsFile(dir / "config.bin", SettingsBlock{});
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->caption, "NULL ==fp ");
    EXPECT_EQ(message->text.rfind("Error Code is: ", 0), 0u) << message->text;
    EXPECT_NE(message->text, "Error Code is: 0 \n");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "config.bin"));

    TestFolder missingFolder;
    const auto inMissing = SaveSettingsFile(missingFolder / "no-such-folder" / "config.bin", SettingsBlock{});
    ASSERT_TRUE(inMissing.has_value());
    EXPECT_EQ(inMissing->caption, "NULL ==fp ");
}

TEST(SettingsStore, CancelRestoresExactlyTheBytesOfTheLastSavedCopy) {
    SettingsStore store;
    store.block.reportRate() = 1;
    store.block.dpiStage(2) = 5;
    store.TakeSavedCopy();
    const SettingsBlock applied = store.block;
    store.block.reportRate() = 8;
    store.block.buttonType(KeyMode::B, 3) = 12;
    store.block.macroSlot(4)[9] = 0x44;
    store.RestoreSavedCopy();
    EXPECT_EQ(store.block, applied);
}

}  // namespace
}  // namespace kv12
