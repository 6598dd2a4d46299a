#include "win32/guarded_call.h"

#include <atomic>
#include <exception>
#include <string>

#include "win32/windows_api.h"

#include "win32/wide_text.h"

namespace kv12::win32 {

namespace {

std::atomic<DebugLog*> exceptionLog{nullptr};

}  // namespace

void SetExceptionLog(DebugLog* log) noexcept {
    exceptionLog.store(log);
}

void ReportEscapedException(const char* where) noexcept {
    try {
        std::string what = "unknown exception";
        try {
            throw;
        } catch (const std::exception& error) {
            what = error.what();
        } catch (...) {
        }
        const std::string line = std::string(where) + ": " + what;
        ::OutputDebugStringW(WideFromUtf8("KorvexKV12: exception in " + line + "\n").c_str());
        if (DebugLog* log = exceptionLog.load()) log->Write("exception", line);
    } catch (...) {
        // Nothing more can be reported without memory.
    }
}

}  // namespace kv12::win32
