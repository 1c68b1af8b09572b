#include "dialog_driver.h"

#include <commctrl.h>
#include <dlgs.h>

namespace brixen::test {
namespace {

constexpr DWORD kPollMs = 20;

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

bool Elapsed(DWORD start, DWORD ms) { return GetTickCount() - start >= ms; }

// Every dialog of this process, a box the dialog may have shown over itself included, is
// cancelled and closed, until none is left (a few seconds at most).
void CancelAll() {
  for (int round = 0; round < 100; ++round) {
    HWND dialog = FindDialog();
    if (dialog == nullptr) return;
    Press(dialog, IDCANCEL);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    Sleep(50);
  }
}

}  // namespace

DWORD DialogTimeoutMs() { return sizeof(void*) == 4 ? 120000 : 20000; }

DialogDriver::DialogDriver(Act act) : act_(std::move(act)) {
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogDriver::~DialogDriver() { Finish(); }

void DialogDriver::Finish() {
  if (thread_ == nullptr) return;
  stop_ = true;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
}

DWORD WINAPI DialogDriver::Run(void* self) {
  static_cast<DialogDriver*>(self)->Drive();
  return 0;
}

// Until a dialog appears or the test goes on without one; then the action, and the dialog is
// watched until it goes.
void DialogDriver::Drive() {
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (!(dialog = FindDialog())) {
    if (stop_ || Elapsed(start, DialogTimeoutMs())) return;
    Sleep(kPollMs);
  }
  act_(dialog);
  acted_ = true;
  const DWORD answered = GetTickCount();
  while (IsWindow(dialog) && IsWindowVisible(dialog)) {
    if (Elapsed(answered, DialogTimeoutMs())) {
      timed_out_ = true;
      CancelAll();
      return;
    }
    Sleep(kPollMs);
  }
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

std::wstring ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    items.push_back(item.c_str());
  }
  return items;
}

RECT WindowRect(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area;
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND FileNameEdit(HWND dialog) {
  HWND edit = GetDlgItem(dialog, edt1);
  if (edit != nullptr && IsWindowVisible(edit)) return edit;
  return reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, cmb13), CBEM_GETEDITCONTROL, 0, 0));
}

HWND FindDialog() {
  HWND found = nullptr;
  EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace brixen::test
