#include "core/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "test_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kv12 {
namespace {

using test::TestFolder;

enum class Step { CreateNew, Write, FlushToDisk, Close, Replace, FlushFolder, Remove };

const char* StepName(Step step) {
    switch (step) {
        case Step::CreateNew:
            return "CreateNew";
        case Step::Write:
            return "Write";
        case Step::FlushToDisk:
            return "FlushToDisk";
        case Step::Close:
            return "Close";
        case Step::Replace:
            return "Replace";
        case Step::FlushFolder:
            return "FlushFolder";
        case Step::Remove:
            return "Remove";
    }
    return "?";
}

// An error code of the platform for a full disk, as a failing step reports it.
#ifdef _WIN32
constexpr int DISK_FULL = ERROR_DISK_FULL;
constexpr int NAME_TAKEN = ERROR_FILE_EXISTS;
#else
constexpr int DISK_FULL = ENOSPC;
constexpr int NAME_TAKEN = EEXIST;
#endif

// The real calls, each one logged; the step named in failAt fails instead
// (failing Close still closes the file, as the system does).
class RecordingCalls final : public AtomicWriteCalls {
  public:
    explicit RecordingCalls(std::optional<Step> failAt = std::nullopt, int failures = 1)
        : failAt_(failAt), failuresLeft_(failures) {}

    std::vector<Step> steps;
    std::vector<std::filesystem::path> created, removed;

    int CreateNew(const std::filesystem::path& path) override {
        created.push_back(path);
        return Run(Step::CreateNew, [&] { return real_->CreateNew(path); });
    }
    int Write(std::string_view bytes) override {
        return Run(Step::Write, [&] { return real_->Write(bytes); });
    }
    int FlushToDisk() override {
        return Run(Step::FlushToDisk, [&] { return real_->FlushToDisk(); });
    }
    int Close() override {
        steps.push_back(Step::Close);
        const int result = real_->Close();
        return Fails(Step::Close) ? DISK_FULL : result;
    }
    int Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return Run(Step::Replace, [&] { return real_->Replace(from, to); });
    }
    int FlushFolder(const std::filesystem::path& folder) override {
        return Run(Step::FlushFolder, [&] { return real_->FlushFolder(folder); });
    }
    void Remove(const std::filesystem::path& path) override {
        steps.push_back(Step::Remove);
        removed.push_back(path);
        real_->Remove(path);
    }

  private:
    template <typename Call>
    int Run(Step step, Call call) {
        steps.push_back(step);
        if (Fails(step)) return step == Step::CreateNew ? NAME_TAKEN : DISK_FULL;
        return call();
    }
    bool Fails(Step step) {
        if (failAt_ != step || failuresLeft_ == 0) return false;
        --failuresLeft_;
        return true;
    }

    std::unique_ptr<AtomicWriteCalls> real_ = SystemAtomicWriteCalls();
    std::optional<Step> failAt_;
    int failuresLeft_;
};

std::string Names(const std::vector<Step>& steps) {
    std::string names;
    for (Step step : steps) names += std::string(names.empty() ? "" : " ") + StepName(step);
    return names;
}

TEST(WriteFileAtomically, DataReachesTheDiskBeforeTheFileIsReplaced) {
    TestFolder dir;
    dir.Write("config.bin", "old contents");
    RecordingCalls calls;
    ASSERT_FALSE(WriteFileAtomically(dir / "config.bin", "new contents", calls).has_value());
    EXPECT_EQ(Names(calls.steps), "CreateNew Write FlushToDisk Close Replace FlushFolder");
    EXPECT_EQ(dir.Read("config.bin"), "new contents");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"config.bin"});
    ASSERT_EQ(calls.created.size(), 1u);
    EXPECT_EQ(calls.created[0].parent_path(), dir.path()) << "the temporary file lies beside the target";
}

TEST(WriteFileAtomically, EveryFailedStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    struct Case {
        Step failAt;
        std::string steps;
        std::string reason;  // a part of the message
    } cases[] = {
        {Step::CreateNew, "CreateNew", ""},
        {Step::Write, "CreateNew Write Close Remove", "could not be written"},
        {Step::FlushToDisk, "CreateNew Write FlushToDisk Close Remove", "flushed to the disk"},
        {Step::Close, "CreateNew Write FlushToDisk Close Remove", ""},
        {Step::Replace, "CreateNew Write FlushToDisk Close Replace Remove", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(StepName(c.failAt));
        TestFolder dir;
        dir.Write("str.ini", "[Skins]\r\nLan=CHS\r\n");
        // CreateNew fails every time it is tried; the others fail once.
        RecordingCalls calls(c.failAt, c.failAt == Step::CreateNew ? 1000 : 1);
        const auto error = WriteFileAtomically(dir / "str.ini", "[Skins]\r\nLan=CHT\r\n", calls);
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(error->message.find("str.ini"), std::string::npos) << error->message;
        EXPECT_NE(error->message.find(c.reason), std::string::npos) << error->message;
        EXPECT_NE(error->code, 0);
        if (c.failAt != Step::CreateNew) {
            EXPECT_EQ(Names(calls.steps), c.steps);
            EXPECT_EQ(calls.removed, calls.created) << "the temporary file is what is removed";
        }
        EXPECT_EQ(dir.Read("str.ini"), "[Skins]\r\nLan=CHS\r\n");
        EXPECT_EQ(dir.Files(), std::vector<std::string>{"str.ini"});
    }
}

TEST(WriteFileAtomically, ATakenTemporaryNameIsTriedAgainWithAnother) {
    TestFolder dir;
    RecordingCalls calls(Step::CreateNew, 3);
    ASSERT_FALSE(WriteFileAtomically(dir / "record.ini", "[M]\r\n", calls).has_value());
    ASSERT_EQ(calls.created.size(), 4u);
    EXPECT_EQ(dir.Read("record.ini"), "[M]\r\n");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"record.ini"});
}

TEST(WriteFileAtomically, AFolderThatCannotBeFlushedStillGivesTheWholeNewFile) {
    TestFolder dir;
    dir.Write("config.bin", "old");
    RecordingCalls calls(Step::FlushFolder);
    EXPECT_FALSE(WriteFileAtomically(dir / "config.bin", "new", calls).has_value());
    EXPECT_EQ(dir.Read("config.bin"), "new");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"config.bin"});
}

TEST(WriteFileAtomically, RealWritesCreateAndReplaceFilesOfAnySize) {
    TestFolder dir;
    const std::string big(3 * 1024 * 1024 + 7, '\xA5');
    for (const std::string& contents : {std::string(), std::string("short"), big, std::string("again")}) {
        ASSERT_FALSE(WriteFileAtomically(dir / "file.bin", contents).has_value());
        EXPECT_EQ(dir.Read("file.bin"), contents);
    }
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"file.bin"});
}

TEST(ReadFileUpTo, ReadsOnlyFilesWithinTheLimit) {
    TestFolder dir;
    dir.Write("small", "12345");
    dir.Write("exact", std::string(100, 'x'));
    dir.Write("over", std::string(101, 'x'));
    std::filesystem::create_directory(dir / "folder");
    struct Case {
        const char* name;
        BoundedRead::Outcome outcome;
        std::uintmax_t size;
        std::string bytes;
    } cases[] = {
        {"small", BoundedRead::Outcome::Read, 5, "12345"},
        {"exact", BoundedRead::Outcome::Read, 100, std::string(100, 'x')},
        {"over", BoundedRead::Outcome::TooLarge, 101, ""},
        {"missing", BoundedRead::Outcome::Missing, 0, ""},
        {"folder", BoundedRead::Outcome::Unreadable, 0, ""},
    };
    for (const auto& c : cases) {
        const BoundedRead read = ReadFileUpTo(dir / c.name, 100);
        EXPECT_EQ(read.outcome, c.outcome) << c.name;
        EXPECT_EQ(read.size, c.size) << c.name;
        EXPECT_EQ(read.bytes, c.bytes) << c.name;
    }
    EXPECT_EQ(ReadFileUpTo(dir / "folder", 100).reason, "it is a folder");
}

TEST(FillMessage, ReplacesNumberedPlaceholdersAndKeepsEverythingElse) {
    struct Case {
        std::string_view pattern;
        std::string expected;
    } cases[] = {
        {"%1 has %2", "a.ini has 7"}, {"%2%1", "7a.ini"},         {"100% of %1", "100% of a.ini"},
        {"%3 stays", "%3 stays"},     {"ends in %", "ends in %"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillMessage(c.pattern, {"a.ini", "7"}), c.expected) << c.pattern;
}

TEST(FileError, ShowsItsTranslationAndOtherwiseTheEnglishMessage) {
    FileError plain{"cannot write x: denied", 5};
    EXPECT_EQ(plain.In(Language::SimplifiedChinese), "cannot write x: denied");
    FileError translated{"english", 0};
    translated.translations = {"english", "\xE7\xAE\x80", "\xE7\xB9\x81"};
    EXPECT_EQ(translated.In(Language::English), "english");
    EXPECT_EQ(translated.In(Language::SimplifiedChinese), "\xE7\xAE\x80");
    EXPECT_EQ(translated.In(Language::TraditionalChinese), "\xE7\xB9\x81");
}

}  // namespace
}  // namespace kv12
