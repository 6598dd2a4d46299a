// The config.bin shipped beside the program is the import of the shipped
// profile, and it holds the defaults a new user should start from.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "cli_test_support.h"
#include "core/file_io.h"
#include "core/settings_file.h"
#include "core/utf8_path.h"

namespace kv12::test {
namespace {

const std::string DEFAULTS = KV12_DEFAULTS_DIR;

TEST(ShippedDefaults, ConfigBinIsTheImportOfTheShippedProfile) {
    TestFolder folder;
    const CliResult result = RunCliIn(folder, {"profile", "import", DEFAULTS + "/profile.json"});
    ASSERT_EQ(result.code, 0) << result.err;
    const auto shipped = ReadFileBytes(PathFromUtf8(DEFAULTS + "/config.bin"));
    const auto imported = ReadFileBytes(folder / "config.bin");
    ASSERT_TRUE(shipped.has_value());
    ASSERT_TRUE(imported.has_value());
    EXPECT_EQ(*shipped, *imported) << "regenerate res/defaults/config.bin with kv12ctl profile import";
}

TEST(ShippedDefaults, ConfigBinStartsAsANewUserExpects) {
    SettingsBlock block;
    std::uint8_t firstRunFlag = 0xFF;
    const auto loaded = LoadSettingsFile(PathFromUtf8(DEFAULTS + "/config.bin"), block, firstRunFlag);
    ASSERT_EQ(loaded.outcome, LoadOutcome::Loaded);
    // 0: the first start seeds the button labels in the user's language.
    EXPECT_EQ(firstRunFlag, 0);
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        EXPECT_EQ(block.buttonType(KeyMode::A, b), DEFAULT_BUTTON_TYPES[static_cast<std::size_t>(b)]) << b;
        EXPECT_EQ(block.buttonType(KeyMode::B, b), DEFAULT_BUTTON_TYPES[static_cast<std::size_t>(b)]) << b;
    }
    EXPECT_EQ(block.dpiSwitchParam(KeyMode::A, DEFAULT_DPI_SWITCH_BUTTON), DEFAULT_DPI_SWITCH_STEP);
    EXPECT_EQ(block.dpiSwitchParam(KeyMode::B, DEFAULT_DPI_SWITCH_BUTTON), DEFAULT_DPI_SWITCH_STEP);
    EXPECT_EQ(block.keyMode(), 0);
    EXPECT_EQ(block.reportRate(), REPORT_RATE_1000HZ);
    std::set<std::tuple<int, int, int>> colours;
    for (int k = 0; k < STAGE_COUNT; ++k) {
        EXPECT_EQ(block.dpiStageEnabled(k), 1) << k;
        EXPECT_LT(block.dpiStage(k), 12) << k;
        colours.insert({block.stageColor(k, ColorChannel::Red), block.stageColor(k, ColorChannel::Green),
                        block.stageColor(k, ColorChannel::Blue)});
    }
    EXPECT_EQ(colours.size(), 4u) << "every stage has a colour of its own";
    EXPECT_EQ(block.pointerValue(0), 6);
    EXPECT_EQ(block.pointerValue(1), 3);
    EXPECT_EQ(block.pointerValue(2), 6);
    for (int s = 0; s < MACRO_SLOT_COUNT; ++s) {
        for (std::uint8_t byte : block.macroSlot(s)) ASSERT_EQ(byte, 0) << "slot " << s;
    }
}

}  // namespace
}  // namespace kv12::test
