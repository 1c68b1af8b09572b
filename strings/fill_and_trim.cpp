#include "strings/fill_and_trim.h"

#include <algorithm>
#include <limits>

#include "frame/errors.h"
#include "frame/runtime/format.h"
#include "frame/runtime/text.h"

namespace brixen::str {
namespace {

constexpr std::size_t kMaxInteger = std::numeric_limits<Integer>::max();

template <class Removed>
String Without(StringView text, Removed removed) {
  String kept;
  std::remove_copy_if(text.begin(), text.end(), std::back_inserter(kept), removed);
  return kept;
}

// The 16-bit loop over every character: its counter passes 32767 after the last one.
void CheckSixteenBitLoop(StringView text) {
  if (text.size() >= kMaxInteger) Raise(kErrOverflow);
}

}  // namespace

String TrimTabSpace(StringView text) {
  return Without(text, [](char16_t c) { return c == u'\t' || c == u' '; });
}

String TrimReturn(StringView text) {
  CheckSixteenBitLoop(text);
  return Without(text, [](char16_t c) { return c == u'\r' || c == u'\n'; });
}

String TrimSpace(StringView text, AnsiCodeOf ansiCode) {
  CheckSixteenBitLoop(text);
  String kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Integer code = ansiCode(text.substr(i, 1));
    if (code != 32 && code != 0) kept += text[i];
  }
  return kept;
}

String GetLYoseStr(StringView text, Byte width) {
  const StringView shown = text.substr(0, width);
  return String(shown) + rt::Space(static_cast<Long>(width - shown.size()));
}

bool IsRYoseWidth(Long width) {
  constexpr Long kNarrowest = 2;
  constexpr Long kWidest = 12;
  return width >= kNarrowest && width <= kWidest;
}

String GetRYoseStr(StringView text, Long width) {
  if (!IsRYoseWidth(width)) return {};
  return rt::Format(text, rt::StringOf(width, u'@'));
}

String GetZeroStr(Integer count) {
  if (count == std::numeric_limits<Integer>::max()) Raise(kErrOverflow);
  return rt::StringOf(std::max<Long>(count, 0), u'0');
}

constexpr StringView kThousandsPattern = u"#,##0.0";

String FormatThousands(Double value) { return rt::Format(value, kThousandsPattern); }

String FormatThousands(StringView text) { return rt::Format(text, kThousandsPattern); }

bool CheckShosu(StringView text, Integer places) {
  const std::size_t point = text.find(u'.');
  if (point == StringView::npos) return true;
  if (point + 1 > kMaxInteger) Raise(kErrOverflow);
  return static_cast<Long>(text.size() - point - 1) <= places;
}

}  // namespace brixen::str
