#include "cli/folder_files.h"

#include <algorithm>
#include <ostream>
#include <system_error>

#include "cli/command_error.h"
#include "cli/file_set.h"
#include "core/file_io.h"
#include "core/settings_file.h"
#include "core/utf8_path.h"

namespace kv12 {

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

void RequireFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw CommandError(PathToUtf8(folder) + ": no such folder");
    }
}

std::optional<ConfigFile> ReadConfigFileIfPresent(const std::filesystem::path& config) {
    if (!FileExists(config)) return std::nullopt;
    const auto bytes = ReadFileBytes(config);
    if (!bytes) throw CommandError(PathToUtf8(config) + ": cannot be read");
    if (bytes->size() != CONFIG_FILE_SIZE) {
        throw CommandError(PathToUtf8(config) + ": expected " + std::to_string(CONFIG_FILE_SIZE) +
                           " bytes (a flag byte and the settings block), found " +
                           std::to_string(bytes->size()));
    }
    ConfigFile file;
    file.firstRunFlag = (*bytes)[0];
    std::copy(bytes->begin() + 1, bytes->end(), file.block.bytes.begin());
    return file;
}

void PrepareFolder(const std::filesystem::path& folder, std::ostream& err) {
    RequireFolder(folder);
    switch (RecoverFileSet(folder)) {
        case Recovery::None:
            break;
        case Recovery::Undone:
            err << "kv12ctl: warning: " << PathToUtf8(folder)
                << ": an earlier change of its files was interrupted and has been undone; they hold their "
                   "earlier contents\n";
            break;
        case Recovery::Finished:
            err << "kv12ctl: warning: " << PathToUtf8(folder)
                << ": an earlier change of its files was interrupted after it was complete; what it left "
                   "behind has been removed\n";
            break;
    }
}

ConfigFile ReadConfigFile(const std::filesystem::path& config) {
    auto file = ReadConfigFileIfPresent(config);
    if (!file) throw CommandError(PathToUtf8(config) + ": file not found");
    return *file;
}

std::string ConfigFileBytes(const ConfigFile& file) {
    std::string bytes;
    bytes.reserve(CONFIG_FILE_SIZE);
    bytes.push_back(static_cast<char>(file.firstRunFlag));
    bytes.append(file.block.bytes.begin(), file.block.bytes.end());
    return bytes;
}

IniDocument ReadIniFile(const std::filesystem::path& path) {
    IniDocument document;
    if (const auto error = IniDocument::LoadForUpdate(path, document)) throw CommandError(error->message);
    return document;
}

}  // namespace kv12
