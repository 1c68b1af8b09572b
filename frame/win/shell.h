// The run-time's Shell: starts a program from a command line and returns at once.
#pragma once
#include <functional>

#include "frame/types.h"

namespace brixen::win {

// The window styles Shell takes (the run-time's vbAppWinStyle).
enum ShellWindowStyle : Long {
  vbHide = 0,
  vbNormalFocus = 1,
  vbMinimizedFocus = 2,
  vbMaximizedFocus = 3,
  vbNormalNoFocus = 4,
  vbMinimizedNoFocus = 6,
};

// Starts the program the command line names (searched as CreateProcess searches) with the
// window style given, does not wait for it, and returns its task identifier (the process id).
// 53 when the program cannot be found, 5 for a style not listed above, the mapped Win32 error
// for any other failure to start.
Double Shell(StringView pathName, Long windowStyle = vbMinimizedFocus);

// What Shell does with a command line and a style; tests replace it to see what would be
// started without starting it.
using ProgramStarter = std::function<Double(StringView commandLine, Long windowStyle)>;
void SetProgramStarterForTests(ProgramStarter starter);
void ResetProgramStarterForTests();

}  // namespace brixen::win
