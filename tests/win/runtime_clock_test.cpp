#include "frame/win/clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brixen::win {
namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = ms;
  return t;
}

class RuntimeClock : public testing::Test {
 protected:
  void TearDown() override { ResetClockForTests(); }
  static void Fix(SYSTEMTIME t) {
    SetClockForTests([t] { return t; });
  }
};

struct ClockCase {
  SYSTEMTIME time;
  Date today;        // days since 1899-12-30
  double seconds;    // of the day, whole
  Single timer;
};

class RuntimeClockTable : public RuntimeClock, public testing::WithParamInterface<ClockCase> {};

TEST_P(RuntimeClockTable, ReadsTheSeam) {
  const ClockCase& c = GetParam();
  Fix(c.time);
  EXPECT_EQ(Today(), c.today);
  EXPECT_NEAR(TimeOfDay(), c.seconds / 86400.0, 1e-9);
  EXPECT_NEAR(Now(), c.today + c.seconds / 86400.0, 1e-9);
  EXPECT_FLOAT_EQ(Timer(), c.timer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeClockTable,
    testing::Values(ClockCase{At(2006, 7, 25, 12, 34, 56, 789), 38923, 45296, 45296.78f},
                    ClockCase{At(2006, 7, 25, 0, 0, 0, 0), 38923, 0, 0.0f},
                    ClockCase{At(1999, 12, 31, 23, 59, 59, 999), 36525, 86399, 86399.99f},
                    ClockCase{At(1900, 1, 1, 6, 0, 0, 5), 2, 21600, 21600.0f}));

TEST_F(RuntimeClock, ResetReturnsToTheSystemClock) {
  Fix(At(2001, 1, 1, 0, 0, 0, 0));
  ResetClockForTests();
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const double secondsOfDay = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond;
  EXPECT_NEAR(Timer(), secondsOfDay, 2.0);
  EXPECT_GT(Now(), 40000.0);  // after 2009
}

// The registered DLL's clock cannot be reached through the seam above: tests fix it through
// the process environment, which the default source reads at every reading.
TEST_F(RuntimeClock, EnvironmentFixesTheDefaultClock) {
  ResetClockForTests();
  ::SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", L"2006-07-25 12:34:56");
  EXPECT_EQ(Today(), 38923);
  EXPECT_NEAR(Now(), 38923 + 45296 / 86400.0, 1e-9);
  EXPECT_FLOAT_EQ(Timer(), 45296.0f);
  ::SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", L"25.7.2006");  // not the form read: the system clock
  EXPECT_GT(Now(), 40000.0);
  ::SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", nullptr);
  EXPECT_GT(Now(), 40000.0);
}

TEST(RuntimeMonotonic, AdvancesWithTimeAndNeverGoesBack) {
  const double start = MonotonicSeconds();
  ::Sleep(50);
  const double later = MonotonicSeconds();
  EXPECT_GE(later - start, 0.045);
  EXPECT_LT(later - start, 5.0);
}

// A message-only window that counts what it receives.
class Receiver {
 public:
  Receiver() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Receiver::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrixenDoEventsReceiver";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;
  ~Receiver() { ::DestroyWindow(window_); }
  HWND window() const { return window_; }
  static int count;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) ++count;
    return ::DefWindowProcW(w, m, wp, lp);
  }
  HWND window_;
};
int Receiver::count = 0;

TEST(RuntimeDoEvents, DispatchesPendingMessages) {
  Receiver receiver;
  ASSERT_NE(receiver.window(), nullptr);
  Receiver::count = 0;
  for (int i = 0; i < 3; ++i) ::PostMessageW(receiver.window(), WM_APP, 0, 0);
  DoEvents();
  EXPECT_EQ(Receiver::count, 3);
  MSG left;
  EXPECT_FALSE(::PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(RuntimeDoEvents, LeavesAQuitRequestForTheCallersLoop) {
  Receiver receiver;
  Receiver::count = 0;
  ::PostQuitMessage(7);
  DoEvents();
  MSG quit;
  ASSERT_TRUE(::PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(quit.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(quit.wParam, 7u);
}

struct OrderCase {
  String pattern;
  DateOrder order;
};

class RuntimeDateOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(RuntimeDateOrder, FollowsTheFirstField) { EXPECT_EQ(DateOrderOf(GetParam().pattern), GetParam().order); }

INSTANTIATE_TEST_SUITE_P(Table, RuntimeDateOrder,
                         testing::Values(OrderCase{u"M/d/yyyy", DateOrder::MonthDayYear},
                                         OrderCase{u"dd.MM.yyyy", DateOrder::DayMonthYear},
                                         OrderCase{u"yyyy/MM/dd", DateOrder::YearMonthDay},
                                         OrderCase{u"d-MMM-yy", DateOrder::DayMonthYear},
                                         OrderCase{u"'day' MM/dd/yy", DateOrder::MonthDayYear},
                                         OrderCase{u"ggyy'\u5E74'M'\u6708'd'\u65E5'", DateOrder::YearMonthDay},
                                         OrderCase{u"", DateOrder::MonthDayYear}));

TEST(RuntimeLocale, SystemConventionsAreReadFromTheUserLocale) {
  wchar_t pattern[80] = {};
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80);
  EXPECT_EQ(ShortDatePattern(), reinterpret_cast<const char16_t*>(pattern));
  EXPECT_EQ(SystemDateOrder(), DateOrderOf(ShortDatePattern()));
  EXPECT_EQ(DateSeparator().size(), 1u);
  EXPECT_EQ(TimeSeparator().size(), 1u);
  if (::GetUserDefaultLCID() == 0x0411) {  // Japanese
    EXPECT_EQ(SystemDateOrder(), DateOrder::YearMonthDay);
    EXPECT_EQ(DateSeparator(), u"/");
  } else if (::GetUserDefaultLCID() == 0x0409) {  // English (United States)
    EXPECT_EQ(SystemDateOrder(), DateOrder::MonthDayYear);
    EXPECT_EQ(DateSeparator(), u"/");
    EXPECT_EQ(TimeSeparator(), u":");
  }
}

}  // namespace
}  // namespace brixen::win
