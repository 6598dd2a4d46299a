// The single-instance guard: a named mutex that the first copy of the program
// creates and keeps until it ends.
#pragma once

#include <string_view>

#include "win32/unique_handle.h"

namespace kv12::win32 {

inline constexpr std::wstring_view SINGLE_INSTANCE_MUTEX_NAME = L"TamselorMutex";

class SingleInstance {
public:
    // Creates (or opens) the named mutex, not owned.
    explicit SingleInstance(std::wstring_view name = SINGLE_INSTANCE_MUTEX_NAME);

    // True when another copy already holds the name: this copy must end.
    bool AnotherIsRunning() const { return alreadyExists_; }

private:
    // Kept open for the life of the process; the system closes it at exit.
    UniqueHandle mutex_;
    bool alreadyExists_ = false;
};

}  // namespace kv12::win32
