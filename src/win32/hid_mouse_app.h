// CHidMouseApp: the application object. Prepares the process (one copy only,
// common controls, the main window's class, the device link on the HID
// devices or on the simulated mouse), runs the main window until Exit and
// shuts down.
#pragma once

#include <string>
#include <vector>

namespace kv12::win32 {

class CHidMouseApp {
  public:
    // Runs the program with its command-line arguments (UTF-8, without the
    // program name); returns the process exit code: 0 after Exit and for a
    // second copy, 1 when start-up failed, 2 for a wrong command line.
    int Run(const std::vector<std::string>& args);
};

}  // namespace kv12::win32
