// The one place where UTF-16 text meets the W calls: on Windows wchar_t is a 16-bit
// UTF-16 code unit, so char16_t and wchar_t buffers are the same bytes.
#pragma once
#include <cwchar>

#include "frame/types.h"

namespace brixen::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on this platform");

inline const wchar_t* Wide(const String& text) noexcept { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline const wchar_t* Wide(const char16_t* text) noexcept { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) noexcept { return reinterpret_cast<wchar_t*>(text); }

inline String FromWide(const wchar_t* text, std::size_t length) {
  return String(reinterpret_cast<const char16_t*>(text), length);
}
inline String FromWide(const wchar_t* text) { return FromWide(text, std::wcslen(text)); }

}  // namespace brixen::win
