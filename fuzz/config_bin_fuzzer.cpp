// config.bin from arbitrary bytes: a file of exactly 1850 bytes is loaded as
// it is, any other leaves the block and the flag untouched; what was loaded is
// saved and loads back as the same block; everything read from the block by
// the core's consumers stays in bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "core/dpi_values.h"
#include "core/file_io.h"
#include "core/key_function.h"
#include "core/macros.h"
#include "core/settings_file.h"
#include "fuzz_check.h"

namespace {

using kv12::fuzz::Check;

constexpr std::uint8_t UNTOUCHED = 0xA5;

void WriteInput(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Check(out.good(), "the input could not be written to the scratch folder");
}

// What the pages and the apply read from a loaded block: every value of the
// file is used as an index somewhere.
void ReadLikeTheConsumers(const kv12::SettingsBlock& block) {
    for (const auto mode : {kv12::KeyMode::A, kv12::KeyMode::B}) {
        for (int button = 0; button < kv12::BUTTON_COUNT; ++button) {
            const auto params = kv12::ButtonParamsOf(block, mode, button);
            const auto code = kv12::EncodeKeyFunction(block.buttonType(mode, button), params,
                                                      block.dpiSwitchParam(mode, button));
            Check(block.buttonType(mode, button) < 15 || code == kv12::KeyFunctionCode{},
                  "kinds 15 and above must give the all-zero code");
        }
    }
    (void)kv12::BuildKeyMatrices(block);
    for (int slot = 0; slot < kv12::MACRO_SLOT_COUNT; ++slot) {
        const auto bytes = block.macroSlot(slot);
        Check(kv12::LoopCount(block, slot) == ((bytes[0] << 8) | bytes[1]), "loop count is big-endian");
    }
    for (std::uint8_t sensor = 0; sensor <= 4; ++sensor) {
        for (int stage = 0; stage < kv12::STAGE_COUNT; ++stage) {
            const auto text = kv12::DpiValueText(sensor, block.dpiStage(stage));
            Check(text.empty() || kv12::DpiStepTable(sensor).size() > block.dpiStage(stage),
                  "a DPI value is only named for a step of the table");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto config = kv12::fuzz::ScratchFolder() / "config.bin";
    WriteInput(config, data, size);

    kv12::SettingsBlock block;
    block.bytes.fill(UNTOUCHED);
    std::uint8_t flag = UNTOUCHED;
    const auto result = kv12::LoadSettingsFile(config, block, flag);
    Check(result.fileSize == size, "the size found is the file's");
    Check(!result.message.has_value(), "only a missing file has a message");

    if (size != kv12::CONFIG_FILE_SIZE) {
        Check(result.outcome == kv12::LoadOutcome::WrongSize, "a file of another size is refused");
        Check(flag == UNTOUCHED && std::all_of(block.bytes.begin(), block.bytes.end(),
                                               [](std::uint8_t b) { return b == UNTOUCHED; }),
              "a refused file leaves the block and flag untouched");
        return 0;
    }
    Check(result.outcome == kv12::LoadOutcome::Loaded, "a file of 1850 bytes is loaded");
    Check(flag == data[0], "the flag is byte 0");
    Check(std::equal(block.bytes.begin(), block.bytes.end(), data + 1), "the block is bytes 1..1849");
    ReadLikeTheConsumers(block);

    // Saved, the file is the flag byte 1 and the block unchanged, and loads back as loaded.
    const auto encoded = kv12::EncodeSettingsFile(block);
    Check(encoded.size() == kv12::CONFIG_FILE_SIZE && encoded[0] == 1 &&
              std::equal(encoded.begin() + 1, encoded.end(), data + 1),
          "the encoded file is flag 1 and the block");
    const auto saved = kv12::fuzz::ScratchFolder() / "saved.bin";
    Check(!kv12::SaveSettingsFile(saved, block).has_value(), "saving to the scratch folder succeeds");
    kv12::SettingsBlock reloaded;
    std::uint8_t reloadedFlag = 0;
    Check(kv12::LoadSettingsFile(saved, reloaded, reloadedFlag).outcome == kv12::LoadOutcome::Loaded,
          "the saved file loads");
    Check(reloaded == block && reloadedFlag == 1, "the saved file loads back as the same block");
    const auto bytes = kv12::ReadFileBytes(saved);
    Check(bytes.has_value() && *bytes == encoded, "the saved file holds the encoded bytes");
    return 0;
}
