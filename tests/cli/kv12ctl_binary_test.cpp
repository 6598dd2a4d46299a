// The real kv12ctl executable: its exit codes reach the shell, its output is
// the same as in-process, and without --dir it works on its own folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "cli/kv12ctl_app.h"
#include "cli_test_support.h"
#include "core/utf8_path.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kv12::test {
namespace {

struct Process {
    int code = -1;
    std::string out;
};

std::string Quote(const std::string& arg) {
    return "\"" + arg + "\"";
}

#ifdef _WIN32
constexpr const char* DISCARD_STDERR = "2>NUL";
#else
constexpr const char* DISCARD_STDERR = "2>/dev/null";
#endif

// Runs a command line through the shell; what redirects says happens to the
// streams (by default stderr is discarded), the pipe reads what reaches stdout.
Process RunShell(const std::string& commandLine, const std::string& redirects = DISCARD_STDERR) {
#ifdef _WIN32
    // The wide form: the narrow one reads the command line in the ANSI code
    // page, which would garble the Chinese folder names.
    const std::wstring wide = PathFromUtf8(Quote(commandLine) + " " + redirects).wstring();
    FILE* pipe = _wpopen(wide.c_str(), L"rb");
#else
    FILE* pipe = popen((commandLine + " " + redirects).c_str(), "r");
#endif
    Process result;
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.out.append(buffer.data(), n);
#ifdef _WIN32
    result.code = _pclose(pipe);
#else
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return result;
}

std::string Kv12ctl() {
    return Quote(KV12CTL_PATH);
}

TEST(Kv12ctlBinary, ExitCodesReachTheCaller) {
    TestFolder folder;
    EXPECT_EQ(RunShell(Kv12ctl()).code, 1);
    EXPECT_EQ(RunShell(Kv12ctl() + " --dir " + Quote(DirArg(folder)) + " matrices").code, 2);
    WriteConfig(folder, SampleBlock());
    const auto ok = RunShell(Kv12ctl() + " --dir " + Quote(DirArg(folder)) + " matrices");
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, RunCliIn(folder, {"matrices"}).out);
}

TEST(Kv12ctlBinary, WithoutDirItUsesItsOwnFolderWhateverItsName) {
    TestFolder folder;
    const auto copy = folder.path() / ("my-tool" + std::filesystem::path(KV12CTL_PATH).extension().string());
    std::filesystem::copy_file(KV12CTL_PATH, copy);
    WriteConfig(folder, SampleBlock());
    const auto result = RunShell(Quote(PathToUtf8(copy)) + " matrices");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, RunCliIn(folder, {"matrices"}).out);
}

TEST(Kv12ctlBinary, ExportedProfileImportsIntoAChineseNamedFolder) {
    TestFolder source;
    WriteSampleFolder(source);
    TestFolder parent;
    const std::string target = DirArg(parent) + "/" + CHINESE_MACRO;
    std::filesystem::create_directory(PathFromUtf8(target));
    const std::string profile = DirArg(parent) + "/p.json";
    EXPECT_EQ(
        RunShell(Kv12ctl() + " --dir " + Quote(DirArg(source)) + " profile export -o " + Quote(profile)).code,
        0);
    EXPECT_EQ(RunShell(Kv12ctl() + " --dir " + Quote(target) + " profile import " + Quote(profile)).code, 0);
    EXPECT_EQ(parent.Read(CHINESE_MACRO + "/config.bin"), source.Read("config.bin"));
    EXPECT_EQ(RunShell(Kv12ctl() + " --dir " + Quote(target) + " profile export").out,
              RunCliIn(source, {"profile", "export"}).out);
}

// Standard output on a full disk: nothing can be written.
class FullDiskBuffer final : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(Kv12ctlOutput, OutputThatCannotBeWrittenFailsTheCommandWithOneLine) {
    TestFolder folder;
    WriteSampleFolder(folder);
    const std::vector<std::vector<std::string>> commands = {
        {"matrices"}, {"profile", "show"}, {"profile", "export"}, {"--help"}, {"--version"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command.front());
        FullDiskBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        std::istringstream in;
        std::vector<std::string> args = {"--dir", DirArg(folder)};
        args.insert(args.end(), command.begin(), command.end());

        const int code = RunKv12ctl(
            args, {out, err, in, [] { return std::string("No space left on device"); }}, folder.path());

        EXPECT_EQ(code, 2);
        EXPECT_EQ(err.str(), "kv12ctl: cannot write to standard output: No space left on device\n");
    }
}

// Not on Windows: it has no full device to send standard output to (NUL takes
// every byte); Kv12ctlOutput above fails the stream in-process on every platform.
#ifndef _WIN32
// The real program on a full disk: the system's reason reaches the line.
TEST(Kv12ctlBinary, StandardOutputOnAFullDiskIsAFailure) {
    TestFolder folder;
    WriteSampleFolder(folder);
    for (const std::string& command : {std::string("profile export"), std::string("matrices")}) {
        // stderr into the pipe, stdout onto the full device.
        const auto result = RunShell(Kv12ctl() + " --dir " + Quote(DirArg(folder)) + " " + command +
                                     " 2>&1 >/dev/full; exit $? #");
        EXPECT_EQ(result.code, 2) << command;
        EXPECT_EQ(result.out, "kv12ctl: cannot write to standard output: No space left on device\n")
            << command;
    }
}
#endif

}  // namespace
}  // namespace kv12::test
