#include "device/trace_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>

#include "device/apply_settings.h"
#include "device/mouse_commands.h"
#include "tests/device/sim_fixture.h"

namespace kv12 {
namespace {

using test::SimulatedMouse;

struct LineCase {
    const char* name;
    TraceEvent event;
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class TraceLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(TraceLineTest, FormatsOneJsonObjectPerEvent) {
    EXPECT_EQ(FormatTraceLine(GetParam().event), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Events, TraceLineTest,
    testing::Values(
        LineCase{"SetFeature",
                 {TraceOp::SetFeature,
                  {0x00, 0xC4, 0xF2, 0xDA, 0xBA, 0xDB, 0x5F, 0xB1, 0x78},
                  HANDSHAKE_CHALLENGE,
                  0},
                 R"({"op":"set_feature","report":"00c4f2dabadb5fb178","command":"00aadd3b620000db"})"},
        LineCase{"GetFeature",
                 {TraceOp::GetFeature,
                  {0x00, 0x83, 0x02, 0x01, 0, 0, 0, 0, 0x79},
                  Command{0x83, 2, 1, 0, 0, 0, 0, 0x79},
                  0},
                 R"({"op":"get_feature","report":"008302010000000079","command":"8302010000000079"})"},
        LineCase{"EmptyGetFeature",
                 {TraceOp::GetFeature, {}, Command{}, 0},
                 R"({"op":"get_feature","report":"","command":"0000000000000000"})"},
        LineCase{"Write",
                 {TraceOp::Write, {0x00, 0xAB, 0xCD}, std::nullopt, 0},
                 R"({"op":"write","report":"00abcd"})"},
        LineCase{"Read", {TraceOp::Read, {0x00, 0x0F}, std::nullopt, 0}, R"({"op":"read","report":"000f"})"},
        LineCase{"Wait", {TraceOp::Wait, {}, std::nullopt, 3}, R"({"op":"wait","ms":3})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonLinesTraceWriter, WritesOneLinePerEventOfALink) {
    SimulatedMouse sim;
    std::ostringstream out;
    JsonLinesTraceWriter writer(out);
    sim.link.SetTraceSink(&writer);
    ASSERT_TRUE(sim.Connect());
    const std::string text = out.str();
    // Plain attempt (set, wait, get), scrambled attempt (set, wait, get).
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              R"({"op":"set_feature","report":"0000aadd3b620000db","command":"00aadd3b620000db"})");
    EXPECT_NE(text.find(R"({"op":"set_feature","report":"00c4f2dabadb5fb178","command":"00aadd3b620000db"})"),
              std::string::npos);
}

TEST(JsonLinesTraceWriter, LinkTraceOfAnApplyMatchesWhatTheMouseSaw) {
    SimulatedMouse sim;
    ASSERT_TRUE(sim.Connect());
    InitialiseSensor(sim.link);
    sim.mouse.ClearTrace();
    TraceRecorder linkTrace;
    sim.link.SetTraceSink(&linkTrace);
    SettingsBlock block;
    block.ledMode() = 3;
    block.macroSlot(4)[2] = 0x42;
    SendSettings(sim.link, block);
    EXPECT_EQ(linkTrace.events, sim.mouse.Trace());
}

// A file on a disk that fills up after `room` bytes.
class FillingBuffer final : public std::streambuf {
  public:
    explicit FillingBuffer(std::size_t room) : room_(room) {}
    std::string written;
    int calls = 0;

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        ++calls;
        const auto fits = std::min(static_cast<std::size_t>(count), room_ - written.size());
        written.append(text, fits);
        if (fits < static_cast<std::size_t>(count)) errno = ENOSPC;
        return static_cast<std::streamsize>(fits);
    }

  private:
    std::size_t room_;
};

TEST(JsonLinesTraceWriter, StopsAtTheFirstLineThatCannotBeWrittenAndKeepsTheReason) {
    const TraceEvent wait{
        TraceOp::Wait, {}, std::nullopt, 2};  // {"op":"wait","ms":2} and a line end: 21 bytes
    FillingBuffer disk(50);
    std::ostream out(&disk);
    JsonLinesTraceWriter writer(out);

    writer.Record(wait);
    writer.Record(wait);
    EXPECT_FALSE(writer.Failed());
    writer.Record(wait);
    EXPECT_TRUE(writer.Failed());
    EXPECT_EQ(writer.ErrorCode(), ENOSPC);
    const int callsAtFailure = disk.calls;
    writer.Record(wait);

    EXPECT_EQ(disk.calls, callsAtFailure) << "nothing is written after the failure";
    const std::string line = FormatTraceLine(wait) + "\n";
    EXPECT_EQ(disk.written.substr(0, 2 * line.size()), line + line);
}

}  // namespace
}  // namespace kv12
