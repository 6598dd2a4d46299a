// What every command group shares: the global options and the streams the
// commands write to. Each group registers itself with one call that receives
// this struct (see kv12ctl_app.h).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "core/program_files.h"

namespace CLI {
class App;
}

namespace kv12 {

struct GlobalOptions {
    std::string dir;                         // --dir as given (UTF-8); empty: the executable's folder
    std::filesystem::path executableFolder;  // where kv12ctl itself lives
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    std::istream* in = nullptr;

    /// The folder holding config.bin, str.ini and record.ini.
    std::filesystem::path Folder() const;
    /// The three files (and the skins folder) in that folder.
    ProgramFiles Files() const { return ProgramFiles::InFolder(Folder()); }
};

/// Adds the global options (--dir) to the top-level app. They are accepted
/// before or after the command words.
void AddGlobalOptions(CLI::App& app, GlobalOptions& globals);

}  // namespace kv12
