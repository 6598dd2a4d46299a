// `kv12ctl matrices` and `kv12ctl macros compile`: commands on the folder's
// files that need no device.
#pragma once

#include <string>

#include "cli/global_options.h"
#include "core/settings_block.h"

namespace kv12 {

/// Adds "matrices" and the "macros" command group to the app.
void RegisterFileCommands(CLI::App& app, GlobalOptions& globals);

/// The four key matrices of a block, one line each: "1: " then the 64 bytes as
/// lowercase two-digit hex separated by single blanks.
std::string FormatKeyMatrices(const SettingsBlock& block);

}  // namespace kv12
