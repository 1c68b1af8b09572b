// brixen_dialog_answer.exe TITLE cancel | TITLE ok [NAME]: answers the open or save dialog titled
// TITLE that a VBScript client (another process) shows: cancels it, or types NAME into its
// file-name box, when given, and confirms. Waits up to 120 s for the dialog; exit 0 when it
// answered, 1 when no such dialog came, 2 on bad arguments. The VBScript tests start it
// (WScript.Shell's Run) just before the call that shows the dialog.
#include <windows.h>

#include <cstdio>
#include <string>

#include "dialog_driver.h"

namespace {

using namespace brixen::test;

constexpr DWORD kWaitMs = 120000;

struct Wanted {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK Consider(HWND window, LPARAM wanted) {
  auto& dialog = *reinterpret_cast<Wanted*>(wanted);
  if (!IsWindowVisible(window) || ClassOf(window) != L"#32770" || TextOf(window) != dialog.title) return TRUE;
  dialog.found = window;
  return FALSE;
}

HWND WaitForDialog(const std::wstring& title) {
  Wanted wanted{title};
  for (const DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
    EnumWindows(Consider, reinterpret_cast<LPARAM>(&wanted));
    if (wanted.found != nullptr) return wanted.found;
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring answer = argc >= 3 ? argv[2] : L"";
  if ((answer != L"ok" || argc > 4) && (answer != L"cancel" || argc != 3)) {
    std::fprintf(stderr, "usage: brixen_dialog_answer TITLE cancel | TITLE ok [NAME]\n");
    return 2;
  }
  HWND dialog = WaitForDialog(argv[1]);
  if (dialog == nullptr) {
    std::fprintf(stderr, "brixen_dialog_answer: no dialog titled \"%ls\"\n", argv[1]);
    return 1;
  }
  if (answer == L"cancel") {
    Press(dialog, IDCANCEL);
    return 0;
  }
  if (argc == 4) SetWindowTextW(FileNameEdit(dialog), argv[3]);
  Press(dialog, IDOK);
  return 0;
}
