// OK and Apply when the mouse does not take the settings: the window says so
// in its language, saves nothing and keeps the edits for another Apply.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/main_window_fixture.h"

namespace kv12::test {
namespace {

const std::string NOT_TAKEN_EN =
    "The mouse did not take the settings (was it unplugged?). Nothing was saved; your changes are still in "
    "the "
    "window. Connect the mouse and press Apply again.";
const std::string NOT_TAKEN_CHS =
    "鼠标没有接收设置（是否已拔出？）。没有保存任何内容，您的修改仍在窗口中。请连接鼠标后再按“应用”。";
const std::string NOT_TAKEN_CHT =
    "滑鼠沒有接收設定（是否已拔除？）。沒有儲存任何內容，您的修改仍在視窗中。請連接滑鼠後再按「應用」。";

struct LostMouseCase {
    const char* name;
    const char* language;  // "Lan" of str.ini
    Point button;          // OK or Apply
    std::size_t handled;   // reports of the apply the mouse handles before it is unplugged (of 159)
    const std::string* message;
};

void PrintTo(const LostMouseCase& c, std::ostream* os) {
    *os << c.name;
}

const Point OK = {600, 630};
const Point APPLY = {700, 630};

class ApplyToALostMouse : public MainWindowTest, public ::testing::WithParamInterface<LostMouseCase> {
  protected:
    void StartIn(const std::string& language) {
        writeSampleFiles = false;
        WriteSampleFiles();
        std::string strIni = SAMPLE_STR_INI;
        strIni.replace(strIni.find("Lan="), 4, "Lan=" + language);
        folder.Write("str.ini", strIni);
        Start();
        // Told after every apply that reached the mouse, like the page's own areas.
        window->AddPageArea(ui::PAGE_BASIC, std::make_unique<RecordingArea>(
                                                host.log, RecordingArea::Names{"", "", "", "AfterApply"},
                                                std::vector<RecordingArea::Region>{}));
        window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
        // What the user changed on the pages.
        window->Store().block.reportRate() = REPORT_RATE_1000HZ;
        window->Store().block.dpiStage(0) = 9;
        window->ItemTexts()[2] = "Single Key-Enter";
        host.log.clear();
    }
};

TEST_P(ApplyToALostMouse, SaysSoSavesNothingAndKeepsTheEdits) {
    const LostMouseCase& c = GetParam();
    StartIn(c.language);
    const std::string configBefore = folder.Read("config.bin");
    const std::string strIniBefore = folder.Read("str.ini");
    const SettingsBlock edited = window->Store().block;
    sim->mouse.UnplugAfterTransfers(c.handled);

    window->OnLButtonDown(c.button);

    EXPECT_EQ(host.Lines("ShowMessage"), std::vector<std::string>{"ShowMessage " + *c.message + " | "});
    EXPECT_EQ(folder.Read("config.bin"), configBefore);
    EXPECT_EQ(folder.Read("str.ini"), strIniBefore);
    EXPECT_EQ(window->Store().savedBlock, SampleBlock())
        << "Cancel returns to what the mouse last took whole";
    EXPECT_EQ(window->Store().block, edited);
    EXPECT_EQ(window->ItemTexts()[2], "Single Key-Enter");
    EXPECT_EQ(host.Count("areas.AfterApply"), 0) << "the areas (the Windows pointer settings) are not told";
    EXPECT_TRUE(host.pointer.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ApplyToALostMouse,
    ::testing::Values(LostMouseCase{"ApplyInEnglishLostAtOnce", "", APPLY, 0, &NOT_TAKEN_EN},
                      LostMouseCase{"OkInSimplifiedChineseLostAmongTheMacros", "CHS", OK, 60, &NOT_TAKEN_CHS},
                      LostMouseCase{"ApplyInTraditionalChineseLostAtTheLastReport", "CHT", APPLY, 158,
                                    &NOT_TAKEN_CHT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplyToALostMouse, ApplyAgainOnceTheMouseIsBackSavesTheEdits) {
    StartIn("");
    sim->mouse.UnplugAfterTransfers(20);
    window->OnLButtonDown(APPLY);
    ASSERT_EQ(host.Lines("ShowMessage").size(), 1u);

    sim->mouse.PlugIn();
    ASSERT_TRUE(sim->Connect());
    host.log.clear();
    window->OnLButtonDown(APPLY);

    EXPECT_TRUE(host.Lines("ShowMessage").empty());
    EXPECT_EQ(sim->mouse.Firmware().reportRate, REPORT_RATE_1000HZ);
    const std::vector<std::uint8_t> configBytes = EncodeSettingsFile(window->Store().block);
    EXPECT_EQ(folder.Read("config.bin"), std::string(configBytes.begin(), configBytes.end()));
    EXPECT_NE(folder.Read("str.ini").find("Item3=Single Key-Enter"), std::string::npos);
    EXPECT_EQ(window->Store().savedBlock, window->Store().block);
    EXPECT_EQ(host.Count("areas.AfterApply"), 1);
}

}  // namespace
}  // namespace kv12::test
