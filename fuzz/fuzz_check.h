// What the fuzz targets share: a check that stops the run with a message, and
// a scratch folder of the process for the targets that go through files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace kv12::fuzz {

// Stops the run: libFuzzer then saves the input that got here. Not assert(),
// which the optimised build leaves out.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    __builtin_trap();
}

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

// A folder of this process (libFuzzer's -jobs runs several at once), made on
// first use, reused by every input and removed when the process ends. In
// memory where the system has /dev/shm: every save flushes to the disk, which
// would otherwise set the pace.
class Scratch {
  public:
    Scratch() {
        std::error_code ec;
        const auto base = std::filesystem::is_directory("/dev/shm", ec)
                              ? std::filesystem::path("/dev/shm")
                              : std::filesystem::temp_directory_path();
        path_ = base / ("kv12-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline const std::filesystem::path& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path();
}

}  // namespace kv12::fuzz
