// clsFILE: files, folders and drives. Members arrive group by group; a member not declared here
// answers E_NOTIMPL to callers.
#pragma once
#include "frame/com/glue_support.h"
#include "frame/filesystem.h"
#include "frame/types.h"
#include "helpers/error_log.h"

namespace brixen {

class clsFILE {
 public:
  // Path and file-name text rules (files/paths.cpp).
  String GetWhatFromFullPath(Integer Which, const String& FULLFILENAME);
  String YenCheck(Long Which, const String& spath);  // ENUM_YENCHECK
  String ReplaceExt(const String& FullFName, const String& DstExt);
  Boolean IsExistDot(const String& tStr);
  Boolean IsExistIhanMoji(const String& tStr);
  Integer FNameCheck(const String& FNAME);
  String get_MyFName(const String& APPPATH, String& HEAD, const String& EXT);

  // File encoding and decoding (files/encoding.cpp).
  Boolean EnCode(const String& sSrcFullFname, const String& sDestFullFname);
  Boolean DeCode(const String& sSrcFullFname, const String& sDestFullFname);

  // Existence checks, validation and prompts (files/existence.cpp).
  Boolean IsExistFile(const String& FullFName);
  Boolean IsExistDir(const String& tPath);
  Boolean IsDriveReady(const String& FullFName);
  Boolean IsWritable(const String& tPath);
  Boolean IsDirVacant(const String& FULLPATH);
  Boolean IsFileAitaMaMa();
  Integer FileDirCheck(const String& tPath, const String& tName, Boolean OVBOOL);
  Boolean SetThisFileTime(const String& sFullFname, Date DateToSet);
  String GetExcludeEXT(const String& tPath, const String& FNAME, Integer& FROM, Integer MADE);

  // Shell folder and file operations (files/shell.cpp). Window handles are the caller's 32-bit
  // values; the dialogs and shell operations block until the user or the shell is done.
  Long ShowPropertiesDialog(Long hwnd, const String& sFileName);
  String OpenFolder(Long hwnd, const String& sTitle, Long pidlRoot, const String& sInitialPath);  // "" when cancelled
  String GetDesktopFolder(Long hwnd);
  String GetSpecialFolder(Long hwnd, Long eFolder);  // "" for a folder with no file-system path
  Long CreateShortCut(Long OnWhere, const String& sShortCutName, const String& sProgramName,
                      const String& sSpecifiedGroupName, const String& sArguments);
  Boolean SHFileCopy(const Variant& hwnd, const String& pFrom, const String& pTo, const String& lpszProgresTitle,
                     Boolean booOverWrite, Boolean booRenameOnCollision);
  Boolean SHFileDelete(Long hwnd, const String& pFrom);

  // Folder enumeration, creation and cloning (files/folders.cpp). Lists of files keep an empty
  // entry at index 0; folder walks are depth-first, each folder before its own sub-folders.
  StringArray get_FilesInFolder(const String& sTargetFolder, Long& Which, Long& Attributes);
  StringArray get_FoldersInFolder(StringArray& arFolders, const String& sBaseFolder);
  Long get_CntFilesInFolder(const String& TargetPath);
  Boolean CreateAllFolders(const String& sFolder);
  Boolean CloneFolders(const String& sFromFolder, const String& sToFolder);

  // Drives, temporary files and system folders (files/drives.cpp). Folder texts come back
  // whole whatever their length.
  String DriveTypeString(const String& strPath);
  Variant IsRemainDriveSpace(const String& strPath, Single lngByte);  // a Boolean
  String FirstHDDDrive();
  Object get_FDDrive();  // the scripting library's Drive of the first removable drive
  Boolean IsFDReady();
  String get_TempPath();
  String GetTempWinFile(const String& TopPrefix);
  String get_WindowsDirectory();
  String get_SystemDirectory();

 private:
  ErrorLog log_;
  FileSystem fs_;
};

}  // namespace brixen
