// clsString's text helpers that need no Win32: removing characters, fixed-width alignment,
// runs of zeros, thousands formatting and the count of decimal places.
#pragma once
#include "frame/types.h"

namespace brixen::str {

// The trimming members remove their characters everywhere in the text, not only at its ends.
String TrimTabSpace(StringView text);  // tabs and spaces; the ideographic space stays

// TrimReturn and TrimSpace count characters and loop with 16-bit integers: a text of
// 32767 characters or more is an overflow (error 6).
String TrimReturn(StringView text);  // carriage returns and line feeds
// Spaces and NULs, each character judged by its code in the system ANSI code page.
using AnsiCodeOf = Integer (*)(StringView character);
String TrimSpace(StringView text, AnsiCodeOf ansiCode);

// `text` in a field of exactly `width` characters: spaces on the right, or cut.
String GetLYoseStr(StringView text, Byte width);
// `text` right-aligned with spaces on the left in a field of `width` characters, never cut;
// an empty text for widths outside 2..12.
bool IsRYoseWidth(Long width);
String GetRYoseStr(StringView text, Long width);
// `count` zeros; empty for 0 or less. 32767 overflows the 16-bit loop counter (error 6).
String GetZeroStr(Integer count);

// StrFormat's one format, "#,##0.0": thousands separators and one rounded decimal. A text
// that reads as a number is written as that number, any other text comes back unchanged.
inline constexpr Byte kStrFormatThousands = 1;
String FormatThousands(Double value);
String FormatThousands(StringView text);

// At most `places` characters (of any kind) after the first ".". The point's position is
// held in a 16-bit integer: beyond 32767 it is an overflow (error 6).
bool CheckShosu(StringView text, Integer places);

}  // namespace brixen::str
