// Drives the platform's common dialogs that a test opens on its own thread. A thread of the
// driver finds the next visible top-level dialog (class #32770) of this process, hands it to the
// test's action once, and cancels it should it still stand when the time-out has passed: a
// dialog nobody answers ends the test's call instead of hanging the run.
//
//   DialogDriver driver([&](HWND dialog) {
//     title = TextOf(dialog);
//     SetWindowTextW(FileNameEdit(dialog), L"a.txt");
//     Press(dialog, IDOK);
//   });
//   dialog->OpenDialog(...);   // returns once the action (or the time-out) has closed the dialog
//   driver.Finish();           // the action's results may be read from here on
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace brixen::test {

// The time a dialog gets to appear, and then to be answered. The 32-bit build runs emulated,
// several times slower.
DWORD DialogTimeoutMs();

class DialogDriver {
 public:
  using Act = std::function<void(HWND)>;
  explicit DialogDriver(Act act);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Waits for the thread: once a dialog was acted on, until it is gone (or cancelled at the
  // time-out); when none appeared, at once.
  void Finish();
  bool Acted() const { return acted_; }
  bool TimedOut() const { return timed_out_; }  // the dialog was still there at the time-out

 private:
  static DWORD WINAPI Run(void* self);
  void Drive();

  Act act_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> acted_{false};
  std::atomic<bool> timed_out_{false};
  HANDLE thread_ = nullptr;
};

// Reading and answering a dialog from the driver's thread.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
std::wstring ItemText(HWND dialog, int id);
std::vector<std::wstring> ComboItems(HWND combo);
RECT WindowRect(HWND window);
void Press(HWND dialog, int id);  // as a click on the button would
// The edit box of the file name in an open or save dialog: a plain one in a dialog with a hook,
// the one inside the name combo box otherwise.
HWND FileNameEdit(HWND dialog);
// The first visible top-level dialog of this process, or null.
HWND FindDialog();

}  // namespace brixen::test
