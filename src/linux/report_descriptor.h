// What the Linux backend reads from a HID report descriptor: the report lengths
// of each collection, as Windows gives them in HIDP_CAPS, and whether the
// device numbers its reports. hidapi names a collection's usage page and usage
// but not its report lengths, and the device link sizes every report from them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kv12::linux_hid {

// Byte lengths of the longest report of each kind, report ID byte included
// (present even when the device does not number its reports, as on Windows);
// 0 when the collection has no report of that kind.
struct ReportLengths {
    std::uint16_t feature = 0;
    std::uint16_t input = 0;
    std::uint16_t output = 0;
    friend bool operator==(const ReportLengths&, const ReportLengths&) = default;
};

struct DescribedCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    int depth = 0;          // 0 for a top-level collection
    ReportLengths lengths;  // of every report item inside it, nested collections included
};

struct ReportDescriptorSummary {
    // Any Report ID item: every report on the wire then starts with its ID.
    bool numberedReports = false;
    // In the order their Collection items appear.
    std::vector<DescribedCollection> collections;

    // The outermost collection with this usage page and usage, if any.
    const DescribedCollection* Find(std::uint16_t usagePage, std::uint16_t usage) const;
};

// Reads the descriptor's items; nothing when it is malformed (an item running
// past the end, an End Collection without its Collection, a Pop without Push).
std::optional<ReportDescriptorSummary> ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace kv12::linux_hid
