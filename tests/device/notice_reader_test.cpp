#include "device/notice_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>

#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;

// Steps past the wake-ups the search leaves behind to the first report.
ReaderStepOutcome StepToReport(DeviceLink& link, const NoticeSink& sink) {
    ReaderStepOutcome outcome;
    do {
        outcome = ReaderStep(link, sink);
    } while (outcome == ReaderStepOutcome::NoReport);
    return outcome;
}

struct NoticeCase {
    const char* name;
    std::vector<std::uint8_t> report;
    std::optional<MouseNotice> expected;
};

void PrintTo(const NoticeCase& c, std::ostream* os) {
    *os << c.name;
}

class NoticeFilterTest : public testing::TestWithParam<NoticeCase> {};

TEST_P(NoticeFilterTest, DeliversOnlyReportSixWithCodesFiveSevenEightNine) {
    const NoticeCase& c = GetParam();
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    sim.mouse.InjectInputReport(c.report);
    std::vector<MouseNotice> delivered;

    const ReaderStepOutcome outcome =
        StepToReport(sim.link, [&](const MouseNotice& notice) { delivered.push_back(notice); });

    if (c.expected) {
        EXPECT_EQ(outcome, ReaderStepOutcome::Delivered);
        ASSERT_EQ(delivered.size(), 1u);
        EXPECT_EQ(delivered[0], *c.expected);
    } else {
        EXPECT_EQ(outcome, ReaderStepOutcome::Ignored);
        EXPECT_TRUE(delivered.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, NoticeFilterTest,
    testing::Values(NoticeCase{"RateSwitched", {6, 5, 0, 2, 0, 0, 0, 0, 0}, MouseNotice{5, 2}},
                    NoticeCase{"DpiStageSwitched", {6, 7, 0, 3, 0, 0, 0, 0, 0}, MouseNotice{7, 3}},
                    NoticeCase{"KeyMatrixSwitched", {6, 8, 0, 2, 0, 0, 0, 0, 0}, MouseNotice{8, 2}},
                    NoticeCase{"MacroSwitched", {6, 9, 0, 4, 0, 0, 0, 0, 0}, MouseNotice{9, 4}},
                    // Byte 2 and the bytes after 3 are not the value.
                    NoticeCase{"ValueIsByteThree", {6, 7, 9, 1, 9, 9, 9, 9, 9}, MouseNotice{7, 1}},
                    NoticeCase{"ShortReportReadsValueZero", {6, 9}, MouseNotice{9, 0}},
                    NoticeCase{"OtherReportId", {5, 7, 0, 3, 0, 0, 0, 0, 0}, std::nullopt},
                    NoticeCase{"CodeSix", {6, 6, 0, 3, 0, 0, 0, 0, 0}, std::nullopt},
                    NoticeCase{"CodeFour", {6, 4, 0, 3, 0, 0, 0, 0, 0}, std::nullopt},
                    // The link's own codes never come from the mouse.
                    NoticeCase{"CodeFound", {6, 14, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
                    NoticeCase{"CodeNotFound", {6, 15, 0, 0, 0, 0, 0, 0, 0}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReaderStep, WithoutAReadyMouseOnlyWaitsForAWakeUp) {
    VirtualMouseOptions options;
    options.handshake = HandshakeMode::None;
    SimulatedMouse sim(options);
    ASSERT_FALSE(sim.Connect());
    sim.mouse.InjectNotice(NOTICE_DPI, 2);
    sim.mouse.WakeUp();
    bool delivered = false;
    EXPECT_EQ(ReaderStep(sim.link, [&](const MouseNotice&) { delivered = true; }), ReaderStepOutcome::Idle);
    EXPECT_FALSE(delivered);
}

TEST(ReaderStep, ReadOnAnUnpluggedMouseEndsWithoutReport) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    sim.mouse.Unplug();
    EXPECT_EQ(ReaderStep(sim.link, {}), ReaderStepOutcome::NoReport);
}

TEST(ReaderStep, ReadsNoticesWhenTheCommandInterfaceIsListedFirst) {
    VirtualMouseOptions options;
    options.order = InterfaceOrder::CommandFirst;
    SimulatedMouse sim(options);
    ASSERT_TRUE(sim.Connect());
    sim.mouse.InjectNotice(NOTICE_RATE, 8);
    std::vector<MouseNotice> delivered;
    StepToReport(sim.link, [&](const MouseNotice& n) { delivered.push_back(n); });
    EXPECT_EQ(delivered, (std::vector<MouseNotice>{{NOTICE_RATE, 8}}));
}

// Collects notices from the reader thread.
class NoticeCollector {
  public:
    void Take(const MouseNotice& notice) {
        std::lock_guard lock(mutex_);
        notices_.push_back(notice);
        if (notices_.size() == 1) first_.set_value();
    }
    std::future<void> First() { return first_.get_future(); }
    std::vector<MouseNotice> Notices() {
        std::lock_guard lock(mutex_);
        return notices_;
    }

  private:
    std::mutex mutex_;
    std::vector<MouseNotice> notices_;
    std::promise<void> first_;
};

TEST(NoticeReader, NeverResumedReaderDeliversNothingAndStops) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    NoticeCollector collector;
    NoticeReader reader(sim.link, [&](const MouseNotice& n) { collector.Take(n); });
    sim.mouse.InjectNotice(NOTICE_DPI, 1);
    reader.Stop();
    EXPECT_FALSE(reader.Resumed());
    EXPECT_TRUE(collector.Notices().empty());
}

TEST(NoticeReader, ResumedReaderDeliversNoticesOnItsThreadAndJoinsOnStop) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    NoticeCollector collector;
    auto first = collector.First();
    NoticeReader reader(sim.link, [&](const MouseNotice& n) { collector.Take(n); });
    reader.Resume();
    sim.mouse.InjectNotice(NOTICE_DPI, 3);
    // A guard against a hang, not a measurement.
    ASSERT_EQ(first.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    reader.Stop();
    EXPECT_EQ(collector.Notices(), (std::vector<MouseNotice>{{NOTICE_DPI, 3}}));
}

TEST(NoticeReader, StopsWhileWaitingWithoutAMouse) {
    VirtualMouseOptions options;
    options.pluggedIn = false;
    SimulatedMouse sim(options);
    ASSERT_FALSE(sim.Connect());
    NoticeReader reader(sim.link, {});
    reader.Resume();
    reader.Stop();  // returns only once the thread has ended
    EXPECT_TRUE(reader.Resumed());
}

}  // namespace
}  // namespace kv12
