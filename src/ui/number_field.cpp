#include "ui/number_field.h"

#include <cctype>
#include <climits>

namespace kv12::ui {

int ReadDecimalField(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Accumulated as a magnitude that stops growing just past the int range,
    // so no number of digits can overflow it.
    constexpr long long LIMIT = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > LIMIT) magnitude = LIMIT;
    }
    if (negative) return static_cast<int>(-magnitude);  // INT_MIN at the most
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

}  // namespace kv12::ui
