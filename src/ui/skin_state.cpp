#include "ui/skin_state.h"

#include "core/program_files.h"
#include "core/utf8_path.h"

namespace kv12::ui {

std::string SkinFolderFor(const std::filesystem::path& programFolder, std::string_view skinName) {
    // Formed as text, as the images are addressed as this folder followed by
    // "/name.png"; both separators work on every platform the program runs on.
    std::string folder = PathToUtf8(programFolder);
    folder += "/";
    folder += SKINS_FOLDER_NAME;
    folder += "/";
    folder += skinName;
    return folder;
}

}  // namespace kv12::ui
