// The failure of a command on bad input or a failed operation. kv12ctl prints
// its message as one line on stderr and exits with EXIT_FAILED.
#pragma once

#include <stdexcept>
#include <string>

namespace kv12 {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_USAGE = 1;   // the command line itself is wrong
inline constexpr int EXIT_FAILED = 2;  // bad input or a failed operation

class CommandError : public std::runtime_error {
  public:
    /// message: one line that names the file or field and says what is wrong.
    explicit CommandError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kv12
