// Small character helpers for the run-time's text parsers and writers, which only ever
// interpret ASCII characters; every other UTF-16 unit is treated as "not one of ours".
#pragma once
#include <string_view>

#include "frame/types.h"

namespace brixen::rt {

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

constexpr int DigitValue(char16_t c) { return c - u'0'; }

constexpr char16_t ToUpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

constexpr char16_t ToLowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }

constexpr bool IsLetterAscii(char16_t c) {
  return ToUpperAscii(c) >= u'A' && ToUpperAscii(c) <= u'Z';
}

// Case-insensitive comparison of ASCII letters.
constexpr bool EqualsNoCase(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  return true;
}

// The ASCII text as UTF-16.
inline String Widen(std::string_view ascii) { return String(ascii.begin(), ascii.end()); }

}  // namespace brixen::rt
