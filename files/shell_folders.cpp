#include "files/shell_folders.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "frame/win/handles.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

// Some shells give virtual folders their parsing name ("::{GUID}") for a path: only a full
// path (drive or network share) is a file-system path.
bool IsFullPath(const wchar_t* path) { return ::PathGetDriveNumberW(path) >= 0 || ::PathIsUNCW(path); }

}  // namespace

// Shells differ in ending some folders (the documents) with a separator: none is kept but a root's.
String FileSystemPath(PCIDLIST_ABSOLUTE item) {
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(item, path) || !IsFullPath(path)) return {};
  ::PathRemoveBackslashW(path);
  return win::FromWide(path);
}

String SpecialFolderPath(HWND owner, int csidl) {
  win::CoTaskMem<ITEMIDLIST> folder;
  if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, folder.put())) || !folder) return {};
  return FileSystemPath(folder.get());
}

}  // namespace brixen
