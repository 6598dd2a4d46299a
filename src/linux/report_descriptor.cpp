#include "linux/report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace kv12::linux_hid {
namespace {

// Item types and tags of the short items that matter here (HID 1.11, 6.2.2).
constexpr std::uint8_t TYPE_MAIN = 0;
constexpr std::uint8_t TYPE_GLOBAL = 1;
constexpr std::uint8_t TYPE_LOCAL = 2;
constexpr std::uint8_t MAIN_INPUT = 0x8;
constexpr std::uint8_t MAIN_OUTPUT = 0x9;
constexpr std::uint8_t MAIN_COLLECTION = 0xA;
constexpr std::uint8_t MAIN_FEATURE = 0xB;
constexpr std::uint8_t MAIN_END_COLLECTION = 0xC;
constexpr std::uint8_t GLOBAL_USAGE_PAGE = 0x0;
constexpr std::uint8_t GLOBAL_REPORT_SIZE = 0x7;
constexpr std::uint8_t GLOBAL_REPORT_ID = 0x8;
constexpr std::uint8_t GLOBAL_REPORT_COUNT = 0x9;
constexpr std::uint8_t GLOBAL_PUSH = 0xA;
constexpr std::uint8_t GLOBAL_POP = 0xB;
constexpr std::uint8_t LOCAL_USAGE = 0x0;
constexpr std::uint8_t LONG_ITEM_PREFIX = 0xFE;

struct Globals {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

enum ReportKind { INPUT, OUTPUT, FEATURE, KIND_COUNT };

// Bits declared per report ID and kind, for one open collection.
struct OpenCollection {
    std::size_t index = 0;  // into the summary's collections
    std::map<std::uint8_t, std::array<std::uint64_t, KIND_COUNT>> bits;
};

std::uint16_t LengthOf(const OpenCollection& open, ReportKind kind) {
    std::uint64_t longest = 0;
    for (const auto& [id, bits] : open.bits) longest = std::max(longest, bits[kind]);
    if (longest == 0) return 0;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((longest + 7) / 8 + 1, 0xFFFF));
}

}  // namespace

const DescribedCollection* ReportDescriptorSummary::Find(std::uint16_t usagePage, std::uint16_t usage) const {
    const auto it = std::find_if(collections.begin(), collections.end(), [&](const DescribedCollection& c) {
        return c.usagePage == usagePage && c.usage == usage;
    });
    return it == collections.end() ? nullptr : &*it;
}

std::optional<ReportDescriptorSummary> ParseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    ReportDescriptorSummary summary;
    Globals globals;
    std::vector<Globals> pushed;
    std::vector<OpenCollection> open;
    // The first Usage since the last main item (page in the high half).
    std::uint32_t usage = 0;
    bool usageSeen = false;

    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == LONG_ITEM_PREFIX) {
            if (pos + 2 > descriptor.size()) return std::nullopt;
            const std::size_t size = descriptor[pos + 1];
            if (pos + 3 + size > descriptor.size()) return std::nullopt;
            pos += 3 + size;
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + size > descriptor.size()) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{descriptor[pos + 1 + i]} << (8 * i);
        const std::uint8_t type = (prefix >> 2) & 3;
        const std::uint8_t tag = prefix >> 4;
        pos += 1 + size;

        if (type == TYPE_GLOBAL) {
            switch (tag) {
                case GLOBAL_USAGE_PAGE:
                    globals.usagePage = value;
                    break;
                case GLOBAL_REPORT_SIZE:
                    globals.reportSize = value;
                    break;
                case GLOBAL_REPORT_COUNT:
                    globals.reportCount = value;
                    break;
                case GLOBAL_REPORT_ID:
                    globals.reportId = static_cast<std::uint8_t>(value);
                    summary.numberedReports = true;
                    break;
                case GLOBAL_PUSH:
                    pushed.push_back(globals);
                    break;
                case GLOBAL_POP:
                    if (pushed.empty()) return std::nullopt;
                    globals = pushed.back();
                    pushed.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == TYPE_LOCAL) {
            // A four-byte usage carries its own page in the high half.
            if (tag == LOCAL_USAGE && !usageSeen) {
                usage = size == 4 ? value : (globals.usagePage << 16) | value;
                usageSeen = true;
            }
        } else if (type == TYPE_MAIN) {
            if (tag == MAIN_COLLECTION) {
                DescribedCollection collection;
                collection.usagePage = static_cast<std::uint16_t>(usage >> 16);
                collection.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
                collection.depth = static_cast<int>(open.size());
                summary.collections.push_back(collection);
                open.push_back(OpenCollection{summary.collections.size() - 1, {}});
            } else if (tag == MAIN_END_COLLECTION) {
                if (open.empty()) return std::nullopt;
                const OpenCollection& closing = open.back();
                ReportLengths& lengths = summary.collections[closing.index].lengths;
                lengths = ReportLengths{LengthOf(closing, FEATURE), LengthOf(closing, INPUT),
                                        LengthOf(closing, OUTPUT)};
                open.pop_back();
            } else if (tag == MAIN_INPUT || tag == MAIN_OUTPUT || tag == MAIN_FEATURE) {
                const ReportKind kind = tag == MAIN_INPUT ? INPUT : tag == MAIN_OUTPUT ? OUTPUT : FEATURE;
                const std::uint64_t bits = std::uint64_t{globals.reportSize} * globals.reportCount;
                for (OpenCollection& collection : open) collection.bits[globals.reportId][kind] += bits;
            }
            usage = 0;
            usageSeen = false;
        }
    }
    if (!open.empty()) return std::nullopt;
    return summary;
}

}  // namespace kv12::linux_hid
