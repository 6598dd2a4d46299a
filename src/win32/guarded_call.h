// Exceptions never cross a window procedure, hook procedure or subclass
// procedure: the system code between them cannot unwind, so an exception that
// got there would end the program. Each such procedure runs its body through
// Guarded, which logs what escaped and answers with a safe result instead.
#pragma once

#include <utility>

#include "win32/debug_log.h"

namespace kv12::win32 {

// Where escaped exceptions are logged (besides OutputDebugStringW); may be null.
void SetExceptionLog(DebugLog* log) noexcept;

// Logs the exception being handled, naming the procedure it escaped from.
// Call only inside a catch block.
void ReportEscapedException(const char* where) noexcept;

template <typename Result, typename Body>
Result Guarded(const char* where, Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportEscapedException(where);
        return fallback;
    }
}

}  // namespace kv12::win32
