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
    const auto data = ReadFileBytes(config);
    if (!data) {
        result.outcome = LoadOutcome::Unreadable;
        return result;
    }
    result.fileSize = data->size();
    if (data->size() != CONFIG_FILE_SIZE) {
        result.outcome = LoadOutcome::WrongSize;
        return result;
    }
    firstRunFlag = (*data)[0];
    std::copy(data->begin() + 1, data->end(), block.bytes.begin());
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
    const auto error =
        WriteFileAtomically(config, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (!error) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "Error Code is: %d \n", error->code);
    return UserMessage{text, "NULL ==fp "};
}

}  // namespace kv12
