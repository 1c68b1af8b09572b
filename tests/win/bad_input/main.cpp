// Calls every member of every class with bad arguments, one position at a time, late bound by
// name and through the slots, and judges each call: the process survives, no call blocks longer
// than the member waits by its nature, each call ends with a result or a run-time error a VB
// caller can read, and by-value arguments come back unchanged.
//
//   brixen_bad_input.exe           the judge: runs the calls in child processes (a child that dies
//                                  or hangs is replaced, going on after the call that did it),
//                                  prints the figures and every defect; exit code 1 on a defect
//   brixen_bad_input.exe --child N the calls from number N on, each announced before it is made
//
// BRIXEN_DLL names the library (its type library lists the members); the classes are created
// through their registration. The BSTR cache should be off (OANOCACHE=1), so a text freed by
// mistake shows.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calls.h"
#include "frame/win/handles.h"
#include "members.h"
#include "policy.h"
#include "refused_boxes.h"

namespace brixen::bad_input {
namespace {

std::wstring Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Emulated 32-bit runs are several times slower: every limit scales with this.
int Slowness() { return Environment(L"BRIXEN_BITS") == L"32" ? 6 : 1; }

// ---- the child: makes the calls ------------------------------------------------------------------

// Answers a dialog or message box of this process: a cancel where there is one, else No, else OK.
BOOL CALLBACK CloseIfDialog(HWND window, LPARAM) {
  DWORD process = 0;
  wchar_t kind[16] = {};
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !GetClassNameW(window, kind, 16) || std::wcscmp(kind, L"#32770") != 0) return TRUE;
  for (int button : {IDCANCEL, IDNO, IDOK}) {
    if (HWND control = GetDlgItem(window, button)) {
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
      return TRUE;
    }
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Members that show a dialog wait for the user; here nobody is there.
DWORD WINAPI CloseDialogs(void*) {
  for (;;) {
    Sleep(20);
    EnumWindows(CloseIfDialog, 0);
  }
}

void Report(const char* format, auto... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// A call that faults ends the child at once with the fault's code (no debugger is started): the
// judge reports it and goes on in a new child.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* fault) {
  Report("X 0x%08lX at %p\n", static_cast<unsigned long>(fault->ExceptionRecord->ExceptionCode),
         fault->ExceptionRecord->ExceptionAddress);
  TerminateProcess(GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

int RunChild(const std::vector<Member>& members, std::size_t from) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(EndOnFault);
  win::Handle closer(CreateThread(nullptr, 0, CloseDialogs, nullptr, 0, nullptr));
  const boxes::RefusedMessageBoxes refused;  // thousands of calls end in a logged error and its box
  const std::vector<Case> cases = MakeCases(members);
  for (std::size_t i = from; i < cases.size(); ++i) {
    Report("C %zu\n", i);
    const auto started = std::chrono::steady_clock::now();
    const std::vector<std::wstring> faults = Make(cases[i], members[cases[i].member]);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    for (const std::wstring& fault : faults) Report("F %zu %s\n", i, Utf8(fault).c_str());
    Report("D %zu %lld\n", i, static_cast<long long>(took.count()));
  }
  Report("E\n");
  return 0;
}

// ---- the judge: runs the children ----------------------------------------------------------------

struct Figures {
  std::size_t calls = 0, script_calls = 0, slot_calls = 0, children = 0;
  long long longest_ms = -1;
  std::size_t longest = 0;
  std::map<std::size_t, long long> member_ms;  // member -> time of all its calls
  std::set<std::size_t> members_called;
  std::map<std::size_t, std::vector<std::string>> defects;  // case -> what went wrong
};

class Child {
 public:
  explicit Child(std::size_t from) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    output_.reset(read);
    win::Handle child_end(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --child " + std::to_wstring(from);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = child_end.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return;
    process_.reset(info.hProcess);
    win::Handle thread(info.hThread);
  }

  // The next whole line, waiting at most `limit`; false when none came (a hang) or the child ended.
  bool NextLine(std::string& line, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      const std::size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return true;
      }
      DWORD available = 0;
      if (!PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr)) return false;  // ended
      if (available == 0) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(2);
        continue;
      }
      std::string chunk(available, '\0');
      DWORD read = 0;
      ReadFile(output_.get(), chunk.data(), available, &read, nullptr);
      pending_.append(chunk, 0, read);
    }
  }

  bool Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  void Kill() { TerminateProcess(process_.get(), 99); }
  DWORD ExitCode() const {
    DWORD code = 0;
    WaitForSingleObject(process_.get(), 5000);
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }
  bool Started() const { return static_cast<bool>(process_); }

 private:
  win::Handle process_, output_;
  std::string pending_;
};

// Runs one child from `from`; returns where the next child starts (cases.size() when all are done).
std::size_t RunOneChild(std::size_t from, const std::vector<Case>& cases, Figures& figures) {
  Child child(from);
  ++figures.children;
  if (!child.Started()) {
    std::fprintf(stderr, "cannot start a child process\n");
    std::exit(2);
  }
  const std::chrono::milliseconds hang(60000 * Slowness()), slow(5000 * Slowness());
  std::size_t current = from;
  bool fault_reported = false;
  std::string line;
  while (child.NextLine(line, hang)) {
    std::size_t index = 0;
    long long ms = 0;
    char text[4096] = {};
    if (line.rfind("E", 0) == 0) return cases.size();
    if (std::sscanf(line.c_str(), "C %zu", &index) == 1) {
      current = index;
      ++figures.calls;
      ++(cases[index].binding == Binding::Script ? figures.script_calls : figures.slot_calls);
      figures.members_called.insert(cases[index].member);
    } else if (std::sscanf(line.c_str(), "F %zu %4095[^\r]", &index, text) == 2) {
      figures.defects[index].push_back(text);
    } else if (line.rfind("X ", 0) == 0) {
      figures.defects[current].push_back("the process died: " + line.substr(2));
      fault_reported = true;
    } else if (std::sscanf(line.c_str(), "D %zu %lld", &index, &ms) == 2) {
      if (std::chrono::milliseconds(ms) > slow) figures.defects[index].push_back("blocked for " + std::to_string(ms) + " ms");
      figures.member_ms[cases[index].member] += ms;
      if (ms > figures.longest_ms) {
        figures.longest_ms = ms;
        figures.longest = index;
      }
    }
  }
  if (child.Running()) {
    child.Kill();
    figures.defects[current].push_back("hung: no answer within " + std::to_string(hang.count() / 1000) + " s");
  } else if (!fault_reported) {
    char code[32];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(child.ExitCode()));
    figures.defects[current].push_back(std::string("the process died (exit code ") + code + ")");
  }
  return current + 1;  // the call that hung or ended the child is not made again
}

int RunJudge(const std::vector<Member>& members) {
  const std::vector<Case> cases = MakeCases(members);
  Figures figures;
  for (std::size_t next = 0; next < cases.size();) next = RunOneChild(next, cases, figures);

  std::set<std::wstring> excluded;
  for (const Member& member : members) {
    if (Excluded(member)) excluded.insert(member.FullName());
  }
  std::printf("bad input: %zu members in the library, %zu called, %zu excluded; %zu calls (%zu by name, %zu through "
              "slots) in %zu processes\n",
              members.size(), figures.members_called.size(), excluded.size(), figures.calls, figures.script_calls,
              figures.slot_calls, figures.children);
  if (figures.longest_ms >= 0) {
    std::printf("  the longest call took %lld ms: %s\n", figures.longest_ms, Utf8(Describe(cases[figures.longest], members)).c_str());
  }
  std::vector<std::pair<long long, std::size_t>> slowest;
  for (const auto& [member, ms] : figures.member_ms) slowest.emplace_back(ms, member);
  std::sort(slowest.rbegin(), slowest.rend());
  slowest.resize(std::min<std::size_t>(slowest.size(), 5));
  for (const auto& [ms, member] : slowest) std::printf("  %s: %lld ms in all\n", Utf8(members[member].FullName()).c_str(), ms);
  for (const Exclusion& e : Exclusions()) std::printf("  not called: %s: %s\n", Utf8(e.member).c_str(), Utf8(e.reason).c_str());
  for (const Pin& p : Pins()) {
    std::printf("  held: %s's %s: %s\n", Utf8(p.member).c_str(), Utf8(p.param).c_str(), Utf8(p.reason).c_str());
  }
  for (const auto& [index, what] : figures.defects) {
    for (const std::string& defect : what) std::printf("DEFECT %s: %s\n", Utf8(Describe(cases[index], members)).c_str(), defect.c_str());
  }
  std::printf("bad input: %zu defects\n", figures.defects.size());
  return figures.defects.empty() ? 0 : 1;
}

}  // namespace
}  // namespace brixen::bad_input

int wmain(int argc, wchar_t** argv) {
  using namespace brixen::bad_input;
  const std::wstring dll = Environment(L"BRIXEN_DLL");
  if (dll.empty()) {
    std::fprintf(stderr, "BRIXEN_DLL names no library\n");
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return 2;
  const std::vector<Member> members = ReadMembers(dll);
  const bool child = argc == 3 && std::wcscmp(argv[1], L"--child") == 0;
  const int result = child ? RunChild(members, std::wcstoul(argv[2], nullptr, 10)) : RunJudge(members);
  OleUninitialize();
  return result;
}
