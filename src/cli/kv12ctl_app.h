// kv12ctl as a function: the command line in, the exit code out, output on
// the given streams. main() calls it with the process's own arguments; tests
// call it in-process.
//
// Command groups register themselves with one call each, from their own file
// (RegisterProfileCommands, RegisterFileCommands, ...), all listed in
// RunKv12ctl; they share the global options through GlobalOptions.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace kv12 {

struct Kv12ctlStreams {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    // The system's reason why out could not be written, where the caller
    // knows it (empty when it does not).
    std::function<std::string()> outFailure = {};
};

/// Runs one kv12ctl command. args are the arguments after the program name,
/// in UTF-8; executableFolder is the default for --dir. Returns 0 on success,
/// 1 on a usage error (the message and a hint to --help on err), 2 when the
/// command fails on bad input or a failed operation (one line on err). Output
/// that cannot be written to out (a full disk) fails the command too: out is
/// flushed and checked at the end.
int RunKv12ctl(const std::vector<std::string>& args, const Kv12ctlStreams& streams,
               const std::filesystem::path& executableFolder);

}  // namespace kv12
