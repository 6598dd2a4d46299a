#include "cli/device_commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli/command_error.h"
#include "cli/device_listing.h"
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
    std::vector<CLI::Option*> simOptions;  // of the command that runs
};

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
        return std::make_unique<VirtualMouse>(sim);
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
          link_(*backend_, clock_, scramble_) {
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

  private:
    ScrambleConfig scramble_;
    std::unique_ptr<HidBackend> backend_;
    SystemClock clock_;
    DeviceLink link_;
    std::ofstream traceFile_;
    std::unique_ptr<JsonLinesTraceWriter> traceWriter_;
};

std::string Hex2(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

void Apply(const GlobalOptions& globals, const ScrambleOverrides& overrides, const DeviceOptions& options) {
    const ProgramFiles files = globals.Files();
    RequireFolder(files.folder);
    const ConfigFile config = ReadConfigFile(files.config);
    const IniDocument strIni = ReadIniFile(files.preferences);
    const std::string section(TextSectionName(LanguageFromCode(ReadLanguage(strIni))));

    DeviceSession session(globals, overrides, options);
    DeviceLink& link = session.Connect();
    InitialiseSensor(link);
    const ApplyResult result = ApplySettings(
        link, config.block,
        ApplyFiles{files.config, files.preferences, section, LoadPreferences(strIni, section).itemTexts});

    *globals.out << "Applied " << PathToUtf8(files.config) << " to the mouse (sensor type "
                 << static_cast<int>(link.state().sensorType) << ")\n";
    if (result.configWritten) *globals.out << "Wrote " << PathToUtf8(files.config) << "\n";
    if (result.preferencesWritten) *globals.out << "Wrote " << PathToUtf8(files.preferences) << "\n";
    if (!result.messages.empty()) {
        std::string text = result.messages.front().text;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        throw CommandError("the mouse was written but saving failed: " + text);
    }
}

void Info(const GlobalOptions& globals, const ScrambleOverrides& overrides, const DeviceOptions& options) {
    DeviceSession session(globals, overrides, options);
    DeviceLink& link = session.Connect();
    const SensorState sensor = ReadSensorState(link);
    const LightingState lighting = ReadLightingState(link);
    DeviceImage& image = link.state().image;
    Command buffer{};
    for (std::uint8_t group = 0; group < LED_GROUP_COUNT; ++group) {
        const Command& reply = ReadLedOptions(link, buffer, group);
        if (reply[1] < LED_GROUP_COUNT)
            std::copy_n(reply.begin() + 2, LED_GROUP_SIZE, image.ledGroups[reply[1]].begin());
    }

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
