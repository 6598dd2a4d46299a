#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "device/connection_monitor.h"
#include "device/mouse_notice.h"
#include "tests/common/case_name.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/notice_balloon.h"

namespace kv12::test {
namespace {

using ui::Balloon;
using ui::BalloonForNotice;

struct NoticeCase {
    const char* name;
    const char* language;
    int code;
    long long value;
    std::optional<Balloon> expected;
};

Balloon Info(std::string text, int ms = 5000) {
    return {std::move(text), "Info", ms};
}

// The block of the DPI cases: stage k's step index is k + 2, so stage 1 shows
// "1000" (index 3) with the twelve-step sensor; stage 4 holds a step beyond every table.
SettingsBlock NoticeBlock() {
    SettingsBlock block;
    block.dpiStage(0) = 3;
    block.dpiStage(1) = 4;
    block.dpiStage(2) = 11;
    block.dpiStage(3) = 40;
    return block;
}

// clang-format off
const std::vector<NoticeCase> NOTICE_CASES = {
    {"Rate1000En", "", NOTICE_RATE, 1, Info("Switch report rate into 1000HZ")},
    {"Rate500En", "", NOTICE_RATE, 2, Info("Switch report rate into 500HZ")},
    {"Rate250En", "", NOTICE_RATE, 4, Info("Switch report rate into 250HZ")},
    {"Rate125En", "", NOTICE_RATE, 8, Info("Switch report rate into 125HZ")},
    {"Rate1000Chs", "CHS", NOTICE_RATE, 1, Info("报告率切换到1000HZ")},
    {"Rate125Cht", "CHT", NOTICE_RATE, 8, Info("報告率切換到125HZ")},
    {"RateZero", "", NOTICE_RATE, 0, std::nullopt},
    {"RateThree", "", NOTICE_RATE, 3, std::nullopt},
    {"RateSixteen", "", NOTICE_RATE, 16, std::nullopt},
    {"Dpi1En", "", NOTICE_DPI, 1, Info("Switch DPI into the first stage 1000")},
    {"Dpi2En", "", NOTICE_DPI, 2, Info("Switch DPI into the second stage 1250")},
    {"Dpi3En", "", NOTICE_DPI, 3, Info("Switch DPI into the third stage 4000")},
    {"Dpi4StepBeyondTheTable", "", NOTICE_DPI, 4, Info("Switch DPI into the fourth stage ")},
    {"Dpi1Chs", "CHS", NOTICE_DPI, 1, Info("DPI切换到第一段1000")},
    {"Dpi2Cht", "CHT", NOTICE_DPI, 2, Info("DPI切換到第二段1250")},
    {"DpiZero", "", NOTICE_DPI, 0, std::nullopt},
    {"DpiFive", "", NOTICE_DPI, 5, std::nullopt},
    {"DpiNegative", "", NOTICE_DPI, -1, std::nullopt},
    {"KeyMatrix1En", "", NOTICE_KEYMODE, 1, Info("Switch to key matrix 1")},
    {"KeyMatrix2En", "", NOTICE_KEYMODE, 2, Info("Switch to key matrix 2")},
    {"KeyMatrix2Chs", "CHS", NOTICE_KEYMODE, 2, Info("切换到按键组2")},
    {"KeyMatrix1Cht", "CHT", NOTICE_KEYMODE, 1, Info("切換到按鍵群組1")},
    {"KeyMatrixZero", "", NOTICE_KEYMODE, 0, std::nullopt},
    {"KeyMatrixThree", "", NOTICE_KEYMODE, 3, std::nullopt},
    {"Macro3En", "", NOTICE_MACRO, 3, Info("Switch to macro key3")},
    {"Macro12Chs", "CHS", NOTICE_MACRO, 12, Info("切换到宏12")},
    {"Macro1Cht", "CHT", NOTICE_MACRO, 1, Info("切換到巨集1")},
    {"MacroZero", "", NOTICE_MACRO, 0, std::nullopt},
    {"FoundEn", "", NOTICE_FOUND, 0, Info("The system detect the gaming mouse.", 100)},
    {"FoundChs", "CHS", NOTICE_FOUND, 0, Info("系统检测到游戏鼠标。", 100)},
    {"FoundCht", "CHT", NOTICE_FOUND, 0, Info("系統檢測到遊戲滑鼠。", 100)},
    {"NotFoundEn", "", NOTICE_NOT_FOUND, 0, Balloon{"The system did not detect the gaming mouse!",
     "Warning", 100}},
    {"NotFoundChs", "CHS", NOTICE_NOT_FOUND, 0, Balloon{"系统没有检测到游戏鼠标！", "Warning", 100}},
    {"NotFoundCht", "CHT", NOTICE_NOT_FOUND, 0, Balloon{"系統沒有檢測到遊戲滑鼠！", "Warning", 100}},
    {"LowerCaseLanguageIsEnglish", "chs", NOTICE_KEYMODE, 1, Info("Switch to key matrix 1")},
    {"UnknownCode", "", 6, 1, std::nullopt},
    {"CodeZero", "", 0, 0, std::nullopt},
};
// clang-format on

class NoticeTable : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(NoticeTable, NoticeGivesItsBalloonOrNone) {
    const NoticeCase& c = GetParam();
    const auto balloon = BalloonForNotice(c.code, c.value, ApplyLanguage(c.language), NoticeBlock(), 0);
    EXPECT_EQ(balloon, c.expected);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, NoticeTable, ::testing::ValuesIn(NOTICE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NoticeBalloon, StageValueFollowsTheSensorsTable) {
    const MainTexts english = ApplyLanguage("");
    EXPECT_EQ(BalloonForNotice(NOTICE_DPI, 1, english, NoticeBlock(), 1)->text,
              "Switch DPI into the first stage 1200");
    EXPECT_EQ(BalloonForNotice(NOTICE_DPI, 1, english, NoticeBlock(), 3)->text,
              "Switch DPI into the first stage 1600");
    // A sensor the program does not know names no value.
    EXPECT_EQ(BalloonForNotice(NOTICE_DPI, 1, english, NoticeBlock(), 4)->text,
              "Switch DPI into the first stage ");
}

TEST_F(MainWindowTest, NoticeShowsItsBalloonThroughTheHost) {
    Start();
    host.log.clear();
    window->OnMouseNotice(NOTICE_MACRO, 3);
    window->OnMouseNotice(NOTICE_MACRO, 0);
    window->OnMouseNotice(NOTICE_RATE, 5);
    EXPECT_EQ(host.log, std::vector<std::string>{"ShowBalloon Switch to macro key3 | Info | 5000"});
}

TEST_F(MainWindowTest, StartWithMouseSaysItWasFoundAndStaysHidden) {
    Start();
    EXPECT_EQ(host.Lines("ShowBalloon"),
              std::vector<std::string>{"ShowBalloon The system detect the gaming mouse. | Info | 100"});
    EXPECT_TRUE(window->DeviceReady());
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(window->OnNcPaint());
    EXPECT_TRUE(window->OnNcPaint());
    EXPECT_FALSE(window->OnNcPaint());
    EXPECT_EQ(host.Count("Hide"), 2);
}

TEST_F(MainWindowTest, TrayWithoutMouseWarnsAndShowsNothing) {
    Start(false);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_NONE);
    host.log.clear();

    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    window->OnTrayIcon(ui::TRAY_LEFT_DOUBLE_CLICK);

    EXPECT_EQ(host.log, (std::vector<std::string>{
                            "ShowBalloon The system did not detect the gaming mouse! | Warning | 100",
                            "ShowBalloon The system did not detect the gaming mouse! | Warning | 100"}));
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_NONE);
}

TEST_F(MainWindowTest, TrayShowsTheWindowAndBuildsTheBasicPageOnce) {
    Start(false);
    sim->mouse.PlugIn();
    window->OnDeviceChange(DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                           VirtualMouse::InterfacePath(MouseInterface::Command));
    ASSERT_TRUE(window->DeviceReady());
    host.log.clear();

    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    EXPECT_EQ(window->CurrentPage(), ui::PAGE_BASIC);
    EXPECT_TRUE(window->BasicPageBuilt());
    EXPECT_EQ(host.log.back(), "ShowInForeground");
    EXPECT_EQ(host.Count("Present"), 1);

    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_DOUBLE_CLICK);
    EXPECT_EQ(host.log, std::vector<std::string>{"ShowInForeground"});
}

TEST_F(MainWindowTest, TrayIgnoresOtherMouseMessages) {
    Start();
    host.log.clear();
    for (unsigned message : {0x200u, 0x201u, 0x204u, 0x206u, 0x207u}) window->OnTrayIcon(message);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(MainWindowTest, TheFirstBalloonSpeaksTheInterfaceLanguage) {
    writeSampleFiles = false;
    folder.Write("str.ini", "[Skins]\r\nLan=CHT\r\n");
    Start();
    EXPECT_EQ(host.Lines("ShowBalloon"),
              std::vector<std::string>{"ShowBalloon 系統檢測到遊戲滑鼠。 | Info | 100"});

    Start(false);
    EXPECT_EQ(host.Lines("ShowBalloon").back(), "ShowBalloon 系統沒有檢測到遊戲滑鼠！ | Warning | 100");
}

class TrayMenu : public MainWindowTest,
                 public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(TrayMenu, RightClickOffersExitInTheLanguageAndExitQuits) {
    writeSampleFiles = false;
    folder.Write("str.ini", std::string("[Skins]\r\nLan=") + GetParam().first + "\r\n");
    Start();
    host.log.clear();

    window->OnTrayIcon(ui::TRAY_RIGHT_BUTTON_UP);
    window->OnCommand(ui::ID_TRAY_EXIT, 0);

    EXPECT_EQ(host.log, (std::vector<std::string>{std::string("ShowTrayMenu ") + GetParam().second, "Quit"}));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, TrayMenu,
                         ::testing::Values(std::pair{"", "Exit"}, std::pair{"CHS", "退出"},
                                           std::pair{"CHT", "退出"}, std::pair{"EN", "Exit"}),
                         [](const auto& info) { return LanguageCaseName(info.param.first); });

TEST_F(MainWindowTest, OtherCommandsGoToThePageAreas) {
    Start();
    host.log.clear();
    window->OnCommand(32772, 0);
    window->OnCommand(41, ui::LIST_SELECTION_CHANGED);  // the assignment area's, with its list closed
    window->OnCommand(99, ui::LIST_SELECTION_CHANGED);
    EXPECT_EQ(host.log, (std::vector<std::string>{"areas.OnCommand 32772 0", "areas.OnCommand 99 1"}));
}

TEST_F(MainWindowTest, UnpluggingHidesTheWindowAndWarns) {
    Start();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    host.log.clear();

    for (const auto& path : sim->mouse.Unplug()) {
        EXPECT_TRUE(window->OnDeviceChange(DEVICE_EVENT_REMOVE_COMPLETE, DEVICE_TYPE_INTERFACE, path));
    }

    EXPECT_FALSE(window->DeviceReady());
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(host.Count("ShowBalloon The system did not detect the gaming mouse! | Warning | 100"), 2);
}

TEST_F(MainWindowTest, ArrivalBeforeTheFirstBuildResumesTheReader) {
    Start(false);
    host.log.clear();
    sim->mouse.PlugIn();
    window->OnDeviceChange(DEVICE_EVENT_ARRIVAL, DEVICE_TYPE_INTERFACE,
                           VirtualMouse::InterfacePath(MouseInterface::Notice));
    EXPECT_EQ(host.log, (std::vector<std::string>{
                            "ShowBalloon The system detect the gaming mouse. | Info | 100", "ResumeReader"}));
}

TEST_F(MainWindowTest, CloseRequestOnlyHides) {
    Start();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    host.log.clear();
    window->OnClose();
    EXPECT_EQ(host.log, std::vector<std::string>{"Hide"});
}

}  // namespace
}  // namespace kv12::test
