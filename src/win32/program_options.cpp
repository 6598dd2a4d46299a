#include "win32/program_options.h"

#include <charconv>
#include <string_view>

namespace kv12::win32 {

namespace {

ParsedOptions Fail(std::string error) {
    return ParsedOptions{std::nullopt, std::move(error)};
}

}  // namespace

const char* ProgramUsage() {
    return "Usage: KorvexKV12.exe [--simulate [--sim-sensor-type N] [--sim-control FILE]] [--log FILE] "
           "[--trace FILE]";
}

ParsedOptions ParseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions options;
    bool sensorTypeGiven = false;
    bool simControlGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = std::string(name.substr(equals + 1));
            name = name.substr(0, equals);
        }
        // The option's value: after "=" or the next argument.
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        if (name == "--simulate") {
            if (inlineValue) return Fail("--simulate takes no value");
            options.simulate = true;
        } else if (name == "--sim-sensor-type") {
            const auto text = value();
            if (!text) return Fail("--sim-sensor-type needs a number");
            unsigned number = 0;
            const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
            if (text->empty() || error != std::errc() || end != text->data() + text->size() || number > 255) {
                return Fail("--sim-sensor-type takes a number from 0 to 255, not \"" + *text + "\"");
            }
            options.simSensorType = static_cast<std::uint8_t>(number);
            sensorTypeGiven = true;
        } else if (name == "--sim-control" || name == "--log" || name == "--trace") {
            const auto text = value();
            if (!text || text->empty()) return Fail(std::string(name) + " needs a file name");
            if (name == "--sim-control") {
                options.simControlFile = *text;
                simControlGiven = true;
            } else {
                (name == "--log" ? options.logFile : options.traceFile) = *text;
            }
        } else {
            return Fail("unknown option \"" + args[i] + "\"");
        }
    }
    if ((sensorTypeGiven || simControlGiven) && !options.simulate) {
        return Fail(std::string(sensorTypeGiven ? "--sim-sensor-type" : "--sim-control") + " needs --simulate");
    }
    return ParsedOptions{options, {}};
}

}  // namespace kv12::win32
