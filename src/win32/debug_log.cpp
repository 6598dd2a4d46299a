#include "win32/debug_log.h"

namespace kv12::win32 {

DebugLog::DebugLog(const std::filesystem::path& file) : out_(file, std::ios::binary | std::ios::app) {}

void DebugLog::Write(std::string_view category, std::string_view text) {
    std::lock_guard lock(mutex_);
    if (!out_.is_open()) return;
    out_ << category << ": " << text << '\n';
    out_.flush();
}

}  // namespace kv12::win32
