// The dialogs' number fields: how their text is read, and their styles.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv12::ui {

// WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER, and the same with WS_BORDER.
inline constexpr std::uint32_t STYLE_NUMBER_FIELD = 0x50002001;
inline constexpr std::uint32_t STYLE_BORDERED_NUMBER_FIELD = 0x50802001;

/// A field's text read as a decimal integer the way the C library's atoi
/// does: leading blanks, an optional sign, then digits up to the first other
/// character; 0 when there are no digits. Values beyond the int range
/// saturate at its ends, so a long string of digits is simply out of range.
/// (A number field takes digits only from the keyboard, but pasted text
/// reaches it unchecked.)
int ReadDecimalField(std::string_view text);

}  // namespace kv12::ui
