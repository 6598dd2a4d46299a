// The fonts of the main window (NormalFont, TitleFont) and of every dialog
// (DialogFont, the same as NormalFont), chosen by language and Windows version.
#pragma once

#include <string_view>

#include "ui/window_host.h"

namespace kv12::ui {

struct WindowFonts {
    FontSpec normal;  // NormalFont of the main window, DialogFont of a dialog
    FontSpec title;   // TitleFont of the main window
    friend bool operator==(const WindowFonts&, const WindowFonts&) = default;
};

/// The fonts for a language code ("CHS", "CHT", compared whole and
/// case-sensitively; anything else is English) on a Windows version: simplified
/// Chinese uses "黑体" on Windows 6.2 and "宋体" elsewhere, traditional Chinese
/// "黑体", English "Arial" and "Tahoma".
WindowFonts FontsFor(std::string_view languageCode, WindowsVersion version);

}  // namespace kv12::ui
