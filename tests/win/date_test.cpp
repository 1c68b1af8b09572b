// clsDATE through its slots. The registered DLL is a module of its own with its own clock, so
// members that read today are tested with the clock fixed through BRIXEN_TEST_NOW in this
// process's environment, which the DLL's clock reads at every reading.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "frame/com/variant.h"
#include "frame/locale.h"
#include "frame/runtime/dates.h"
#include "msgbox_answerer.h"

namespace brixen::test {
namespace {

Date At(Long y, Long m, Long d, Long h = 0, Long n = 0, Long s = 0) {
  return rt::DateSerial(y, m, d) + rt::TimeSerial(h, n, s);
}

// A BSTR result, freed with the holder.
struct Text {
  BSTR value = nullptr;
  Text() = default;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text() { SysFreeString(value); }
  BSTR* put() { return &value; }
  std::wstring str() const { return value ? std::wstring(value, SysStringLen(value)) : std::wstring(); }
};

// Err.log beside the registered DLL, removed before and after each test that reads it.
std::wstring ErrLogPath() {
  std::wstring path = DllPath("BRIXEN_DLL");
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"Err.log";
}

std::string ReadErrLog() {
  std::string bytes;
  if (FILE* file = _wfopen(ErrLogPath().c_str(), L"rb")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    fclose(file);
  }
  return bytes;
}

class DateSlots : public testing::Test {
 protected:
  void SetUp() override { DeleteFileW(ErrLogPath().c_str()); }
  void TearDown() override {
    SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", nullptr);
    DeleteFileW(ErrLogPath().c_str());
  }
  static void ClockAt(const wchar_t* moment) { SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", moment); }

  // The call showed one ErrReg box that starts with the module's literal and logged the literal.
  static void ExpectLogged(const MsgBoxAnswerer& answerer, const std::string& module) {
    ASSERT_EQ(answerer.Boxes().size(), 1u) << module;
    EXPECT_EQ(answerer.Boxes()[0].title, L"ERROR");
    EXPECT_EQ(answerer.Boxes()[0].text.rfind(std::wstring(module.begin(), module.end()), 0), 0u)
        << "the box starts with the literal, leading blank included";
    EXPECT_NE(ReadErrLog().find(module), std::string::npos) << "Err.log has no record of '" << module << "'";
  }

  ComPtr<_clsDATE> date_ = Create<_clsDATE>(CLSID_clsDATE);
};

// ---- date arithmetic

struct RangeCase {
  const wchar_t* now;
  ENUM_DATE which;
  Date first, last;
};

TEST_F(DateSlots, GetSevralDateSetsBothEndsOfTheRange) {
  const RangeCase cases[] = {
      {L"2006-07-25 10:30:00", wantToday, At(2006, 7, 25), At(2006, 7, 25)},
      {L"2006-07-25 10:30:00", wantThisMonth, At(2006, 7, 1), At(2006, 7, 31)},
      {L"2006-03-31 08:00:00", wantPrevMonth, At(2006, 2, 1), At(2006, 2, 28)},
      {L"2006-01-31 08:00:00", wantNextMonth, At(2006, 2, 1), At(2006, 2, 28)},
      {L"2008-02-15 00:00:00", wantThisMonth, At(2008, 2, 1), At(2008, 2, 29)},
      {L"2006-07-25 10:30:00", wantmaxDate, At(1900, 1, 1), At(2999, 1, 1)},
  };
  for (const RangeCase& c : cases) {
    ClockAt(c.now);
    DATE first = -7, last = -7;
    ASSERT_EQ(date_->GetSevralDate(c.which, &first, &last), S_OK);
    EXPECT_EQ(first, c.first) << c.which << " at " << std::string(c.now, c.now + wcslen(c.now));
    EXPECT_EQ(last, c.last) << c.which;
  }
}

TEST_F(DateSlots, GetSevralDateWithAnotherValueChangesNothing) {
  for (int which : {0, 6}) {
    DATE first = 123.5, last = 456.25;
    ASSERT_EQ(date_->GetSevralDate(static_cast<ENUM_DATE>(which), &first, &last), S_OK);
    EXPECT_EQ(first, 123.5);
    EXPECT_EQ(last, 456.25);
  }
}

TEST_F(DateSlots, CalendarValues) {
  long seconds = -1;
  ASSERT_EQ(date_->GetSecondsByTime(At(2006, 7, 25, 23, 59, 59), &seconds), S_OK);
  EXPECT_EQ(seconds, 86399);
  ASSERT_EQ(date_->GetSecondsByTime(At(2006, 7, 25), &seconds), S_OK);
  EXPECT_EQ(seconds, 0);

  long number = 0;
  ASSERT_EQ(date_->CvDateToSuji(At(2006, 7, 25, 18), &number), S_OK);
  EXPECT_EQ(number, 20060725);

  DATE end = 0;
  ASSERT_EQ(date_->GetEndDate(At(2006, 12, 15), &end), S_OK);
  EXPECT_EQ(end, At(2006, 12, 31));
  ASSERT_EQ(date_->GetEndDate(At(2006, 2, 10, 13), &end), S_OK);
  EXPECT_EQ(end, At(2006, 2, 28, 13));
}

TEST_F(DateSlots, GetKongetuNissuCountsTheDaysAndAnswersZeroQuietly) {
  const struct {
    short year, month, days;
  } cases[] = {{2000, 2, 29}, {1900, 2, 28}, {2006, 2, 28}, {2006, 7, 31}, {2006, 9, 30}, {2006, 13, 0}, {2006, 0, 0}};
  MsgBoxAnswerer answerer;
  for (const auto& c : cases) {
    short days = -1;
    ASSERT_EQ(date_->GetKongetuNissu(c.year, c.month, &days), S_OK);
    EXPECT_EQ(days, c.days) << c.year << "/" << c.month;
  }
  EXPECT_TRUE(answerer.Boxes().empty());
  EXPECT_EQ(ReadErrLog(), "") << "nothing is logged";
}

Variant DateArg(Date value) { return Variant::FromDate(value); }

TEST_F(DateSlots, IsExactDateWarnsInTheSystemsLanguage) {
  const std::wstring title = IsJapaneseSystem() ? L"入力エラー" : L"ERROR";
  const std::wstring text = IsJapaneseSystem() ? L"日付の入力が間違っています！" : L"Date is not correct!";
  const struct {
    const char* name;
    Variant value;
    bool date, warned;
  } cases[] = {
      {"null", Variant::Null(), false, false},
      {"February 30th", Variant(u"2006/02/30"), false, true},
      {"February 28th", Variant(u"2006/02/28"), true, false},
      {"a date", DateArg(At(2006, 7, 25)), true, false},
      {"a number", Variant(Long{38923}), false, true},
      {"empty", Variant(), false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MsgBoxAnswerer answerer;
    VARIANT_BOOL result = 7;
    ASSERT_EQ(date_->IsExactDate(c.value.get(), &result), S_OK);
    EXPECT_EQ(result, c.date ? VARIANT_TRUE : VARIANT_FALSE);
    ASSERT_EQ(answerer.Boxes().size(), c.warned ? 1u : 0u);
    if (!c.warned) continue;
    EXPECT_EQ(answerer.Boxes()[0].title, title);
    EXPECT_EQ(answerer.Boxes()[0].text, text);
    EXPECT_EQ(answerer.Boxes()[0].style, MB_OK | MB_ICONEXCLAMATION);
  }
}

// ---- texts

TEST_F(DateSlots, ElapsedTimeTexts) {
  const struct {
    long seconds;
    const wchar_t* text;
  } clock_cases[] = {{0, L"00:00:00"}, {59, L"00:00:59"}, {3725, L"01:02:05"}, {86399, L"23:59:59"},
                     {360000, L"100:00:00"}, {-3725, L"-01:-02:-05"}};
  for (const auto& c : clock_cases) {
    Text text;
    ASSERT_EQ(date_->CvtToFunByo(c.seconds, text.put()), S_OK);
    EXPECT_EQ(text.str(), c.text);
  }

  const std::wstring unit = IsJapaneseSystem() ? L"日" : L"days";
  const struct {
    float seconds;
    const wchar_t* days;
    const wchar_t* clock;
  } day_cases[] = {{90061, L"1", L" 01:01:01"}, {59, L"0", L" 00:00:59"}, {86400, L"1", L" 00:00:00"},
                   {0.5f, L"0", L" 00:00:00"}, {1.5f, L"0", L" 00:00:02"}};
  for (const auto& c : day_cases) {
    Text text;
    ASSERT_EQ(date_->CvtToDayFunByo(c.seconds, text.put()), S_OK);
    EXPECT_EQ(text.str(), c.days + unit + c.clock);
  }

  const Date start = At(2006, 7, 25, 10, 30);
  const Date later = start + rt::TimeSerial(1, 0, 1);
  Text forward, backward, long_span;
  ASSERT_EQ(date_->GetKeika(start, later, forward.put()), S_OK);
  EXPECT_EQ(forward.str(), L"01:00:01");
  ASSERT_EQ(date_->GetKeika(later, start, backward.put()), S_OK);
  EXPECT_EQ(backward.str(), L"-01:00:-01");
  ASSERT_EQ(date_->GetKeika(start, start + 194 + rt::TimeSerial(4, 20, 17), long_span.put()), S_OK);
  EXPECT_EQ(long_span.str(), L"4660:20:17") << "every second counts on long spans";
}

TEST_F(DateSlots, JapaneseDateTextsOfToday) {
  const struct {
    const wchar_t* now;
    const wchar_t* caller;
    const wchar_t* today;
    const wchar_t* status;
  } cases[] = {
      {L"2006-01-05 09:00:00", L"", L"2006年01月05日", L"  本日:2006年01月05日  あけましておめでとうございます"},
      {L"2007-01-01 00:00:00", L"", L"2007年01月01日", L"  本日:2007年01月01日  あけましておめでとうございます"},
      {L"2006-07-25 23:59:59", L"Ready", L"2006年07月25日", L"Ready  本日:2006年07月25日"},
      {L"2006-07-14 12:00:00", L"x", L"2006年07月14日", L"x  本日:2006年07月14日  今日は革命記念日です"},
  };
  for (const auto& c : cases) {
    ClockAt(c.now);
    Text today, status;
    ASSERT_EQ(date_->GetToday(today.put()), S_OK);
    EXPECT_EQ(today.str(), c.today);
    BSTR caller = SysAllocString(c.caller);
    ASSERT_EQ(date_->GetDateStr(caller, status.put()), S_OK);
    SysFreeString(caller);
    EXPECT_EQ(status.str(), c.status);
  }
}

TEST_F(DateSlots, GetKasanStrGreetsOnFixedDays) {
  const struct {
    const wchar_t* date;
    const wchar_t* greeting;
  } cases[] = {
      {L"2007/1/7", L"  あけましておめでとうございます"},
      {L"2007/1/8", L""},
      {L"2007/1/10", L"  正月気分も抜けてきました。がんばりましょう。"},
      {L"2007/1/11", L""},
      {L"2006/7/7", L"  今日は七夕です"},
      {L"2006/7/14", L"  今日は革命記念日です"},
      {L"2006/12/23", L"  メリークリスマス！"},
      {L"2006/12/25", L""},
  };
  for (const auto& c : cases) {
    Text greeting;
    BSTR date = SysAllocString(c.date);
    ASSERT_EQ(date_->GetKasanStr(date, greeting.put()), S_OK);
    SysFreeString(date);
    EXPECT_EQ(greeting.str(), c.greeting);
  }
}

// ---- failures: each member with a handler logs its literal and returns its documented result

TEST_F(DateSlots, GetSevralDateBeyondTheLastMonthLogsAndLeavesTheDates) {
  ClockAt(L"9999-12-15 10:00:00");
  MsgBoxAnswerer answerer({L"ok"});
  DATE first = 123.5, last = 456.25;
  ASSERT_EQ(date_->GetSevralDate(wantNextMonth, &first, &last), S_OK);
  EXPECT_EQ(first, 123.5);
  EXPECT_EQ(last, 456.25);
  ExpectLogged(answerer, "GetSevralDate");
}

TEST_F(DateSlots, GetSevralDateThisMonthInDecember9999LogsTheEndDate) {
  ClockAt(L"9999-12-15 10:00:00");
  MsgBoxAnswerer answerer({L"ok"});
  DATE first = 123.5, last = 456.25;
  ASSERT_EQ(date_->GetSevralDate(wantThisMonth, &first, &last), S_OK);
  EXPECT_EQ(first, At(9999, 12, 1));
  EXPECT_EQ(last, 0) << "GetEndDate's zero date";
  ExpectLogged(answerer, "GetEndDate");
}

// Each case makes its member fail and checks the result it documents after the error.
struct FailingCall {
  const char* module;
  std::function<void(_clsDATE*)> call;
};

TEST_F(DateSlots, MembersWithAHandlerLogTheirLiteralAndReturnTheirDefault) {
  const FailingCall cases[] = {
      {" GetSecondsByTime",
       [](_clsDATE* date) {
         long seconds = -1;
         ASSERT_EQ(date->GetSecondsByTime(1e8, &seconds), S_OK);
         EXPECT_EQ(seconds, 0);
       }},
      {"CvDateToSuji",
       [](_clsDATE* date) {
         long number = -1;
         ASSERT_EQ(date->CvDateToSuji(-1e8, &number), S_OK);
         EXPECT_EQ(number, 0);
       }},
      {"GetEndDate",
       [](_clsDATE* date) {
         DATE end = -1;
         ASSERT_EQ(date->GetEndDate(At(9999, 12, 15), &end), S_OK);
         EXPECT_EQ(end, 0) << "the zero date";
       }},
      {"IsExactDate",  // an object is judged by its default value, which this one lacks
       [](_clsDATE* date) {
         VARIANT_BOOL result = VARIANT_TRUE;
         ASSERT_EQ(date->IsExactDate(Variant(static_cast<IDispatch*>(date)).get(), &result), S_OK);
         EXPECT_EQ(result, VARIANT_FALSE);
       }},
      {"CvtToDayFunByo",
       [](_clsDATE* date) {
         Text text;
         ASSERT_EQ(date->CvtToDayFunByo(3e9f, text.put()), S_OK);
         EXPECT_EQ(text.str(), L"");
       }},
      {"GetKeika",
       [](_clsDATE* date) {
         Text text;
         ASSERT_EQ(date->GetKeika(At(1900, 1, 1), At(2000, 1, 1), text.put()), S_OK);
         EXPECT_EQ(text.str(), L"");
       }},
      {"GetKasanStr",
       [](_clsDATE* date) {
         Text text;
         BSTR no_date = SysAllocString(L"not a date");
         ASSERT_EQ(date->GetKasanStr(no_date, text.put()), S_OK);
         SysFreeString(no_date);
         EXPECT_EQ(text.str(), L"");
       }},
  };
  for (const FailingCall& c : cases) {
    SCOPED_TRACE(c.module);
    DeleteFileW(ErrLogPath().c_str());
    MsgBoxAnswerer answerer({L"ok"});
    c.call(date_.Get());
    ExpectLogged(answerer, c.module);
  }
}

// ---- late binding reaches the same members

TEST_F(DateSlots, LateBoundRangeIsWrittenBackToTheCallersVariables) {
  ClockAt(L"2006-07-25 10:30:00");
  ComPtr<IDispatch> date = CreateByProgId(L"BRIXEN.clsDATE");
  VARIANT first, last;
  VariantInit(&first);
  VariantInit(&last);
  VARIANT first_ref, last_ref;
  V_VT(&first_ref) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&first_ref) = &first;
  V_VT(&last_ref) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&last_ref) = &last;
  Call call;
  InvokeByName(date.Get(), L"GetSevralDate", DISPATCH_METHOD, {LongArg(wantThisMonth), first_ref, last_ref}, call);
  ASSERT_EQ(call.hr, S_OK);
  ASSERT_EQ(V_VT(&first), VT_DATE);
  EXPECT_EQ(V_DATE(&first), At(2006, 7, 1));
  ASSERT_EQ(V_VT(&last), VT_DATE);
  EXPECT_EQ(V_DATE(&last), At(2006, 7, 31));
}

}  // namespace
}  // namespace brixen::test
