#include "tests/ui/recording_host.h"

namespace kv12::test {

std::string Describe(Point p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Describe(Rect r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string Describe(Rgb c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

std::string ImageLine(std::string_view image, Point at) {
    return "DrawImage " + std::string(image) + " " + Describe(at);
}

std::string TextLine(std::string_view text, Rect rect, TextFormat format, FontRole font) {
    const char* formatName = format == TextFormat::Centered      ? "Centered"
                             : format == TextFormat::Left        ? "Left"
                             : format == TextFormat::WrappedLeft ? "WrappedLeft"
                                                                 : "Right";
    return "DrawText [" + std::string(text) + "] " + Describe(rect) + " " + formatName +
           (font == FontRole::Title ? " Title" : "");
}

std::vector<std::string> RecordingMainHost::Lines(std::string_view prefix) const {
    std::vector<std::string> lines;
    for (const auto& line : log) {
        if (line.starts_with(prefix)) lines.push_back(line);
    }
    return lines;
}

int RecordingMainHost::Count(std::string_view line) const {
    int count = 0;
    for (const auto& entry : log) count += entry == line ? 1 : 0;
    return count;
}

}  // namespace kv12::test
