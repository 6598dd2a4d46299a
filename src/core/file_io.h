// Whole-file reads and atomic whole-file writes. A save writes a temporary file
// beside the target, flushes it to the disk and only then replaces the target
// with it, so a crash, a power loss or a full disk leaves either the old file
// or the new one, never an empty or half-written one. Whatever step fails, the
// temporary file is removed again.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

namespace kv12 {

struct FileError {
    FileError() = default;
    explicit FileError(std::string message, int code = 0) : message(std::move(message)), code(code) {}

    std::string message;  // one line in English, names the file and the reason
    int code = 0;         // the system's error code (errno, or GetLastError on Windows), 0 if none
    // The message in the window's languages (English, simplified and traditional
    // Chinese) where the program states the reason itself, as for the limits of
    // what it reads; empty where the reason is the system's own text.
    std::array<std::string, LANGUAGE_COUNT> translations;

    // The message to show in a language: its translation, else the English message.
    const std::string& In(Language language) const;
};

// A message pattern with %1 .. %9 replaced by the arguments in order.
std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// The whole file, or nullopt when it cannot be opened (missing, a folder, no access).
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

// A read that stops before a file larger than the caller wants: the size is
// learnt first, and a larger file is never read into memory.
struct BoundedRead {
    enum class Outcome { Read, Missing, Unreadable, TooLarge };
    Outcome outcome = Outcome::Missing;
    std::string bytes;        // the whole file when Read
    std::uintmax_t size = 0;  // the file's size when Read or TooLarge
    std::string reason;       // why it could not be read, when Unreadable
};
BoundedRead ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The system calls of one atomic write, in the order WriteFileAtomically makes
// them: CreateNew, Write, FlushToDisk, Close, Replace, FlushFolder; Remove only
// to take the temporary file away after a failed step. Each returns 0 or the
// system's error code. Tests put their own in place to fail a step or to see
// the order of the steps.
class AtomicWriteCalls {
  public:
    virtual ~AtomicWriteCalls() = default;
    // Creates and opens a new file for writing; fails when the name is taken.
    virtual int CreateNew(const std::filesystem::path& path) = 0;
    // Writes all the bytes to the open file.
    virtual int Write(std::string_view bytes) = 0;
    // Makes the disk hold what was written (fsync, FlushFileBuffers).
    virtual int FlushToDisk() = 0;
    virtual int Close() = 0;
    // Puts the file from in the place of to, in one step.
    virtual int Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Makes the disk hold the folder's new entry (fsync of the folder on POSIX;
    // on Windows the replace itself writes through).
    virtual int FlushFolder(const std::filesystem::path& folder) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The real calls of this platform; one object serves one write.
std::unique_ptr<AtomicWriteCalls> SystemAtomicWriteCalls();

// Writes the bytes atomically and durably. Returns an error description on
// failure; the target is then untouched and no temporary file is left. A
// failed flush of the folder after the replace is not a failure: the new file
// is whole and in place.
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                             AtomicWriteCalls& calls);

}  // namespace kv12
