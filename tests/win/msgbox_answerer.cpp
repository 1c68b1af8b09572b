#include "msgbox_answerer.h"

namespace brixen::test {
namespace {
thread_local MsgBoxAnswerer* current = nullptr;
constexpr UINT_PTR kAnswerTimer = 0xB0C5;
}

MsgBoxAnswerer::MsgBoxAnswerer(std::vector<std::wstring> answers)
    : answers_(std::move(answers)),
      outer_(current),
      hook_(SetWindowsHookExW(WH_CBT, &MsgBoxAnswerer::OnCbt, nullptr, GetCurrentThreadId())) {
  current = this;
}

MsgBoxAnswerer::~MsgBoxAnswerer() { current = outer_; }

// The box is activated from inside its WM_INITDIALOG, before the default button is set: answer
// from a timer of the box, which its modal loop runs once the box is complete and shown.
LRESULT CALLBACK MsgBoxAnswerer::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && current && boxes::IsMessageBox(window))
    SetTimer(window, kAnswerTimer, 0, &MsgBoxAnswerer::OnTimer);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MsgBoxAnswerer::OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  if (current) current->AnswerBox(window);
}

void MsgBoxAnswerer::AnswerBox(HWND window) {
  if (!seen_.Add(window)) return;
  boxes::Answer(window, answers_, [this](const boxes::Box& box, const boxes::Decision& decision) {
    boxes_.push_back({box.title, box.text, boxes::StyleOf(box), decision.answer});
  });
}

}  // namespace brixen::test
