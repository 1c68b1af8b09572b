#include "dates/date_texts.h"

#include "frame/runtime/format.h"
#include "frame/runtime/values.h"

namespace brixen::dates {
namespace {

constexpr Long kSecondsPerHour = 3600;
constexpr Long kSecondsPerDay = 86400;

String TwoDigits(Long number) { return rt::Format(static_cast<Double>(number), u"0#"); }

String HoursMinutesSeconds(Long hours, Long rest_of_hour) {
  return TwoDigits(hours) + u":" + TwoDigits(rest_of_hour / 60) + u":" + TwoDigits(rest_of_hour % 60);
}

}  // namespace

// C++ division truncates toward zero and its remainder takes the dividend's sign, as the
// run-time's \ and Mod do.
String ClockText(Long seconds) {
  return HoursMinutesSeconds(seconds / kSecondsPerHour, seconds % kSecondsPerHour);
}

String DaysAndClockText(Single seconds, bool japanese) {
  const Long whole = rt::CLng(seconds);
  const StringView unit = japanese ? StringView(u"日") : StringView(u"days");
  return rt::CStr(whole / kSecondsPerDay) + String(unit) + u" " +
         HoursMinutesSeconds(whole % kSecondsPerDay / kSecondsPerHour, whole % kSecondsPerHour);
}

Long ElapsedSeconds(Date from, Date to) { return rt::DateDiff(u"s", from, to); }

String JapaneseDateText(Date day) {
  const rt::DateParts parts = rt::SplitDate(day);
  return rt::CStr(static_cast<Long>(parts.year)) + u"年" + TwoDigits(parts.month) + u"月" + TwoDigits(parts.day) + u"日";
}

String Greeting(Date date) {
  const rt::DateParts parts = rt::SplitDate(date);
  const int month = parts.month, day = parts.day;
  if (month == 1 && day <= 7) return u"  あけましておめでとうございます";
  if (month == 1 && (day == 9 || day == 10)) return u"  正月気分も抜けてきました。がんばりましょう。";
  if (month == 7 && day == 7) return u"  今日は七夕です";
  if (month == 7 && day == 14) return u"  今日は革命記念日です";
  if (month == 12 && day == 23) return u"  メリークリスマス！";
  return {};
}

String GreetingOfText(StringView text, rt::DateOrder order, Date today) {
  return Greeting(rt::CDate(text, order, today));
}

String StatusText(StringView caller_text, StringView today_text, StringView greeting) {
  return String(caller_text) + u"  本日:" + String(today_text) + String(greeting);
}

Message NotADateMessage(bool japanese) {
  if (japanese) return {u"入力エラー", u"日付の入力が間違っています！"};
  return {u"ERROR", u"Date is not correct!"};
}

}  // namespace brixen::dates
