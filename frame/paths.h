// Path texts as the scripting library's file system object forms them: no file system access.
#pragma once
#include "frame/types.h"

namespace brixen {

// Folder and name joined with exactly one separator: one is put between them when neither
// has it, and one is dropped when both have it ("\" and "/" both count). After a bare drive
// ("C:") none is put, which keeps the path relative to that drive as the platform does.
// An empty folder gives the name alone.
String BuildPath(StringView folder, StringView name);

// The last component of a path, trailing separators ignored: "C:\a\b.txt" and "C:\a\b.txt\"
// give "b.txt"; a root or a bare drive ("C:\", "C:", "\") gives "".
String GetFileName(StringView path);

}  // namespace brixen
