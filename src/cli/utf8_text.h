// Checks on UTF-8 text that comes from files or from a profile, before it is
// written as JSON or stored in an INI file.
#pragma once

#include <cstddef>
#include <string_view>

namespace kv12 {

/// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
/// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// The number of characters (code points) of valid UTF-8 text: what the user
/// sees, so a Chinese character counts once.
std::size_t CountCharacters(std::string_view text);

/// Whether the text holds a control character (U+0000..U+001F or U+007F), which
/// no name or label of the program can carry.
bool HasControlCharacter(std::string_view text);

/// Whether the text starts or ends with a blank or tab, which an INI file
/// trims away when it is read back.
bool HasSurroundingBlank(std::string_view text);

}  // namespace kv12
