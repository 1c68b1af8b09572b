// Answers the message boxes the calling thread shows while it lives, and records them.
//
//   MsgBoxAnswerer answerer({L"yes", L"cancel"});   // then every box gets its default button
//   ... code that calls MessageBox on this thread ...
//   ASSERT_EQ(answerer.Boxes().size(), 2u);
//   EXPECT_EQ(answerer.Boxes()[0].style, MB_YESNO | MB_ICONQUESTION);
//
// A thread-local WH_CBT hook sees each box as it is activated; a timer of the box then reads it,
// with the same code as tools/boxwatch, once it is complete, and clicks the chosen button.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "msgbox_reader.h"

namespace brixen::test {

struct RecordedBox {
  std::wstring title;
  std::wstring text;
  long style;           // rebuilt MB_* value (buttons + icon + default button), -1 if unknown
  std::wstring answer;  // button clicked ("yes", ...), or "<wanted>:absent"
};

class MsgBoxAnswerer {
 public:
  explicit MsgBoxAnswerer(std::vector<std::wstring> answers = {});
  ~MsgBoxAnswerer();
  MsgBoxAnswerer(const MsgBoxAnswerer&) = delete;
  MsgBoxAnswerer& operator=(const MsgBoxAnswerer&) = delete;

  const std::vector<RecordedBox>& Boxes() const { return boxes_; }
  size_t UnusedAnswers() const { return answers_.Unused(); }

 private:
  struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
  };
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  void AnswerBox(HWND window);

  boxes::AnswerList answers_;
  boxes::SeenBoxes seen_;
  std::vector<RecordedBox> boxes_;
  MsgBoxAnswerer* outer_;  // the answerer this one hides on the same thread, restored at the end
  std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook> hook_;
};

}  // namespace brixen::test
