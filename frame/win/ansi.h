// Text in the system ANSI code page (code page 932 on a Japanese system): for the
// ANSI Win32 entry points and for files written in that code page. Characters the
// code page cannot hold become its default character ("?").
#pragma once
#include <string>
#include <string_view>

#include "frame/types.h"

namespace brixen::win {

// CP_ACP: the system ANSI code page. Every function takes another code page for
// callers (and tests) that need a fixed one.
inline constexpr unsigned kAnsiCodePage = 0;

std::string ToAnsi(StringView text, unsigned codePage = kAnsiCodePage);
String FromAnsi(std::string_view bytes, unsigned codePage = kAnsiCodePage);

// Asc: the code of the first character in the code page. A single-byte character gives
// 0..255; a double-byte character gives its lead and trail bytes as one signed 16-bit
// value (negative in code page 932, e.g. "あ" is 0x82A0 = -32096). Empty text raises 5.
Integer Asc(StringView text, unsigned codePage = kAnsiCodePage);

// Chr: the character whose code page code is `code`, -32768..65535 (a negative code is
// the signed form of a double-byte code). Codes outside that range, and codes above 255
// that are not a double-byte character of the code page, raise 5.
String Chr(Long code, unsigned codePage = kAnsiCodePage);

}  // namespace brixen::win
