// One step of a conversation with the mouse, as the device link and the
// simulated mouse record it: a report sent or received, or a wait.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "device/device_command.h"

namespace kv12 {

enum class TraceOp { SetFeature, GetFeature, Write, Read, Wait };

struct TraceEvent {
    TraceOp op = TraceOp::Wait;
    // The whole report as on the wire: report ID first, the command scrambled
    // where the link scrambles. Empty for a wait and for a read or feature
    // request that received nothing.
    std::vector<std::uint8_t> report;
    // Feature reports only: the eight command bytes as meant (unscrambled).
    std::optional<Command> command;
    int ms = 0;  // waits only

    friend bool operator==(const TraceEvent&, const TraceEvent&) = default;
};

// Receives the events of a conversation as they happen.
class TraceSink {
  public:
    virtual ~TraceSink() = default;
    virtual void Record(const TraceEvent& event) = 0;
};

// A sink that keeps everything, for tests and the benchmark.
class TraceRecorder final : public TraceSink {
  public:
    void Record(const TraceEvent& event) override { events.push_back(event); }
    std::vector<TraceEvent> events;
};

}  // namespace kv12
