#include "frame/win/text_case.h"

#include <windows.h>

#include "frame/win/wide.h"

namespace brixen::win {

String UCase(StringView text) {
  const String source(text);
  String upper(source.size(), u'\0');
  if (upper.empty()) return upper;
  // Plain upper-casing maps character for character, so the length stays.
  ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, Wide(source), static_cast<int>(source.size()),
                 Wide(upper.data()), static_cast<int>(upper.size()));
  return upper;
}

}  // namespace brixen::win
