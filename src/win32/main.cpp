// Entry point of KorvexKV12.exe.
#include <string>
#include <vector>

#include "win32/windows_api.h"

#include "win32/hid_mouse_app.h"
#include "win32/wide_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<std::string> args;
    int count = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) args.push_back(kv12::win32::Utf8FromWide(argv[i]));
        ::LocalFree(argv);
    }
    return kv12::win32::CHidMouseApp().Run(args);
}
