// The three files the program keeps beside its executable, found from the
// executable's folder whatever the executable is called.
#pragma once

#include <filesystem>

namespace kv12 {

inline constexpr const char* CONFIG_FILE_NAME = "config.bin";
inline constexpr const char* RECORD_FILE_NAME = "record.ini";
inline constexpr const char* PREFERENCES_FILE_NAME = "str.ini";
inline constexpr const char* SKINS_FOLDER_NAME = "Skins";

struct ProgramFiles {
    std::filesystem::path folder;
    std::filesystem::path config;       // config.bin
    std::filesystem::path record;       // record.ini
    std::filesystem::path preferences;  // str.ini
    std::filesystem::path skins;        // Skins

    static ProgramFiles InFolder(const std::filesystem::path& folder);
    // From the executable's full path (the module path): its folder.
    static ProgramFiles BesideExecutable(const std::filesystem::path& executable);
};

}  // namespace kv12
