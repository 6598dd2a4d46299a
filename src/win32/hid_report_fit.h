// Sizing reports for the HID class driver, which takes only buffers of exactly
// the length the collection declares: HidD_SetFeature fails on a shorter
// buffer and silently drops the end of a longer one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kv12::win32 {

// The report (report ID in byte 0) as a buffer of exactly length bytes: padded
// with zeros when shorter, cut when longer but only if every cut byte is zero.
// Nothing (the report is refused) when length is 0, the report is empty, or
// cutting would lose data.
std::optional<std::vector<std::uint8_t>> FitReport(std::span<const std::uint8_t> report, std::size_t length);

}  // namespace kv12::win32
