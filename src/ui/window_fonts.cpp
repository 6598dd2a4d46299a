#include "ui/window_fonts.h"

namespace kv12::ui {

namespace {

constexpr int NORMAL_WEIGHT = 400;
constexpr int TITLE_WEIGHT = 700;
constexpr int TITLE_HEIGHT = 18;

// The Windows version whose simplified-Chinese texts use "黑体" rather than "宋体".
constexpr WindowsVersion HEITI_VERSION{6, 2};

}  // namespace

WindowFonts FontsFor(std::string_view languageCode, WindowsVersion version) {
    if (languageCode == "CHS") {
        const std::string face = version == HEITI_VERSION ? "黑体" : "宋体";
        return {{face, 13, NORMAL_WEIGHT}, {face, TITLE_HEIGHT, TITLE_WEIGHT}};
    }
    if (languageCode == "CHT") {
        return {{"黑体", 14, NORMAL_WEIGHT}, {"黑体", TITLE_HEIGHT, TITLE_WEIGHT}};
    }
    return {{"Arial", 14, NORMAL_WEIGHT}, {"Tahoma", TITLE_HEIGHT, TITLE_WEIGHT}};
}

}  // namespace kv12::ui
