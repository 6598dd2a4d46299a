#include "win32/pointer_settings.h"

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

// Changes the session's settings without storing them, and puts them back.
class PointerSettingsRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { original_ = ReadSystemPointerSettings(); }
    void TearDown() override { WriteSystemPointerSettings(original_, false); }
    SystemPointerSettings original_;
};

TEST_F(PointerSettingsRoundTrip, WhatIsWrittenIsReadBack) {
    SystemPointerSettings changed;
    changed.speed = 16;
    changed.wheelLines = 7;
    changed.doubleClickMs = 410;
    changed.mouseParams = {0, 0, 0};
    ASSERT_TRUE(WriteSystemPointerSettings(changed, false));
    EXPECT_EQ(ReadSystemPointerSettings(), changed);
}

TEST_F(PointerSettingsRoundTrip, OneScreenPerWheelNotchIsKept) {
    SystemPointerSettings changed = original_;
    changed.wheelLines = WHEEL_SCROLLS_PAGE;
    ASSERT_TRUE(WriteSystemPointerSettings(changed, false));
    EXPECT_EQ(ReadSystemPointerSettings().wheelLines, WHEEL_SCROLLS_PAGE);
}

TEST_F(PointerSettingsRoundTrip, TheSlowestSpeedIsOneNotZero) {
    // The documented call passes the speed in pvParam only, which Wine 8 reads as 0.
    SystemPointerSettings changed = original_;
    changed.speed = 1;
    ASSERT_TRUE(WriteSystemPointerSettings(changed, false));
    EXPECT_EQ(ReadSystemPointerSettings().speed, 1u);
}

}  // namespace
}  // namespace kv12::win32
