#include "frame/runtime/format.h"

#include <algorithm>
#include <string>

#include "frame/runtime/ascii.h"
#include "frame/runtime/decimal.h"
#include "frame/runtime/pattern.h"
#include "frame/runtime/values.h"

namespace brixen::rt {
namespace {

bool IsDigitPlaceholder(const PatternChar& c) { return c.Is(u'0') || c.Is(u'#'); }
bool IsCharPlaceholder(const PatternChar& c) { return c.Is(u'@') || c.Is(u'&'); }

bool IsDateSymbol(const PatternChar& c) {
  constexpr StringView kSymbols = u"yqmdwhns";
  return !c.literal && kSymbols.find(ToLowerAscii(c.ch)) != StringView::npos;
}

template <typename Predicate>
bool Contains(const PatternSection& section, Predicate predicate) {
  return std::any_of(section.begin(), section.end(), predicate);
}

// Where the digit placeholders of a number section stand and what they ask for.
struct DigitLayout {
  std::size_t point = 0;  // index of the decimal point, or the section's size
  int integer_places = 0;
  int integer_minimum = 0;  // places from the first "0" on
  int fraction_places = 0;
  int fraction_minimum = 0;  // places up to the last "0"
  bool grouping = false;
};

DigitLayout LayOut(const PatternSection& section) {
  DigitLayout layout;
  layout.point = section.size();
  for (std::size_t i = 0; i < section.size(); ++i) {
    const PatternChar& c = section[i];
    if (i > layout.point) {
      if (IsDigitPlaceholder(c)) ++layout.fraction_places;
      if (c.Is(u'0')) layout.fraction_minimum = layout.fraction_places;
    } else if (c.Is(u'.')) {
      layout.point = i;
    } else if (IsDigitPlaceholder(c)) {
      ++layout.integer_places;
      if (c.Is(u'0') || layout.integer_minimum > 0) ++layout.integer_minimum;
    } else if (c.Is(u',') && layout.integer_places > 0) {
      layout.grouping = true;
    }
  }
  return layout;
}

bool IsGroupingComma(const PatternChar& c, std::size_t index, const DigitLayout& layout,
                     int places_before) {
  return layout.grouping && c.Is(u',') && index < layout.point && places_before > 0;
}

// Writes the digits into the section: the integer digits right-aligned on the integer
// placeholders (extra digits all at the first one), the fraction digits left-aligned.
String FillDigits(const PatternSection& section, const DigitLayout& layout,
                  const std::string& integer, const std::string& fraction) {
  String out;
  const long long length = static_cast<long long>(integer.size());
  int place = 0;     // integer placeholders passed so far
  int decimal = 0;   // fraction placeholders passed so far
  const auto emit_integer_digit = [&](long long index) {
    if (layout.grouping && index > 0 && (length - index) % 3 == 0) out += u',';
    out += static_cast<char16_t>(integer[static_cast<std::size_t>(index)]);
  };
  for (std::size_t i = 0; i < section.size(); ++i) {
    const PatternChar& c = section[i];
    if (i < layout.point && IsDigitPlaceholder(c)) {
      const long long index = length - (layout.integer_places - place);
      if (place == 0)
        for (long long j = 0; j <= index; ++j) emit_integer_digit(j);
      else if (index >= 0)
        emit_integer_digit(index);
      ++place;
    } else if (i == layout.point && place == 0) {
      for (long long j = 0; j < length; ++j) emit_integer_digit(j);  // no integer placeholder
      out += c.ch;
    } else if (i > layout.point && IsDigitPlaceholder(c)) {
      if (decimal < static_cast<int>(fraction.size())) out += static_cast<char16_t>(fraction[decimal]);
      ++decimal;
    } else if (!IsGroupingComma(c, i, layout, place)) {
      out += c.ch;
    }
  }
  return out;
}

String FormatNumberSection(Double magnitude, bool minus, const PatternSection& section) {
  const DigitLayout layout = LayOut(section);
  DecimalDigits number = ToDecimal(magnitude, 15);
  RoundToFraction(number, layout.fraction_places);
  std::string integer = IntegerDigits(number);
  if (static_cast<int>(integer.size()) < layout.integer_minimum)
    integer.insert(0, layout.integer_minimum - integer.size(), '0');
  std::string fraction = FractionDigits(number, layout.fraction_places);
  const auto last_kept = fraction.find_last_not_of('0');
  const std::size_t kept = last_kept == std::string::npos ? 0 : last_kept + 1;
  fraction.resize(std::max<std::size_t>(kept, static_cast<std::size_t>(layout.fraction_minimum)));
  return (minus ? u"-" : u"") + FillDigits(section, layout, integer, fraction);
}

// Section 1 for positive values (and for all when it stands alone), 2 for negative
// values without their minus sign, 3 for zero.
String FormatNumber(Double value, const std::vector<PatternSection>& sections) {
  const bool negative = value < 0;
  if (value == 0 && sections.size() > 2 && !sections[2].empty())
    return FormatNumberSection(0, false, sections[2]);
  if (negative && sections.size() > 1 && !sections[1].empty())
    return FormatNumberSection(-value, false, sections[1]);
  return FormatNumberSection(negative ? -value : value, negative, sections[0]);
}

// Characters are taken from the end of the text, placeholder by placeholder from the
// right; what is left of the text goes before the leftmost placeholder.
String FillCharacters(StringView text, const PatternSection& section) {
  String reversed;
  std::size_t remaining = text.size();
  const auto first_placeholder = std::find_if(section.begin(), section.end(), IsCharPlaceholder);
  for (auto it = section.rbegin(); it != section.rend(); ++it) {
    if (!IsCharPlaceholder(*it)) {
      reversed += it->ch;
      continue;
    }
    if (remaining > 0) reversed += text[--remaining];
    else if (it->Is(u'@')) reversed += u' ';
    if (it.base() - 1 == first_placeholder)
      while (remaining > 0) reversed += text[--remaining];
  }
  return String(reversed.rbegin(), reversed.rend());
}

enum class PatternKind { kCharacters, kDigits, kDate, kLiteral };

PatternKind KindOf(const PatternSection& section) {
  if (Contains(section, IsCharPlaceholder)) return PatternKind::kCharacters;
  if (Contains(section, IsDigitPlaceholder)) return PatternKind::kDigits;
  if (Contains(section, IsDateSymbol)) return PatternKind::kDate;
  return PatternKind::kLiteral;
}

}  // namespace

String Format(Double value, StringView pattern) {
  if (pattern.empty()) return CStr(value);
  const auto sections = SplitPattern(pattern);
  switch (KindOf(sections[0])) {
    case PatternKind::kCharacters: return FillCharacters(CStr(value), sections[0]);
    case PatternKind::kDate: return FormatDate(value, pattern);
    default: return FormatNumber(value, sections);
  }
}

String Format(StringView text, StringView pattern) {
  const auto sections = SplitPattern(pattern);
  switch (KindOf(sections[0])) {
    case PatternKind::kCharacters: return FillCharacters(text, sections[0]);
    case PatternKind::kDigits:
      if (IsNumericText(text)) return FormatNumber(CDbl(text), sections);
      return String(text);
    default: return String(text);
  }
}

}  // namespace brixen::rt
