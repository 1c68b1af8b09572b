#include "files/shell_link.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <iterator>

#include "files/shell_folders.h"
#include "frame/paths.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

using Microsoft::WRL::ComPtr;

struct KnownGroup {
  const char16_t* name;
  int currentUserFolder;  // CSIDL
  int allUsersFolder;
};

constexpr KnownGroup kProgramsGroup = {kGroupPrograms, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS};
constexpr KnownGroup kKnownGroups[] = {
    {kGroupDesktop, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY},
    {kGroupStartMenu, CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU},
    kProgramsGroup,
};

int Pick(const KnownGroup& group, Long currentUser) {
  return currentUser != 0 ? group.currentUserFolder : group.allUsersFolder;
}

String FullPath(const String& path) {
  wchar_t full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameW(win::Wide(path), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? String() : win::FromWide(full, length);
}

// The folder the link goes to: one of the known groups, or a folder below the programs folder
// (".." may lead out of it), made when missing; "" when there is none.
String GroupFolder(const String& groupName, Long currentUser) {
  for (const KnownGroup& group : kKnownGroups) {
    if (groupName == group.name) return SpecialFolderPath(nullptr, Pick(group, currentUser));
  }
  const String programs = SpecialFolderPath(nullptr, Pick(kProgramsGroup, currentUser));
  if (programs.empty()) return {};
  if (groupName.empty()) return programs;
  const String folder = FullPath(BuildPath(programs, groupName));
  if (folder.empty()) return {};
  const int made = ::SHCreateDirectoryExW(nullptr, win::Wide(folder), nullptr);
  return made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS || made == ERROR_FILE_EXISTS ? folder : String();
}

String FolderOf(const String& path) {
  const auto end = path.find_last_of(u"\\/");
  return end == String::npos ? String() : path.substr(0, end);
}

bool WriteLink(const String& linkPath, const String& target, const String& arguments) {
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
  ComPtr<IPersistFile> file;
  return SUCCEEDED(link->SetPath(win::Wide(target))) && SUCCEEDED(link->SetArguments(win::Wide(arguments))) &&
         SUCCEEDED(link->SetWorkingDirectory(win::Wide(FolderOf(target)))) && SUCCEEDED(link.As(&file)) &&
         SUCCEEDED(file->Save(win::Wide(linkPath), TRUE));
}

}  // namespace

Long fCreateShellLink(const String& groupName, const String& linkName, const String& target, const String& arguments,
                      Long currentUser, const String& base) {
  if (base != kProgramsBase || linkName.empty()) return 0;
  const String folder = GroupFolder(groupName, currentUser);
  if (folder.empty()) return 0;
  return WriteLink(BuildPath(folder, linkName + u".lnk"), target, arguments) ? 1 : 0;
}

}  // namespace brixen
