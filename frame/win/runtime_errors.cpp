#include "frame/win/runtime_errors.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "frame/errors.h"

namespace brixen::win {
namespace {

struct Mapping {
  DWORD win32;
  Long number;
};

// Sorted by Win32 code.
constexpr Mapping kMappings[] = {
    {ERROR_FILE_NOT_FOUND, kErrFileNotFound},             // 2
    {ERROR_PATH_NOT_FOUND, kErrPathNotFound},             // 3
    {ERROR_TOO_MANY_OPEN_FILES, kErrTooManyFiles},        // 4
    {ERROR_ACCESS_DENIED, kErrPathFileAccess},            // 5: read-only file, a folder
    {ERROR_INVALID_HANDLE, kErrBadFileNameOrNumber},      // 6
    {ERROR_NOT_ENOUGH_MEMORY, kErrOutOfMemory},           // 8
    {ERROR_OUTOFMEMORY, kErrOutOfMemory},                 // 14
    {ERROR_INVALID_DRIVE, kErrDeviceUnavailable},         // 15
    {ERROR_CURRENT_DIRECTORY, kErrPathFileAccess},        // 16
    {ERROR_NOT_SAME_DEVICE, kErrRenameAcrossDrives},      // 17
    {ERROR_WRITE_PROTECT, kErrPermissionDenied},          // 19
    {ERROR_BAD_UNIT, kErrDeviceUnavailable},              // 20
    {ERROR_NOT_READY, kErrDiskNotReady},                  // 21
    {ERROR_CRC, kErrDeviceIO},                            // 23
    {ERROR_SEEK, kErrDeviceIO},                           // 25
    {ERROR_NOT_DOS_DISK, kErrDeviceIO},                   // 26
    {ERROR_SECTOR_NOT_FOUND, kErrDeviceIO},               // 27
    {ERROR_WRITE_FAULT, kErrDeviceIO},                    // 29
    {ERROR_READ_FAULT, kErrDeviceIO},                     // 30
    {ERROR_GEN_FAILURE, kErrDeviceIO},                    // 31
    {ERROR_SHARING_VIOLATION, kErrPermissionDenied},      // 32: open elsewhere without sharing
    {ERROR_LOCK_VIOLATION, kErrPermissionDenied},         // 33
    {ERROR_WRONG_DISK, kErrDiskNotReady},                 // 34
    {ERROR_SHARING_BUFFER_EXCEEDED, kErrTooManyFiles},    // 36
    {ERROR_HANDLE_EOF, kErrInputPastEnd},                 // 38
    {ERROR_HANDLE_DISK_FULL, kErrDiskFull},               // 39
    {ERROR_BAD_NETPATH, kErrPathNotFound},                // 53
    {ERROR_DEV_NOT_EXIST, kErrDeviceUnavailable},         // 55
    {ERROR_NETWORK_ACCESS_DENIED, kErrPermissionDenied},  // 65
    {ERROR_BAD_NET_NAME, kErrPathNotFound},               // 67
    {ERROR_FILE_EXISTS, kErrFileExists},                  // 80
    {ERROR_INVALID_PARAMETER, kErrInvalidCall},           // 87
    {ERROR_DRIVE_LOCKED, kErrPermissionDenied},           // 108
    {ERROR_BROKEN_PIPE, kErrDeviceIO},                    // 109
    {ERROR_BUFFER_OVERFLOW, kErrBadFileName},             // 111: name too long
    {ERROR_DISK_FULL, kErrDiskFull},                      // 112
    {ERROR_INVALID_NAME, kErrBadFileNameOrNumber},        // 123: wildcards, forbidden characters
    {ERROR_DIR_NOT_EMPTY, kErrPathFileAccess},            // 145
    {ERROR_BAD_PATHNAME, kErrPathNotFound},               // 161
    {ERROR_ALREADY_EXISTS, kErrFileExists},               // 183
    {ERROR_FILENAME_EXCED_RANGE, kErrBadFileName},        // 206
    {ERROR_DIRECTORY, kErrPathNotFound},                  // 267
    {ERROR_NO_MEDIA_IN_DRIVE, kErrDiskNotReady},          // 1112
    {ERROR_DEVICE_NOT_CONNECTED, kErrDeviceUnavailable},  // 1167
    {ERROR_UNRECOGNIZED_MEDIA, kErrDiskNotReady},         // 1785
};

static_assert(std::is_sorted(std::begin(kMappings), std::end(kMappings),
                             [](const Mapping& a, const Mapping& b) { return a.win32 < b.win32; }));

}  // namespace

Long RuntimeErrorFromWin32(unsigned long win32Error) {
  const auto it = std::lower_bound(std::begin(kMappings), std::end(kMappings), win32Error,
                                   [](const Mapping& m, unsigned long code) { return m.win32 < code; });
  return it != std::end(kMappings) && it->win32 == win32Error ? it->number : kErrPathFileAccess;
}

void RaiseWin32(unsigned long win32Error) { Raise(RuntimeErrorFromWin32(win32Error)); }

void RaiseLastError() { RaiseWin32(::GetLastError()); }

}  // namespace brixen::win
