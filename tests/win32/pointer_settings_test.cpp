#include "win32/pointer_settings.h"

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

// Changes the session's settings and puts them back. The double-click time
// is stored in the profile of the test prefix only.
class PointerSettingsRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        mouse_ = port.GetMouse();
        speed_ = port.GetMouseSpeed();
        lines_ = port.GetWheelScrollLines();
        doubleClick_ = port.GetDoubleClickTime();
        ASSERT_TRUE(mouse_ && speed_ && lines_);
        ASSERT_NE(doubleClick_, 0u);
    }
    void TearDown() override {
        port.SetMouse(*mouse_);
        port.SetMouseSpeed(*speed_);
        port.SetWheelScrollLines(*lines_);
        port.SetDoubleClickTime(doubleClick_);
    }
    SystemPointerSettings port;
    std::optional<ui::MouseParameters> mouse_;
    std::optional<std::uint32_t> speed_, lines_;
    std::uint32_t doubleClick_ = 0;
};

TEST_F(PointerSettingsRoundTrip, WhatIsWrittenIsReadBack) {
    ASSERT_TRUE(port.SetMouseSpeed(16));
    ASSERT_TRUE(port.SetWheelScrollLines(7));
    ASSERT_TRUE(port.SetDoubleClickTime(410));
    ASSERT_TRUE(port.SetMouse({0, 0, 0}));
    EXPECT_EQ(port.GetMouseSpeed(), 16u);
    EXPECT_EQ(port.GetWheelScrollLines(), 7u);
    EXPECT_EQ(port.GetDoubleClickTime(), 410u);
    EXPECT_EQ(port.GetMouse(), (ui::MouseParameters{0, 0, 0}));
    ASSERT_TRUE(port.SetMouse({6, 10, 1}));
    EXPECT_EQ(port.GetMouse(), (ui::MouseParameters{6, 10, 1}));
}

TEST_F(PointerSettingsRoundTrip, OneScreenPerWheelNotchIsKept) {
    ASSERT_TRUE(port.SetWheelScrollLines(ui::WHEEL_PAGE_SCROLL));
    EXPECT_EQ(port.GetWheelScrollLines(), ui::WHEEL_PAGE_SCROLL);
}

TEST_F(PointerSettingsRoundTrip, TheSlowestSpeedIsOneNotZero) {
    // The documented call passes the speed in pvParam only, which Wine 8 reads as 0.
    ASSERT_TRUE(port.SetMouseSpeed(1));
    EXPECT_EQ(port.GetMouseSpeed(), 1u);
}

}  // namespace
}  // namespace kv12::win32
