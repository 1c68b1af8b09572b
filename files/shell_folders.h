// The shell's special folders and item lists as file-system paths.
#pragma once
#include <windows.h>
#include <shtypes.h>

#include "frame/types.h"

namespace brixen {

// The path of special folder `csidl` (a CSIDL number), without a trailing "\"; "" when the
// shell has no such folder or the folder has no file-system path (printers, my computer).
String SpecialFolderPath(HWND owner, int csidl);

// The file-system path of a shell item; "" for a virtual item.
String FileSystemPath(PCIDLIST_ABSOLUTE item);

}  // namespace brixen
