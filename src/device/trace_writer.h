// The device trace as JSON Lines, one object per event (format in
// docs/trace-format.md):
//   {"op":"set_feature","report":"<hex>","command":"<hex>"}
//   {"op":"get_feature","report":"<hex>","command":"<hex>"}
//   {"op":"write","report":"<hex>"}
//   {"op":"read","report":"<hex>"}
//   {"op":"wait","ms":N}
#pragma once

#include <ostream>
#include <string>

#include "device/trace_event.h"

namespace kv12 {

// One line of the trace, without the line end.
std::string FormatTraceLine(const TraceEvent& event);

// Writes each event as one line to a stream, flushing after each so that a
// trace survives a crash.
class JsonLinesTraceWriter final : public TraceSink {
  public:
    explicit JsonLinesTraceWriter(std::ostream& out) : out_(out) {}
    void Record(const TraceEvent& event) override;

  private:
    std::ostream& out_;
};

}  // namespace kv12
