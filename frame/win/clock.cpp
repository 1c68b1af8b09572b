#include "frame/win/clock.h"

#include <oleauto.h>

#include <cwchar>
#include <optional>
#include <utility>

#include "frame/win/wide.h"

namespace brixen::win {
namespace {

std::optional<SYSTEMTIME> TimeFromEnvironment() {
  wchar_t text[32];
  const DWORD length = ::GetEnvironmentVariableW(L"BRIXEN_TEST_NOW", text, 32);
  if (length == 0 || length >= 32) return std::nullopt;
  SYSTEMTIME time{};
  const int fields = std::swscanf(text, L"%hu-%hu-%hu %hu:%hu:%hu", &time.wYear, &time.wMonth, &time.wDay,
                                  &time.wHour, &time.wMinute, &time.wSecond);
  if (fields != 6) return std::nullopt;
  return time;
}

SYSTEMTIME SystemLocalTime() {
  if (const auto fixed = TimeFromEnvironment()) return *fixed;
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return now;
}

LocalTimeSource& ClockSource() {
  static LocalTimeSource source = SystemLocalTime;
  return source;
}

SYSTEMTIME LocalTime() { return ClockSource()(); }

Date ToDate(SYSTEMTIME time) {
  time.wMilliseconds = 0;  // the run-time's dates hold whole seconds
  Date date = 0;
  ::SystemTimeToVariantTime(&time, &date);
  return date;
}

Date DayOf(const SYSTEMTIME& time) {
  SYSTEMTIME midnight = time;
  midnight.wHour = midnight.wMinute = midnight.wSecond = 0;
  return ToDate(midnight);
}

// The text a GetLocaleInfoW-like call writes, asked for its size first.
template <class Call>
String Formatted(Call call) {
  const int size = call(nullptr, 0);
  if (size <= 0) return {};
  String text(static_cast<std::size_t>(size), u'\0');
  const int length = call(Wide(text.data()), size);
  text.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return text;
}

String LocaleInfo(LCTYPE type) {
  return Formatted([&](wchar_t* buffer, int size) { return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, size); });
}

SYSTEMTIME ToSystemTime(Date date) {
  SYSTEMTIME time{};
  ::VariantTimeToSystemTime(date, &time);
  return time;
}

}  // namespace

void SetClockForTests(LocalTimeSource source) { ClockSource() = std::move(source); }
void ResetClockForTests() { ClockSource() = SystemLocalTime; }

Date Now() { return ToDate(LocalTime()); }

Long TickCount() {
  wchar_t text[16];
  const DWORD length = ::GetEnvironmentVariableW(L"BRIXEN_TEST_TICKS", text, 16);
  if (length > 0 && length < 16) return static_cast<Long>(std::wcstol(text, nullptr, 10));
  return static_cast<Long>(::GetTickCount());
}

Date Today() { return DayOf(LocalTime()); }

Date TimeOfDay() {
  SYSTEMTIME time = LocalTime();
  time.wYear = 1899;  // day 0
  time.wMonth = 12;
  time.wDay = 30;
  time.wDayOfWeek = 6;
  return ToDate(time);
}

Single Timer() {
  const SYSTEMTIME t = LocalTime();
  const long centiseconds = ((t.wHour * 60L + t.wMinute) * 60L + t.wSecond) * 100L + t.wMilliseconds / 10;
  return static_cast<Single>(centiseconds / 100.0);
}

double MonotonicSeconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

void DoEvents() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

DateOrder DateOrderOf(StringView pattern) {
  bool quoted = false;
  String fields;  // first letter of each field, in order
  for (char16_t c : pattern) {
    if (c == u'\'') quoted = !quoted;
    const char16_t lower = c == u'M' ? u'm' : c;
    if (!quoted && (lower == u'd' || lower == u'm' || lower == u'y') && fields.find(lower) == String::npos) {
      fields += lower;
    }
  }
  if (fields.rfind(u"y", 0) == 0) return DateOrder::YearMonthDay;
  if (fields.rfind(u"d", 0) == 0) return DateOrder::DayMonthYear;
  return DateOrder::MonthDayYear;
}

DateOrder SystemDateOrder() { return DateOrderOf(ShortDatePattern()); }
String ShortDatePattern() { return LocaleInfo(LOCALE_SSHORTDATE); }
String DateSeparator() { return LocaleInfo(LOCALE_SDATE); }
String TimeSeparator() { return LocaleInfo(LOCALE_STIME); }

rt::DateOrder SystemReadOrder() {
  switch (SystemDateOrder()) {
    case DateOrder::DayMonthYear: return rt::DateOrder::kDMY;
    case DateOrder::YearMonthDay: return rt::DateOrder::kYMD;
    default: return rt::DateOrder::kMDY;
  }
}

String ShortDateText(Date date) {
  const SYSTEMTIME time = ToSystemTime(date);
  return Formatted([&](wchar_t* buffer, int size) {
    return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, size);
  });
}

String TimeText(Date date) {
  const SYSTEMTIME time = ToSystemTime(date);
  return Formatted([&](wchar_t* buffer, int size) {
    return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, size);
  });
}

}  // namespace brixen::win
