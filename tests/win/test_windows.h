// Windows of the test program itself, as a caller's program has them: a window class of its own,
// and a caller's form that notes what it is sent.
#pragma once
#include <windows.h>

#include <vector>

namespace brixen::test {

// Registers a window class of this program, with the system colour `background` (COLOR_...)
// behind its windows.
ATOM RegisterTestWindowClass(const wchar_t* name, WNDPROC procedure, int background);

// A caller's form: a visible top-level window that notes the messages of the private range
// (those a dialog sends to its own windows) it gets.
class OwnerForm {
 public:
  static constexpr int kLeft = 300, kTop = 200;
  OwnerForm();
  ~OwnerForm();
  OwnerForm(const OwnerForm&) = delete;
  OwnerForm& operator=(const OwnerForm&) = delete;

  HWND get() const { return window_; }
  const std::vector<UINT>& PrivateMessages() const { return private_messages_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<UINT> private_messages_;
};

}  // namespace brixen::test
