// clsProperty: system, window and profile properties. Members arrive with the issues that
// build them; a member not declared here answers E_NOTIMPL to callers.
#pragma once
#include <memory>

#include "frame/com/variant.h"
#include "frame/filesystem.h"
#include "frame/types.h"
#include "helpers/error_log.h"

namespace brixen {

class clsFILE;

class clsProperty {
 public:
  clsProperty();
  ~clsProperty();
  clsProperty(const clsProperty&) = delete;
  clsProperty& operator=(const clsProperty&) = delete;

  // INI files (ANSI private-profile calls) and the run-time's settings store.
  Boolean ExistsRegEntry(const String& AppName, const String& SECTION, const String& KEY);
  Boolean RegDefaultKey(const String& AppName, const String& SECTION, Variant& KEY, const Variant& Value);
  Long GetProfileValueInt(const String& sSection, const String& sKey, const String& sFullFname);
  String GetProfileValueString(const String& sSection, const String& sKey, const String& sFullFname);
  Boolean WriteProfileValue(const String& sSection, const String& sKey, const Variant& vValue,
                            const String& sFullFname);

  // Word arithmetic on packed 32-bit values.
  Long GetHiWord(Long LongValue);
  Long GetLoWord(Long LongValue);
  Long CvWithSign(Long lngValue);
  Long Create_unsigned32bit(Long lngHi, Long lngLow);
  Integer Calcul2Byte(Byte Mae, Byte Ato);
  Byte MinusOpForBin(Integer intTarget);
  Variant ToMinus(const Variant& Num);

  // The keyboard: Num Lock (ENUM_NUMLOCKSTATUS) and the input method (ENUM_IMEONOFF).
  Long get_NumLockStatus();
  void let_NumLockStatus(Long& value);
  Boolean ChangeIMEMode(Long hwnd, Long lngIMEMode);

  // The access code of a date's month.
  String Pwd(Date dt);

  // Facts about the running system. eVALUE is ENUM_GETFONT.
  String GetIMEName();
  String GetTaskBarSize();  // "top*left*width*height"
  Boolean JugeIDE();        // whether the library's code runs inside VB6.EXE
  String GetFontName(Long eVALUE);
  Single get_DeviceColors(Long hdc);
  String Lang();
  Long get_CrtResolution();
  Long GetVScrollWidth();
  Long GetHScrollHeight();
  Long GetDlgBorderHeight();
  Long get_WindowTitleHeight();
  String GetAPILastError(Long lngLastError);
  String GetGUID();  // yyyymmdd_hhmmss_ and the tick count's last five digits
  String GetUserName();
  Long GetWinVer(Long& MajorVer, Long& Minorver, Long& PlatFormID);
  String GetKBDInfo(Integer Flag);

  // Windows of any program: found by caption (exact, or containing it; case-sensitive), focused,
  // closed, made topmost; a window's state. Which is ENUM_CLOSEAPPLICATION or ENUM_WINDOWPRIORITY,
  // nShowCmd ENUM_SW.
  Long GetWindowHandleByCaptionOnly(const String& AppCaption, Boolean Included);
  Long SetFocusByCaption(const String& AppCaption, Long nShowCmd);
  Long CloseApp(const Variant& var, Long Which, Boolean Included);
  Boolean SetWindowPriority(Long hwnd, Long Which);
  Boolean IsLoaded(Variant& frms, const String& frmName);  // frms: a forms collection, not changed
  Long SetFlatHeader(Long hwnd);
  Boolean msgIsComboBoxOpend(Long hwnd);
  Boolean ExistsVSCROLL(Long hwnd);
  Boolean ExistsHSCROLL(Long hwnd);

  // Whether a host (dotted IPv4 address or name) answers one echo request within lTimeout ms.
  Boolean ping(const String& sHost, const Variant& lTimeout);

  // Shell, shutdown and printer actions. The shell members answer ShellExecute's value: above
  // 32 on success, the platform's error code otherwise. eFlagEWX is ENUM_EWX, nShowCmd ENUM_SW,
  // intDirection and the orientation ENUM_PRINTERORIENTATION; the printer is the run-time's
  // current printer (the default one).
  Long ActivateScreenSaver(Boolean boo);
  Long ExitWindowAPI(Long eFlagEWX);
  Long RunFileFindDlg(Long hwnd, const String& spath);
  Long RunAssociatedApp(Long hwnd, const String& sFullFname, Long nShowCmd);
  Long ExploreHere(Long hwnd, const String& sFolder, Long nShowCmd);
  String GetAssociatedApp(const String& sFileName);
  Boolean SetPrinterOrientation(Long intDirection);
  Long GetPrinterOrientation();
  Boolean ExistsPrinterFont(const String& FontName);

  // Bitmap and icon file headers; drawing objects and mapping modes of a device context.
  Long GetBmpBitCount(const String& strBmpName);
  Long get_IconSize(const String& sIconFullFname);  // 0 for a missing file, without a log
  Long apSel_DelObject(Long hdc, Long SelhObject, Long DelhObject);
  Long SetMapWindow(Long hdc, Long MapMode, Long orgx, Long orgy, Long extx, Long exty);  // ENUM_MAPMODE
  Long SetMapViewPort(Long hdc, Long orgx, Long orgy, Long extx, Long exty);
  Boolean GetWindowWidth(Long hdc, Long& orgx, Long& orgy, Long& extx, Long& exty);

 private:
  ErrorLog log_;            // the clsMethod whose ErrReg the handlers report to, created on first use
  FileSystem fileSystem_;   // the file system service; its scripting object is created on first use
  clsFILE& File();
  std::unique_ptr<clsFILE> file_;  // GetAssociatedApp's first hard disk; created on first use
};

}  // namespace brixen
