// The pointer area on the real Windows pointer settings: what the page reads,
// what its presses and OK write, read back with SystemParametersInfoW. Each
// test puts the session's settings back afterwards (the double-click time is
// stored in the profile of the test prefix only).

// First, so that the A/W name macros are gone before the recording host's
// DrawText and ChooseColor.
#include "win32/windows_api.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "core/program_files.h"
#include "core/settings_file.h"
#include "core/texts.h"
#include "tests/ui/recording_host.h"
#include "ui/page_area.h"
#include "ui/pointer_area.h"
#include "ui/skin_state.h"
#include "win32/pointer_settings.h"

namespace kv12::win32 {
namespace {

// The recording main-window host, with the system's pointer settings behind it.
class SystemPointerHost final : public test::RecordingMainHost {
  public:
    ui::PointerSettingsPort& PointerSettings() override { return system; }
    SystemPointerSettings system;
};

// What Windows holds, read directly.
struct WindowsPointer {
    std::array<int, 3> mouse{};
    int speed = 0;
    UINT lines = 0;
    UINT doubleClick = 0;
};

WindowsPointer ReadWindows() {
    WindowsPointer now;
    EXPECT_TRUE(::SystemParametersInfoW(SPI_GETMOUSE, 0, now.mouse.data(), 0));
    EXPECT_TRUE(::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &now.speed, 0));
    EXPECT_TRUE(::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &now.lines, 0));
    now.doubleClick = ::GetDoubleClickTime();
    return now;
}

class PointerAreaOnWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        original_ = {host.system.GetMouse(), host.system.GetMouseSpeed(), host.system.GetWheelScrollLines(),
                     host.system.GetDoubleClickTime()};
        ASSERT_TRUE(original_.mouse && original_.speed && original_.lines);
        ASSERT_NE(original_.doubleClick, 0u);
        // A known start: precision on, speed 10, three lines, 500 ms.
        ASSERT_TRUE(host.system.SetMouse({6, 10, 1}));
        ASSERT_TRUE(host.system.SetMouseSpeed(10));
        ASSERT_TRUE(host.system.SetWheelScrollLines(3));
        ASSERT_TRUE(host.system.SetDoubleClickTime(500));
    }
    void TearDown() override {
        if (original_.mouse) host.system.SetMouse(*original_.mouse);
        if (original_.speed) host.system.SetMouseSpeed(*original_.speed);
        if (original_.lines) host.system.SetWheelScrollLines(*original_.lines);
        if (original_.doubleClick != 0) host.system.SetDoubleClickTime(original_.doubleClick);
    }

    void Press(ui::Point point) { ASSERT_TRUE(area.OnPress(point)) << point.x << "," << point.y; }
    // Step 1..11 of slider 1..3.
    static ui::Point StepPoint(int slider, int step) {
        return {52 + 24 * (step - 1) + 5, 200 + 150 * (slider - 1) + 5};
    }

    SystemPointerHost host;
    SettingsStore store;
    std::array<std::string, ITEM_TEXT_COUNT> itemTexts{};
    std::string languageCode;
    MainTexts texts = ApplyLanguage("");
    ui::SkinState skin{"", "", {0, 0, 0}};
    ProgramFiles files = ProgramFiles::InFolder("C:/nonexistent/kv12-test");
    ui::PageContext context{host, store, itemTexts, languageCode, texts, skin, files, {10, 0}};
    ui::PointerArea area{context};

  private:
    struct Original {
        std::optional<ui::MouseParameters> mouse;
        std::optional<std::uint32_t> speed, lines;
        std::uint32_t doubleClick = 0;
    } original_;
};

TEST_F(PointerAreaOnWindows, OkAfterMovingTheSlidersChangesWhatWindowsReadsBack) {
    area.Build();  // the first build reads Windows
    ASSERT_EQ(store.block.pointerValue(0), 6);
    ASSERT_EQ(store.block.pointerValue(1), 3);
    ASSERT_EQ(store.block.pointerValue(2), 6);
    ASSERT_EQ(store.block.pointerFlag(0), 1);

    Press(StepPoint(1, 9));  // speed 16
    Press(StepPoint(2, 7));  // seven lines
    Press(StepPoint(3, 8));  // 410 ms
    Press({55, 260});        // precision off
    // Nothing reaches Windows before OK.
    const WindowsPointer before = ReadWindows();
    EXPECT_EQ(before.speed, 10);
    EXPECT_EQ(before.lines, 3u);
    EXPECT_EQ(before.doubleClick, 500u);
    EXPECT_EQ(before.mouse, (std::array<int, 3>{6, 10, 1}));

    area.OnApplied();

    const WindowsPointer after = ReadWindows();
    EXPECT_EQ(after.speed, 16);
    EXPECT_EQ(after.lines, 7u);
    EXPECT_EQ(after.doubleClick, 410u);
    EXPECT_EQ(after.mouse, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(host.Lines("ShowMessage").empty());
}

TEST_F(PointerAreaOnWindows, OneScreenThenDefault) {
    area.Build();
    Press({55, 410});  // "Scroll One Screen"
    area.OnApplied();
    EXPECT_EQ(ReadWindows().lines, WHEEL_PAGESCROLL);

    Press({200, 580});  // "Default" writes at once
    const WindowsPointer defaults = ReadWindows();
    EXPECT_EQ(defaults.speed, 10);
    EXPECT_EQ(defaults.lines, 3u);
    EXPECT_EQ(defaults.doubleClick, 500u);
    EXPECT_EQ(defaults.mouse, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(host.Lines("ShowMessage").empty());
}

TEST_F(PointerAreaOnWindows, AllZeroBlockReachesWindowsAsTheSlowestSteps) {
    // OK before the page was ever shown, with no config.bin: every position 0.
    area.OnApplied();
    const WindowsPointer now = ReadWindows();
    EXPECT_EQ(now.speed, 1);
    EXPECT_EQ(now.lines, 1u);
    EXPECT_EQ(now.doubleClick, 900u);
    EXPECT_EQ(now.mouse, (std::array<int, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace kv12::win32
