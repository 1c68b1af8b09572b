// The shell-link creator: writes a shortcut (.lnk) to a program into a folder named relative
// to the start menu's programs folder, as setup programs name their groups.
#pragma once
#include "frame/types.h"

namespace brixen {

// The group names of an old Japanese profile layout, relative to the programs folder. Current
// profiles keep these folders elsewhere and under other names, so the creator takes the three
// names for the shell's real desktop, start menu and programs folders.
inline constexpr char16_t kGroupDesktop[] = u"..\\..\\デスクトップ";
inline constexpr char16_t kGroupStartMenu[] = u"..\\..\\スタート メニュー";
inline constexpr char16_t kGroupPrograms[] = u"..\\..\\スタート メニュー\\プログラム";

// The base folder token the creator understands: the start menu's programs folder.
inline constexpr char16_t kProgramsBase[] = u"$(Programs)";

// Writes `linkName`.lnk into `groupName` (relative to the base, created when missing; empty
// means the base itself) pointing at `target` with `arguments`, working in the target's folder.
// `currentUser` non-zero (True) takes the current user's folders, 0 those of all users.
// Returns 1 when the shortcut was written, 0 otherwise (unknown base, a folder that cannot be
// made, a link the shell cannot write).
Long fCreateShellLink(const String& groupName, const String& linkName, const String& target, const String& arguments,
                      Long currentUser, const String& base);

}  // namespace brixen
