// The file system service of the classes (the scripting library's FileSystemObject and what
// callers rely on from it).
//
// Files and folders go straight to the Win32 file calls, with the results the scripting
// library gives: listing a large folder then costs what a plain find loop costs. Drives come
// from the platform's scripting library itself (Scripting.FileSystemObject, late bound), so
// that callers can be handed its real Drive objects; that object is created on the first drive
// operation and released with the FileSystem.
//
// Failures are run-time errors: 76 for a folder that does not exist, 58 for a folder that
// already exists, 68 for a drive that does not exist, 71 for a drive that is not ready, and
// the errors of the underlying file calls.
#pragma once
#include <vector>

#include "frame/com/latebound.h"
#include "frame/paths.h"
#include "frame/types.h"

namespace brixen {

// The attribute bits the scripting library reports: read-only 1, hidden 2, system 4, volume 8,
// directory 16, archive 32, alias 1024, compressed 2048.
inline constexpr Long kReportedAttributes = 0x0C3F;

enum DriveTypeCode : Long {
  kDriveUnknown = 0,
  kDriveRemovable = 1,
  kDriveFixed = 2,
  kDriveNetwork = 3,
  kDriveCdRom = 4,
  kDriveRamDisk = 5,
};

// A file or sub-folder of a folder listing.
struct FolderItem {
  String Name;
  Long Attributes = 0;
  friend bool operator==(const FolderItem&, const FolderItem&) = default;
};

// A folder found by GetFolder. Files and SubFolders list it anew at each call, in the order of
// the file system's find calls (the order the scripting library's collections follow).
class Folder {
 public:
  const String& Path() const { return path_; }  // full path
  String Name() const;
  Long Attributes() const;
  std::vector<FolderItem> Files() const;
  std::vector<FolderItem> SubFolders() const;

 private:
  friend class FileSystem;
  explicit Folder(String fullPath) : path_(std::move(fullPath)) {}
  std::vector<FolderItem> List(bool folders) const;

  String path_;
};

// A drive of the scripting library.
class Drive {
 public:
  explicit Drive(Object drive) : drive_(std::move(drive)) {}
  String DriveLetter() const;  // "C"
  Long DriveType() const;      // DriveTypeCode
  Double FreeSpace() const;    // bytes; 71 when the drive is not ready
  // The scripting library's Drive object itself, for members that hand it to callers.
  const Object& object() const { return drive_; }

 private:
  Object drive_;
};

class FileSystem {
 public:
  bool FileExists(StringView path) const;    // a file, not a folder
  bool FolderExists(StringView path) const;  // a folder, not a file
  static String BuildPath(StringView folder, StringView name) { return brixen::BuildPath(folder, name); }
  static String GetFileName(StringView path) { return brixen::GetFileName(path); }
  // One folder whose parent exists; 58 when it exists, 76 when its parent does not.
  void CreateFolder(StringView path) const;
  // 76 when there is no such folder.
  Folder GetFolder(StringView path) const;

  bool DriveExists(StringView drive);  // "C", "C:", "C:\..."
  Drive GetDrive(StringView drive);    // 68 when there is no such drive
  std::vector<Drive> Drives();         // ascending drive letters

 private:
  IDispatch* Scripting();

  Object scripting_;  // Scripting.FileSystemObject, created on first use
};

}  // namespace brixen
