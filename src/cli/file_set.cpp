#include "cli/file_set.h"

#include <stdexcept>
#include <system_error>

#include "cli/command_error.h"
#include "core/file_io.h"
#include "core/utf8_path.h"

namespace kv12 {
namespace {

namespace fs = std::filesystem;

// Every name the set writes starts with one of these, so that what a killed
// kv12ctl left (the atomic writes' own temporary files included) is found.
constexpr std::string_view JOURNAL_PREFIX = "kv12ctl-journal.";
constexpr std::string_view PENDING_NAME = "kv12ctl-journal.pending";
constexpr std::string_view COMMITTED_NAME = "kv12ctl-journal.committed";
constexpr std::string_view STAGED_SUFFIX = ".kv12ctl-new";
constexpr std::string_view KEPT_SUFFIX = ".kv12ctl-old";

constexpr std::string_view JOURNAL_HEADER = "kv12ctl file set 1";
constexpr std::string_view JOURNAL_END = "end";
constexpr std::string_view REPLACE_WORD = "replace ";  // the file was there: its old contents are kept
constexpr std::string_view CREATE_WORD = "create ";    // the file was not there: putting back removes it

struct Entry {
    std::string name;  // the file's name in the folder, UTF-8
    bool existed = false;
};

struct EntryPaths {
    fs::path target;
    fs::path staged;  // the new contents until they replace the target
    fs::path kept;    // the old contents until the change stands
};

fs::path Suffixed(fs::path path, std::string_view suffix) {
    path += PathFromUtf8(suffix);
    return path;
}

EntryPaths PathsOf(const fs::path& folder, const Entry& entry) {
    const fs::path target = folder / PathFromUtf8(entry.name);
    return {target, Suffixed(target, STAGED_SUFFIX), Suffixed(target, KEPT_SUFFIX)};
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

// "config.bin was left as it was", "record.ini, str.ini, config.bin were left as they were".
std::string LeftAsTheyWere(const std::vector<Entry>& entries) {
    std::vector<std::string> names;
    for (const Entry& entry : entries) names.push_back(entry.name);
    return Joined(names, ", ") + (names.size() == 1 ? " was left as it was" : " were left as they were");
}

std::string JournalText(const std::vector<Entry>& entries) {
    std::string text = std::string(JOURNAL_HEADER) + "\n";
    for (const Entry& entry : entries)
        text += std::string(entry.existed ? REPLACE_WORD : CREATE_WORD) + entry.name + "\n";
    return text + std::string(JOURNAL_END) + "\n";
}

std::optional<std::vector<Entry>> ParseJournal(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // every line, the last included, ends
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() < 2 || lines.front() != JOURNAL_HEADER || lines.back() != JOURNAL_END)
        return std::nullopt;
    std::vector<Entry> entries;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with(REPLACE_WORD)) {
            entries.push_back({std::string(line.substr(REPLACE_WORD.size())), true});
        } else if (line.starts_with(CREATE_WORD)) {
            entries.push_back({std::string(line.substr(CREATE_WORD.size())), false});
        } else {
            return std::nullopt;
        }
        if (entries.back().name.empty()) return std::nullopt;
    }
    return entries;
}

// Puts every file of the set back as it was: the kept old contents over the
// target, a file the set created removed. `replaced` is how many targets were
// replaced, when known; the others were never touched. Returns one line per
// file that could not be put back.
std::vector<std::string> PutOldFilesBack(const fs::path& folder, const std::vector<Entry>& entries,
                                         std::optional<std::size_t> replaced, FileSetCalls& calls) {
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (replaced && i >= *replaced) break;
        const EntryPaths paths = PathsOf(folder, entries[i]);
        const std::string state = replaced ? " holds the new contents" : " may hold the new contents";
        if (entries[i].existed) {
            // A kept copy that is not there was never written: the target is untouched.
            if (!Exists(paths.kept)) continue;
            if (auto why = calls.Replace(paths.kept, paths.target)) {
                problems.push_back(PathToUtf8(paths.target) + state + "; its old contents are in " +
                                   PathToUtf8(paths.kept) + " (" + *why + ")");
            }
        } else if (auto why = calls.Remove(paths.target)) {
            problems.push_back(PathToUtf8(paths.target) + state + " and was not there before (" + *why + ")");
        }
    }
    return problems;
}

// Whether a file of the folder is one the set wrote and no longer needs: a
// staged or kept copy, or an atomic write's temporary file of one of them or
// of the journal. The journal itself is not.
bool IsLeftover(const std::string& name, const std::vector<Entry>& entries) {
    if (name.starts_with(JOURNAL_PREFIX)) return name != PENDING_NAME && name != COMMITTED_NAME;
    for (const Entry& entry : entries) {
        for (const std::string_view suffix : {STAGED_SUFFIX, KEPT_SUFFIX}) {
            if (name.starts_with(entry.name + std::string(suffix))) return true;
        }
    }
    return false;
}

std::vector<std::string> RemoveLeftovers(const fs::path& folder, const std::vector<Entry>& entries,
                                         FileSetCalls& calls) {
    std::vector<fs::path> leftovers;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsLeftover(PathToUtf8(it->path().filename()), entries)) leftovers.push_back(it->path());
    }
    std::vector<std::string> problems;
    for (const fs::path& path : leftovers) {
        if (auto why = calls.Remove(path)) problems.push_back(*why);
    }
    return problems;
}

class SystemCalls final : public FileSetCalls {
  public:
    std::optional<std::string> Write(const fs::path& path, std::string_view bytes) override {
        if (auto error = WriteFileAtomically(path, bytes)) return error->message;
        return std::nullopt;
    }
    std::optional<std::string> Replace(const fs::path& from, const fs::path& to) override {
        const auto calls = SystemAtomicWriteCalls();
        if (const int code = calls->Replace(from, to); code != 0) {
            return "cannot rename " + PathToUtf8(from) + " to " + PathToUtf8(to) + ": " +
                   std::system_category().message(code);
        }
        // As for an atomic write: a folder that cannot be flushed only leaves
        // the rename to the system's own timing.
        calls->FlushFolder(to.parent_path());
        return std::nullopt;
    }
    std::optional<std::string> Remove(const fs::path& path) override {
        std::error_code ec;
        fs::remove(path, ec);
        if (ec) return "cannot remove " + PathToUtf8(path) + ": " + ec.message();
        return std::nullopt;
    }
};

}  // namespace

FileSetCalls& SystemFileSetCalls() {
    static SystemCalls calls;
    return calls;
}

void WriteFilesTogether(const std::vector<PendingFile>& files, FileSetCalls& calls) {
    if (files.empty()) return;
    const fs::path folder = files.front().path.parent_path();
    std::vector<Entry> entries;
    std::vector<std::string> oldContents;
    // Every old content is read before anything is written, so a file that
    // cannot be read stops the set while the folder is still untouched.
    for (const PendingFile& file : files) {
        if (file.path.parent_path() != folder) throw std::invalid_argument("a file set lies in one folder");
        entries.push_back({PathToUtf8(file.path.filename()), Exists(file.path)});
        std::optional<std::string> old;
        if (entries.back().existed && !(old = ReadFileText(file.path)))
            throw CommandError(PathToUtf8(file.path) + ": cannot be read");
        oldContents.push_back(old.value_or(std::string{}));
    }
    const fs::path pending = folder / PENDING_NAME;
    const fs::path committed = folder / COMMITTED_NAME;
    for (const fs::path& journal : {pending, committed}) {
        if (Exists(journal)) {
            throw CommandError(PathToUtf8(folder) +
                               ": another kv12ctl is changing the files of this folder (" +
                               PathToUtf8(journal) + " is there)");
        }
    }

    if (auto why = calls.Write(pending, JournalText(entries)))
        throw CommandError(*why + "; " + LeftAsTheyWere(entries));

    // Undoes the set after a failed step and throws; `replaced` targets hold
    // their new contents by then.
    const auto abandon = [&](const std::string& what, std::size_t replaced) {
        std::vector<std::string> problems = PutOldFilesBack(folder, entries, replaced, calls);
        if (!problems.empty()) {
            // The journal stays, and with it the kept copies: the next command tries again.
            throw CommandError(what + "; putting the old files back failed too: " + Joined(problems, "; ") +
                               "; every other file holds its old contents; the next kv12ctl command on this "
                               "folder tries again");
        }
        problems = RemoveLeftovers(folder, entries, calls);
        if (auto why = calls.Remove(pending)) problems.push_back(*why);
        if (!problems.empty()) {
            throw CommandError(what + "; " + LeftAsTheyWere(entries) + ", but " + Joined(problems, "; ") +
                               " (the next kv12ctl command on this folder removes what is left)");
        }
        throw CommandError(what + "; " + LeftAsTheyWere(entries));
    };

    for (std::size_t i = 0; i < files.size(); ++i) {
        const EntryPaths paths = PathsOf(folder, entries[i]);
        if (auto why = calls.Write(paths.staged, files[i].bytes)) abandon(*why, 0);
        if (entries[i].existed) {
            if (auto why = calls.Write(paths.kept, oldContents[i])) abandon(*why, 0);
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const EntryPaths paths = PathsOf(folder, entries[i]);
        if (auto why = calls.Replace(paths.staged, paths.target)) abandon(*why, i);
    }
    if (auto why = calls.Replace(pending, committed)) abandon(*why, files.size());

    // The new contents stand; what follows only tidies up.
    std::vector<std::string> problems;
    for (const Entry& entry : entries) {
        if (!entry.existed) continue;
        if (auto why = calls.Remove(PathsOf(folder, entry).kept)) problems.push_back(*why);
    }
    // The journal stays while a kept copy does, so that the next command removes it.
    if (problems.empty()) {
        if (auto why = calls.Remove(committed)) problems.push_back(*why);
    }
    if (!problems.empty()) {
        std::vector<std::string> names;
        for (const Entry& entry : entries) names.push_back(entry.name);
        throw CommandError(Joined(names, ", ") + (names.size() == 1 ? " was" : " were") + " written, but " +
                           Joined(problems, "; ") + " (the next kv12ctl command on this folder removes it)");
    }
}

Recovery RecoverFileSet(const fs::path& folder, FileSetCalls& calls) {
    const fs::path pending = folder / PENDING_NAME;
    const fs::path committed = folder / COMMITTED_NAME;
    const bool isPending = Exists(pending);
    const bool isCommitted = Exists(committed);
    if (isPending && isCommitted) {
        throw CommandError(PathToUtf8(folder) + ": both " + std::string(PENDING_NAME) + " and " +
                           std::string(COMMITTED_NAME) +
                           " are there, which no kv12ctl leaves; check the files and remove both");
    }
    if (!isPending && !isCommitted) {
        // A kv12ctl killed while it wrote the journal leaves at most that write's temporary file.
        const std::vector<std::string> problems = RemoveLeftovers(folder, {}, calls);
        if (!problems.empty()) throw CommandError(Joined(problems, "; "));
        return Recovery::None;
    }

    const fs::path journal = isCommitted ? committed : pending;
    const auto text = ReadFileText(journal);
    const auto entries = text ? ParseJournal(*text) : std::nullopt;
    if (!entries) {
        throw CommandError(
            PathToUtf8(journal) +
            ": an interrupted change of this folder's files left this journal, and it cannot be "
            "read; check the files and remove it");
    }
    std::vector<std::string> problems;
    if (isPending) problems = PutOldFilesBack(folder, *entries, std::nullopt, calls);
    if (problems.empty()) problems = RemoveLeftovers(folder, *entries, calls);
    if (problems.empty()) {
        if (auto why = calls.Remove(journal)) problems.push_back(*why);
    }
    if (!problems.empty()) {
        throw CommandError(PathToUtf8(folder) + ": an interrupted change of its files could not be " +
                           (isPending ? "undone: " : "finished: ") + Joined(problems, "; "));
    }
    return isPending ? Recovery::Undone : Recovery::Finished;
}

}  // namespace kv12
