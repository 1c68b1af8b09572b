#include "frame/win/shell.h"

#include <windows.h>

#include <utility>

#include "frame/errors.h"
#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

WORD ShowCommandOf(Long windowStyle) {
  switch (windowStyle) {
    case vbHide: return SW_HIDE;
    case vbNormalFocus: return SW_SHOWNORMAL;
    case vbMinimizedFocus: return SW_SHOWMINIMIZED;
    case vbMaximizedFocus: return SW_SHOWMAXIMIZED;
    case vbNormalNoFocus: return SW_SHOWNOACTIVATE;
    case vbMinimizedNoFocus: return SW_SHOWMINNOACTIVE;
    default: Raise(kErrInvalidCall);
  }
}

Double StartProcess(StringView commandLine, Long windowStyle) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowCommandOf(windowStyle);
  String mutableLine(commandLine);  // CreateProcessW may write into its command line
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, Wide(mutableLine.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    RaiseLastError();
  }
  const Handle process(started.hProcess), thread(started.hThread);
  return static_cast<Double>(started.dwProcessId);
}

ProgramStarter& Starter() {
  static ProgramStarter starter = StartProcess;
  return starter;
}

}  // namespace

Double Shell(StringView pathName, Long windowStyle) { return Starter()(pathName, windowStyle); }

void SetProgramStarterForTests(ProgramStarter starter) { Starter() = std::move(starter); }
void ResetProgramStarterForTests() { Starter() = StartProcess; }

}  // namespace brixen::win
