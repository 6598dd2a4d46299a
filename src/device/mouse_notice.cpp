#include "device/mouse_notice.h"

namespace kv12 {

std::optional<MouseNotice> ParseNoticeReport(std::span<const std::uint8_t> report) {
    if (report.size() < 2 || report[0] != NOTICE_REPORT_ID) return std::nullopt;
    const std::uint8_t code = report[1];
    if (code != NOTICE_RATE && code != NOTICE_DPI && code != NOTICE_KEYMODE && code != NOTICE_MACRO) {
        return std::nullopt;
    }
    return MouseNotice{code, report.size() > 3 ? report[3] : std::uint8_t{0}};
}

}  // namespace kv12
