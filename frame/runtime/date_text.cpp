// Reading dates and times from text (DateValue, IsDate, CDate).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "frame/errors.h"
#include "frame/runtime/ascii.h"
#include "frame/runtime/calendar.h"
#include "frame/runtime/dates.h"

namespace brixen::rt {
namespace {

// No date text has more parts than this; longer texts are refused before any work.
constexpr std::size_t kMaxTokens = 12;
constexpr int kMaxDigits = 4;

enum class TokenKind { kNumber, kMonthName, kAm, kPm, kColon, kYearMark, kMonthMark, kDayMark };

struct Token {
  TokenKind kind;
  int value = 0;   // the number, or the month of a month name
  int digits = 0;  // digit count of a number
};

using Tokens = std::vector<Token>;

bool IsSeparator(char16_t c) {
  return c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u' ' || c == u'\t';
}

std::optional<TokenKind> MarkKind(char16_t c) {
  switch (c) {
    case u'年': return TokenKind::kYearMark;
    case u'月': return TokenKind::kMonthMark;
    case u'日': return TokenKind::kDayMark;
    case u':': return TokenKind::kColon;
    default: return std::nullopt;
  }
}

// A word of letters: a month name (full or its first three letters), AM or PM.
std::optional<Token> WordToken(StringView word) {
  constexpr std::array<StringView, 12> kMonths = {
      u"January", u"February", u"March",     u"April",   u"May",      u"June",
      u"July",    u"August",   u"September", u"October", u"November", u"December"};
  if (EqualsNoCase(word, u"AM")) return Token{TokenKind::kAm};
  if (EqualsNoCase(word, u"PM")) return Token{TokenKind::kPm};
  for (std::size_t i = 0; i < kMonths.size(); ++i)
    if (EqualsNoCase(word, kMonths[i]) || EqualsNoCase(word, kMonths[i].substr(0, 3)))
      return Token{TokenKind::kMonthName, static_cast<int>(i) + 1};
  return std::nullopt;
}

std::optional<Tokens> Tokenize(StringView text) {
  Tokens tokens;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char16_t c = text[pos];
    std::size_t end = pos + 1;
    if (IsDigit(c)) {
      while (end < text.size() && IsDigit(text[end])) ++end;
      if (end - pos > kMaxDigits) return std::nullopt;
      int value = 0;
      for (std::size_t i = pos; i < end; ++i) value = value * 10 + DigitValue(text[i]);
      tokens.push_back({TokenKind::kNumber, value, static_cast<int>(end - pos)});
    } else if (IsLetterAscii(c)) {
      while (end < text.size() && IsLetterAscii(text[end])) ++end;
      const auto word = WordToken(text.substr(pos, end - pos));
      if (!word) return std::nullopt;
      tokens.push_back(*word);
    } else if (const auto mark = MarkKind(c)) {
      tokens.push_back({*mark});
    } else if (!IsSeparator(c)) {
      return std::nullopt;
    }
    if (tokens.size() > kMaxTokens) return std::nullopt;
    pos = end;
  }
  return tokens;
}

bool IsNumber(const Token& token) { return token.kind == TokenKind::kNumber; }

// The time part: the hour number before the first ":" (or before AM/PM), then
// ":" minutes [":" seconds], then AM/PM. Removed from `tokens`; the result is
// the time of day in seconds, or nothing when the part is malformed.
std::optional<int> TakeTime(Tokens& tokens) {
  std::size_t start = 0;
  while (start < tokens.size() && tokens[start].kind != TokenKind::kColon &&
         tokens[start].kind != TokenKind::kAm && tokens[start].kind != TokenKind::kPm)
    ++start;
  if (start == tokens.size()) return 0;
  if (start == 0 || !IsNumber(tokens[start - 1])) return std::nullopt;
  --start;
  std::array<int, 3> fields = {0, 0, 0};  // hour, minute, second
  std::size_t field = 0, pos = start;
  fields[0] = tokens[pos++].value;
  while (pos + 1 < tokens.size() && tokens[pos].kind == TokenKind::kColon &&
         IsNumber(tokens[pos + 1]) && field < 2) {
    fields[++field] = tokens[pos + 1].value;
    pos += 2;
  }
  std::optional<TokenKind> meridian;
  if (pos < tokens.size() && (tokens[pos].kind == TokenKind::kAm || tokens[pos].kind == TokenKind::kPm))
    meridian = tokens[pos++].kind;
  tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(start),
               tokens.begin() + static_cast<std::ptrdiff_t>(pos));
  int hour = fields[0];
  if (meridian) {
    if (hour > 12) return std::nullopt;
    hour = hour % 12 + (meridian == TokenKind::kPm ? 12 : 0);
  }
  if (hour > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
  return hour * 3600 + fields[1] * 60 + fields[2];
}

struct YearMonthDay {
  int year, month, day;
};

// A year written with one or two digits falls in 1930-2029.
int FullYear(const Token& year) {
  if (year.digits > 2) return year.value;
  return year.value + (year.value < 30 ? 2000 : 1900);
}

// A number that can only be a year.
bool IsYearLike(const Token& token) { return token.digits >= 3 || token.value > 31; }

std::optional<YearMonthDay> Validated(YearMonthDay date) {
  if (!IsValidCivilDate(date.year, date.month, date.day)) return std::nullopt;
  return date;
}

// 2006年7月25日, 7月25日, 2006年7月: every number carries its mark.
std::optional<YearMonthDay> ReadMarkedDate(const Tokens& tokens, int current_year) {
  if (tokens.size() % 2 != 0) return std::nullopt;
  std::optional<int> year, month, day;
  for (std::size_t i = 0; i < tokens.size(); i += 2) {
    if (!IsNumber(tokens[i])) return std::nullopt;
    const Token& number = tokens[i];
    switch (tokens[i + 1].kind) {
      case TokenKind::kYearMark: year = FullYear(number); break;
      case TokenKind::kMonthMark: month = number.value; break;
      case TokenKind::kDayMark: day = number.value; break;
      default: return std::nullopt;
    }
  }
  const std::size_t marked = year.has_value() + month.has_value() + day.has_value();
  if (marked != tokens.size() / 2 || !month || (!year && !day)) return std::nullopt;
  return Validated({year.value_or(current_year), *month, day.value_or(1)});
}

// Jul 25 2006, 25 Jul 2006, 2006 Jul 25, Jul 2006, Jul 25.
std::optional<YearMonthDay> ReadNamedMonthDate(const Tokens& tokens, int current_year) {
  std::optional<int> month;
  std::vector<Token> numbers;
  for (const Token& token : tokens) {
    if (IsNumber(token)) numbers.push_back(token);
    else if (token.kind == TokenKind::kMonthName && !month) month = token.value;
    else return std::nullopt;
  }
  if (numbers.size() == 1) {
    const Token& n = numbers[0];
    if (IsYearLike(n)) return Validated({FullYear(n), *month, 1});
    return Validated({current_year, *month, n.value});
  }
  if (numbers.size() != 2) return std::nullopt;
  const bool year_first = IsYearLike(numbers[0]);
  const Token& year = year_first ? numbers[0] : numbers[1];
  const Token& day = year_first ? numbers[1] : numbers[0];
  return Validated({FullYear(year), *month, day.value});
}

std::optional<YearMonthDay> InOrder(DateOrder order, const Token& a, const Token& b, const Token& c) {
  switch (order) {
    case DateOrder::kYMD: return Validated({FullYear(a), b.value, c.value});
    case DateOrder::kMDY: return Validated({FullYear(c), a.value, b.value});
    default: return Validated({FullYear(c), b.value, a.value});
  }
}

// Three numbers: a leading year fixes year-month-day; otherwise the system's order
// first, then the others.
std::optional<YearMonthDay> ReadThreeNumbers(const Tokens& n, DateOrder order) {
  if (IsYearLike(n[1])) return std::nullopt;
  if (IsYearLike(n[0])) return InOrder(DateOrder::kYMD, n[0], n[1], n[2]);
  for (DateOrder candidate : {order, DateOrder::kYMD, DateOrder::kMDY, DateOrder::kDMY}) {
    if (candidate == DateOrder::kYMD && IsYearLike(n[2])) continue;
    if (const auto date = InOrder(candidate, n[0], n[1], n[2])) return date;
  }
  return std::nullopt;
}

// Two numbers: a year and a month (the 1st), or month and day of the current year.
std::optional<YearMonthDay> ReadTwoNumbers(const Tokens& n, DateOrder order, int current_year) {
  if (IsYearLike(n[0])) return Validated({FullYear(n[0]), n[1].value, 1});
  if (IsYearLike(n[1])) return Validated({FullYear(n[1]), n[0].value, 1});
  const bool day_first = order == DateOrder::kDMY;
  const int month = day_first ? n[1].value : n[0].value;
  const int day = day_first ? n[0].value : n[1].value;
  if (const auto date = Validated({current_year, month, day})) return date;
  return Validated({current_year, day, month});
}

bool IsMark(const Token& token) {
  return token.kind == TokenKind::kYearMark || token.kind == TokenKind::kMonthMark ||
         token.kind == TokenKind::kDayMark;
}

bool IsMonthName(const Token& token) { return token.kind == TokenKind::kMonthName; }

std::optional<YearMonthDay> ReadDatePart(const Tokens& tokens, DateOrder order, int current_year) {
  if (std::any_of(tokens.begin(), tokens.end(), IsMark)) return ReadMarkedDate(tokens, current_year);
  if (std::any_of(tokens.begin(), tokens.end(), IsMonthName))
    return ReadNamedMonthDate(tokens, current_year);
  if (!std::all_of(tokens.begin(), tokens.end(), IsNumber)) return std::nullopt;
  if (tokens.size() == 3) return ReadThreeNumbers(tokens, order);
  if (tokens.size() == 2) return ReadTwoNumbers(tokens, order, current_year);
  return std::nullopt;
}

}  // namespace

std::optional<Date> ReadDate(StringView text, DateOrder order, Date today) {
  auto tokens = Tokenize(text);
  if (!tokens || tokens->empty()) return std::nullopt;
  const auto seconds = TakeTime(*tokens);
  if (!seconds) return std::nullopt;
  const double time = *seconds / 86400.0;
  if (tokens->empty()) return time;
  const auto date = ReadDatePart(*tokens, order, Year(today));
  if (!date) return std::nullopt;
  return JoinSerial(DayNumber(date->year, date->month, date->day), time);
}

bool IsDate(StringView text, DateOrder order, Date today) {
  return ReadDate(text, order, today).has_value();
}

Date CDate(StringView text, DateOrder order, Date today) {
  const auto date = ReadDate(text, order, today);
  if (!date) Raise(kErrTypeMismatch);
  return *date;
}

Date DateValue(StringView text, DateOrder order, Date today) {
  return std::trunc(CDate(text, order, today));
}

}  // namespace brixen::rt
