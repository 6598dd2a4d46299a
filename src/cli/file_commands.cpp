#include "cli/file_commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "cli/command_error.h"
#include "cli/file_set.h"
#include "cli/folder_files.h"
#include "core/key_function.h"
#include "core/macros.h"
#include "core/utf8_path.h"

namespace kv12 {

namespace {

void Matrices(const GlobalOptions& globals) {
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    *globals.out << FormatKeyMatrices(ReadConfigFile(files.config).block);
}

// Recompiles record.ini into the macro slots of config.bin. A missing
// config.bin is created from an all-zero block with the first-run flag 0, as
// the window would find a folder without one; an existing file keeps its flag
// and every byte outside the recompiled slots.
void CompileMacros(const GlobalOptions& globals) {
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    if (!FileExists(files.record)) throw CommandError(PathToUtf8(files.record) + ": file not found");
    const IniDocument record = ReadIniFile(files.record);
    ConfigFile config = ReadConfigFileIfPresent(files.config).value_or(ConfigFile{});
    const MacroEncodeReport report = EncodeMacros(record, config.block);
    WriteFilesTogether({{files.config, ConfigFileBytes(config)}});

    const std::size_t count =
        std::min(LoadMacroNames(record).size(), static_cast<std::size_t>(MACRO_MAX_COUNT));
    *globals.out << "Compiled " << count << (count == 1 ? " macro" : " macros") << " from record.ini into "
                 << PathToUtf8(files.config) << "\n";
    for (const auto& name : report.cut) {
        *globals.err << "kv12ctl: warning: macro \"" << name << "\" was cut to the " << MACRO_STREAM_MAX_BYTES
                     << " event bytes of a slot\n";
    }
    for (const auto& name : report.notCompiled) {
        *globals.err << "kv12ctl: warning: macro \"" << name << "\" was left out: the mouse has "
                     << MACRO_MAX_COUNT << " macro slots\n";
    }
}

}  // namespace

std::string FormatKeyMatrices(const SettingsBlock& block) {
    std::string text;
    const auto matrices = BuildKeyMatrices(block);
    for (std::size_t m = 0; m < matrices.size(); ++m) {
        text += std::to_string(m + 1) + ":";
        for (const std::uint8_t byte : matrices[m]) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", byte);
            text += hex;
        }
        text += "\n";
    }
    return text;
}

void RegisterFileCommands(CLI::App& app, GlobalOptions& globals) {
    CLI::App* matrices = app.add_subcommand("matrices", "Print the four key matrices built from config.bin");
    matrices->callback([&globals] { Matrices(globals); });

    CLI::App* macros = app.add_subcommand("macros", "Work on the macros of record.ini");
    CLI::App* compile =
        macros->add_subcommand("compile", "Compile record.ini into the macro slots of config.bin");
    compile->callback([&globals] { CompileMacros(globals); });
}

}  // namespace kv12
