// Searching the program's texts for marker words.
#pragma once

#include <string_view>

namespace base {

// Exact, case-sensitive search of UTF-8 text. UTF-8 is self-synchronising, so
// a match of a whole-character needle can only begin on a character boundary:
// it never starts inside a multi-byte character.
inline bool ContainsText(std::string_view haystack, std::string_view needle) {
  return haystack.find(needle) != std::string_view::npos;
}

}  // namespace base
