#include "dates/clsDATE.h"

#include <variant>

#include "dates/date_arithmetic.h"
#include "dates/date_texts.h"
#include "frame/locale.h"
#include "frame/win/clock.h"
#include "frame/win/msgbox.h"

namespace brixen {
namespace {

using NoResult = std::monostate;

constexpr Long kExclamationOk = 48;  // vbExclamation, OK button only

// The run-time's IsDate of a value: a date is one, a text when it reads as one with the
// system's rules; an object is judged by its default value (reading it may fail); numbers,
// Booleans and Empty are not.
bool IsDateValue(const Variant& value) {
  if (value.Type() == VT_DATE) return true;
  if (value.Type() != VT_BSTR && !value.IsObject()) return false;
  return rt::IsDate(value.ToString(), win::SystemReadOrder(), win::Now());
}

void WarnNotADate() {
  const dates::Message message = dates::NotADateMessage(IsJapaneseSystem());
  win::MsgBox(message.text, kExclamationOk, message.title);
}

}  // namespace

void clsDATE::GetSevralDate(Long Which, Date& dt1, Date& dt2) {
  log_.Handle<NoResult>(u"GetSevralDate", [&](NoResult&) {
    dates::SetRange(Which, win::Now(), dt1, dt2, [this](Date day) { return GetEndDate(day); });
  });
}

Long clsDATE::GetSecondsByTime(Date timDate) {
  return log_.Handle<Long>(u" GetSecondsByTime", [&](Long& r) { r = dates::SecondsOfTheDay(timDate); });
}

Long clsDATE::CvDateToSuji(Date dtDate) {
  return log_.Handle<Long>(u"CvDateToSuji", [&](Long& r) { r = dates::EightDigitDate(dtDate); });
}

// Its handler logs nothing: a year and month that form no date give 0.
Integer clsDATE::GetKongetuNissu(Integer tYear, Integer tMonth) {
  try {
    return dates::DaysInMonth(tYear, tMonth, win::SystemReadOrder(), win::Now());
  } catch (const RuntimeError&) {
    return 0;
  }
}

Boolean clsDATE::IsExactDate(const Variant& varDate) {
  return log_.Handle<Boolean>(u"IsExactDate", [&](Boolean& r) {
    if (varDate.IsNull()) return;
    if (!IsDateValue(varDate)) return WarnNotADate();
    r = true;
  });
}

Date clsDATE::GetEndDate(Date dtTarget) {
  return log_.Handle<Date>(u"GetEndDate", [&](Date& r) { r = dates::EndOfMonth(dtTarget); });
}

String clsDATE::CvtToFunByo(Long Keika) {
  return log_.Handle<String>(u"CvtToFunByo", [&](String& r) { r = dates::ClockText(Keika); });
}

String clsDATE::CvtToDayFunByo(Single Keika) {
  return log_.Handle<String>(u"CvtToDayFunByo",
                             [&](String& r) { r = dates::DaysAndClockText(Keika, IsJapaneseSystem()); });
}

// The seconds go on as the Long DateDiff counts, not through a Single, which would lose
// whole seconds on spans longer than about 194 days.
String clsDATE::GetKeika(Date Time1, Date Time2) {
  return log_.Handle<String>(u"GetKeika", [&](String& r) { r = CvtToFunByo(dates::ElapsedSeconds(Time1, Time2)); });
}

String clsDATE::GetToday() { return dates::JapaneseDateText(win::Today()); }

String clsDATE::GetDateStr(const String& tStr) {
  return log_.Handle<String>(u"GetDateStr", [&](String& r) {
    const String today = GetToday();
    r = dates::StatusText(tStr, today, GetKasanStr(today));
  });
}

String clsDATE::GetKasanStr(const String& DateStr) {
  return log_.Handle<String>(u"GetKasanStr", [&](String& r) {
    r = dates::GreetingOfText(DateStr, win::SystemReadOrder(), win::Now());
  });
}

}  // namespace brixen
