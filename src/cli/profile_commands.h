// `kv12ctl profile show | export | import`: readable and shareable profiles.
#pragma once

#include "cli/global_options.h"

namespace kv12 {

/// Adds the "profile" command group to the app.
void RegisterProfileCommands(CLI::App& app, GlobalOptions& globals);

}  // namespace kv12
