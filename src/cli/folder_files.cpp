#include "cli/folder_files.h"

#include <algorithm>
#include <system_error>

#include "cli/command_error.h"
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

void WriteFilesTogether(const std::vector<PendingFile>& files) {
    struct Previous {
        std::filesystem::path path;
        std::optional<std::vector<std::uint8_t>> bytes;  // nullopt: the file did not exist
    };
    // Every old content is read before anything is written, so a file that
    // cannot be read stops the set while the folder is still untouched.
    std::vector<Previous> previous;
    for (const auto& file : files) {
        Previous old{file.path, std::nullopt};
        if (FileExists(file.path)) {
            old.bytes = ReadFileBytes(file.path);
            if (!old.bytes) throw CommandError(PathToUtf8(file.path) + ": cannot be read");
        }
        previous.push_back(std::move(old));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto error = WriteFileAtomically(files[i].path, files[i].bytes);
        if (!error) continue;
        for (std::size_t undo = i; undo-- > 0;) {
            const Previous& old = previous[undo];
            if (old.bytes) {
                WriteFileAtomically(
                    old.path,
                    std::string_view(reinterpret_cast<const char*>(old.bytes->data()), old.bytes->size()));
            } else {
                std::error_code ec;
                std::filesystem::remove(old.path, ec);
            }
        }
        throw CommandError(error->message);
    }
}

}  // namespace kv12
