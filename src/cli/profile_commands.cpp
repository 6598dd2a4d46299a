#include "cli/profile_commands.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <iterator>
#include <memory>
#include <system_error>

#include "cli/command_error.h"
#include "cli/folder_files.h"
#include "cli/profile.h"
#include "cli/profile_json.h"
#include "cli/profile_summary.h"
#include "core/file_io.h"
#include "core/utf8_path.h"

namespace kv12 {

namespace {

// Options of the profile commands; they live as long as the app.
struct ProfileOptions {
    int sensorType = 0;
    std::string output;  // export: file to write, empty for stdout
    std::string input;   // import: file to read, "-" for stdin
    bool checkOnly = false;
};

std::string ReadInput(const GlobalOptions& globals, const std::string& input) {
    if (input == "-") {
        return std::string(std::istreambuf_iterator<char>(*globals.in), std::istreambuf_iterator<char>());
    }
    const auto path = PathFromUtf8(input);
    const auto text = ReadFileText(path);
    if (!text) {
        std::error_code ec;
        throw CommandError(input +
                           (std::filesystem::exists(path, ec) ? ": cannot be read" : ": file not found"));
    }
    return *text;
}

void Show(const GlobalOptions& globals, const ProfileOptions& options) {
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    *globals.out << FormatProfileSummary(ReadProfile(files), options.sensorType);
}

void Export(const GlobalOptions& globals, const ProfileOptions& options) {
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    const std::string text = ExportableProfileText(ReadProfile(files), PathToUtf8(files.folder));
    if (options.output.empty()) {
        *globals.out << text;
        return;
    }
    if (const auto error = WriteFileAtomically(PathFromUtf8(options.output), text))
        throw CommandError(error->message);
}

void Import(const GlobalOptions& globals, const ProfileOptions& options) {
    const std::string label = options.input == "-" ? "stdin" : options.input;
    std::vector<std::string> warnings;
    const Profile profile = ProfileFromText(ReadInput(globals, options.input), label, &warnings);
    for (const std::string& warning : warnings) *globals.err << "kv12ctl: warning: " << warning << "\n";
    if (options.checkOnly) {
        *globals.out << label << ": a valid profile\n";
        return;
    }
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    WriteProfile(profile, files);
    *globals.out << "Imported " << label << " into " << PathToUtf8(files.folder)
                 << " (config.bin, str.ini, record.ini)\n";
}

}  // namespace

void RegisterProfileCommands(CLI::App& app, GlobalOptions& globals) {
    auto options = std::make_shared<ProfileOptions>();
    CLI::App* profile = app.add_subcommand("profile", "Show, export or import the settings of the folder");

    CLI::App* show = profile->add_subcommand("show", "Print every setting of the folder in words");
    show->add_option("--sensor-type", options->sensorType,
                     "Sensor type whose DPI table names the step values (0: the 12-step table)")
        ->check(CLI::Range(0, 255))
        ->type_name("N");
    show->callback([&globals, options] { Show(globals, *options); });

    CLI::App* exportCommand = profile->add_subcommand("export", "Write the folder's profile as JSON");
    exportCommand->add_option("-o,--output", options->output, "File to write (default: standard output)")
        ->type_name("FILE");
    exportCommand->callback([&globals, options] { Export(globals, *options); });

    CLI::App* import = profile->add_subcommand("import", "Check a profile file and write it into the folder");
    import->add_option("file", options->input, "Profile file to read (\"-\": standard input)")
        ->required()
        ->type_name("FILE");
    import->add_flag("--check", options->checkOnly, "Only check the file; write nothing");
    import->callback([&globals, options] { Import(globals, *options);
});
}  // namespace kv12

}  // namespace kv12
