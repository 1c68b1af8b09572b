#include "test_windows.h"

namespace brixen::test {

ATOM RegisterTestWindowClass(const wchar_t* name, WNDPROC procedure, int background) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  windowClass.lpszClassName = name;
  return RegisterClassW(&windowClass);
}

OwnerForm::OwnerForm() {
  static const ATOM kClass = RegisterTestWindowClass(L"BrixenDialogOwner", Procedure, COLOR_BTNFACE);
  window_ = CreateWindowExW(0, MAKEINTATOM(kClass), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kLeft, kTop, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

OwnerForm::~OwnerForm() { DestroyWindow(window_); }

LRESULT CALLBACK OwnerForm::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<OwnerForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form != nullptr && message >= WM_USER && message < 0x8000) form->private_messages_.push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brixen::test
