#include "core/program_files.h"

namespace kv12 {

ProgramFiles ProgramFiles::InFolder(const std::filesystem::path& folder) {
    ProgramFiles files;
    files.folder = folder;
    files.config = folder / CONFIG_FILE_NAME;
    files.record = folder / RECORD_FILE_NAME;
    files.preferences = folder / PREFERENCES_FILE_NAME;
    files.skins = folder / SKINS_FOLDER_NAME;
    return files;
}

ProgramFiles ProgramFiles::BesideExecutable(const std::filesystem::path& executable) {
    return InFolder(executable.parent_path());
}

}  // namespace kv12
