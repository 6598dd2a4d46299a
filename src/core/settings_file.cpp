#include "core/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/file_io.h"

namespace kv12 {

LoadSettingsResult LoadSettingsFile(const std::filesystem::path& config, SettingsBlock& block,
                                    std::uint8_t& firstRunFlag) {
    LoadSettingsResult result;
    std::error_code ec;
    if (!std::filesystem::exists(config, ec)) {
        result.outcome = LoadOutcome::Missing;
        result.message = UserMessage{MSG_CONFIG_MISSING, ""};
        return result;
    }
    // A file larger than config.bin is never read, so a huge one costs nothing.
    const BoundedRead read = ReadFileUpTo(config, CONFIG_FILE_SIZE);
    result.fileSize = static_cast<std::size_t>(read.size);
    switch (read.outcome) {
        case BoundedRead::Outcome::Missing:  // gone since
        case BoundedRead::Outcome::Unreadable:
            result.outcome = LoadOutcome::Unreadable;
            return result;
        case BoundedRead::Outcome::TooLarge:
            result.outcome = LoadOutcome::WrongSize;
            return result;
        case BoundedRead::Outcome::Read:
            break;
    }
    if (read.bytes.size() != CONFIG_FILE_SIZE) {
        result.outcome = LoadOutcome::WrongSize;
        return result;
    }
    firstRunFlag = static_cast<std::uint8_t>(read.bytes[0]);
    std::copy(read.bytes.begin() + 1, read.bytes.end(), block.bytes.begin());
    result.outcome = LoadOutcome::Loaded;
    return result;
}

std::vector<std::uint8_t> EncodeSettingsFile(const SettingsBlock& block) {
    std::vector<std::uint8_t> data;
    data.reserve(CONFIG_FILE_SIZE);
    data.push_back(1);
    data.insert(data.end(), block.bytes.begin(), block.bytes.end());
    return data;
}

std::optional<UserMessage> SaveSettingsFile(const std::filesystem::path& config, const SettingsBlock& block) {
    const auto data = EncodeSettingsFile(block);
    const auto error = WriteFileAtomically(
        config, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (!error) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "Error Code is: %d \n", error->code);
    return UserMessage{text, "NULL ==fp "};
}

}  // namespace kv12
