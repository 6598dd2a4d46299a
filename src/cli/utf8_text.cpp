#include "cli/utf8_text.h"

namespace kv12 {

namespace {

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = SequenceLength(lead);
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return false;
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        }
        if (length >= 3) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            if (lead == 0xE0 && second < 0xA0) return false;  // overlong
            if (lead == 0xED && second > 0x9F) return false;  // UTF-16 surrogate
            if (lead == 0xF0 && second < 0x90) return false;  // overlong
            if (lead == 0xF4 && second > 0x8F) return false;  // above U+10FFFF
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    return false;
}

bool HasSurroundingBlank(std::string_view text) {
    if (text.empty()) return false;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return blank(text.front()) || blank(text.back());
}

}  // namespace kv12
