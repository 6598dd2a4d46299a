#include "win32/hid_report_fit.h"

#include <algorithm>

namespace kv12::win32 {

std::optional<std::vector<std::uint8_t>> FitReport(std::span<const std::uint8_t> report, std::size_t length) {
    if (length == 0 || report.empty()) return std::nullopt;
    if (report.size() > length && std::any_of(report.begin() + static_cast<std::ptrdiff_t>(length),
                                              report.end(), [](std::uint8_t b) { return b != 0; })) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> buffer(length, 0);
    std::copy_n(report.begin(), std::min(length, report.size()), buffer.begin());
    return buffer;
}

}  // namespace kv12::win32
