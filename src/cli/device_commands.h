// `kv12ctl apply`, `kv12ctl device info` and `kv12ctl device list`: the
// commands that talk to a mouse, the real one (--device hid, the default) or the
// simulated one (--device sim). Also the global options --scramble-key and
// --scramble-table, which override the key and table of str.ini for the link
// and the simulated mouse alike.
#pragma once

#include "cli/global_options.h"

namespace kv12 {

/// Adds "apply", the "device" group with "info" and "list", and the scramble options.
void RegisterDeviceCommands(CLI::App& app, GlobalOptions& globals);

}  // namespace kv12
