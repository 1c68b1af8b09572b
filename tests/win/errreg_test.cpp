// clsMethod.ErrReg as callers meet it through COM: the message box, then Err.log beside the DLL
// (header once, records in print zones, ANSI code page), nothing at all for code 0, and a log
// that cannot be written reported to the caller after the box.
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/ansi.h"
#include "frame/win/clock.h"
#include "frame/win/handles.h"
#include "frame/win/wide.h"
#include "msgbox_answerer.h"

namespace brixen::test {
namespace {

constexpr long kCriticalOk = MB_OK | MB_ICONHAND;  // 16

const wchar_t* ClosingNote() {
  return JapaneseTestLocale() ? L"どうかこれを控えて報告をお願いいたします。" : L"Please note this message and report.";
}

std::string Spaces(std::size_t count) { return std::string(count, ' '); }

const std::string kHeader = "ErrorCode" + Spaces(5) + "Date/Time" + Spaces(19) + "ModuleName" + Spaces(32) + "Content\r\n";

// The date and time texts a record written between the two moments may carry, in the ANSI
// code page: the system's short date, a blank, the system's time, for each second.
std::vector<std::string> DateTimesBetween(Date before, Date after) {
  std::vector<std::string> texts;
  for (Date moment = before; moment <= after + 0.5 / 86400; moment += 1.0 / 86400) {
    texts.push_back(win::ToAnsi(win::ShortDateText(std::floor(moment)) + u" " + win::TimeText(moment)));
  }
  return texts;
}

class ErrRegBilingual : public testing::Test {
 protected:
  // Calls ErrReg through its slot; the boxes it shows are answered and recorded. Returns the
  // date and time texts its record may carry.
  std::vector<std::string> ErrReg(long code, const wchar_t* text, const wchar_t* module, HRESULT expected = S_OK) {
    const OwnedBstr errString(text), moduleName(module);
    const Date before = win::Now();
    EXPECT_EQ(method_->ErrReg(code, errString.get(), moduleName.get()), expected);
    return DateTimesBetween(before, win::Now());
  }

  // Whether the log ends, from `offset`, with one record line: its first field, then the date
  // and time (one of `moments`) padded to column 43, then the rest as given.
  ::testing::AssertionResult RecordAt(std::size_t offset, const std::string& code,
                                      const std::vector<std::string>& moments, const std::string& rest) {
    const std::string bytes = log_.Bytes();
    for (const std::string& moment : moments) {
      const std::string line = code + Spaces(14 - code.size()) + moment + Spaces(28 - moment.size()) + rest + "\r\n";
      if (bytes.compare(offset, std::string::npos, line) == 0) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no record \"" << code << "... " << rest << "\" at " << offset
                                         << " in:\n" << bytes;
  }

  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
  ErrLogFile log_{FolderOfPath(DllPath("BRIXEN_DLL"))};
  MsgBoxAnswerer answerer_;
};

TEST_F(ErrRegBilingual, ShowsTheMessageThenWritesTheHeaderAndARecord) {
  const auto moments = ErrReg(6, L"Overflow", L"ErrRegTest");
  ASSERT_EQ(answerer_.Boxes().size(), 1u);
  const RecordedBox& box = answerer_.Boxes()[0];
  EXPECT_EQ(box.title, L"ERROR");
  EXPECT_EQ(box.style, kCriticalOk);
  EXPECT_EQ(box.text, std::wstring(L"ErrRegTest\r\n\r\nOverflow\r\n\r\n[ErrCode] 6\r\n\r\n") + ClosingNote());

  ASSERT_EQ(log_.Bytes().compare(0, kHeader.size(), kHeader), 0) << log_.Bytes();
  EXPECT_TRUE(RecordAt(kHeader.size(), " 6 ", moments, "ErrRegTest" + Spaces(4) + "Overflow"));
}

TEST_F(ErrRegBilingual, ASecondRecordIsAppendedUnderTheSameHeader) {
  ErrReg(6, L"Overflow", L"ErrRegTest");
  const std::string first = log_.Bytes();
  const auto moments = ErrReg(-53, L"", L"");
  ASSERT_EQ(answerer_.Boxes().size(), 2u);
  EXPECT_EQ(answerer_.Boxes()[1].text, std::wstring(L"\r\n\r\n\r\n\r\n[ErrCode] -53\r\n\r\n") + ClosingNote());

  const std::string bytes = log_.Bytes();
  ASSERT_EQ(bytes.compare(0, first.size(), first), 0) << "the first part stays as it was";
  EXPECT_TRUE(RecordAt(first.size(), "-53 ", moments, Spaces(14)));  // two empty fields
  EXPECT_EQ(bytes.find("ErrorCode", 1), std::string::npos) << "one header only";
}

// Texts are written in the ANSI code page and columns count its bytes: Japanese in code page
// 932 under the Japanese locale; in code page 1252 the characters have no form and become "?".
TEST_F(ErrRegBilingual, TextsAreWrittenInTheAnsiCodePage) {
  const auto moments = ErrReg(13, L"日本", L"エラー");
  const std::string rest = JapaneseTestLocale() ? "\x83\x47\x83\x89\x81\x5B" + Spaces(8) + "\x93\xFA\x96\x7B"
                                                : "???" + Spaces(11) + "??";
  EXPECT_TRUE(RecordAt(kHeader.size(), " 13 ", moments, rest));
  ASSERT_EQ(answerer_.Boxes().size(), 1u);
  EXPECT_EQ(answerer_.Boxes()[0].text, std::wstring(L"エラー\r\n\r\n日本\r\n\r\n[ErrCode] 13\r\n\r\n") + ClosingNote());
}

TEST_F(ErrRegBilingual, CodeZeroShowsNothingAndWritesNothing) {
  ErrReg(0, L"Overflow", L"ErrRegTest");
  EXPECT_TRUE(answerer_.Boxes().empty());
  EXPECT_FALSE(log_.Exists());

  ErrReg(5, L"Invalid", L"First");
  const std::string before = log_.Bytes();
  ErrReg(0, L"", L"");
  EXPECT_EQ(answerer_.Boxes().size(), 1u);
  EXPECT_EQ(log_.Bytes(), before);
}

TEST_F(ErrRegBilingual, LateBoundCallsReachTheSameMember) {
  ComPtr<IDispatch> method = CreateByProgId(L"BRIXEN.clsMethod");
  Call call;
  InvokeByName(method.Get(), L"ErrReg", DISPATCH_METHOD, {LongArg(9), TextArg(L"Subscript out of range"), TextArg(L"Late")},
               call);
  EXPECT_EQ(call.hr, S_OK);
  ASSERT_EQ(answerer_.Boxes().size(), 1u);
  EXPECT_EQ(answerer_.Boxes()[0].text.substr(0, 8), L"Late\r\n\r\n");
  EXPECT_NE(log_.Bytes().find(" 9 "), std::string::npos);
}

// A log that cannot be written: the box comes first, then the error returns to the caller.
// (A read-only Err.log is no case here: the tests run as root, whom Wine lets write it.)
class ErrRegLogFailure : public ErrRegBilingual {
 protected:
  void ExpectFailureAfterTheBox(long error, const wchar_t* description) {
    const std::size_t boxes = answerer_.Boxes().size();
    ErrReg(6, L"Overflow", L"Failing", MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error));
    EXPECT_EQ(LastErrorDescription(), description);
    ASSERT_EQ(answerer_.Boxes().size(), boxes + 1) << "the box is shown before the log is written";
    EXPECT_EQ(answerer_.Boxes().back().text.substr(0, 11), L"Failing\r\n\r\n");
  }
};

TEST_F(ErrRegLogFailure, ALogOpenElsewhereWithoutSharingStaysAsItWas) {
  ErrReg(5, L"Invalid procedure call or argument", L"Before");
  const std::string before = log_.Bytes();
  {
    const win::Handle lock(CreateFileW(log_.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ExpectFailureAfterTheBox(70, L"Permission denied");
  }
  EXPECT_EQ(log_.Bytes(), before);
}

TEST_F(ErrRegLogFailure, ALogThatCannotBeCreated) {
  ASSERT_TRUE(CreateDirectoryW(log_.path().c_str(), nullptr));  // a folder where the file would go
  ExpectFailureAfterTheBox(75, L"Path/File access error");
  EXPECT_TRUE(RemoveDirectoryW(log_.path().c_str()));
}

}  // namespace
}  // namespace brixen::test

namespace brixen::test {
namespace {

// The writer program built beside this one.
std::wstring WriterPath() { return ToolPath(L"brixen_errlog_writer.exe"); }

// Four processes report 500 errors each at the same moment: the log holds one header and every
// record whole, each on a line of its own.
TEST(ErrRegConcurrent, FourWritersLeaveOneHeaderAndEveryRecordWhole) {
  constexpr int kWriters = 4, kRecords = 500;
  const ErrLogFile log{FolderOfPath(DllPath("BRIXEN_DLL"))};
  const std::wstring event_name = L"BRIXEN-errlog-start-" + std::to_wstring(GetCurrentProcessId());
  const win::Handle start(CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
  std::vector<win::Handle> writers;
  for (int w = 0; w < kWriters; ++w) {
    std::wstring command = L"\"" + WriterPath() + L"\" " + event_name + L" " + std::to_wstring(w) + L" " +
                           std::to_wstring(kRecords);
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "cannot start " << testing::PrintToString(WriterPath());
    CloseHandle(process.hThread);
    writers.emplace_back(process.hProcess);
  }
  Sleep(500);  // every writer waiting at the start
  SetEvent(start.get());
  for (const win::Handle& writer : writers) {
    ASSERT_EQ(WaitForSingleObject(writer.get(), 600000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(writer.get(), &status);
    EXPECT_EQ(status, 0u);
  }

  const std::string bytes = log.Bytes();
  ASSERT_EQ(bytes.compare(0, kHeader.size(), kHeader), 0) << "the header first";
  std::vector<std::vector<int>> seen(kWriters, std::vector<int>(kRecords, 0));
  size_t lines = 0;
  for (size_t at = kHeader.size(); at < bytes.size(); ++lines) {
    const size_t end = bytes.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "a record without its line end";
    const std::string line = bytes.substr(at, end - at);
    at = end + 2;
    int writer = -1, record = -1;
    ASSERT_GE(line.size(), 42u + 8u) << line;
    ASSERT_EQ(line.compare(0, 14, " 6" + Spaces(12)), 0) << line;  // a number is printed with its sign place
    ASSERT_EQ(sscanf(line.c_str() + 42, "w%d-r%4d", &writer, &record), 2) << "module name at column 43: " << line;
    ASSERT_TRUE(writer >= 0 && writer < kWriters && record >= 0 && record < kRecords) << line;
    EXPECT_EQ(line.substr(line.size() - 8), "Overflow") << line;
    ++seen[writer][record];
  }
  EXPECT_EQ(lines, static_cast<size_t>(kWriters * kRecords));
  for (int w = 0; w < kWriters; ++w) {
    for (int r = 0; r < kRecords; ++r) EXPECT_EQ(seen[w][r], 1) << "writer " << w << " record " << r;
  }
}

}  // namespace
}  // namespace brixen::test
