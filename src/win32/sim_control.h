// Remote control of the simulated mouse for tests: a text file the program
// polls while it runs with --simulate. A test writes commands into it (best by
// writing another file and renaming it over, so that the program never reads
// half a file); the program takes the file away, then runs its lines:
//   unplug              both collections of the mouse go away
//   plug                both come back
//   unplug notice       only the notice collection goes away
//   unplug command      only the command collection goes away
//   notice CODE VALUE   the mouse sends a notice report (decimal bytes)
// Empty lines and lines starting with "#" are skipped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv12::win32 {

enum class SimCommandKind { Unplug, Plug, UnplugNotice, UnplugCommand, Notice };

struct SimCommand {
    SimCommandKind kind = SimCommandKind::Plug;
    std::uint8_t code = 0;   // Notice only
    std::uint8_t value = 0;  // Notice only
    friend bool operator==(const SimCommand&, const SimCommand&) = default;
};

struct SimScript {
    std::vector<SimCommand> commands;
    std::vector<std::string> errors;  // "line N: ..." for each line not understood (skipped)
};

// Parses the control file's text.
SimScript ParseSimControl(std::string_view text);

// Takes the control file away (renamed, read, deleted) and returns its text;
// nothing when there is no file. A file written anew while the old one is
// being read is left for the next call.
std::optional<std::string> TakeSimControlFile(const std::filesystem::path& file);

}  // namespace kv12::win32
