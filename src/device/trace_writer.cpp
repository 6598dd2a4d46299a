#include "device/trace_writer.h"

#include <cerrno>

#include "device/scramble_config.h"

namespace kv12 {
namespace {

std::string ReportField(const TraceEvent& event) {
    return "\"report\":\"" + ToHex(event.report.data(), event.report.size()) + "\"";
}

std::string CommandField(const TraceEvent& event) {
    const Command command = event.command.value_or(Command{});
    return "\"command\":\"" + ToHex(command.data(), command.size()) + "\"";
}

}  // namespace

std::string FormatTraceLine(const TraceEvent& event) {
    switch (event.op) {
        case TraceOp::SetFeature:
            return "{\"op\":\"set_feature\"," + ReportField(event) + "," + CommandField(event) + "}";
        case TraceOp::GetFeature:
            return "{\"op\":\"get_feature\"," + ReportField(event) + "," + CommandField(event) + "}";
        case TraceOp::Write:
            return "{\"op\":\"write\"," + ReportField(event) + "}";
        case TraceOp::Read:
            return "{\"op\":\"read\"," + ReportField(event) + "}";
        case TraceOp::Wait:
            break;
    }
    return "{\"op\":\"wait\",\"ms\":" + std::to_string(event.ms) + "}";
}

void JsonLinesTraceWriter::Record(const TraceEvent& event) {
    if (failed_) return;
    errno = 0;
    out_ << FormatTraceLine(event) << '\n';
    out_.flush();
    if (!out_) {
        failed_ = true;
        errorCode_ = errno;
    }
}

}  // namespace kv12
