// Refuses the message boxes the calling thread makes while the object lives: each box's window is
// refused as it is created, so the box returns at once (0) and nobody has to answer it. For test
// programs that call members thousands of times, each ending in a logged error and its box. Other
// dialogs (the common dialogs) are left alone.
//
// Wine's server keeps the handle of each refused window: after 12,000 to 17,000 refusals in one
// process, the next window that process really makes crashes the server. Keep a process's
// refusals below that (the leak tests run each group in a process of its own).
#pragma once
#include <windows.h>

#include <cwchar>

namespace brixen::boxes {

class RefusedMessageBoxes {
 public:
  RefusedMessageBoxes() : hook_(SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId())) {}
  ~RefusedMessageBoxes() { UnhookWindowsHookEx(hook_); }
  RefusedMessageBoxes(const RefusedMessageBoxes&) = delete;
  RefusedMessageBoxes& operator=(const RefusedMessageBoxes&) = delete;

 private:
  // Every top-level dialog window but those of the common dialogs (which comdlg32 makes from its
  // own templates) is taken for a message box.
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
      const HMODULE common_dialogs = GetModuleHandleW(L"comdlg32.dll");
      wchar_t kind[16] = {};
      if (!(created->lpcs->style & WS_CHILD) && (!common_dialogs || created->lpcs->hInstance != common_dialogs) &&
          GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16) && std::wcscmp(kind, L"#32770") == 0) {
        return 1;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook_;
};

}  // namespace brixen::boxes
