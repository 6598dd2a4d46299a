// Conversions between the program's UTF-8 text and the UTF-16 of the Win32 API.
#pragma once

#include <string>
#include <string_view>

namespace kv12::win32 {

// UTF-8 to UTF-16. Malformed sequences become U+FFFD, so a bad byte never
// truncates or drops the rest of the text. (Texts over 2 GiB give "".)
std::wstring WideFromUtf8(std::string_view utf8);

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace kv12::win32
