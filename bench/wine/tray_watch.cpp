// The Wine benchmark's stopwatch, a native Linux helper: polls the X display
// every few milliseconds for Wine's tray window ("Wine System Tray", mapped
// while at least one icon is in it) and, optionally, a program's log for a
// line, and prints how long after a given start each was first seen.
//
// Polling from the shell costs a process start per look, tens of milliseconds
// on a loaded machine; here one look is a round trip to the X server.
//
//   tray_watch --since EPOCH_US [--log FILE --line TEXT] [--pid PID] [--timeout S] [--interval MS]
//       prints "tray MS" and, with --log, "ready MS" (milliseconds after EPOCH_US);
//       exit 0 when everything was seen, 1 when the time ran out or PID ended first.
//   tray_watch --gone [--timeout S]
//       waits until no tray window is mapped; exit 0, or 1 when the time ran out.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr const char* TRAY_WINDOW_NAME = "Wine System Tray";

long long NowMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void SleepMilliseconds(int ms) {
    timespec pause{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
}

// Windows come and go while the tree is read: an error about one that has
// just gone is expected and means "not there".
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

bool TrayMapped(Display* display) {
    Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return false;
    bool mapped = false;
    for (unsigned i = 0; i < count && !mapped; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::strcmp(name, TRAY_WINDOW_NAME) == 0) {
                XWindowAttributes attributes{};
                mapped = XGetWindowAttributes(display, children[i], &attributes) &&
                         attributes.map_state == IsViewable;
            }
            XFree(name);
        }
    }
    if (children) XFree(children);
    return mapped;
}

// Reads what the log gained since the last look; true once a whole line
// starting with the text has been written.
class LogWatch {
  public:
    LogWatch(std::string file, std::string line) : file_(std::move(file)), line_(std::move(line)) {}

    bool Seen() {
        std::ifstream in(file_, std::ios::binary);
        if (!in) return false;
        in.seekg(static_cast<std::streamoff>(offset_));
        std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        offset_ += chunk.size();
        pending_ += chunk;
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            if (pending_.compare(0, line_.size(), line_) == 0) return true;
            pending_.erase(0, end + 1);
        }
        return false;
    }

  private:
    std::string file_;
    std::string line_;
    std::size_t offset_ = 0;
    std::string pending_;
};

struct Options {
    bool gone = false;
    long long since = 0;
    std::string log;
    std::string line;
    long pid = 0;
    double timeoutSeconds = 60;
    int intervalMs = 10;
};

int Usage(const char* message) {
    std::fprintf(stderr, "tray_watch: %s\n", message);
    std::fprintf(stderr,
                 "usage: tray_watch --since EPOCH_US [--log FILE --line TEXT] [--pid PID] [--timeout S] "
                 "[--interval MS]\n       tray_watch --gone [--timeout S]\n");
    return 2;
}

std::optional<Options> Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--gone") {
            options.gone = true;
            continue;
        }
        if (i + 1 >= argc) return std::nullopt;
        const char* value = argv[++i];
        if (arg == "--since") {
            options.since = std::atoll(value);
        } else if (arg == "--log") {
            options.log = value;
        } else if (arg == "--line") {
            options.line = value;
        } else if (arg == "--pid") {
            options.pid = std::atol(value);
        } else if (arg == "--timeout") {
            options.timeoutSeconds = std::atof(value);
        } else if (arg == "--interval") {
            options.intervalMs = std::atoi(value);
        } else {
            return std::nullopt;
        }
    }
    if (!options.gone && options.since <= 0) return std::nullopt;
    if (options.log.empty() != options.line.empty()) return std::nullopt;
    if (options.intervalMs < 1 || options.timeoutSeconds <= 0) return std::nullopt;
    return options;
}

bool ProcessEnded(long pid) {
    return pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = Parse(argc, argv);
    if (!options) return Usage("bad arguments");
    Display* display = XOpenDisplay(nullptr);
    if (!display) return Usage("cannot open the display (is DISPLAY set?)");
    XSetErrorHandler(IgnoreXError);

    const long long deadline = NowMicroseconds() + static_cast<long long>(options->timeoutSeconds * 1e6);
    std::optional<LogWatch> log;
    if (!options->log.empty()) log.emplace(options->log, options->line);
    std::optional<long long> trayAt;
    std::optional<long long> readyAt;
    int result = 1;
    while (NowMicroseconds() < deadline) {
        if (options->gone) {
            if (!TrayMapped(display)) {
                result = 0;
                break;
            }
        } else {
            if (!trayAt && TrayMapped(display)) trayAt = NowMicroseconds();
            if (log && !readyAt && log->Seen()) readyAt = NowMicroseconds();
            if (trayAt && (!log || readyAt)) {
                result = 0;
                break;
            }
            if (ProcessEnded(options->pid)) {
                std::fprintf(stderr, "tray_watch: process %ld ended\n", options->pid);
                break;
            }
        }
        SleepMilliseconds(options->intervalMs);
    }
    XCloseDisplay(display);
    if (options->gone) {
        if (result != 0) std::fprintf(stderr, "tray_watch: the tray window is still mapped\n");
        return result;
    }
    // Whatever was seen is printed, also when the rest never came.
    if (trayAt) std::printf("tray %.1f\n", static_cast<double>(*trayAt - options->since) / 1000.0);
    if (readyAt) std::printf("ready %.1f\n", static_cast<double>(*readyAt - options->since) / 1000.0);
    if (result != 0 && !trayAt) std::fprintf(stderr, "tray_watch: no tray window was mapped\n");
    if (result != 0 && log && !readyAt)
        std::fprintf(stderr, "tray_watch: no line \"%s\" in the log\n", options->line.c_str());
    return result;
}
