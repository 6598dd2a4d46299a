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
// trace survives a crash. Once a line cannot be written (a full disk), the
// writer stops and keeps the system's reason: a trace with a gap would read
// as a different exchange, so the owner reports it as failed instead.
class JsonLinesTraceWriter final : public TraceSink {
  public:
    explicit JsonLinesTraceWriter(std::ostream& out) : out_(out) {}
    void Record(const TraceEvent& event) override;

    // Whether a line could not be written; nothing is written after it.
    bool Failed() const { return failed_; }
    // The system's error code of that failure (errno), 0 when it gave none.
    int ErrorCode() const { return errorCode_; }

  private:
    std::ostream& out_;
    bool failed_ = false;
    int errorCode_ = 0;
};

}  // namespace kv12
