// Everything a page area's context refers to, owned by one test: a recording
// main-window host, the settings store, the sixteen button texts, English
// texts, a skin and the program's files in a folder that need not exist.
#pragma once

#include <array>
#include <string>

#include "core/program_files.h"
#include "core/settings_file.h"
#include "core/texts.h"
#include "tests/ui/recording_host.h"
#include "ui/page_area.h"
#include "ui/skin_state.h"

namespace kv12::test {

struct PageContextParts {
    RecordingMainHost host;
    SettingsStore store;
    std::array<std::string, ITEM_TEXT_COUNT> itemTexts{};
    std::string languageCode;
    MainTexts texts = ApplyLanguage("");
    ui::SkinState skin{"/skins/Blue", "Blue", {1, 2, 3}};
    ProgramFiles files = ProgramFiles::InFolder("/nonexistent/kv12-test");
    ui::PageContext context{host, store, itemTexts, languageCode, texts, skin, files, {10, 0}};

    /// The interface language and its texts, as the main window sets them.
    void SetLanguage(const std::string& code) {
        languageCode = code;
        texts = ApplyLanguage(code);
    }
};

}  // namespace kv12::test
