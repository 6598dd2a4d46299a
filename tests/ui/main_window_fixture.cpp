#include "tests/ui/main_window_fixture.h"

namespace kv12::test {

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
    window = std::make_unique<ui::CHidMouseDlg>(host, sim->link, ProgramFiles::InFolder(folder.path()),
                                                version, &areas);
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
