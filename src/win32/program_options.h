// The command line of KorvexKV12.exe. A user starts the program without any
// option; the options exist for testing and diagnosis (docs/windows-program.md):
//   --simulate              a simulated mouse instead of the HID devices
//   --sim-sensor-type N     the simulated mouse's sensor type (0..255, default 0)
//   --sim-control FILE      the file the simulated mouse takes commands from
//                           (default: sim-control.txt beside the executable)
//   --log FILE              debug traces appended to FILE
//   --trace FILE            the device conversation as JSON Lines in FILE
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv12::win32 {

struct ProgramOptions {
    bool simulate = false;
    std::uint8_t simSensorType = 0;
    std::string simControlFile;  // UTF-8; empty: the default beside the executable
    std::string logFile;         // UTF-8; empty: no log
    std::string traceFile;       // UTF-8; empty: no trace
    friend bool operator==(const ProgramOptions&, const ProgramOptions&) = default;
};

struct ParsedOptions {
    std::optional<ProgramOptions> options;  // nothing when the command line is wrong
    std::string error;                      // then: what is wrong, one line
};

// Reads the arguments (UTF-8, without the program name). Options take their
// value as the next argument or after "=".
ParsedOptions ParseProgramOptions(const std::vector<std::string>& args);

// The usage text shown with a command-line error.
const char* ProgramUsage();

}  // namespace kv12::win32
