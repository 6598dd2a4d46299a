// The lighting parameters as the user reads them: the brightness of the
// standard mode and the cycle times of the respiration and neon modes. The
// same in every language; the basic page's lists and kv12ctl both show them.
#pragma once

#include <string>
#include <string_view>

namespace kv12 {

inline constexpr int BRIGHTNESS_COUNT = 10;        // standard mode, ledParam[0]
inline constexpr int RESPIRATION_CYCLE_COUNT = 5;  // respiration mode, ledParam[1]
inline constexpr int NEON_CYCLE_COUNT = 30;        // neon mode, ledParam[2]

/// Brightness of mode 1 ("5%".."100%", index 0..9), cycle time of mode 2
/// ("8S".."4S", index 0..4) and of mode 3 ("0.5S".."15S", index 0..29); empty outside.
std::string_view BrightnessText(int index);
std::string_view RespirationCycleText(int index);
std::string NeonCycleText(int index);

}  // namespace kv12
