#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kv12 {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> data;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    in.seekg(0, std::ios::beg);
    data.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size)) return std::nullopt;
    return data;
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

namespace {

std::string Describe(const std::filesystem::path& path, const std::string& what) {
    return "cannot write " + PathToUtf8(path) + ": " + what;
}

int LastSystemError() {
#ifdef _WIN32
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why, int& code) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    code = static_cast<int>(GetLastError());
    why = std::system_category().message(code);
    return false;
#else
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (!ec) return true;
    code = ec.value();
    why = ec.message();
    return false;
#endif
}

}  // namespace

std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return FileError{Describe(path, "it is a folder"), EISDIR};
    std::random_device rd;
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(rd() % 1000000);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            const int code = LastSystemError();
            return FileError{Describe(path, std::system_category().message(code)), code};
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temp, ec);
            return FileError{Describe(path, "the data could not be written (disk full?)"), ENOSPC};
        }
    }
    std::string why;
    int code = 0;
    if (!ReplaceFile(temp, path, why, code)) {
        std::filesystem::remove(temp, ec);
        return FileError{Describe(path, why), code};
    }
    return std::nullopt;
}

}  // namespace kv12
