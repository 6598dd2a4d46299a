#include "cli/global_options.h"

#include <CLI/CLI.hpp>

#include "core/utf8_path.h"

namespace kv12 {

std::filesystem::path GlobalOptions::Folder() const {
    return dir.empty() ? executableFolder : PathFromUtf8(dir);
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& globals) {
    app.add_option("--dir", globals.dir,
                   "Folder holding config.bin, str.ini and record.ini (default: kv12ctl's own folder)")
        ->type_name("DIR");
}

}  // namespace kv12
