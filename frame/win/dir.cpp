#include "frame/win/dir.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "frame/errors.h"
#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

// The attribute bits that keep an entry out of a listing unless asked for. The run-time's
// numbers are the file system's own bits.
constexpr DWORD kOptIn = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
constexpr Long kSettable = vbReadOnly | vbHidden | vbSystem | vbArchive;
constexpr Long kReported = kSettable | vbDirectory;

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool Matches(const WIN32_FIND_DATAW& entry, Long attributes) {
  return (entry.dwFileAttributes & kOptIn & ~static_cast<DWORD>(attributes)) == 0 && !IsDotEntry(entry.cFileName);
}

bool IsNoMatch(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

// One FindFirstFile / FindNextFile walk filtered by the run-time's attribute rule.
class Listing {
 public:
  // The first match, "" when there is none.
  String Start(const String& pattern, Long attributes) {
    attributes_ = attributes;
    active_ = false;
    handle_.reset(::FindFirstFileW(Wide(pattern), &entry_));
    if (!handle_) {
      const DWORD error = ::GetLastError();
      if (IsNoMatch(error)) return {};
      RaiseWin32(error);
    }
    active_ = true;
    return Matches(entry_, attributes_) ? FromWide(entry_.cFileName) : Next();
  }

  // The next match, "" once the walk is over.
  String Next() {
    if (!active_) Raise(kErrInvalidCall);
    while (::FindNextFileW(handle_.get(), &entry_)) {
      if (Matches(entry_, attributes_)) return FromWide(entry_.cFileName);
    }
    const DWORD error = ::GetLastError();
    End();
    if (!IsNoMatch(error)) RaiseWin32(error);
    return {};
  }

  void End() {
    handle_.reset();
    active_ = false;
  }

 private:
  FindHandle handle_;
  WIN32_FIND_DATAW entry_{};
  Long attributes_ = vbNormal;
  bool active_ = false;
};

Listing& ThreadListing() {
  thread_local Listing listing;
  return listing;
}

bool EndsWithSeparator(StringView path) {
  return !path.empty() && (path.back() == u'\\' || path.back() == u'/' || path.back() == u':');
}

// The root of the drive a path names ("C:\"), empty for the current drive.
String DriveRoot(StringView path) {
  return path.size() >= 2 && path[1] == u':' ? String(path.substr(0, 2)) + u'\\' : String();
}

String VolumeLabel(StringView pattern) {
  const String root = DriveRoot(pattern);
  wchar_t label[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(root.empty() ? nullptr : Wide(root), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0)) {
    RaiseLastError();
  }
  return FromWide(label);
}

// The folder part of a pattern, with its separator: what to put before a listed name.
String FolderPart(StringView pattern) {
  const auto end = pattern.find_last_of(u"\\/:");
  return end == StringView::npos ? String() : String(pattern.substr(0, end + 1));
}

WIN32_FILE_ATTRIBUTE_DATA AttributesOf(StringView path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(Wide(String(path)), GetFileExInfoStandard, &data)) RaiseLastError();
  return data;
}

// A drive named alone ("A:", "A:\") must be reachable, as for the run-time: a drive without
// its medium raises 71 (68 when there is no such drive) rather than listing nothing.
void RequireReachableDrive(StringView pattern) {
  const String root = DriveRoot(pattern);
  if (root.empty() || pattern.size() > 3 || (pattern.size() == 3 && !EndsWithSeparator(pattern))) return;
  if (::GetFileAttributesW(Wide(root)) != INVALID_FILE_ATTRIBUTES) return;
  Raise(::GetDriveTypeW(Wide(root)) == DRIVE_NO_ROOT_DIR ? kErrDeviceUnavailable : kErrDiskNotReady);
}

}  // namespace

String Dir(StringView pattern, Long attributes) {
  Listing& listing = ThreadListing();
  if (attributes & vbVolume) {
    listing.End();
    return VolumeLabel(pattern);
  }
  RequireReachableDrive(pattern);
  const String search = pattern.empty() || EndsWithSeparator(pattern) ? String(pattern) + u'*' : String(pattern);
  return listing.Start(search, attributes);
}

String Dir() { return ThreadListing().Next(); }

void Kill(StringView pattern) {
  const String folder = FolderPart(pattern);
  std::vector<String> names;
  Listing listing;
  for (String name = listing.Start(String(pattern), vbNormal); !name.empty(); name = listing.Next()) {
    names.push_back(folder + name);
  }
  if (names.empty()) Raise(kErrFileNotFound);
  for (const String& name : names) {
    if (!::DeleteFileW(Wide(name))) RaiseLastError();
  }
}

std::int64_t FileLen(StringView path) {
  const WIN32_FILE_ATTRIBUTE_DATA data = AttributesOf(path);
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Date FileDateTime(StringView path) {
  const WIN32_FILE_ATTRIBUTE_DATA data = AttributesOf(path);
  FILETIME local;
  SYSTEMTIME time;
  Date date = 0;
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &time) ||
      !::SystemTimeToVariantTime(&time, &date)) {
    Raise(kErrInvalidCall);
  }
  return date;
}

Long GetAttr(StringView path) { return static_cast<Long>(AttributesOf(path).dwFileAttributes) & kReported; }

void SetAttr(StringView path, Long attributes) {
  if (attributes & ~kSettable) Raise(kErrInvalidCall);
  const DWORD bits = attributes == vbNormal ? FILE_ATTRIBUTE_NORMAL : static_cast<DWORD>(attributes);
  if (!::SetFileAttributesW(Wide(String(path)), bits)) RaiseLastError();
}

void MkDir(StringView path) {
  if (::CreateDirectoryW(Wide(String(path)), nullptr)) return;
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS) Raise(kErrPathFileAccess);
  RaiseWin32(error);
}

void RmDir(StringView path) {
  if (::RemoveDirectoryW(Wide(String(path)))) return;
  const DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND) Raise(kErrPathNotFound);
  RaiseWin32(error);
}

}  // namespace brixen::win
