#include "win32/hid_mouse_app.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "win32/windows_api.h"

#include "core/ini_file.h"
#include "core/program_files.h"
#include "core/utf8_path.h"
#include "device/clock.h"
#include "device/device_link.h"
#include "device/scramble_config.h"
#include "device/trace_writer.h"
#include "sim/virtual_mouse.h"
#include "win32/debug_log.h"
#include "win32/guarded_call.h"
#include "win32/image_cache.h"
#include "win32/main_dialog_window.h"
#include "win32/program_options.h"
#include "win32/single_instance.h"
#include "win32/wide_text.h"
#include "win32/win_hid_backend.h"

namespace kv12::win32 {

namespace {

constexpr const char* SIM_CONTROL_FILE_NAME = "sim-control.txt";
// The predefined class of dialog boxes; the main window's class is a copy of it.
constexpr ATOM SYSTEM_DIALOG_CLASS = 0x8002;

std::filesystem::path ExecutablePath() {
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);  // a long path: try again with more room
    }
}

// GetVersion: major version in the low byte, minor in the next.
ui::WindowsVersion CurrentWindowsVersion() {
    const DWORD version = ::GetVersion();
    return ui::WindowsVersion{LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version))};
}

bool RegisterMainWindowClass() {
    WNDCLASSW windowClass{};
    if (!::GetClassInfoW(nullptr, MAKEINTATOM(SYSTEM_DIALOG_CLASS), &windowClass)) return false;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    return ::RegisterClassW(&windowClass) != 0;
}

// Sends each device report to the --trace file and to the debug log.
class TraceOutput final : public TraceSink {
  public:
    TraceOutput(std::ostream* trace, DebugLog& log)
        : writer_(trace ? *trace : null_), trace_(trace), log_(log) {}
    void Record(const TraceEvent& event) override {
        if (trace_) writer_.Record(event);
        log_.Write("device", FormatTraceLine(event));
    }

  private:
    std::ofstream null_;  // never opened: the writer's stream when there is no trace file
    JsonLinesTraceWriter writer_;
    std::ostream* trace_;
    DebugLog& log_;
};

}  // namespace

int CHidMouseApp::Run(const std::vector<std::string>& args) {
    const ParsedOptions parsed = ParseProgramOptions(args);
    const std::wstring title = ExecutablePath().stem().wstring();
    if (!parsed.options) {
        const std::string text = parsed.error + "\n\n" + ProgramUsage();
        ::MessageBoxW(nullptr, WideFromUtf8(text).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return 2;
    }
    const ProgramOptions& options = *parsed.options;

    // One copy only: a second one ends at once, showing nothing.
    const SingleInstance instance;
    if (instance.AnotherIsRunning()) return 0;

    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    if (!RegisterMainWindowClass()) return 1;

    const ProgramFiles files = ProgramFiles::BesideExecutable(ExecutablePath());
    DebugLog log = options.logFile.empty() ? DebugLog() : DebugLog(PathFromUtf8(options.logFile));
    std::unique_ptr<std::ofstream> traceFile;
    if (!options.traceFile.empty()) {
        traceFile = std::make_unique<std::ofstream>(PathFromUtf8(options.traceFile),
                                                    std::ios::binary | std::ios::trunc);
        if (!*traceFile) log.Write("trace", "cannot write " + options.traceFile);
    }
    TraceOutput traceOutput(traceFile && *traceFile ? traceFile.get() : nullptr, log);
    SetExceptionLog(&log);

    // The scramble configuration may be overridden in str.ini; the simulated
    // mouse uses the same one.
    const LoadedScrambleConfig scramble = LoadScrambleConfig(IniDocument::Load(files.preferences));
    for (const std::string& message : scramble.messages) log.Write("str.ini", message);

    SystemClock systemClock;
    std::unique_ptr<VirtualMouse> simulatedMouse;
    std::unique_ptr<HidBackend> backend;
    std::unique_ptr<Clock> simClock;
    if (options.simulate) {
        VirtualMouseOptions simOptions;
        simOptions.sensorType = options.simSensorType;
        simOptions.scramble = scramble.config;
        simulatedMouse = std::make_unique<VirtualMouse>(simOptions);
        simClock = std::make_unique<SimClock>(*simulatedMouse, &systemClock);
        log.Write("sim", "simulated mouse, sensor type " + std::to_string(options.simSensorType));
    } else {
        try {
            backend = std::make_unique<WinHidBackend>();
        } catch (const std::system_error&) {
            ::MessageBoxW(nullptr, L"CreateEvent failed.", title.c_str(), MB_OK);
            return 1;
        }
    }
    HidBackend& hid = simulatedMouse ? static_cast<HidBackend&>(*simulatedMouse) : *backend;
    Clock& clock = simClock ? *simClock : static_cast<Clock&>(systemClock);
    DeviceLink link(hid, clock, scramble.config);
    link.SetTraceSink(&traceOutput);

    ImageCache images(&log);
    MainWindowSetup setup;
    setup.context = HostContext{&images, title, &log};
    setup.link = &link;
    setup.files = files;
    setup.version = CurrentWindowsVersion();
    setup.simulatedMouse = simulatedMouse.get();
    setup.simControlFile = options.simControlFile.empty() ? files.folder / SIM_CONTROL_FILE_NAME
                                                          : PathFromUtf8(options.simControlFile);
    int exitCode = 0;
    {
        MainDialogWindow window(std::move(setup));
        exitCode = window.Run();
    }
    SetExceptionLog(nullptr);
    // The link outlives the window (it closed the handles at shutdown).
    return exitCode;
}

}  // namespace kv12::win32
