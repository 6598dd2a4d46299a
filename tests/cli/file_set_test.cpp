#include "cli/file_set.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "cli/command_error.h"
#include "cli_test_support.h"
#include "core/utf8_path.h"

namespace kv12::test {
namespace {

// The system's own calls, numbered as they are made; one of them can fail, or
// be the point where kv12ctl is killed.
class ScriptedCalls final : public FileSetCalls {
  public:
    struct Killed {};

    std::set<std::size_t> failing;                                   // calls that fail, counted from 0
    std::size_t killedAt = std::numeric_limits<std::size_t>::max();  // the call kv12ctl does not live to make
    std::vector<std::string> log;

    std::optional<std::string> Write(const std::filesystem::path& path, std::string_view bytes) override {
        return Step(
            "write " + Name(path), [&] { return SystemFileSetCalls().Write(path, bytes); }, &path);
    }
    std::optional<std::string> Replace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override {
        return Step("replace " + Name(from) + " -> " + Name(to),
                    [&] { return SystemFileSetCalls().Replace(from, to); });
    }
    std::optional<std::string> Remove(const std::filesystem::path& path) override {
        return Step("remove " + Name(path), [&] { return SystemFileSetCalls().Remove(path); });
    }

  private:
    static std::string Name(const std::filesystem::path& path) { return PathToUtf8(path.filename()); }

    template <typename Call>
    std::optional<std::string> Step(const std::string& what, Call call,
                                    const std::filesystem::path* written = nullptr) {
        const std::size_t number = log.size();
        log.push_back(what);
        if (number == killedAt) {
            // Killed inside an atomic write: its own temporary file stays behind.
            if (written != nullptr) {
                std::filesystem::path temp = *written;
                temp += ".tmp424242";
                SystemFileSetCalls().Write(temp, "half");
            }
            throw Killed{};
        }
        if (failing.contains(number)) return "injected failure of " + what;
        return call();
    }
};

// A folder with a.txt holding old contents and no b.txt; the set writes both.
class FileSetTest : public ::testing::Test {
  protected:
    void SetUp() override { folder.Write("a.txt", "old a"); }

    void WriteSet(FileSetCalls& calls) {
        WriteFilesTogether({{folder / "a.txt", "new a"}, {folder / "b.txt", "new b"}}, calls);
    }
    void ExpectOld() const {
        EXPECT_EQ(folder.Files(), std::vector<std::string>{"a.txt"});
        EXPECT_EQ(folder.Read("a.txt"), "old a");
    }
    void ExpectNew() const {
        EXPECT_EQ(folder.Files(), (std::vector<std::string>{"a.txt", "b.txt"}));
        EXPECT_EQ(folder.Read("a.txt"), "new a");
        EXPECT_EQ(folder.Read("b.txt"), "new b");
    }

    TestFolder folder;
};

// Every call of a set that succeeds, in order. The rename of the journal is
// the moment the new contents stand.
const std::vector<std::string> CALLS = {
    "write kv12ctl-journal.pending",
    "write a.txt.kv12ctl-new",
    "write a.txt.kv12ctl-old",
    "write b.txt.kv12ctl-new",
    "replace a.txt.kv12ctl-new -> a.txt",
    "replace b.txt.kv12ctl-new -> b.txt",
    "replace kv12ctl-journal.pending -> kv12ctl-journal.committed",
    "remove a.txt.kv12ctl-old",
    "remove kv12ctl-journal.committed",
};
constexpr std::size_t COMMIT = 6;

TEST_F(FileSetTest, WritesEveryFileThroughAJournalAndLeavesNothingElse) {
    ScriptedCalls calls;
    WriteSet(calls);
    ExpectNew();
    EXPECT_EQ(calls.log, CALLS);
}

TEST_F(FileSetTest, AFailedStepLeavesAllOldOrAllNewAndNothingOnceTheNextCommandRan) {
    for (std::size_t failing = 0; failing < CALLS.size(); ++failing) {
        SCOPED_TRACE(CALLS[failing]);
        folder.Write("a.txt", "old a");
        std::filesystem::remove(folder / "b.txt");
        ScriptedCalls calls;
        calls.failing = {failing};

        try {
            WriteSet(calls);
            ADD_FAILURE() << "no failure reported";
        } catch (const CommandError& e) {
            const std::string message = e.what();
            if (failing <= COMMIT) {
                EXPECT_EQ(message.find("injected failure of " + CALLS[failing] +
                                       "; a.txt, b.txt were left as they were"),
                          0u)
                    << message;
                ExpectOld();
            } else {
                EXPECT_EQ(message, "a.txt, b.txt were written, but injected failure of " + CALLS[failing] +
                                       " (the next kv12ctl command on this folder removes it)");
                EXPECT_EQ(folder.Read("a.txt"), "new a");
            }
        }
        // What a failed tidy-up leaves is removed by the next command.
        RecoverFileSet(folder.path());
        if (failing <= COMMIT) {
            ExpectOld();
        } else {
            ExpectNew();
        }
    }
}

TEST_F(FileSetTest, AKillAtAnyStepIsUndoneOrFinishedByTheNextCommand) {
    for (std::size_t killed = 0; killed < CALLS.size(); ++killed) {
        SCOPED_TRACE("killed at " + CALLS[killed]);
        folder.Write("a.txt", "old a");
        std::filesystem::remove(folder / "b.txt");
        ScriptedCalls calls;
        calls.killedAt = killed;
        EXPECT_THROW(WriteSet(calls), ScriptedCalls::Killed);

        const Recovery recovery = RecoverFileSet(folder.path());

        if (killed <= COMMIT) {
            EXPECT_EQ(recovery, killed == 0 ? Recovery::None : Recovery::Undone);
            ExpectOld();
        } else {
            EXPECT_EQ(recovery, Recovery::Finished);
            ExpectNew();
        }
        EXPECT_EQ(RecoverFileSet(folder.path()), Recovery::None) << "nothing is left for a second run";
    }
}

TEST_F(FileSetTest, AFailedPutBackSaysWhichFileHoldsWhatAndTheNextCommandPutsItBack) {
    ScriptedCalls calls;
    // b.txt cannot replace its target, and a.txt, already replaced, cannot get its old contents back.
    calls.failing = {5, 6};

    try {
        WriteSet(calls);
        ADD_FAILURE() << "no failure reported";
    } catch (const CommandError& e) {
        const std::string a = PathToUtf8(folder / "a.txt");
        EXPECT_EQ(
            std::string(e.what()),
            "injected failure of replace b.txt.kv12ctl-new -> b.txt; putting the old files back failed "
            "too: " +
                a + " holds the new contents; its old contents are in " + a +
                ".kv12ctl-old (injected failure of replace a.txt.kv12ctl-old -> a.txt); every other file "
                "holds its old contents; the next kv12ctl command on this folder tries again");
    }
    EXPECT_EQ(calls.log.back(), "replace a.txt.kv12ctl-old -> a.txt");
    EXPECT_EQ(folder.Read("a.txt"), "new a");
    EXPECT_FALSE(folder.Exists("b.txt"));

    EXPECT_EQ(RecoverFileSet(folder.path()), Recovery::Undone);
    ExpectOld();
}

TEST_F(FileSetTest, AJournalThatCannotBeReadIsNamedAndLeftForTheUser) {
    folder.Write("kv12ctl-journal.pending", "not a journal\n");
    try {
        RecoverFileSet(folder.path());
        ADD_FAILURE() << "no failure reported";
    } catch (const CommandError& e) {
        EXPECT_EQ(std::string(e.what()),
                  PathToUtf8(folder / "kv12ctl-journal.pending") +
                      ": an interrupted change of this folder's files left this journal, "
                      "and it cannot be read; check the files and remove it");
    }
    EXPECT_TRUE(folder.Exists("kv12ctl-journal.pending"));
    EXPECT_EQ(folder.Read("a.txt"), "old a");
}

// What a kv12ctl killed between the replaces of an import leaves: every
// command on the folder puts the old files back first and says so.
TEST(InterruptedImport, TheNextCommandPutsTheOldProfileBackAndWarns) {
    TestFolder folder;
    WriteSampleFolder(folder);
    const auto before = RunCliIn(folder, {"profile", "export"});
    ASSERT_EQ(before.code, 0) << before.err;
    ScriptedCalls calls;
    calls.killedAt = 8;  // journal, three staged and three kept copies written, record.ini replaced
    EXPECT_THROW(WriteFilesTogether({{folder / "record.ini", "[Other]\r\nItemCount=0\r\n"},
                                     {folder / "str.ini", "[Skins]\r\nLan=CHT\r\n"},
                                     {folder / "config.bin", std::string(1850, '\x07')}},
                                    calls),
                 ScriptedCalls::Killed);
    ASSERT_EQ(calls.log.back(), "replace str.ini.kv12ctl-new -> str.ini");
    ASSERT_EQ(folder.Read("record.ini"), "[Other]\r\nItemCount=0\r\n");

    const auto after = RunCliIn(folder, {"profile", "export"});

    EXPECT_EQ(after.code, 0);
    EXPECT_EQ(after.err,
              "kv12ctl: warning: " + DirArg(folder) +
                  ": an earlier change of its files was interrupted and has been undone; they hold "
                  "their earlier contents\n");
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"config.bin", "record.ini", "str.ini"}));
}

}  // namespace
}  // namespace kv12::test
