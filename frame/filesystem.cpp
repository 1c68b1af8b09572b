#include "frame/filesystem.h"

#include <windows.h>

#include "frame/errors.h"
#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

constexpr Long kErrCannotCreateObject = 429;

DWORD AttributesOf(StringView path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(win::Wide(String(path)));
}

bool Exists(DWORD attributes, bool folder) {
  return attributes != INVALID_FILE_ATTRIBUTES && ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

String FullPath(StringView path) {
  const String relative(path);
  const DWORD size = ::GetFullPathNameW(win::Wide(relative), 0, nullptr, nullptr);
  if (size == 0) win::RaiseLastError();
  String full(size, u'\0');
  const DWORD length = ::GetFullPathNameW(win::Wide(relative), size, win::Wide(full.data()), nullptr);
  if (length == 0 || length >= size) win::RaiseLastError();
  full.resize(length);
  return full;
}

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

}  // namespace

// --- folders -------------------------------------------------------------------------------------

String Folder::Name() const { return GetFileName(path_); }

Long Folder::Attributes() const {
  const DWORD attributes = AttributesOf(path_);
  if (attributes == INVALID_FILE_ATTRIBUTES) win::RaiseLastError();
  return static_cast<Long>(attributes) & kReportedAttributes;
}

std::vector<FolderItem> Folder::Files() const { return List(false); }
std::vector<FolderItem> Folder::SubFolders() const { return List(true); }

std::vector<FolderItem> Folder::List(bool folders) const {
  std::vector<FolderItem> items;
  WIN32_FIND_DATAW entry;
  const win::FindHandle find(::FindFirstFileExW(win::Wide(BuildPath(path_, u"*")), FindExInfoBasic, &entry,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return items;  // an empty root
    win::RaiseWin32(error);
  }
  do {
    if (Exists(entry.dwFileAttributes, folders) && !IsDotEntry(entry.cFileName)) {
      items.push_back({win::FromWide(entry.cFileName), static_cast<Long>(entry.dwFileAttributes) & kReportedAttributes});
    }
  } while (::FindNextFileW(find.get(), &entry));
  return items;
}

// --- drives --------------------------------------------------------------------------------------

String Drive::DriveLetter() const { return GetProperty(drive_.Get(), u"DriveLetter").ToString(); }
Long Drive::DriveType() const { return GetProperty(drive_.Get(), u"DriveType").ToLong(); }
Double Drive::FreeSpace() const { return GetProperty(drive_.Get(), u"FreeSpace").ToDouble(); }

// --- the service ---------------------------------------------------------------------------------

bool FileSystem::FileExists(StringView path) const { return Exists(AttributesOf(path), false); }
bool FileSystem::FolderExists(StringView path) const { return Exists(AttributesOf(path), true); }

void FileSystem::CreateFolder(StringView path) const {
  if (!::CreateDirectoryW(win::Wide(String(path)), nullptr)) win::RaiseLastError();
}

Folder FileSystem::GetFolder(StringView path) const {
  if (path.empty()) Raise(kErrInvalidCall);
  String full = FullPath(path);
  if (!FolderExists(full)) Raise(kErrPathNotFound);
  return Folder(std::move(full));
}

bool FileSystem::DriveExists(StringView drive) {
  return CallMethod(Scripting(), u"DriveExists", {Variant(drive)}).ToBoolean();
}

Drive FileSystem::GetDrive(StringView drive) {
  return Drive(ObjectOf(CallMethod(Scripting(), u"GetDrive", {Variant(drive)})));
}

std::vector<Drive> FileSystem::Drives() {
  std::vector<Drive> drives;
  for (const Variant& item : Items(ObjectOf(GetProperty(Scripting(), u"Drives")).Get())) {
    drives.emplace_back(ObjectOf(item));
  }
  return drives;
}

IDispatch* FileSystem::Scripting() {
  if (!scripting_) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"Scripting.FileSystemObject", &clsid)) ||
        FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&scripting_)))) {
      Raise(kErrCannotCreateObject);
    }
  }
  return scripting_.Get();
}

}  // namespace brixen
