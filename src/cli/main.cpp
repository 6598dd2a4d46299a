// kv12ctl: the command-line tool. Everything but the platform's argument and
// console handling is in RunKv12ctl.
#include <iostream>
#include <string>
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
    return kv12::RunKv12ctl(Utf8Arguments(argc, argv), {std::cout, std::cerr, std::cin},
                            executable.parent_path());
}
