// Notices: what the mouse reports on its own (on the notice collection, input
// report ID 6) and what the device link itself tells the main window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace kv12 {

inline constexpr std::uint8_t NOTICE_REPORT_ID = 6;

// Codes from the mouse.
inline constexpr std::uint8_t NOTICE_RATE = 5;     // report rate switched; value 1, 2, 4 or 8
inline constexpr std::uint8_t NOTICE_DPI = 7;      // DPI stage switched; value 1..4
inline constexpr std::uint8_t NOTICE_KEYMODE = 8;  // key matrix switched; value 1 or 2
inline constexpr std::uint8_t NOTICE_MACRO = 9;    // macro switched; value the macro number
// Codes of the device link.
inline constexpr std::uint8_t NOTICE_FOUND = 14;
inline constexpr std::uint8_t NOTICE_NOT_FOUND = 15;

struct MouseNotice {
    std::uint8_t code = 0;
    std::uint8_t value = 0;
    friend bool operator==(const MouseNotice&, const MouseNotice&) = default;
};

// Where notices go (the main window shows them as balloons). Called on the
// reader thread for the mouse's notices and on the caller's thread for the
// link's own; it should return once the notice has been taken.
using NoticeSink = std::function<void(const MouseNotice&)>;

// The notice an input report carries: byte 0 the report ID 6, byte 1 one of
// the codes 5, 7, 8, 9, byte 3 the value (0 when the report is shorter).
// Anything else is no notice.
std::optional<MouseNotice> ParseNoticeReport(std::span<const std::uint8_t> report);

}  // namespace kv12
