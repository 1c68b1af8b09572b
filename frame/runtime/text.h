// The run-time's String(count, character) and Space(count).
#pragma once
#include "frame/types.h"

namespace brixen::rt {

// The longest text an automation string (BSTR) can carry: its byte count, header and
// terminator must fit in 2 GB.
inline constexpr Long kMaxTextLength = 0x3FFFFFF0;

// `count` copies of `character`. Error 5 for a negative count, error 7 (out of memory)
// for a count beyond kMaxTextLength.
String StringOf(Long count, char16_t character);
String Space(Long count);

}  // namespace brixen::rt
