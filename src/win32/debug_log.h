// The program's debug traces (device reports, file loads, balloons shown,
// notices received), written to a file when the program is started with
// --log FILE and dropped otherwise.
#pragma once

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>

namespace kv12::win32 {

class DebugLog {
public:
    // A log that drops everything.
    DebugLog() = default;
    // Appends to file (created when missing). Check IsOpen.
    explicit DebugLog(const std::filesystem::path& file);

    bool IsOpen() const { return out_.is_open(); }

    // One line "<category>: <text>", flushed at once so that a test reading
    // the file sees it and a crash loses nothing. Safe from any thread.
    void Write(std::string_view category, std::string_view text);

private:
    std::mutex mutex_;
    std::ofstream out_;
};

}  // namespace kv12::win32
