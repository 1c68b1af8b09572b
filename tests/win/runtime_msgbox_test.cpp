#include "frame/win/msgbox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>

#include "frame/win/handles.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

// Records each message box this thread opens and answers it with one button. The box
// gets its texts after it is activated, so they are read from a timer that runs in the
// box's own message loop.
struct Answerer {
  static inline String title;
  static inline String text;
  static inline HWND owner = nullptr;
  static inline HWND box = nullptr;
  static inline WPARAM answer = IDOK;

  static bool IsDialog(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32770";
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && box == nullptr && IsDialog(reinterpret_cast<HWND>(wParam))) {
      box = reinterpret_cast<HWND>(wParam);
      ::SetTimer(nullptr, 0, 20, &Answerer::Answer);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    wchar_t buffer[512] = {};
    ::GetWindowTextW(box, buffer, 512);
    title = FromWide(buffer);
    ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
    text = FromWide(buffer);
    owner = ::GetWindow(box, GW_OWNER);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }
};

class RuntimeMsgBox : public testing::Test {
 protected:
  void SetUp() override {
    hook_.reset(::SetWindowsHookExW(WH_CBT, &Answerer::Hook, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(hook_);
    Answerer::title.clear();
    Answerer::text.clear();
    Answerer::owner = nullptr;
    Answerer::box = nullptr;
  }

  // Without a display no box opens: MsgBox returns at once and the hook saw nothing.
  static bool NoDisplay(Long) { return Answerer::box == nullptr; }

  Hook hook_;
};

struct AnswerCase {
  Long style;
  WPARAM button;
  Long result;
};

class RuntimeMsgBoxAnswers : public RuntimeMsgBox, public testing::WithParamInterface<AnswerCase> {};

TEST_P(RuntimeMsgBoxAnswers, ReturnsTheButtonPressed) {
  Answerer::answer = GetParam().button;
  const Long result = MsgBox(u"Continue?", GetParam().style, u"Question");
  if (NoDisplay(result)) GTEST_SKIP() << "no display";
  EXPECT_EQ(result, GetParam().result);
  EXPECT_EQ(Answerer::title, u"Question");
  EXPECT_EQ(Answerer::text, u"Continue?");
}

INSTANTIATE_TEST_SUITE_P(Table, RuntimeMsgBoxAnswers,
                         testing::Values(AnswerCase{MB_OK | MB_ICONSTOP, IDOK, vbOK},
                                         AnswerCase{MB_YESNO, IDYES, vbYes}, AnswerCase{MB_YESNO, IDNO, vbNo},
                                         AnswerCase{MB_OKCANCEL, IDCANCEL, vbCancel},
                                         AnswerCase{MB_RETRYCANCEL, IDRETRY, vbRetry}));

TEST_F(RuntimeMsgBox, EmptyTitleIsTheLibraryName) {
  Answerer::answer = IDOK;
  const Long result = MsgBox(u"\u65E5\u672C\u8A9E");
  if (NoDisplay(result)) GTEST_SKIP() << "no display";
  EXPECT_EQ(Answerer::title, u"BRIXEN");
  EXPECT_EQ(Answerer::text, u"\u65E5\u672C\u8A9E");
}

TEST_F(RuntimeMsgBox, OwnedByTheActiveWindow) {
  const HWND window = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr);
  if (window == nullptr) GTEST_SKIP() << "no display";
  ::SetActiveWindow(window);
  Answerer::answer = IDOK;
  const Long result = MsgBox(u"owned", MB_OK, u"T");
  const HWND active = ::GetActiveWindow();
  ::DestroyWindow(window);
  if (NoDisplay(result)) GTEST_SKIP() << "no display";
  if (active == nullptr) GTEST_SKIP() << "the desktop gives this thread no active window";
  EXPECT_EQ(Answerer::owner, window);
}

}  // namespace
}  // namespace brixen::win
