// Writing several files of one folder as one change. Whatever fails, and
// wherever kv12ctl is killed (once the next kv12ctl command has run on the
// folder), the folder holds either all the old contents or all the new ones,
// and none of the temporary files.
//
// A journal in the folder names the files before anything else is written.
// Every new content is then staged beside its target ("<name>.kv12ctl-new")
// and every old one kept ("<name>.kv12ctl-old"), each written atomically and
// flushed to the disk; then the staged files replace the targets one by one.
// Renaming the journal from "pending" to "committed" is the moment the new
// contents stand; the kept old files and the journal are removed after it.
// A replace that fails puts the kept old files back. A kv12ctl killed half-way
// leaves the journal behind, and RecoverFileSet, which every command runs
// before it reads the folder, puts the old files back (or, once committed,
// removes what is left).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv12 {

// One file to write as part of a set.
struct PendingFile {
    std::filesystem::path path;
    std::string bytes;
};

// The file operations of a set, each one step that either happens whole or not
// at all. Each returns nullopt, or one line saying what failed. Tests put
// their own in place to fail or interrupt a step.
class FileSetCalls {
  public:
    virtual ~FileSetCalls() = default;
    // Writes the whole file atomically and flushes it to the disk.
    virtual std::optional<std::string> Write(const std::filesystem::path& path, std::string_view bytes) = 0;
    // Puts the file from in the place of to and flushes the folder.
    virtual std::optional<std::string> Replace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) = 0;
    // Removes the file; a file that is not there is no failure.
    virtual std::optional<std::string> Remove(const std::filesystem::path& path) = 0;
};

/// The operations on this system's files.
FileSetCalls& SystemFileSetCalls();

/// Writes the files, all in one folder, as one change (see above). On any
/// failure throws CommandError with one line that says what failed and which
/// file holds what: normally every file its old contents; if even putting the
/// old files back failed, which ones hold the new contents and where their old
/// ones are kept (the next command on the folder tries again).
void WriteFilesTogether(const std::vector<PendingFile>& files, FileSetCalls& calls = SystemFileSetCalls());

enum class Recovery {
    None,      // no interrupted change
    Undone,    // an interrupted change was undone: every file holds its old contents
    Finished,  // a change interrupted after its commit was tidied: every file holds its new contents
};

/// Finishes what an interrupted WriteFilesTogether left in the folder. Throws
/// CommandError, naming the files and their state, when that fails.
Recovery RecoverFileSet(const std::filesystem::path& folder, FileSetCalls& calls = SystemFileSetCalls());

}  // namespace kv12
