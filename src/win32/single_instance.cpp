#include "win32/single_instance.h"

#include <string>

namespace kv12::win32 {

SingleInstance::SingleInstance(std::wstring_view name) {
    const std::wstring text(name);
    mutex_.Reset(::CreateMutexW(nullptr, FALSE, text.c_str()));
    // Read at once: any later call may overwrite the last error.
    alreadyExists_ = ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace kv12::win32
