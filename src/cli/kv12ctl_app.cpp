#include "cli/kv12ctl_app.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_error.h"
#include "cli/device_commands.h"
#include "cli/file_commands.h"
#include "cli/global_options.h"
#include "cli/profile_commands.h"
#include "cli/profile_json.h"

namespace kv12 {

namespace {

// A command line must end in a command that does something, not in a group
// ("kv12ctl profile"). Groups do not require their subcommand through CLI11,
// because that check would run before the one for an unknown word and report
// a misspelt command as a missing one.
const CLI::App* UnfinishedGroup(const CLI::App& app) {
    const CLI::App* last = &app;
    while (!last->get_subcommands().empty()) last = last->get_subcommands().front();
    const auto commands = last->get_subcommands([](const CLI::App*) { return true; });
    return commands.empty() ? nullptr : last;
}

std::string CommandNames(const CLI::App& group) {
    std::string names;
    for (const CLI::App* command : group.get_subcommands([](const CLI::App*) { return true; })) {
        names += (names.empty() ? "" : ", ") + command->get_name();
    }
    return names;
}

}  // namespace

namespace {

int RunCommand(const std::vector<std::string>& args, const Kv12ctlStreams& streams,
               const std::filesystem::path& executableFolder) {
    GlobalOptions globals;
    globals.executableFolder = executableFolder;
    globals.out = &streams.out;
    globals.err = &streams.err;
    globals.in = &streams.in;

    CLI::App app("Configure the KV12 mouse from the command line: its files and the device.", "kv12ctl");
    app.set_version_flag("--version", std::string("kv12ctl ") + KV12_VERSION);
    // Global options are accepted after the command words too.
    app.fallthrough();
    // Options start with "-" on every platform. CLI11 would also take "/name" as
    // an option on Windows, which turns a path like "/Users/me/profile.json" into
    // an unknown option; set before the commands, which inherit it.
    app.allow_windows_style_options(false);
    AddGlobalOptions(app, globals);

    RegisterProfileCommands(app, globals);
    RegisterFileCommands(app, globals);
    RegisterDeviceCommands(app, globals);

    std::vector<const char*> argv{"kv12ctl"};
    for (const auto& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        if (const CLI::App* group = UnfinishedGroup(app)) {
            const std::string name = group == &app ? "kv12ctl" : "kv12ctl " + group->get_name();
            streams.err << name << ": a command is required: " << CommandNames(*group)
                        << "\nRun with --help for more information.\n";
            return EXIT_USAGE;
        }
    } catch (const CLI::ParseError& e) {
        // --help and --version end the same way with exit code 0.
        const int code = app.exit(e, streams.out, streams.err);
        return code == 0 ? EXIT_OK : EXIT_USAGE;
    } catch (const CommandError& e) {
        streams.err << "kv12ctl: " << e.what() << "\n";
        return EXIT_FAILED;
    } catch (const Json::exception& e) {
        // Profiles are checked field by field before they are read; this keeps
        // anything those checks missed a clear line too.
        streams.err << "kv12ctl: invalid JSON data: " << JsonErrorText(e) << "\n";
        return EXIT_FAILED;
    } catch (const std::exception& e) {
        // Anything else is a failure of this program; still one clear line, never a crash.
        streams.err << "kv12ctl: internal error: " << e.what() << "\n";
        return EXIT_FAILED;
    }
    return EXIT_OK;
}

}  // namespace

int RunKv12ctl(const std::vector<std::string>& args, const Kv12ctlStreams& streams,
               const std::filesystem::path& executableFolder) {
    const int code = RunCommand(args, streams, executableFolder);
    // A command whose output did not reach its file has failed, whatever it
    // did: an export cut short by a full disk must not look complete.
    streams.out.flush();
    if (code == EXIT_OK && !streams.out) {
        const std::string reason = streams.outFailure ? streams.outFailure() : std::string();
        streams.err << "kv12ctl: cannot write to standard output" << (reason.empty() ? "" : ": " + reason)
                    << "\n";
        return EXIT_FAILED;
    }
    return code;
}

}  // namespace kv12
