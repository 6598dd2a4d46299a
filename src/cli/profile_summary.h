// The readable summary that `kv12ctl profile show` prints.
#pragma once

#include <string>

#include "cli/profile.h"

namespace kv12 {

/// Every setting of the profile in words, one item per line. sensorType picks
/// the DPI table whose values are shown next to the stored step indices (the
/// files do not record which sensor the mouse has).
std::string FormatProfileSummary(const Profile& profile, int sensorType);

}  // namespace kv12
