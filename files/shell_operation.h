// The shell's file operation (SHFileOperationW) as the copy and delete members run it.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>

namespace brixen {

// Runs the operation; true when the shell reports success and the user aborted nothing.
bool RunShellFileOperation(SHFILEOPSTRUCTW& operation);

// What runs the operation (SHFileOperationW, returning its result); tests replace it to see
// the structure the members fill in.
using ShellFileOperation = std::function<int(SHFILEOPSTRUCTW& operation)>;
void SetShellFileOperationForTests(ShellFileOperation operation);
void ResetShellFileOperationForTests();

}  // namespace brixen
