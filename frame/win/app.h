// The application object and the screen object as the library sees them.
#pragma once
#include <windows.h>

#include "frame/types.h"

namespace brixen::win {

// The folder of the module holding this code: the DLL's folder inside the DLL, the
// executable's folder when the code is linked into a program. No trailing backslash
// except for a drive's root ("C:\"); long paths come back whole.
String AppPath();

// The instance handle of that module.
HINSTANCE AppInstance();

// The folder part of a module's full file name, by the rule of AppPath.
String FolderOf(StringView fullName);

// Full file name of a module (nullptr: the process's executable), without length limit.
String ModuleFileName(HMODULE module);

// The screen's size in twips: pixels times twips per pixel, where twips per pixel is
// 1440 divided (as an integer) by the screen's logical dots per inch.
Single ScreenWidthTwips();
Single ScreenHeightTwips();

}  // namespace brixen::win
