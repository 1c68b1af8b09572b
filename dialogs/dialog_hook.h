// The dialog hook of the open and save dialogs and the three slots it reads: captions for the
// OK button and the file-name label (each kept until a later call replaces it) and a placement
// in the work area (rewritten by every call). The slots are shared by all objects and used on
// the caller's thread while its modal dialog runs.
#pragma once
#include <windows.h>

#include "frame/types.h"

namespace brixen::dialogs {

enum Placement : Long { kNone = 0, kCenter = 1, kLeftTop = 2, kLeftBottom = 3, kRightTop = 4, kRightBottom = 5 };

// Empty captions leave the earlier ones in force.
void SetSlots(const String& ok_caption, const String& label_caption, Long placement);

// Sets the captions when the dialog starts and moves it when it says it is ready; only in the
// Explorer-style dialog, where the hook runs in a child of the dialog.
UINT_PTR CALLBACK DialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace brixen::dialogs
