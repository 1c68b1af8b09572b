#include "msgbox_answerer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brixen::test {
namespace {

struct BoxCase {
  const char* name;
  const wchar_t* title;
  const wchar_t* text;
  UINT style;
  std::vector<std::wstring> answers;
  int expectedResult;
  const wchar_t* expectedAnswer;
};

void PrintTo(const BoxCase& c, std::ostream* out) { *out << c.name; }

const BoxCase kCases[] = {
    {"OkByDefault", L"Plain", L"Nothing to ask", MB_OK, {}, IDOK, L"ok"},
    {"HandOkCancel", L"Stop", L"Cancel me", MB_OKCANCEL | MB_ICONHAND, {L"cancel"}, IDCANCEL, L"cancel"},
    {"QuestionYes", L"Ask", L"Yes or no?", MB_YESNO | MB_ICONQUESTION, {L"yes"}, IDYES, L"yes"},
    {"QuestionDefaultNo", L"Ask", L"Default is no", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {}, IDNO, L"no"},
    {"ExclamationThird", L"Warn", L"Three ways", MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON3, {L"no"}, IDNO,
     L"no"},
    {"AsteriskRetry", L"Info", L"Again?", MB_ABORTRETRYIGNORE | MB_ICONASTERISK, {L"retry"}, IDRETRY, L"retry"},
    {"AbortIgnoreDefault", L"Info", L"Ignore it", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {L"default"}, IDIGNORE,
     L"ignore"},
    {"RetryCancel", L"Disk", L"Not ready", MB_RETRYCANCEL | MB_ICONHAND, {L"cancel"}, IDCANCEL, L"cancel"},
    {"CancelTryContinue", L"Go on", L"Continue?", MB_CANCELTRYCONTINUE | MB_DEFBUTTON2, {L"continue"}, IDCONTINUE,
     L"continue"},
    {"Unicode", L"\u00dcbersicht \u65e5\u672c", L"Zeile 1\r\n\u3053\u3093\u306b\u3061\u306f\tend", MB_OK | MB_ICONASTERISK,
     {L"ok"}, IDOK, L"ok"},
    {"AbsentButtonGetsDefault", L"Wrong", L"Only OK here", MB_OK, {L"yes"}, IDOK, L"yes:absent"},
};

class AnsweredBox : public testing::TestWithParam<BoxCase> {};

TEST_P(AnsweredBox, IsRecordedAndAnswered) {
  const BoxCase& c = GetParam();
  MsgBoxAnswerer answerer(c.answers);
  const int result = MessageBoxW(nullptr, c.text, c.title, c.style);
  EXPECT_EQ(result, c.expectedResult);
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  const RecordedBox& box = answerer.Boxes()[0];
  EXPECT_EQ(box.title, c.title);
  EXPECT_EQ(box.text, c.text);
  EXPECT_EQ(box.style, static_cast<long>(c.style));
  EXPECT_EQ(box.answer, c.expectedAnswer);
  EXPECT_EQ(answerer.UnusedAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Styles, AnsweredBox, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST(MsgBoxAnswerer, AnswersSeveralBoxesInOrderThenDefaults) {
  MsgBoxAnswerer answerer({L"no", L"cancel"});
  EXPECT_EQ(MessageBoxW(nullptr, L"one", L"1", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, L"two", L"2", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, L"three", L"3", MB_YESNO | MB_DEFBUTTON2), IDNO);
  ASSERT_EQ(answerer.Boxes().size(), 3u);
  EXPECT_EQ(answerer.Boxes()[2].text, L"three");
  EXPECT_EQ(answerer.Boxes()[2].answer, L"no");
}

TEST(MsgBoxAnswerer, CountsAnswersNoBoxAskedFor) {
  MsgBoxAnswerer answerer({L"yes", L"no"});
  MessageBoxW(nullptr, L"only one", L"1", MB_YESNO);
  EXPECT_EQ(answerer.UnusedAnswers(), 1u);
}

TEST(MsgBoxAnswerer, IgnoresBoxesOfOtherThreads) {
  MsgBoxAnswerer answerer;
  struct Result {
    int value = -1;
  } result;
  // The other thread answers its own box; this thread's answerer must not see it.
  auto worker = [](void* p) CALLBACK -> DWORD {
    MsgBoxAnswerer own({L"cancel"});
    static_cast<Result*>(p)->value = MessageBoxW(nullptr, L"elsewhere", L"thread", MB_OKCANCEL);
    return 0;
  };
  struct Closer {
    void operator()(HANDLE h) const { CloseHandle(h); }
  };
  std::unique_ptr<void, Closer> thread(CreateThread(nullptr, 0, worker, &result, 0, nullptr));
  ASSERT_TRUE(thread);
  // Wait as a window thread must: the box may send messages to this thread's windows (the
  // input method's, once a test has used it), which a plain wait would never answer.
  const ULONGLONG deadline = GetTickCount64() + 10000;
  HANDLE handle = thread.get();
  DWORD waited = WAIT_TIMEOUT;
  while (GetTickCount64() < deadline) {
    waited = MsgWaitForMultipleObjects(1, &handle, FALSE, 100, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) break;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  ASSERT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_EQ(result.value, IDCANCEL);
  EXPECT_TRUE(answerer.Boxes().empty());
}

struct EscapeCase {
  const wchar_t* text;
  const char* field;
};

TEST(MsgBoxLog, EscapesFieldsAndWritesUtf8) {
  const EscapeCase cases[] = {
      {L"plain", "plain"},
      {L"a\tb", "a\\tb"},
      {L"line1\r\nline2", "line1\\r\\nline2"},
      {L"back\\slash", "back\\\\slash"},
      {L"\u00e4\u65e5", "\xc3\xa4\xe6\x97\xa5"},
      {L"", ""},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(boxes::EscapeField(c.text), c.field) << c.field;
}

TEST(MsgBoxLog, LineHasTitleTextStyleAnswerDetail) {
  boxes::Box box{L"T", L"x\ny", {IDYES, IDNO}, IDNO, boxes::Icon::Question};
  const boxes::Decision decision = boxes::Decide(box, L"yes");
  EXPECT_EQ(boxes::LogLine(box, decision), "T\tx\\ny\t292\tyes\tbuttons=6,7 default=7 icon=question");
}

}  // namespace
}  // namespace brixen::test
