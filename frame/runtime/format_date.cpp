// Date patterns of Format.
#include <array>
#include <string>

#include "frame/runtime/ascii.h"
#include "frame/runtime/dates.h"
#include "frame/runtime/format.h"
#include "frame/runtime/pattern.h"

namespace brixen::rt {
namespace {

constexpr std::array<StringView, 12> kMonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<StringView, 7> kDayNames = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                 u"Thursday", u"Friday", u"Saturday"};

String Number(int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return Widen(digits);
}

// The length of the run of `symbol` (either case) at `pos`, at most `limit`.
std::size_t RunLength(const PatternSection& p, std::size_t pos, char16_t symbol, std::size_t limit) {
  std::size_t n = 0;
  while (pos + n < p.size() && n < limit && !p[pos + n].literal && ToLowerAscii(p[pos + n].ch) == symbol) ++n;
  return n;
}

// Whether the text at `pos` reads `word` (either case); its case is kept in the output.
bool MatchesWord(const PatternSection& p, std::size_t pos, StringView word) {
  if (pos + word.size() > p.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (p[pos + i].literal || ToUpperAscii(p[pos + i].ch) != ToUpperAscii(word[i])) return false;
  return true;
}

// Weeks of the year start on Sunday; January 1 is in week 1.
int WeekOfYear(const DateParts& d) {
  const int weekday_of_january_1 = (d.weekday - 1 - (d.day_of_year - 1) % 7 + 7) % 7;
  return (d.day_of_year - 1 + weekday_of_january_1) / 7 + 1;
}

class DateWriter {
 public:
  DateWriter(const DateParts& date, const PatternSection& pattern, DateSeparators separators)
      : d_(date), p_(pattern), separators_(separators), twelve_hour_(HasMeridian()) {}

  String Write() {
    while (pos_ < p_.size()) WriteNext();
    return out_;
  }

 private:
  bool HasMeridian() const {
    for (std::size_t i = 0; i < p_.size(); ++i)
      if (MatchesWord(p_, i, u"AM/PM") || MatchesWord(p_, i, u"A/P") || MatchesWord(p_, i, u"AMPM"))
        return true;
    return false;
  }

  void WriteNext() {
    const PatternChar c = p_[pos_];
    const char16_t symbol = c.literal ? u'\0' : ToLowerAscii(c.ch);
    const bool after_hour = after_hour_;
    after_hour_ = false;
    switch (symbol) {
      case u'y': return WriteYear();
      case u'q': return Take(1, Number((d_.month + 2) / 3, 1));
      case u'm': return WriteMonthOrMinute(after_hour);
      case u'd': return WriteDay();
      case u'w': return WriteWeek();
      case u'h': return WriteHour();
      case u'n': return WriteTwoDigitField(u'n', d_.minute);
      case u's': return WriteTwoDigitField(u's', d_.second);
      case u'a': if (WriteMeridian()) return; break;
      case u'/': return Take(1, String(1, separators_.date));
      case u':': after_hour_ = after_hour; return Take(1, String(1, separators_.time));
      default: break;
    }
    // Literal characters do not end an hour part: "hh:mm" and "h mm" read minutes.
    after_hour_ = after_hour;
    Take(1, String(1, c.ch));
  }

  void Take(std::size_t length, const String& text) {
    pos_ += length;
    out_ += text;
  }

  void WriteYear() {
    const std::size_t n = RunLength(p_, pos_, u'y', 4);
    if (n == 4) return Take(4, Number(d_.year, 4));
    if (n >= 2) return Take(2, Number(d_.year % 100, 2));
    Take(1, Number(d_.day_of_year, 1));
  }

  void WriteMonthOrMinute(bool after_hour) {
    const std::size_t n = RunLength(p_, pos_, u'm', 4);
    if (after_hour && n <= 2) return Take(n, Number(d_.minute, n));
    const StringView name = kMonthNames[static_cast<std::size_t>(d_.month - 1)];
    if (n == 4) return Take(4, String(name));
    if (n == 3) return Take(3, String(name.substr(0, 3)));
    Take(n, Number(d_.month, n));
  }

  void WriteDay() {
    const std::size_t n = RunLength(p_, pos_, u'd', 4);
    const StringView name = kDayNames[static_cast<std::size_t>(d_.weekday - 1)];
    if (n == 4) return Take(4, String(name));
    if (n == 3) return Take(3, String(name.substr(0, 3)));
    Take(n, Number(d_.day, n));
  }

  void WriteWeek() {
    if (RunLength(p_, pos_, u'w', 2) == 2) return Take(2, Number(WeekOfYear(d_), 1));
    Take(1, Number(d_.weekday, 1));
  }

  void WriteHour() {
    const std::size_t n = RunLength(p_, pos_, u'h', 2);
    const int hour = twelve_hour_ ? (d_.hour + 11) % 12 + 1 : d_.hour;
    Take(n, Number(hour, n));
    after_hour_ = true;
  }

  void WriteTwoDigitField(char16_t symbol, int value) {
    const std::size_t n = RunLength(p_, pos_, symbol, 2);
    Take(n, Number(value, n));
  }

  // AM/PM and A/P keep the case written in the pattern; AMPM writes upper case.
  bool WriteMeridian() {
    const bool pm = d_.hour >= 12;
    if (MatchesWord(p_, pos_, u"AM/PM")) {
      const std::size_t at = pm ? pos_ + 3 : pos_;
      Take(5, {p_[at].ch, p_[at + 1].ch});
    } else if (MatchesWord(p_, pos_, u"A/P")) {
      Take(3, {p_[pm ? pos_ + 2 : pos_].ch});
    } else if (MatchesWord(p_, pos_, u"AMPM")) {
      Take(4, pm ? u"PM" : u"AM");
    } else {
      return false;
    }
    return true;
  }

  const DateParts d_;
  const PatternSection& p_;
  const DateSeparators separators_;
  const bool twelve_hour_;
  std::size_t pos_ = 0;
  bool after_hour_ = false;
  String out_;
};

}  // namespace

String FormatDate(Date date, StringView pattern, DateSeparators separators) {
  const DateParts parts = SplitDate(date);
  const auto sections = SplitPattern(pattern);
  return DateWriter(parts, sections[0], separators).Write();
}

String CStrDate(Date date, StringView date_pattern, StringView time_pattern, DateSeparators separators) {
  const DateParts d = SplitDate(date);
  const bool has_time = d.hour != 0 || d.minute != 0 || d.second != 0;
  const bool is_day_0 = d.year == 1899 && d.month == 12 && d.day == 30;
  if (is_day_0) return FormatDate(date, time_pattern, separators);
  if (!has_time) return FormatDate(date, date_pattern, separators);
  return FormatDate(date, date_pattern, separators) + u' ' + FormatDate(date, time_pattern, separators);
}

}  // namespace brixen::rt
