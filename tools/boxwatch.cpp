// boxwatch: answers the message boxes of another process (a VBScript client under cscript).
//
//   boxwatch --log FILE [--answers ok,yes,no,...] [--stop-file FILE] [--timeout SECONDS]
//            [--log16 FILE]
//
// Polls for top-level message boxes, writes one line per box to FILE (UTF-8, appended):
//   title <TAB> text <TAB> style <TAB> answer <TAB> detail
// (title and text with \ TAB CR LF escaped as \\ \t \r \n; style the rebuilt MsgBox value, -1 if
// the buttons match no type; answer the button clicked, or "<wanted>:absent"; detail like
// "buttons=6,7 default=7 icon=question"), each line written before the box is answered.
// --log16 writes the same lines as UTF-16LE, which a script reads with FileSystemObject. Answers
// are used in order, then every box gets its default button. Stops when the stop file exists.
// Exit: 0 all well; 1 an answer was absent from its box or answers were left over;
//       2 bad arguments or log; 3 the watchdog fired (no stop within the timeout).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "msgbox_reader.h"

namespace {

using namespace brixen::boxes;

struct Options {
  std::wstring log;
  std::wstring log16;
  std::wstring answers;
  std::wstring stopFile;
  DWORD timeoutMs = 60000;
};

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

void Complain(const std::string& message) {
  std::fputs(("boxwatch: " + message + "\n").c_str(), stderr);
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i], value = argv[i + 1];
    if (name == L"--log") options.log = value;
    else if (name == L"--log16") options.log16 = value;
    else if (name == L"--answers") options.answers = value;
    else if (name == L"--stop-file") options.stopFile = value;
    else if (name == L"--timeout") options.timeoutMs = static_cast<DWORD>(_wtoi(value.c_str())) * 1000;
    else return false;
  }
  return argc % 2 == 1 && !options.log.empty() && options.timeoutMs > 0;
}

// The log is opened for each line, so the client may read it between boxes whatever sharing
// mode it asks for.
FileHandle OpenLog(const std::wstring& path) {
  return FileHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Append(const std::wstring& path, const void* data, DWORD size) {
  FileHandle log = OpenLog(path);
  DWORD written = 0;
  return log.get() != INVALID_HANDLE_VALUE && WriteFile(log.get(), data, size, &written, nullptr) && written == size;
}

std::wstring Utf16(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

// One line to the UTF-8 log and, when asked, to the UTF-16 one.
bool WriteLine(const Options& options, const std::string& line) {
  const std::string utf8 = line + "\n";
  bool ok = Append(options.log, utf8.data(), static_cast<DWORD>(utf8.size()));
  if (!options.log16.empty()) {
    const std::wstring utf16 = Utf16(line) + L"\r\n";
    ok = Append(options.log16, utf16.data(), static_cast<DWORD>(utf16.size() * sizeof(wchar_t))) && ok;
  }
  return ok;
}

bool StopRequested(const std::wstring& stopFile) {
  return !stopFile.empty() && GetFileAttributesW(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<HWND> VisibleMessageBoxes() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND window, LPARAM list) CALLBACK -> BOOL {
        if (IsWindowVisible(window) && IsMessageBox(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class Watcher {
 public:
  Watcher(const Options& options, AnswerList answers) : options_(options), answers_(std::move(answers)) {}

  void AnswerNewBoxes() {
    for (HWND box : VisibleMessageBoxes()) {
      if (!seen_.Add(box)) continue;
      const Decision decision = Answer(box, answers_, [this](const Box& b, const Decision& d) {
        if (!WriteLine(options_, LogLine(b, d))) Complain("cannot write the log");
      });
      if (!decision.asked) {
        Complain("answer " + Utf8(decision.answer) + ": the box had no such button");
        ok_ = false;
      }
    }
  }

  bool Finish() {
    if (answers_.Unused()) Complain(std::to_string(answers_.Unused()) + " answers left: fewer boxes than expected");
    return ok_ && !answers_.Unused();
  }

 private:
  const Options& options_;
  AnswerList answers_;
  SeenBoxes seen_;
  bool ok_ = true;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Complain("usage: boxwatch --log FILE [--answers a,b,...] [--stop-file FILE] [--timeout SECONDS]");
    return 2;
  }
  if (OpenLog(options.log).get() == INVALID_HANDLE_VALUE) {
    Complain("cannot open the log " + Utf8(options.log));
    return 2;
  }
  Watcher watcher(options, AnswerList::Parse(options.answers));
  const ULONGLONG deadline = GetTickCount64() + options.timeoutMs;
  while (!StopRequested(options.stopFile)) {
    watcher.AnswerNewBoxes();
    if (GetTickCount64() > deadline) {
      Complain("watchdog: no stop after " + std::to_string(options.timeoutMs / 1000) + " s");
      return 3;
    }
    Sleep(10);
  }
  watcher.AnswerNewBoxes();
  return watcher.Finish() ? 0 : 1;
}
