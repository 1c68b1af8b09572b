// The name lists the shell's file operations take: each name followed by one NUL and the list
// ended by one more (a double NUL).
#pragma once
#include "frame/types.h"

namespace brixen {

// "a,b" -> "a\0b\0\0": callers name several files separated by ",", so a name containing ","
// cannot be passed.
String ShellFileList(StringView commaSeparatedNames);

// One destination, unchanged, ended by a double NUL.
String ShellDestination(StringView path);

}  // namespace brixen
