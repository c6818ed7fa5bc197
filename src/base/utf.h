// UTF-8 inside the program, UTF-16 at the edge to the wide Win32 functions.
#pragma once

#include <string>
#include <string_view>

namespace base {

// Malformed input never fails: an invalid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace base
