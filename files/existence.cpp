// clsFILE: existence checks, the drive probe, validation with prompts and file times.
#include <windows.h>

#include <array>

#include "files/clsFILE.h"
#include "files/path_rules.h"
#include "frame/errors.h"
#include "frame/locale.h"
#include "frame/runtime/dates.h"
#include "frame/win/dir.h"
#include "frame/win/files.h"
#include "frame/win/handles.h"
#include "frame/win/msgbox.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

// What the drive and probe checks treat as a plain "no".
constexpr std::initializer_list<Long> kDriveNotThere = {kErrBadFileNameOrNumber, kErrDeviceUnavailable,
                                                        kErrDiskNotReady, kErrPathNotFound};
constexpr std::initializer_list<Long> kCannotWriteThere = {kErrDeviceUnavailable, kErrPermissionDenied,
                                                           kErrDiskNotReady};

constexpr Long kWarning = MB_OK | MB_ICONEXCLAMATION;   // 48
constexpr Long kQuestion = MB_YESNO | MB_ICONQUESTION;  // 36

enum FileDirCode : Integer { kFileDirOk = 1, kBadFileName = 2, kNoSuchFolder = 3, kNotOverwritten = 4 };

void Warn(const char16_t* japanese, const char16_t* english) {
  win::MsgBox(Bilingual(japanese, english), kWarning, Bilingual(u"入力エラー", u"ERROR"));
}

bool UserAgreesToOverwrite() {
  return win::MsgBox(Bilingual(u"上書きしますか？", u"Do you overwrite?"), kQuestion, Bilingual(u"確認", u"MESSAGE")) ==
         win::vbYes;
}

// The drive named by the first character of a path exists at all; a listing of a drive that
// does not exist would find nothing without failing.
void RequireDrive(char16_t letter) {
  const String root = String(1, letter) + u":\\";
  if (::GetDriveTypeW(win::Wide(root)) == DRIVE_NO_ROOT_DIR) Raise(kErrDeviceUnavailable);
}

// The local date and time as a UTC file time; false when the platform refuses either step.
bool UtcFileTime(Date local, FILETIME& utc) {
  const rt::DateParts parts = rt::SplitDate(local);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(parts.year);
  time.wMonth = static_cast<WORD>(parts.month);
  time.wDay = static_cast<WORD>(parts.day);
  time.wHour = static_cast<WORD>(parts.hour);
  time.wMinute = static_cast<WORD>(parts.minute);
  time.wSecond = static_cast<WORD>(parts.second);
  FILETIME localTime;
  return ::SystemTimeToFileTime(&time, &localTime) && ::LocalFileTimeToFileTime(&localTime, &utc);
}

// All three stamps of a file that nobody else has open; false on any platform refusal.
bool StampFile(const String& path, const FILETIME& utc) {
  win::Handle file(
      ::CreateFileW(win::Wide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const bool stamped = ::SetFileTime(file.get(), &utc, &utc, &utc);
  const bool closed = ::CloseHandle(file.release());
  return stamped && closed;
}

}  // namespace

Boolean clsFILE::IsExistFile(const String& FullFName) {
  return log_.Handle<Boolean>(
      u"IsExistFile", [&](Boolean& r) { r = !FullFName.empty() && !win::Dir(FullFName, win::vbNormal).empty(); });
}

Boolean clsFILE::IsDriveReady(const String& FullFName) {
  return log_.Handle<Boolean>(
      u"IsDriveReady",
      [&](Boolean& r) {
        if (FullFName.empty()) Raise(kErrBadFileNameOrNumber);
        RequireDrive(FullFName.front());
        win::Dir(String(1, FullFName.front()) + u":");
        r = true;
      },
      false, kDriveNotThere);
}

Boolean clsFILE::IsExistDir(const String& tPath) {
  return log_.Handle<Boolean>(u"IsExistDir", [&](Boolean& r) {
    if (tPath.empty()) return;
    const String folder = YenCheck(file::eRemoveYen, tPath);
    constexpr std::size_t kDriveLength = 2;  // "C:"
    r = folder.size() == kDriveLength ? IsDriveReady(folder) : !win::Dir(folder, win::vbDirectory).empty();
  });
}

Boolean clsFILE::IsWritable(const String& tPath) {
  return log_.Handle<Boolean>(
      u"IsWritable",
      [&](Boolean& r) {
        const String root = tPath.substr(0, 2) + u"\\";
        if (root.size() == 3 && root[1] == u':') RequireDrive(root.front());
        String head = u"tmp";
        const String probe = root + get_MyFName(root, head, u"000");
        win::FileNumber file(probe, win::OpenMode::Binary, win::Access::Write);
        constexpr std::array<Byte, 2> kIntegerOne = {1, 0};
        win::Put(file, kIntegerOne);
        file.Close();
        win::Kill(probe);
        r = true;
      },
      false, kCannotWriteThere);
}

Boolean clsFILE::IsDirVacant(const String& FULLPATH) {
  if (!fs_.FolderExists(FULLPATH)) return false;
  return win::Dir(FileSystem::BuildPath(FULLPATH, u"*.*"), win::vbDirectory).empty();
}

Boolean clsFILE::IsFileAitaMaMa() { return win::FreeFile() != 1; }

Integer clsFILE::FileDirCheck(const String& tPath, const String& tName, Boolean OVBOOL) {
  return log_.Handle<Integer>(
      u"FileDirCheck",
      [&](Integer& r) {
        if (FNameCheck(tName) != file::kNameAcceptable) {
          Warn(u"ファイル名が正しくありません！", u"File name is not correct!");
          r = kBadFileName;
          return;
        }
        if (!fs_.FolderExists(tPath)) {
          r = kNoSuchFolder;
          Warn(u"指定されたディレクトリは見つかりません！", u"Directory is not correct!");
          return;
        }
        if (!OVBOOL) return;
        const String full = FileSystem::BuildPath(tPath, tName);
        if (!fs_.FileExists(full)) return;
        // The file stays in the way until it is really gone: a refused delete answers 4.
        r = kNotOverwritten;
        if (!UserAgreesToOverwrite()) return;
        win::Kill(full);
        r = kFileDirOk;
      },
      kFileDirOk);
}

Boolean clsFILE::SetThisFileTime(const String& sFullFname, Date DateToSet) {
  return log_.Handle<Boolean>(u"SetThisFileTime", [&](Boolean& r) {
    if (!fs_.FileExists(sFullFname)) return;
    FILETIME utc;
    r = UtcFileTime(DateToSet, utc) && StampFile(sFullFname, utc);
  });
}

String clsFILE::GetExcludeEXT(const String& tPath, const String& FNAME, Integer& FROM, Integer MADE) {
  return file::FirstFreeExtension(tPath, FNAME, FROM, MADE, [this](const String& path) { return IsExistFile(path); });
}

}  // namespace brixen
