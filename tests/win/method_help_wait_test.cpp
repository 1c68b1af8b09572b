// clsMethod's help, control panel, INI default and waiting members as callers meet them: the
// settings windows started without waiting, defaults written into real INI files only where
// the key is absent, the help file's bilingual message, and pauses that let this thread's window
// messages run (or not) and end on time whatever the wall clock does.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "allocation_failure.h"
#include "com_fixture.h"
#include "frame/com/variant.h"
#include "frame/win/clock.h"
#include "frame/win/handles.h"
#include "frame/win/shell.h"
#include "helpers/clsMethod.h"
#include "msgbox_answerer.h"

namespace brixen::test {
namespace {

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}


// ---- RunContolPanel

// What would be started, recorded instead of starting it (in-process: the seam is this
// program's copy of the run-time).
class MethodRunContolPanel : public testing::Test {
 protected:
  void SetUp() override {
    win::SetProgramStarterForTests([this](StringView line, Long style) {
      started_.push_back({String(line), style});
      return 1234.0;
    });
  }
  void TearDown() override { win::ResetProgramStarterForTests(); }

  struct Started {
    String commandLine;
    Long style;
    bool operator==(const Started&) const = default;
  };
  std::vector<Started> started_;
};

TEST_F(MethodRunContolPanel, StartsTheSettingsWindowOfEachKindMinimized) {
  clsMethod method;
  for (Long kind : {0, 1, 2, 3, -1}) method.RunContolPanel(kind);
  const std::vector<Started> expected = {
      {u"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 2},
      {u"rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", 2},
      {u"rundll32.exe shell32.dll,SHHelpShortcuts_RunDLL PrintersFolder", 2},
  };
  EXPECT_EQ(started_, expected);
}

TEST_F(MethodRunContolPanel, AProgramThatCannotStartIsTheCallersError) {
  win::SetProgramStarterForTests([](StringView, Long) -> Double { Raise(kErrFileNotFound); });
  MsgBoxAnswerer answerer;
  clsMethod method;
  try {
    method.RunContolPanel(0);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kErrFileNotFound);
  }
  EXPECT_TRUE(answerer.Boxes().empty()) << "no handler, nothing logged";
}

// The programs this process has started that are still running: id and file name.
using Children = std::vector<std::pair<DWORD, std::wstring>>;

Children RunningChildren() {
  Children children;
  const win::Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == GetCurrentProcessId()) children.emplace_back(entry.th32ProcessID, entry.szExeFile);
  }
  return children;
}

// Those of them that were not running before.
Children StartedSince(const Children& before) {
  Children started = RunningChildren();
  std::erase_if(started, [&](const auto& child) { return std::find(before.begin(), before.end(), child) != before.end(); });
  return started;
}

// Through COM the program really starts (under Wine it ends by itself, showing nothing): the
// call returns while it is still starting. Its command line is checked in-process above.
TEST(MethodRunContolPanelStarted, StartsThePrintersFolderWithoutWaiting) {
  const ComPtr<_clsMethod> method = Create<_clsMethod>(CLSID_clsMethod);
  const auto before = RunningChildren();
  ASSERT_EQ(method->RunContolPanel(eCPL_OPEN_PRINTERFOLDER), S_OK);
  const auto started = StartedSince(before);
  ASSERT_EQ(started.size(), 1u) << "one program, still running when the call returns";
  EXPECT_EQ(_wcsicmp(started[0].second.c_str(), L"rundll32.exe"), 0) << started[0].second;
  const win::Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, started[0].first));
  ASSERT_TRUE(process);
  if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
}

TEST(MethodRunContolPanelStarted, AnUnknownKindStartsNothing) {
  const ComPtr<_clsMethod> method = Create<_clsMethod>(CLSID_clsMethod);
  const auto before = RunningChildren();
  EXPECT_EQ(method->RunContolPanel(static_cast<ENUM_CONTOLPANELKIND>(3)), S_OK);
  EXPECT_TRUE(StartedSince(before).empty());
}

// ---- RegIniDefaultKey

class MethodRegIniDefaultKey : public testing::Test {
 protected:
  void RegIniDefaultKey(const Variant& value) {
    const OwnedBstr section(L"Section"), key(L"Key"), file(ini_);
    ASSERT_EQ(method_->RegIniDefaultKey(section.get(), key.get(), value.get(), file.get()), S_OK);
  }
  void WriteIni(const std::string& text) { std::ofstream(std::filesystem::path(ini_), std::ios::binary) << text; }
  std::wstring Value() const {
    wchar_t value[256];
    GetPrivateProfileStringW(L"Section", L"Key", L"<absent>", value, 256, ini_.c_str());
    return value;
  }

  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
  TempFolder folder_;
  const std::wstring ini_ = folder_ / L"defaults.ini";
  MsgBoxAnswerer answerer_;
};

Variant Currency(LONGLONG tenThousandths) {
  Variant value;
  VARIANT* raw = value.put();
  V_VT(raw) = VT_CY;
  V_CY(raw).int64 = tenThousandths;
  return value;
}

Variant Byte200() {
  Variant value;
  VARIANT* raw = value.put();
  V_VT(raw) = VT_UI1;
  V_UI1(raw) = 200;
  return value;
}

// A default given by reference, as script callers pass their variables.
Variant LongByReference() {
  static LONG referenced = 42;
  Variant value;
  VARIANT* raw = value.put();
  V_VT(raw) = VT_BYREF | VT_I4;
  V_I4REF(raw) = &referenced;
  return value;
}

TEST_F(MethodRegIniDefaultKey, WritesANumberOrATextOnlyWhereTheKeyIsAbsent) {
  const struct {
    const char* before;  // nullptr: no file yet
    Variant value;
    const wchar_t* after;
  } cases[] = {
      {nullptr, Variant(Long{5}), L"5"},  // the platform's write creates the file
      {"[Section]\r\nOther=1\r\n", Variant(Integer{-7}), L"-7"},
      {"[Section]\r\nOther=1\r\n", Variant(Double{1.5}), L"1.5"},
      {"[Section]\r\nOther=1\r\n", Variant(Single{0.25f}), L"0.25"},
      {"[Section]\r\nOther=1\r\n", Currency(123400), L"12.34"},
      {"[Section]\r\nOther=1\r\n", LongByReference(), L"42"},
      {"[Section]\r\nKey=12\r\n", Variant(Long{5}), L"12"},
      {"[Section]\r\nKey=word\r\n", Variant(Long{5}), L"word"},  // reads as 0, which is no absence
      {"[Section]\r\nKey=411209\r\n", Variant(Long{5}), L"5"},    // the number meaning "absent"
      {nullptr, Variant(u"text"), L"text"},
      {"[Section]\r\nKey=\r\n", Variant(u"text"), L""},
      {"[Section]\r\nKey=kestrelo\r\n", Variant(u"text"), L"text"},  // the text meaning "absent"
      {"[Section]\r\nKey=Kestrelo\r\n", Variant(u"text"), L"Kestrelo"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(ini_);
    if (c.before) WriteIni(c.before);
    RegIniDefaultKey(c.value);
    EXPECT_EQ(Value(), c.after) << (c.before ? c.before : "no file") << " with VARTYPE " << c.value.Type();
  }
  for (const RecordedBox& box : answerer_.Boxes()) ADD_FAILURE() << "box: " << testing::PrintToString(box.text);
}

TEST_F(MethodRegIniDefaultKey, OtherKindsOfDefaultAreRefusedWithAMessage) {
  const Variant refused[] = {Variant(), Variant::Null(), Variant(true), Variant::FromDate(38923.5), Byte200()};
  WriteIni("[Section]\r\nOther=1\r\n");
  const std::string before = FileBytes(ini_);
  for (const Variant& value : refused) RegIniDefaultKey(value);
  ASSERT_EQ(answerer_.Boxes().size(), std::size(refused));
  for (const RecordedBox& box : answerer_.Boxes()) {
    EXPECT_EQ(box.text, L"Unknown vartype !");
    EXPECT_EQ(box.style, MB_OK);
    EXPECT_EQ(box.title, L"BRIXEN");  // the run-time's default title
  }
  EXPECT_EQ(FileBytes(ini_), before);
}

// A section or key of 32,767 characters and more names no entry, and a value that long cannot be
// written (Wine's 32-bit profile writer crashed on one): nothing is written, no box.
TEST_F(MethodRegIniDefaultKey, OverlongNamesAndValuesWriteNothing) {
  WriteIni("[Section]\r\nOther=1\r\n");
  const std::string before = FileBytes(ini_);
  const OwnedBstr overlong(std::wstring(32767, L'k')), section(L"Section"), key(L"Key"), file(ini_);
  for (const Variant& value : {Variant(Long{5}), Variant(u"text")}) {
    EXPECT_EQ(method_->RegIniDefaultKey(overlong.get(), key.get(), value.get(), file.get()), S_OK);
    EXPECT_EQ(method_->RegIniDefaultKey(section.get(), overlong.get(), value.get(), file.get()), S_OK);
  }
  const Variant overlong_value(String(40000, u'v'));
  EXPECT_EQ(method_->RegIniDefaultKey(section.get(), key.get(), overlong_value.get(), file.get()), S_OK);
  EXPECT_EQ(FileBytes(ini_), before);
  EXPECT_TRUE(answerer_.Boxes().empty());
}

TEST(MethodRegIniDefaultKeyHandler, AFailureIsReportedUnderRegIniDefaultKeyInt) {
  const TempFolder folder;
  clsMethod method;
  const std::wstring path = folder / L"failing.ini";
  const String section = u"Section", key = u"Key", file(path.begin(), path.end());
  const Variant value(u"text");
  ExpectOutOfMemoryReportedAs("RegIniDefaultKeyInt", [&] { method.RegIniDefaultKey(section, key, value, file); });
}

// ---- RunHelp32

TEST(MethodHelpBilingual, AMissingHelpFileIsNamedInTheMessage) {
  const ComPtr<_clsMethod> method = Create<_clsMethod>(CLSID_clsMethod);
  const TempFolder folder;
  const std::wstring name = folder / L"missing.hlp";
  MsgBoxAnswerer answerer;
  ASSERT_EQ(method->RunHelp32(0, OwnedBstr(name).get()), S_OK);
  ASSERT_EQ(method->RunHelp32(0, OwnedBstr(L"").get()), S_OK);
  const std::wstring note = JapaneseTestLocale() ? L"次のヘルプファイルが見つかりません " : L"I cannot find help files.";
  ASSERT_EQ(answerer.Boxes().size(), 2u);
  EXPECT_EQ(answerer.Boxes()[0].text, note + L"\r\n\r\n" + name);
  EXPECT_EQ(answerer.Boxes()[1].text, note + L"\r\n\r\n");
  for (const RecordedBox& box : answerer.Boxes()) {
    EXPECT_EQ(box.title, L"ERROR");
    EXPECT_EQ(box.style, MB_OK | MB_ICONHAND);
  }
}

TEST(MethodHelpHandler, AFailureIsReportedUnderRunHelp32) {
  clsMethod method;
  const String name = u"C:\\no such folder\\no such help file.hlp";
  ExpectOutOfMemoryReportedAs("RunHelp32", [&] { method.RunHelp32(0, name); });
}

// ---- WaitChotto, WaitChottoWithoutEvent

// A window of this thread that counts the messages it is sent, with a posted message waiting
// and a timer ticking every 50 ms from the start of each test.
class MethodWait : public testing::Test {
 protected:
  static constexpr UINT kPosted = WM_APP + 1;

  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BrixenWaitTestWindow";
    RegisterClassW(&windowClass);  // fails harmlessly when registered by an earlier test
    window_ = CreateWindowW(L"BrixenWaitTestWindow", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    posted_ = ticks_ = 0;
    PostMessageW(window_, kPosted, 0, 0);
    SetTimer(window_, 1, 50, nullptr);
  }
  void TearDown() override {
    KillTimer(window_, 1);
    DestroyWindow(window_);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
  }

  // Seconds the call took.
  template <class Call>
  static double Timed(Call call) {
    const double start = win::MonotonicSeconds();
    call();
    return win::MonotonicSeconds() - start;
  }

  bool PostedMessageStillQueued() const {
    MSG message;
    return PeekMessageW(&message, window_, kPosted, kPosted, PM_NOREMOVE) != 0;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPosted) ++posted_;
    if (message == WM_TIMER) ++ticks_;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
  HWND window_ = nullptr;
  static inline int posted_ = 0;
  static inline int ticks_ = 0;
};

// Generous bounds: the machine running the tests may be busy.
constexpr double kLateness = 2.0;

TEST_F(MethodWait, WaitChottoLetsTheCallersMessagesRunWhileItWaits) {
  const double seconds = Timed([&] { ASSERT_EQ(method_->WaitChotto(0.5f), S_OK); });
  EXPECT_GE(seconds, 0.49);
  EXPECT_LT(seconds, 0.5 + kLateness);
  EXPECT_EQ(posted_, 1);
  EXPECT_GE(ticks_, 2) << "timer messages ran during the wait, not only at its start";
}

TEST_F(MethodWait, WaitChottoWithoutEventLetsNoMessageRun) {
  const double seconds = Timed([&] { ASSERT_EQ(method_->WaitChottoWithoutEvent(0.5f), S_OK); });
  EXPECT_GE(seconds, 0.49);
  EXPECT_LT(seconds, 0.5 + kLateness);
  EXPECT_EQ(posted_, 0);
  EXPECT_EQ(ticks_, 0);
  EXPECT_TRUE(PostedMessageStillQueued());
}

TEST_F(MethodWait, ATimeAlreadyPastEndsAtOnceWithoutRunningMessages) {
  EXPECT_LT(Timed([&] { method_->WaitChotto(-1.0f); }), kLateness);
  EXPECT_LT(Timed([&] { method_->WaitChottoWithoutEvent(-0.5f); }), kLateness);
  EXPECT_EQ(posted_, 0);
  EXPECT_TRUE(PostedMessageStillQueued());
}

TEST_F(MethodWait, ZeroWaitsNoLongerThanATick) {
  EXPECT_LT(Timed([&] { method_->WaitChotto(0.0f); }), kLateness);
  EXPECT_LT(Timed([&] { method_->WaitChottoWithoutEvent(0.0f); }), kLateness);
}

// The wall clock standing still one second before midnight (the run-time's clock reads
// BRIXEN_TEST_NOW): the waits still end after their time, counted on the monotonic clock.
TEST_F(MethodWait, WaitsEndOnTimeWhateverTheWallClockDoes) {
  SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", L"2006-07-25 23:59:59");
  const double withEvents = Timed([&] { method_->WaitChotto(0.3f); });
  const double withoutEvents = Timed([&] { method_->WaitChottoWithoutEvent(0.3f); });
  SetEnvironmentVariableW(L"BRIXEN_TEST_NOW", nullptr);
  for (double seconds : {withEvents, withoutEvents}) {
    EXPECT_GE(seconds, 0.29);
    EXPECT_LT(seconds, 0.3 + kLateness);
  }
}

}  // namespace
}  // namespace brixen::test
