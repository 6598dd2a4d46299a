// kv12ctl: the command-line tool. Everything but the platform's argument and
// console handling is in RunKv12ctl.
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>
#include <system_error>
#include <vector>

#include "cli/executable_path.h"
#include "cli/kv12ctl_app.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#endif

namespace {

// The arguments in UTF-8. On Windows argv is in the ANSI code page and loses
// Chinese file names, so the wide command line is converted instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> args;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 1; i < count; ++i) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
            if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
            args.push_back(std::move(arg));
        }
        LocalFree(wide);
        return args;
    }
#endif
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

// Standard output through the C stream, keeping the system's reason for the
// first write that failed; std::cout only knows that one did.
class StdoutBuffer final : public std::streambuf {
  public:
    ~StdoutBuffer() override { sync(); }

    // Why a write failed, in the system's words; empty when none did.
    std::string Failure() const {
        return error_ == 0 ? std::string() : std::generic_category().message(error_);
    }

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (error_ != 0) return 0;
        errno = 0;
        const std::size_t written = std::fwrite(text, 1, static_cast<std::size_t>(count), stdout);
        if (written != static_cast<std::size_t>(count)) Failed();
        return static_cast<std::streamsize>(written);
    }
    int sync() override {
        if (error_ != 0) return -1;
        errno = 0;
        if (std::fflush(stdout) != 0) {
            Failed();
            return -1;
        }
        return 0;
    }

  private:
    void Failed() { error_ = errno != 0 ? errno : EIO; }
    int error_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Output is UTF-8 text; without this the console shows Chinese names garbled.
    SetConsoleOutputCP(CP_UTF8);
    // The output formats end lines with "\n" on every platform, so that what a
    // script reads does not depend on where kv12ctl runs.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    const auto executable = kv12::ExecutablePath(argc > 0 ? argv[0] : "kv12ctl");
    StdoutBuffer stdoutBuffer;
    std::ostream out(&stdoutBuffer);
    return kv12::RunKv12ctl(Utf8Arguments(argc, argv),
                            {out, std::cerr, std::cin, [&stdoutBuffer] { return stdoutBuffer.Failure(); }},
                            executable.parent_path());
}
