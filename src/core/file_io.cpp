#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#include "core/utf8_path.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kv12 {

const std::string& FileError::In(Language language) const {
    const std::string& translated = translations[LanguageIndex(language)];
    return translated.empty() ? message : translated;
}

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && static_cast<std::size_t>(next - '1') < arguments.size()) {
            out += arguments.begin()[next - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

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

BoundedRead ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    BoundedRead result;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory) {
            result.outcome = BoundedRead::Outcome::Unreadable;
            result.reason = ec.message();
        }
        return result;
    }
    result.outcome = BoundedRead::Outcome::Unreadable;
    if (!std::filesystem::is_regular_file(status)) {
        result.reason = std::filesystem::is_directory(status) ? "it is a folder" : "it is not a file";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.reason = "the file cannot be opened";
        return result;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        result.reason = "the file cannot be read";
        return result;
    }
    result.size = static_cast<std::uintmax_t>(size);
    if (result.size > maxBytes) {
        result.outcome = BoundedRead::Outcome::TooLarge;
        return result;
    }
    in.seekg(0, std::ios::beg);
    result.bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(result.bytes.data(), size)) {
        result.bytes.clear();
        result.reason = "the file cannot be read";
        return result;
    }
    result.outcome = BoundedRead::Outcome::Read;
    return result;
}

namespace {

std::string Describe(const std::filesystem::path& path, const std::string& what) {
    return "cannot write " + PathToUtf8(path) + ": " + what;
}

std::string SystemMessage(int code) {
    return std::system_category().message(code);
}

// A temporary name that another save already holds is tried again with a new one.
bool NameTaken(int code) {
#ifdef _WIN32
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
#else
    return code == EEXIST;
#endif
}

#ifdef _WIN32

class WindowsCalls final : public AtomicWriteCalls {
  public:
    ~WindowsCalls() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    int CreateNew(const std::filesystem::path& path) override {
        file_ =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ == INVALID_HANDLE_VALUE ? static_cast<int>(GetLastError()) : 0;
    }
    int Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr))
                return static_cast<int>(GetLastError());
            if (written == 0) return ERROR_DISK_FULL;
            bytes.remove_prefix(written);
        }
        return 0;
    }
    int FlushToDisk() override { return FlushFileBuffers(file_) ? 0 : static_cast<int>(GetLastError()); }
    int Close() override {
        const HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        return CloseHandle(file) ? 0 : static_cast<int>(GetLastError());
    }
    int Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        // Write-through: the call returns once the new entry is on the disk.
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        return static_cast<int>(GetLastError());
    }
    int FlushFolder(const std::filesystem::path&) override { return 0; }
    void Remove(const std::filesystem::path& path) override { DeleteFileW(path.c_str()); }

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

#else

class PosixCalls final : public AtomicWriteCalls {
  public:
    ~PosixCalls() override {
        if (fd_ >= 0) ::close(fd_);
    }
    int CreateNew(const std::filesystem::path& path) override {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd_ < 0 ? errno : 0;
    }
    int Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            if (written == 0) return ENOSPC;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return 0;
    }
    int FlushToDisk() override {
        while (::fsync(fd_) != 0) {
            if (errno != EINTR) return errno;
        }
        return 0;
    }
    int Close() override {
        const int fd = fd_;
        fd_ = -1;
        // The descriptor is gone whatever close says; only the error counts.
        return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
    }
    int Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    int FlushFolder(const std::filesystem::path& folder) override {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        const int result = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return result;
    }
    void Remove(const std::filesystem::path& path) override { ::unlink(path.c_str()); }

  private:
    int fd_ = -1;
};

#endif

// Names tried for the temporary file before giving up.
constexpr int TEMP_NAME_ATTEMPTS = 16;

}  // namespace

std::unique_ptr<AtomicWriteCalls> SystemAtomicWriteCalls() {
#ifdef _WIN32
    return std::make_unique<WindowsCalls>();
#else
    return std::make_unique<PosixCalls>();
#endif
}

std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const auto calls = SystemAtomicWriteCalls();
    return WriteFileAtomically(path, bytes, *calls);
}

std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                             AtomicWriteCalls& calls) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return FileError{Describe(path, "it is a folder"), EISDIR};

    std::random_device random;
    std::filesystem::path temp;
    int code = 0;
    for (int attempt = 0; attempt < TEMP_NAME_ATTEMPTS; ++attempt) {
        temp = path;
        temp += ".tmp" + std::to_string(random() % 1000000);
        code = calls.CreateNew(temp);
        if (!NameTaken(code)) break;
    }
    if (code != 0) return FileError{Describe(path, SystemMessage(code)), code};

    // From here on the temporary file exists: every failure takes it away again.
    auto fail = [&](int failure, const std::string& what) {
        calls.Remove(temp);
        return FileError{Describe(path, what), failure};
    };
    if ((code = calls.Write(bytes)) != 0) {
        calls.Close();
        return fail(code, "the data could not be written: " + SystemMessage(code));
    }
    // Without this the replace can reach the disk before the data does, and a
    // power loss then leaves an empty file in the target's place.
    if ((code = calls.FlushToDisk()) != 0) {
        calls.Close();
        return fail(code, "the data could not be flushed to the disk: " + SystemMessage(code));
    }
    if ((code = calls.Close()) != 0) return fail(code, SystemMessage(code));
    if ((code = calls.Replace(temp, path)) != 0) return fail(code, SystemMessage(code));
    // The new file is whole and in place; a folder that cannot be flushed (some
    // file systems refuse it) only leaves the rename to the system's own timing.
    calls.FlushFolder(path.parent_path());
    return std::nullopt;
}

}  // namespace kv12
