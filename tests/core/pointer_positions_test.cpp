#include "core/pointer_positions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace kv12 {
namespace {

struct SpeedCase {
    std::uint32_t speed;
    int position;                  // read from Windows
    std::optional<int> writtenAs;  // that position written back
};

TEST(PointerPositions, PointerSpeedReadsAndWritesBack) {
    const SpeedCase cases[] = {
        {1, 1, 1},
        {2, 2, 2},
        {3, 2, 2},
        {10, 6, 10},
        {11, 6, 10},
        {19, 10, 18},
        {20, 11, 20},
        {0, 1, 1},  // not a Windows speed; reads as the slowest position
        {22, 12, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PositionOfPointerSpeed(c.speed), c.position) << c.speed;
        EXPECT_EQ(PointerSpeedOfPosition(c.position), c.writtenAs) << c.speed;
    }
}

struct DoubleClickCase {
    std::uint32_t milliseconds;
    int position;
    std::optional<int> writtenAs;
};

TEST(PointerPositions, DoubleClickTimeReadsAndWritesBack) {
    const DoubleClickCase cases[] = {
        {900, 1, 900},
        {899, 1, 900},
        {830, 2, 830},
        {500, 6, 550},  // Windows' default lies between two positions
        {550, 6, 550},
        {200, 11, 200},
        {199, 11, 200},
        {100, 12, std::nullopt},  // one more than the slider has
        {0, 13, std::nullopt},
        {901, 1, 900},  // slower than the slider: its slowest step, never a wrapped
                        // difference
        {1000, 1, 900},
        {0xFFFFFFFF, 1, 900},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PositionOfDoubleClickTime(c.milliseconds), c.position) << c.milliseconds;
        EXPECT_EQ(DoubleClickTimeOfPosition(c.position), c.writtenAs) << c.milliseconds;
    }
}

TEST(PointerPositions, WheelLinesAreTheirOwnPosition) {
    EXPECT_EQ(PositionOfWheelLines(3), 3);
    EXPECT_EQ(PositionOfWheelLines(0), 0);
    EXPECT_EQ(PositionOfWheelLines(11), 11);
    EXPECT_EQ(PositionOfWheelLines(20), 20);
    EXPECT_EQ(PositionOfWheelLines(259), 3);  // the low byte
}

TEST(PointerPositions, PositionsOutsideTheSliderHaveNoWindowsValue) {
    for (int position : {-1, 0, 12, 255}) {
        EXPECT_EQ(PointerSpeedOfPosition(position), std::nullopt) << position;
        EXPECT_EQ(DoubleClickTimeOfPosition(position), std::nullopt) << position;
    }
}

TEST(PointerPositions, ClampGivesTheNearestSliderPosition) {
    const int cases[][2] = {{-1, 1}, {0, 1}, {1, 1}, {6, 6}, {11, 11}, {12, 11}, {131, 11}};
    for (const auto& [position, clamped] : cases) EXPECT_EQ(ClampPointerPosition(position), clamped);
}

}  // namespace
}  // namespace kv12
