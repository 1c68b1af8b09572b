// clsFILE: drive types and free space, the first fixed and removable drives, the insert-disk
// prompt, the temporary folder and files, the Windows and system folders.
//
// Folder texts come from the wide calls with a buffer of the size the call asks for, so a
// long path comes back whole and no call writes past its buffer.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "files/clsFILE.h"
#include "frame/locale.h"
#include "frame/win/msgbox.h"
#include "frame/win/text_case.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

constexpr Long kPromptStyle = MB_OKCANCEL | MB_ICONEXCLAMATION;  // 49
constexpr char16_t kPromptTitle[] = u"FD ERROR";
// What GetTempFileName adds to its folder: "\", three prefix characters, up to eight hex
// digits, ".TMP" and the NUL.
constexpr std::size_t kTempNameRoom = 1 + 3 + 8 + 4 + 1;

// The text a platform call writes into a buffer of `size` characters; the call returns the
// length written, or the size it needs (NUL included) when the buffer is too small, or 0 when
// it fails. Asks again while the text grows between the calls; "" when the call fails.
String SizedText(const std::function<UINT(wchar_t* buffer, UINT size)>& call) {
  String text(MAX_PATH, u'\0');
  for (;;) {
    const UINT length = call(win::Wide(text.data()), static_cast<UINT>(text.size()));
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length);
  }
}

// The drive letter a path starts with, as drives report theirs ("c:\data" gives "C").
String DriveLetterOf(const String& path) { return win::UCase(StringView(path).substr(0, 1)); }

}  // namespace

String clsFILE::DriveTypeString(const String& strPath) {
  return log_.Handle<String>(u"DriveTypeString", [&](String& result) {
    if (strPath.empty()) return;
    const String letter = DriveLetterOf(strPath);
    for (const Drive& drive : fs_.Drives()) {
      if (drive.DriveLetter() != letter) continue;
      const std::string digits = std::to_string(drive.DriveType());
      result.assign(digits.begin(), digits.end());
      return;
    }
  }, u"Unknown");
}

Variant clsFILE::IsRemainDriveSpace(const String& strPath, Single lngByte) {
  return Variant(log_.Handle<Boolean>(u" IsRemainDriveSpace", [&](Boolean& result) {
    if (strPath.empty()) return;
    const String letter = DriveLetterOf(strPath);
    for (const Drive& drive : fs_.Drives()) {
      if (drive.DriveLetter() == letter && drive.FreeSpace() > lngByte) {
        result = true;
        return;
      }
    }
  }));
}

String clsFILE::FirstHDDDrive() {
  return log_.Handle<String>(u"FirstHDDDrive", [&](String& result) {
    FileSystem fs;  // a file system object of its own
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
      const String drive(1, letter);
      if (fs.DriveExists(drive) && fs.GetDrive(drive).DriveType() == kDriveFixed) {
        result = drive;
        return;
      }
    }
  });
}

Object clsFILE::get_FDDrive() {
  return log_.Handle<Object>(u"GetFDDrive", [&](Object& result) {
    const std::vector<Drive> drives = fs_.Drives();
    const auto removable = std::find_if(drives.begin(), drives.end(),
                                        [](const Drive& drive) { return drive.DriveType() == kDriveRemovable; });
    if (removable != drives.end()) result = removable->object();
  });
}

// Asks for the disk until the drive is ready; any answer but OK (Cancel, or no box at all on a
// desktop that cannot show one) gives up.
Boolean clsFILE::IsFDReady() {
  return log_.Handle<Boolean>(u"IsFDReady", [&](Boolean& result) {
    const String letter = Drive(get_FDDrive()).DriveLetter();
    while (!IsDriveReady(letter)) {
      const Long answer = win::MsgBox(Bilingual(u"FDを挿入してください！", u"Insert FD!"), kPromptStyle, kPromptTitle);
      if (answer != win::vbOK) return;
    }
    result = true;
  });
}

String clsFILE::get_TempPath() {
  return SizedText([](wchar_t* buffer, UINT size) { return ::GetTempPathW(size, buffer); });
}

String clsFILE::GetTempWinFile(const String& TopPrefix) {
  return log_.Handle<String>(u"GetTempWinFile", [&](String& result) {
    const String folder = get_TempPath();
    if (folder.empty()) return;
    String name(std::max<std::size_t>(MAX_PATH, folder.size() + kTempNameRoom), u'\0');
    if (!::GetTempFileNameW(win::Wide(folder), win::Wide(TopPrefix), 0, win::Wide(name.data()))) return;
    name.resize(name.find(u'\0'));
    result = std::move(name);
  });
}

String clsFILE::get_WindowsDirectory() {
  return SizedText([](wchar_t* buffer, UINT size) { return ::GetWindowsDirectoryW(buffer, size); });
}

String clsFILE::get_SystemDirectory() {
  return SizedText([](wchar_t* buffer, UINT size) { return ::GetSystemDirectoryW(buffer, size); });
}

}  // namespace brixen
