#include "desktop.h"

#include "picturebox/canvas.h"

namespace brixen::demo {
namespace {

constexpr COLORREF kBackdrop = RGB(58, 110, 165);
constexpr int kFormLeft = 40, kFormTop = 40, kFormWidth = 540, kFormHeight = 250;

ATOM WindowClass(const wchar_t* name, HBRUSH background) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassW(&windowClass);
}

}  // namespace

Form::Form()
    : backdropBrush_(CreateSolidBrush(kBackdrop)),
      backdrop_(CreateWindowExW(0, MAKEINTATOM(WindowClass(L"BrixenDemoBackdrop", backdropBrush_.get())), L"",
                                WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr)),
      form_(CreateWindowExW(0, MAKEINTATOM(WindowClass(L"BrixenDemoForm", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))),
                            L"Customer record", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, kFormLeft, kFormTop,
                            kFormWidth, kFormHeight, nullptr, nullptr, nullptr, nullptr)) {
  Child(L"STATIC", L"Customer code:", 0, 20, 28, 110, 20);
  code_ = Child(L"EDIT", L"00012345", WS_BORDER | ES_AUTOHSCROLL, 130, 25, 130, 24);
  Child(L"STATIC", L"Name:", 0, 20, 98, 110, 20);
  Child(L"EDIT", L"Hanako Yamada", WS_BORDER | ES_AUTOHSCROLL, 130, 95, 300, 24);
  Child(L"STATIC", L"Since:", 0, 20, 134, 110, 20);
  Child(L"EDIT", L"2006/07/25", WS_BORDER | ES_AUTOHSCROLL, 130, 131, 130, 24);
  save_ = Child(L"BUTTON", L"Save", BS_DEFPUSHBUTTON, 130, 175, 90, 30);
  Child(L"BUTTON", L"Print", BS_PUSHBUTTON, 235, 175, 90, 30);
  close_ = Child(L"BUTTON", L"Close", BS_PUSHBUTTON, 340, 175, 90, 30);
  SetForegroundWindow(form_.get());
}

HWND Form::Child(const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int width, int height) {
  HWND child = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, form_.get(), nullptr,
                               nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

bool SaveScreen(const RECT& area, const std::wstring& path) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  picbox::Image image(width, height);
  const win::WindowDC screen(nullptr);
  if (!BitBlt(image.dc(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return false;
  try {
    picbox::SaveBmp(image, path);
  } catch (const picbox::PictureError&) {
    return false;
  }
  return true;
}

}  // namespace brixen::demo
