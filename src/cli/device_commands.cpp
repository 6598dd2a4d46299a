#include "cli/device_commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/command_error.h"
#include "cli/device_listing.h"
#include "cli/file_set.h"
#include "cli/folder_files.h"
#include "core/language.h"
#include "core/preferences.h"
#include "core/texts.h"
#include "core/utf8_path.h"
#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/mouse_commands.h"
#include "device/scramble_config.h"
#include "device/trace_writer.h"
#include "sim/virtual_mouse.h"

#ifdef _WIN32
#include "win32/win_hid_backend.h"
#elif defined(__linux__)
#include "linux/linux_hid_backend.h"
#endif

namespace kv12 {
namespace {

// The global --scramble-key and --scramble-table.
struct ScrambleOverrides {
    std::string key;
    std::string table;
    CLI::Option* keyOption = nullptr;
    CLI::Option* tableOption = nullptr;
};

// The options of one device command.
struct DeviceOptions {
    std::string device = "hid";
    std::string tracePath;
    int simSensorType = 0;
    std::string simOrder = "notice-first";
    std::string simHandshake = "scrambled";
    int simUnplugAfter = -1;               // -1: the simulated mouse stays plugged in
    std::vector<CLI::Option*> simOptions;  // of the command that runs
};

// What the files hold after an apply that did not reach the mouse whole.
constexpr const char* FILES_LEFT_ALONE = "config.bin and str.ini were left as they were";

// The key and table in force: str.ini of the folder, then the command line.
ScrambleConfig ResolveScrambleConfig(const GlobalOptions& globals, const ScrambleOverrides& overrides) {
    const LoadedScrambleConfig fromFile = LoadScrambleConfig(ReadIniFile(globals.Files().preferences));
    for (const std::string& message : fromFile.messages)
        *globals.err << "kv12ctl: warning: " << message << "\n";
    const auto given = [](const CLI::Option* option, const std::string& value) {
        return option != nullptr && option->count() > 0 ? std::optional<std::string>(value) : std::nullopt;
    };
    const LoadedScrambleConfig resolved =
        OverrideScrambleConfig(fromFile.config, given(overrides.keyOption, overrides.key),
                               given(overrides.tableOption, overrides.table));
    if (!resolved.messages.empty()) throw CommandError(resolved.messages.front());
    return resolved.config;
}

std::unique_ptr<HidBackend> MakeBackend(const DeviceOptions& options, const ScrambleConfig& scramble) {
    if (options.device == "sim") {
        VirtualMouseOptions sim;
        sim.scramble = scramble;
        sim.sensorType = static_cast<std::uint8_t>(options.simSensorType);
        sim.order =
            options.simOrder == "command-first" ? InterfaceOrder::CommandFirst : InterfaceOrder::NoticeFirst;
        sim.handshake = options.simHandshake == "plain"  ? HandshakeMode::Plain
                        : options.simHandshake == "none" ? HandshakeMode::None
                                                         : HandshakeMode::Scrambled;
        auto mouse = std::make_unique<VirtualMouse>(sim);
        if (options.simUnplugAfter >= 0)
            mouse->UnplugAfterTransfers(static_cast<std::size_t>(options.simUnplugAfter));
        return mouse;
    }
    for (const CLI::Option* option : options.simOptions) {
        if (option->count() > 0) throw CLI::ValidationError(option->get_name(), "needs --device sim");
    }
#ifdef _WIN32
    return std::make_unique<win32::WinHidBackend>();
#elif defined(__linux__)
    return std::make_unique<linux_hid::LinuxHidBackend>();
#else
    throw CommandError("--device hid: this platform has no HID backend; use --device sim");
#endif
}

// A link to a mouse that was found and answered the handshake, with the
// trace file (if any) attached.
class DeviceSession {
  public:
    DeviceSession(const GlobalOptions& globals, const ScrambleOverrides& overrides,
                  const DeviceOptions& options)
        : scramble_(ResolveScrambleConfig(globals, overrides)),
          backend_(MakeBackend(options, scramble_)),
          link_(*backend_, clock_, scramble_),
          tracePath_(options.tracePath) {
        if (!options.tracePath.empty()) {
            traceFile_.open(PathFromUtf8(options.tracePath), std::ios::binary | std::ios::trunc);
            if (!traceFile_) throw CommandError(options.tracePath + ": cannot write the trace file");
            traceWriter_ = std::make_unique<JsonLinesTraceWriter>(traceFile_);
            link_.SetTraceSink(traceWriter_.get());
        }
    }

    DeviceLink& Connect() {
        const FindDeviceResult search = link_.FindDevice();
        if (!search.found) throw CommandError(SearchFailureText(search, backend_->LastError()));
        link_.Handshake();
        if (!link_.DeviceReady()) throw CommandError(HandshakeFailureText(backend_->LastError()));
        return link_;
    }

    ~DeviceSession() { link_.SetTraceSink(nullptr); }

    HidBackend& backend() { return *backend_; }

    // A trace that could not be written whole fails the command: a trace with
    // a gap would pass for a different exchange. `done` says what the command
    // did all the same.
    void CheckTrace(const std::string& done) {
        if (!traceWriter_) return;
        if (!traceWriter_->Failed()) {
            traceFile_.flush();
            if (traceFile_) return;
        }
        const int code = traceWriter_->ErrorCode();
        throw CommandError(tracePath_ + ": cannot write the trace" +
                           (code != 0 ? ": " + std::generic_category().message(code) : std::string()) + "; " +
                           done);
    }

  private:
    ScrambleConfig scramble_;
    std::unique_ptr<HidBackend> backend_;
    SystemClock clock_;
    DeviceLink link_;
    std::string tracePath_;
    std::ofstream traceFile_;
    std::unique_ptr<JsonLinesTraceWriter> traceWriter_;
};

// The first transfer that failed since the link's record was cleared, as the
// failure of a step.
std::optional<SendFailure> FailedStep(const DeviceLink& link, const std::string& step) {
    if (const auto& transfer = link.FirstTransferFailure()) return SendFailure{step, *transfer};
    return std::nullopt;
}

std::string Hex2(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

void Apply(const GlobalOptions& globals, const ScrambleOverrides& overrides, const DeviceOptions& options) {
    const ProgramFiles files = globals.Files();
    PrepareFolder(files.folder, *globals.err);
    const ConfigFile config = ReadConfigFile(files.config);
    IniDocument strIni = ReadIniFile(files.preferences);
    const std::string section(TextSectionName(LanguageFromCode(ReadLanguage(strIni))));
    SetItemTexts(strIni, section, LoadPreferences(strIni, section).itemTexts);

    DeviceSession session(globals, overrides, options);
    DeviceLink& link = session.Connect();
    session.CheckTrace("nothing was sent to the mouse");

    // The files are written only when the mouse took everything: they say what
    // the mouse holds, and a mouse that took part of the block holds neither
    // the old settings nor the new ones.
    link.ClearTransferFailure();
    InitialiseSensor(link);
    std::optional<SendFailure> failure = FailedStep(link, "initialising the sensor");
    if (!failure) failure = SendSettings(link, config.block);
    if (failure) {
        throw CommandError("the mouse did not take the settings: " + DescribeSendFailure(*failure) + "; " +
                           FILES_LEFT_ALONE);
    }

    try {
        WriteFilesTogether({{files.config, ConfigFileBytes(ConfigFile{1, config.block})},
                            {files.preferences, strIni.Serialize()}});
    } catch (const CommandError& e) {
        throw CommandError(std::string("the mouse took the settings, but saving failed: ") + e.what());
    }
    session.CheckTrace("the mouse took the settings, and config.bin and str.ini were saved");

    *globals.out << "Applied " << PathToUtf8(files.config) << " to the mouse (sensor type "
                 << static_cast<int>(link.state().sensorType) << ")\n";
    *globals.out << "Wrote " << PathToUtf8(files.config) << "\n";
    *globals.out << "Wrote " << PathToUtf8(files.preferences) << "\n";
}

void Info(const GlobalOptions& globals, const ScrambleOverrides& overrides, const DeviceOptions& options) {
    DeviceSession session(globals, overrides, options);
    DeviceLink& link = session.Connect();
    // Each read counts only when its reply came back: a reply that did not
    // come reads as zeros, which must not be shown as the mouse's state.
    const auto answered = [&](const std::string& step) {
        if (auto failure = FailedStep(link, step))
            throw CommandError("the mouse did not answer: " + DescribeSendFailure(*failure));
    };
    link.ClearTransferFailure();
    const SensorState sensor = ReadSensorState(link);
    answered("reading the sensor state");
    const LightingState lighting = ReadLightingState(link);
    answered("reading the lighting state");
    DeviceImage& image = link.state().image;
    Command buffer{};
    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        const Command& reply = ReadLedOptions(link, buffer, group);
        answered("reading LED option group " + std::to_string(group));
        if (reply[1] < LED_GROUP_COUNT)
            std::copy_n(reply.begin() + 2, LED_GROUP_SIZE, image.ledGroups[reply[1]].begin());
    }
    session.CheckTrace("the mouse's state was read but not printed");

    std::ostream& out = *globals.out;
    out << "Device: " << link.state().devicePath << "\n";
    out << "Sensor state: type " << Hex2(sensor[0]) << ", rate " << Hex2(sensor[1]) << ", option 1 "
        << Hex2(sensor[2]) << ", option 2 " << Hex2(sensor[3]) << "\n";
    out << "Lighting state: effect " << Hex2(lighting[0]) << ", option 1 " << Hex2(lighting[1])
        << ", option 2 " << Hex2(lighting[2]) << "\n";
    for (int group = 0; group < LED_GROUP_COUNT; ++group) {
        const LedGroup& bytes = image.ledGroups[static_cast<std::size_t>(group)];
        out << "LED group " << group << ": " << Hex2(bytes[0]) << " " << Hex2(bytes[1]) << " "
            << Hex2(bytes[2]) << "\n";
    }
}

void List(const GlobalOptions& globals, const ScrambleOverrides& overrides, const DeviceOptions& options) {
    DeviceSession session(globals, overrides, options);
    ListMouseInterfaces(session.backend(), *globals.out);
}

void AddDeviceOptions(CLI::App& command, DeviceOptions& options, bool withTrace) {
    // "auto" is the earlier name of "hid".
    command
        .add_option("--device", options.device, "The mouse: hid (the real one) or sim (the simulated one)")
        ->check(CLI::IsMember({"hid", "sim", "auto"}))
        ->default_str("hid");
    if (withTrace) {
        command.add_option("--trace", options.tracePath, "Write every report and wait to FILE (JSON Lines)")
            ->type_name("FILE");
    }
    options.simOptions.push_back(
        command
            .add_option("--sim-sensor-type", options.simSensorType, "Sensor type the simulated mouse reports")
            ->check(CLI::Range(0, 255))
            ->type_name("N"));
    options.simOptions.push_back(
        command
            .add_option("--sim-order", options.simOrder,
                        "Order in which the simulated mouse's collections are listed")
            ->check(CLI::IsMember({"notice-first", "command-first"})));
    options.simOptions.push_back(command
                                     .add_option("--sim-handshake", options.simHandshake,
                                                 "How the simulated mouse answers the handshake")
                                     ->check(CLI::IsMember({"scrambled", "plain", "none"})));
    options.simOptions.push_back(
        command
            .add_option(
                "--sim-unplug-after", options.simUnplugAfter,
                "Unplug the simulated mouse after it has handled N reports (to see what a lost mouse does)")
            ->check(CLI::NonNegativeNumber)
            ->type_name("N"));
}

}  // namespace

void RegisterDeviceCommands(CLI::App& app, GlobalOptions& globals) {
    auto overrides = std::make_shared<ScrambleOverrides>();
    overrides->keyOption =
        app.add_option("--scramble-key", overrides->key, "Scramble key of the mouse (12 hex digits)")
            ->type_name("HEX12");
    overrides->tableOption =
        app.add_option("--scramble-table", overrides->table, "Scramble table of the mouse (16 hex digits)")
            ->type_name("HEX16");

    CLI::App* apply = app.add_subcommand(
        "apply",
        "Send config.bin to the mouse as OK does, then save config.bin and the button texts of str.ini");
    auto applyOptions = std::make_shared<DeviceOptions>();
    AddDeviceOptions(*apply, *applyOptions, true);
    apply->callback([&globals, overrides, applyOptions] { Apply(globals, *overrides, *applyOptions); });

    CLI::App* device = app.add_subcommand("device", "Ask the mouse about its state");
    CLI::App* info =
        device->add_subcommand("info", "Print the mouse's sensor, lighting and LED option state");
    auto infoOptions = std::make_shared<DeviceOptions>();
    AddDeviceOptions(*info, *infoOptions, true);
    info->callback([&globals, overrides, infoOptions] { Info(globals, *overrides, *infoOptions); });

    CLI::App* list = device->add_subcommand(
        "list", "List every HID interface of the mouse: path, usage, report sizes, whether it opens");
    auto listOptions = std::make_shared<DeviceOptions>();
    AddDeviceOptions(*list, *listOptions, false);
    list->callback([&globals, overrides, listOptions] { List(globals, *overrides, *listOptions); });
}

}  // namespace kv12
