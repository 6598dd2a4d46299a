#include "win32/sim_control.h"

#include <charconv>
#include <sstream>

#include "core/file_io.h"

namespace kv12::win32 {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = line.find_first_of(" \t\r", start);
        if (end == std::string_view::npos) end = line.size();
        words.push_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

std::optional<std::uint8_t> ByteOf(std::string_view word) {
    unsigned number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || number > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(number);
}

std::optional<SimCommand> CommandOf(const std::vector<std::string_view>& words) {
    const std::string_view verb = words[0];
    if (verb == "plug" && words.size() == 1) return SimCommand{SimCommandKind::Plug};
    if (verb == "unplug" && words.size() == 1) return SimCommand{SimCommandKind::Unplug};
    if (verb == "unplug" && words.size() == 2 && words[1] == "notice") return SimCommand{SimCommandKind::UnplugNotice};
    if (verb == "unplug" && words.size() == 2 && words[1] == "command") {
        return SimCommand{SimCommandKind::UnplugCommand};
    }
    if (verb == "notice" && words.size() == 3) {
        const auto code = ByteOf(words[1]);
        const auto value = ByteOf(words[2]);
        if (code && value) return SimCommand{SimCommandKind::Notice, *code, *value};
    }
    return std::nullopt;
}

}  // namespace

SimScript ParseSimControl(std::string_view text) {
    SimScript script;
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        const auto words = Words(line);
        if (words.empty() || words[0].starts_with("#")) continue;
        if (const auto command = CommandOf(words)) {
            script.commands.push_back(*command);
        } else {
            std::ostringstream error;
            error << "line " << lineNumber << ": not understood: " << line;
            script.errors.push_back(error.str());
        }
    }
    return script;
}

std::optional<std::string> TakeSimControlFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return std::nullopt;
    // Renamed first: a test that writes the next file meanwhile creates a new one.
    std::filesystem::path taken = file;
    taken += ".taken";
    std::filesystem::rename(file, taken, error);
    if (error) return std::nullopt;
    auto text = ReadFileText(taken);
    std::filesystem::remove(taken, error);
    return text ? std::move(*text) : std::string();
}

}  // namespace kv12::win32
