#include "cli/executable_path.h"

#include <system_error>
#include <vector>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kv12 {

std::filesystem::path ExecutablePath(std::string_view argv0) {
#ifdef _WIN32
    // Long paths need more than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) break;
        if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self;
#endif
    std::error_code absoluteError;
    const auto fallback = std::filesystem::absolute(PathFromUtf8(argv0), absoluteError);
    return absoluteError ? PathFromUtf8(argv0) : fallback;
}

}  // namespace kv12
