#include "tests/ui/main_window_fixture.h"

#include "ui/main_window_layout.h"

namespace kv12::test {

using namespace ui::layout;

std::unique_ptr<RecordingArea> BasicRecordingArea(std::vector<std::string>& log) {
    // The page's own areas take every press on a region; this one sees the
    // presses that reach the end of the list.
    return std::make_unique<RecordingArea>(
        log, RecordingArea::Names{"BuildBasicArea", "TearDownBasicArea", "CloseBasicListsAwayFrom", ""},
        std::vector<RecordingArea::Region>{});
}

std::unique_ptr<RecordingArea> AdvancedRecordingArea(std::vector<std::string>& log) {
    // The pointer and macro areas are the page's own and take every press on
    // a region; this one sees the presses that reach the end of the list.
    std::vector<RecordingArea::Region> regions;
    return std::make_unique<RecordingArea>(log,
                                           RecordingArea::Names{"BuildAdvancedArea", "TearDownAdvancedArea",
                                                                "CloseMouseEventListAwayFrom", "Applied"},
                                           std::move(regions));
}

SettingsBlock SampleBlock() {
    SettingsBlock block;
    block.reportRate() = REPORT_RATE_500HZ;
    block.dpiStage(0) = 3;
    block.dpiStage(1) = 5;
    block.dpiStage(2) = 7;
    block.dpiStage(3) = 11;
    block.dpiStageEnabled(0) = 1;
    block.dpiStageEnabled(1) = 1;
    block.stageColor(0, ColorChannel::Red) = 255;
    block.stageColor(1, ColorChannel::Green) = 128;
    block.stageColor(3, ColorChannel::Blue) = 64;
    return block;
}

void MainWindowTest::WriteSampleFiles() {
    folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    folder.Write("str.ini", SAMPLE_STR_INI);
}

void MainWindowTest::Start(bool mousePlugged, VirtualMouseOptions options) {
    if (writeSampleFiles) WriteSampleFiles();
    options.pluggedIn = mousePlugged;
    sim = std::make_unique<SimulatedMouse>(options);
    window =
        std::make_unique<ui::CHidMouseDlg>(host, sim->link, ProgramFiles::InFolder(folder.path()), version);
    window->AddPageArea(ui::PAGE_BASIC, BasicRecordingArea(host.log));
    window->AddPageArea(ui::PAGE_ADVANCED, AdvancedRecordingArea(host.log));
    sim->link.SetNoticeSink(
        [this](const MouseNotice& notice) { window->OnMouseNotice(notice.code, notice.value); });
    window->FindMouseAtStartup();
    window->InitialiseWindow();
}

void MainWindowTest::ShowAdvancedPage() {
    window->BuildAdvancedPage();
    host.log.clear();
}

std::vector<std::string> MainWindowTest::Actions() const {
    std::vector<std::string> actions;
    for (const auto& line : host.log) {
        if (line.starts_with("DrawImage") || line.starts_with("DrawText") || line.starts_with("Present") ||
            line.starts_with("CreateControl") || line.starts_with("DestroyControl") ||
            line.starts_with("InvalidateControl")) {
            continue;
        }
        actions.push_back(line);
    }
    return actions;
}

}  // namespace kv12::test
