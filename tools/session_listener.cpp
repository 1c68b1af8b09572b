// brixen_session_listener.exe LOG READY: another program of a Wine session, for the shutdown test
// (tests/win/property_shutdown_test.cpp). It shows a top-level window, creates the file READY,
// and writes one line to LOG for each end-session message the window receives:
//   WM_QUERYENDSESSION <lParam in hexadecimal>      (answered: the session may end)
//   WM_ENDSESSION <wParam> <lParam in hexadecimal>
// It ends after WM_ENDSESSION, or after two minutes without one.
#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMilliseconds = 120000;
FILE* log_file = nullptr;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION:
      std::fprintf(log_file, "WM_QUERYENDSESSION %lx\n", static_cast<unsigned long>(lParam));
      std::fflush(log_file);
      return TRUE;
    case WM_ENDSESSION:
      std::fprintf(log_file, "WM_ENDSESSION %u %lx\n", static_cast<unsigned>(wParam), static_cast<unsigned long>(lParam));
      std::fflush(log_file);
      PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      PostQuitMessage(1);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: brixen_session_listener LOG READY\n");
    return 2;
  }
  log_file = _wfopen(argv[1], L"w");
  if (!log_file) return 3;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = ListenerProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"BrixenSessionListener";
  RegisterClassW(&window_class);
  const HWND window = CreateWindowW(window_class.lpszClassName, L"BRIXEN session listener", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    0, 0, 200, 100, nullptr, nullptr, window_class.hInstance, nullptr);
  if (!window) return 4;
  SetTimer(window, kGiveUpTimer, kGiveUpMilliseconds, nullptr);
  FILE* ready = _wfopen(argv[2], L"w");
  if (!ready) return 5;
  std::fclose(ready);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  std::fclose(log_file);
  return static_cast<int>(message.wParam);
}
