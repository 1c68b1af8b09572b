// clsProperty: what the system does on the caller's behalf: the screen saver switched on or off,
// logging off or shutting down, the shell's find, open and explore verbs, and the program
// associated with a file.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "files/clsFILE.h"
#include "frame/win/ansi.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

constexpr DWORD kShutdownReason = 10;

// One ShellExecute call without parameters or directory; its value as a Long.
Long ShellVerb(Long hwnd, const char* verb, const String& file, Long nShowCmd) {
  const std::string name = win::ToAnsi(file);
  const HINSTANCE result = ::ShellExecuteA(win::WindowOf(hwnd), verb, name.c_str(), nullptr, nullptr, nShowCmd);
  return static_cast<Long>(reinterpret_cast<INT_PTR>(result));
}

// Enables the shutdown privilege in the process's access token (a process without it cannot
// shut the system down; logging off needs none). Failures leave the decision to ExitWindowsEx.
void EnableShutdownPrivilege() {
  win::Handle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return;
  TOKEN_PRIVILEGES previous{};
  DWORD previousSize = 0;
  ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof previous, &previous, &previousSize);
}

}  // namespace

// Boolean arguments arrive as True or False: True switches the screen saver on.
Long clsProperty::ActivateScreenSaver(Boolean boo) {
  return ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, boo ? 1 : 0, nullptr, 0);
}

Long clsProperty::ExitWindowAPI(Long eFlagEWX) {
  EnableShutdownPrivilege();
  return ::ExitWindowsEx(static_cast<UINT>(eFlagEWX), kShutdownReason);
}

Long clsProperty::RunFileFindDlg(Long hwnd, const String& spath) { return ShellVerb(hwnd, "find", spath, SW_SHOWNORMAL); }

Long clsProperty::RunAssociatedApp(Long hwnd, const String& sFullFname, Long nShowCmd) {
  return log_.Handle<Long>(u" RunAssociatedApp",
                           [&](Long& result) { result = ShellVerb(hwnd, "open", sFullFname, nShowCmd); });
}

Long clsProperty::ExploreHere(Long hwnd, const String& sFolder, Long nShowCmd) {
  return log_.Handle<Long>(u" ExploreHere", [&](Long& result) { result = ShellVerb(hwnd, "explore", sFolder, nShowCmd); });
}

// The program FindExecutable names, resolving the file from the first hard disk's root; "" when
// it names none. A name longer than any path names no file either (Wine's FindExecutable does
// not return on one of tens of thousands of characters).
String clsProperty::GetAssociatedApp(const String& sFileName) {
  return log_.Handle<String>(u" GetAssociatedApp", [&](String& program) {
    const std::string folder = win::ToAnsi(File().FirstHDDDrive() + u":\\");
    const std::string file = win::ToAnsi(sFileName);
    if (file.size() >= MAX_PATH) return;
    std::string found(MAX_PATH + 1, '\0');  // FindExecutableA writes up to MAX_PATH characters
    const auto result = reinterpret_cast<INT_PTR>(::FindExecutableA(file.c_str(), folder.c_str(), found.data()));
    if (result > 32) program = win::FromAnsi(found.c_str());
  });
}

}  // namespace brixen
