// The type library BRIXEN as a client sees it: library identity, the ten classes with their
// default interfaces, every member's name, invoke kind, dispatch id and vtable slot, and every
// enumeration. The expectations are written out here by hand from the published class surface,
// not from brixen.idl, so a slip in the IDL (a swapped get/let, a wrong counter, a missing member)
// shows up as a named failure.
//
// The library is read with LoadTypeLibEx(REGKIND_NONE) from the files named by BRIXEN_DLL64 and
// BRIXEN_DLL32 (a QUENTA01.DLL with its embedded type library, or a bare .tlb). A variable that is
// not set skips the checks for that build.

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "com_fixture.h"

namespace brixen {
namespace {

using Microsoft::WRL::ComPtr;

// ---------------------------------------------------------------------------------------------
// Expected surface

enum class Kind { Method, Get, Let, Set };

struct Member {
  const wchar_t* name;
  Kind kind;
  unsigned counter;  // low half of the dispatch id

  MEMBERID memid() const {
    return static_cast<MEMBERID>((kind == Kind::Method ? 0x60030000u : 0x68030000u) | counter);
  }
};

constexpr Member Fn(const wchar_t* n, unsigned c) { return {n, Kind::Method, c}; }
constexpr Member Get(const wchar_t* n, unsigned c) { return {n, Kind::Get, c}; }
constexpr Member Let(const wchar_t* n, unsigned c) { return {n, Kind::Let, c}; }
constexpr Member Ref(const wchar_t* n, unsigned c) { return {n, Kind::Set, c}; }

struct ClassSurface {
  const wchar_t* coclass;
  const wchar_t* clsid;
  const wchar_t* iid;
  std::vector<Member> members;  // in vtable order, the first one in slot 7
};

const std::vector<ClassSurface>& Classes() {
  static const std::vector<ClassSurface> classes = {
      {L"clsDialogColor", L"{0A22FF9E-2ABE-4428-AF15-59A8A85AB8F3}",
       L"{5F857456-9CCF-4D78-ACB3-00F9A109615C}",
       {Get(L"OpenColorDialog", 4), Let(L"Flags", 3), Let(L"InitialColor", 2), Let(L"OwnerInstance", 1),
        Get(L"Result", 0)}},

      {L"clsDialogOpenSave", L"{A8889DC4-F062-435D-8A29-725194B860FD}",
       L"{09ACDFF1-1028-465C-A329-87D2719E8C87}",
       {Get(L"FilterIndex", 0), Fn(L"OpenDialog", 1), Fn(L"GetLong", 2)}},

      {L"clsProperty", L"{178F7E18-0CC7-4C76-894A-8F324AFBC388}",
       L"{4121D83E-7D16-4E43-83D3-2F1E003D7036}",
       {Fn(L"ping", 0x05),
        Fn(L"GetIMEName", 0x08),
        Fn(L"GetTaskBarSize", 0x09),
        Fn(L"JugeIDE", 0x0a),
        Fn(L"GetFontName", 0x0b),
        Fn(L"CloseApp", 0x0c),
        Get(L"DeviceColors", 4),
        Fn(L"Lang", 0x0d),
        Get(L"CrtResolution", 3),
        Fn(L"ActivateScreenSaver", 0x0e),
        Fn(L"ExitWindowAPI", 0x0f),
        Fn(L"Pwd", 0x10),
        Fn(L"RunFileFindDlg", 0x11),
        Fn(L"SetWindowPriority", 0x12),
        Fn(L"GetAPILastError", 0x13),
        Fn(L"Create_unsigned32bit", 0x14),
        Fn(L"IsLoaded", 0x15),
        Fn(L"ChangeIMEMode", 0x16),
        Get(L"NumLockStatus", 2),
        Let(L"NumLockStatus", 2),
        Fn(L"SetFlatHeader", 0x18),
        Fn(L"SetPrinterOrientation", 0x19),
        Fn(L"GetPrinterOrientation", 0x1a),
        Fn(L"GetGUID", 0x1b),
        Fn(L"RunAssociatedApp", 0x1c),
        Fn(L"ExploreHere", 0x1d),
        Fn(L"GetAssociatedApp", 0x1e),
        Fn(L"GetUserName", 0x1f),
        Fn(L"GetWindowHandleByCaptionOnly", 0x20),
        Fn(L"GetBmpBitCount", 0x21),
        Get(L"IconSize", 1),
        Fn(L"SetFocusByCaption", 0x22),
        Fn(L"msgIsComboBoxOpend", 0x23),
        Fn(L"GetVScrollWidth", 0x24),
        Fn(L"GetHScrollHeight", 0x25),
        Fn(L"GetDlgBorderHeight", 0x26),
        Get(L"WindowTitleHeight", 0),
        Fn(L"GetWindowWidth", 0x27),
        Fn(L"ExistsRegEntry", 0x28),
        Fn(L"RegDefaultKey", 0x29),
        Fn(L"GetProfileValueInt", 0x2a),
        Fn(L"GetProfileValueString", 0x2b),
        Fn(L"apSel_DelObject", 0x2c),
        Fn(L"SetMapWindow", 0x2d),
        Fn(L"SetMapViewPort", 0x2e),
        Fn(L"Calcul2Byte", 0x2f),
        Fn(L"MinusOpForBin", 0x30),
        Fn(L"ExistsPrinterFont", 0x31),
        Fn(L"GetHiWord", 0x32),
        Fn(L"ToMinus", 0x33),
        Fn(L"ExistsVSCROLL", 0x34),
        Fn(L"ExistsHSCROLL", 0x35),
        Fn(L"GetWinVer", 0x36),
        Fn(L"CvWithSign", 0x37),
        Fn(L"GetLoWord", 0x38),
        Fn(L"GetKBDInfo", 0x39),
        Fn(L"WriteProfileValue", 0x3a)}},

      {L"clsMethod", L"{CCFAB726-8A69-46A0-96C8-8FD094CBA102}",
       L"{730EB31D-C2AB-4C46-89C2-5C9B4AAA5E51}",
       {Fn(L"RunContolPanel", 0x00),
        Fn(L"TileBitmap", 0x01),
        Fn(L"RegIniDefaultKey", 0x03),
        Fn(L"DrawButtonEdge", 0x04),
        Fn(L"DrawSeparateLine", 0x05),
        Fn(L"Gradate", 0x08),
        Fn(L"DrawWaku", 0x09),
        Fn(L"SendTab", 0x0a),
        Fn(L"SetTextRect", 0x0b),
        Fn(L"SetComboListHeight", 0x0c),
        Fn(L"TextSelOp", 0x0d),
        Fn(L"TextSelOpABS", 0x0e),
        Fn(L"msgOpenComboBox", 0x0f),
        Fn(L"SetComboListWidth", 0x10),
        Fn(L"ErrReg", 0x11),
        Fn(L"CheckWhere", 0x12),
        Fn(L"MakeWhereStr", 0x13),
        Fn(L"Separate32WithSign", 0x14),
        Fn(L"DrawEdgeAPI", 0x15),
        Fn(L"DrawMyEdge", 0x16),
        Fn(L"ClipCursor32", 0x17),
        Fn(L"PutCursorToCenter32", 0x18),
        Fn(L"PutFormAtCenter", 0x19),
        Fn(L"ReleaseCursor32", 0x1a),
        Fn(L"RunHelp32", 0x1b),
        Fn(L"WaitChotto", 0x1c),
        Fn(L"WaitChottoWithoutEvent", 0x1d),
        Fn(L"GetBmpSize", 0x1e),
        Fn(L"SeparateFNAME", 0x1f)}},

      {L"clsFILE", L"{2ACA6D77-54CD-48B5-9683-916E7182348D}",
       L"{8BE4A89E-DBF8-410D-85D3-A3CAFB337EDA}",
       {Fn(L"ShowPropertiesDialog", 0x08),
        Fn(L"OpenFolder", 0x09),
        Fn(L"GetDesktopFolder", 0x0a),
        Fn(L"GetSpecialFolder", 0x0b),
        Fn(L"SetThisFileTime", 0x0c),
        Fn(L"EnCode", 0x0d),
        Fn(L"DeCode", 0x0e),
        Fn(L"CreateShortCut", 0x0f),
        Fn(L"SHFileCopy", 0x10),
        Fn(L"SHFileDelete", 0x11),
        Fn(L"CloneFolders", 0x12),
        Fn(L"CreateAllFolders", 0x13),
        Fn(L"DriveTypeString", 0x15),
        Fn(L"IsRemainDriveSpace", 0x16),
        Fn(L"FirstHDDDrive", 0x17),
        Get(L"TempPath", 7),
        Fn(L"GetTempWinFile", 0x18),
        Fn(L"IsDirVacant", 0x19),
        Get(L"CntFilesInFolder", 6),
        Get(L"FilesInFolder", 5),
        Get(L"FoldersInFolder", 4),
        Fn(L"GetExcludeEXT", 0x1a),
        Fn(L"IsFileAitaMaMa", 0x1b),
        Fn(L"IsWritable", 0x1c),
        Fn(L"IsExistFile", 0x1d),
        Fn(L"IsExistDot", 0x1e),
        Fn(L"GetWhatFromFullPath", 0x1f),
        Fn(L"FNameCheck", 0x20),
        Fn(L"ReplaceExt", 0x21),
        Fn(L"FileDirCheck", 0x22),
        Fn(L"YenCheck", 0x23),
        Fn(L"IsExistDir", 0x24),
        Fn(L"IsExistIhanMoji", 0x25),
        Get(L"MyFName", 3),
        Fn(L"IsDriveReady", 0x26),
        Fn(L"IsFDReady", 0x27),
        Get(L"FDDrive", 2),
        Get(L"WindowsDirectory", 1),
        Get(L"SystemDirectory", 0)}},

      {L"clsDATE", L"{393FD3CE-BA18-4C1D-A474-607FD31B813D}",
       L"{F3778B54-568F-4C43-91B8-C9E718654658}",
       {Fn(L"GetSevralDate", 0x00), Fn(L"GetSecondsByTime", 0x01), Fn(L"CvtToFunByo", 0x02),
        Fn(L"CvtToDayFunByo", 0x03), Fn(L"GetKeika", 0x04), Fn(L"CvDateToSuji", 0x05),
        Fn(L"GetKongetuNissu", 0x06), Fn(L"GetToday", 0x07), Fn(L"IsExactDate", 0x08),
        Fn(L"GetDateStr", 0x09), Fn(L"GetKasanStr", 0x0a), Fn(L"GetEndDate", 0x0b)}},

      {L"clsString", L"{87CA57CC-4CB1-47D8-9B32-44A2B7A961DB}",
       L"{463766DA-5EEE-4083-87FB-E7498BA5E72D}",
       {Fn(L"Convert2To16", 0x00), Fn(L"IsHex", 0x01),       Fn(L"ParseByteBit", 0x02),
        Fn(L"Nz", 0x03),           Fn(L"Nzs", 0x04),         Fn(L"TrimTabSpace", 0x05),
        Fn(L"CheckKeyAscii", 0x06), Fn(L"CvToBigASC", 0x07), Fn(L"Mask", 0x08),
        Fn(L"TrimReturn", 0x09),   Fn(L"TrimSpace", 0x0a),   Fn(L"Fmt16", 0x0b),
        Fn(L"Fmt16Ex", 0x0c),      Fn(L"Fmt16Ex2", 0x0d),    Fn(L"GetLYoseStr", 0x0e),
        Fn(L"GetRYoseStr", 0x0f),  Fn(L"GetZeroStr", 0x10),  Fn(L"IsABC", 0x11),
        Fn(L"StrFormat", 0x12),    Fn(L"CheckShosu", 0x13)}},

      {L"clsNewFont", L"{0E97B48A-6A5A-47E8-B37E-04702004E294}",
       L"{F4FB405C-C16C-413B-932A-4BAC7758B099}",
       {Let(L"lfHeight", 0x0b), Let(L"lfEscapement", 0x0a), Let(L"lfWeight", 0x09),
        Let(L"lfWidth", 0x08), Let(L"lfItalic", 0x07), Let(L"lfUnderline", 0x06),
        Let(L"lfStrikeOut", 0x05), Let(L"lfOutPrecision", 0x04), Let(L"lfQuality", 0x03),
        Let(L"lfPitchAndFamily", 0x02), Let(L"lfFaceName", 0x01), Get(L"hNewFont", 0x00)}},

      {L"clsToolTip", L"{D09EBD5B-7F55-4D3D-ABBC-4F71B679CA3D}",
       L"{A846B7D2-9B8B-4020-8FBC-6C1C6DF614AB}",
       {Fn(L"Remove", 0x0a),
        Fn(L"Create", 0x0b),
        Fn(L"Add", 0x0c),
        Get(L"BackColor", 9),
        Let(L"BackColor", 9),
        Get(L"ForeColor", 8),
        Let(L"ForeColor", 8),
        Get(L"InitialTime", 7),
        Let(L"InitialTime", 7),
        Fn(L"SetMargin", 0x0d),
        Fn(L"GetMargin", 0x0e),
        Let(L"MaxWidth", 6),
        Get(L"MaxWidth", 6),
        Fn(L"SetBoundingRect", 0x0f),
        Fn(L"GetBoundingRect", 0x10),
        Get(L"ToolCount", 5),
        Let(L"ToolText", 4),
        Get(L"AutoPopTime", 3),
        Let(L"AutoPopTime", 3),
        Get(L"ReShowTime", 2),
        Let(L"ReShowTime", 2),
        Let(L"Activate", 1),
        Let(L"ToolTrack", 0),
        Fn(L"ToolTrackPosition", 0x11)}},

      {L"clsPrgsBar", L"{B8987306-B322-46B0-A1C7-9AB4FF1C193B}",
       L"{DEBDE6B2-4827-4721-92C0-8E2DAEB794CE}",
       {Ref(L"Target", 8), Let(L"Value", 7), Get(L"Value", 7), Let(L"MAX", 6), Get(L"MAX", 6),
        Let(L"Direction", 5), Get(L"Direction", 5), Let(L"ValueVisible", 4), Get(L"ValueVisible", 4),
        Let(L"UnitString", 3), Get(L"UnitString", 3), Let(L"BkClr", 2), Get(L"BkClr", 2),
        Let(L"BarClr", 1), Get(L"BarClr", 1), Let(L"ForeClr", 0)}},
  };
  return classes;
}

struct EnumSurface {
  const wchar_t* name;
  std::vector<std::pair<const wchar_t*, LONG>> members;
};

const std::vector<EnumSurface>& Enums() {
  static const std::vector<EnumSurface> enums = {
      {L"ENUM_CheckKeyAscii",
       {{L"wantNUM_yDecimal_nMinus", 1}, {L"wantNUM_nDecimal_yMinus", 2},
        {L"wantNUM_nDecimal_nMinus", 4}, {L"wantNUM_yDecimal_yMinus", 5}, {L"wantABC", 6},
        {L"wantAnything", 99}}},
      {L"ENUM_DATE",
       {{L"wantToday", 1}, {L"wantThisMonth", 2}, {L"wantPrevMonth", 3}, {L"wantNextMonth", 4},
        {L"wantmaxDate", 5}}},
      {L"ENUM_YENCHECK", {{L"eAddYen", 0}, {L"eRemoveYen", 1}}},
      {L"ENUM_FilesInFolder", {{L"eOnlyFileName", 0}, {L"eFullFname", 1}}},
      {L"ENUM_CSIDL",
       {{L"eCSIDL_DESKTOP", 0},
        {L"eCSIDL_INTERNET", 1},
        {L"eCSIDL_PROGRAMS", 2},
        {L"eCSIDL_CONTROLS", 3},
        {L"eCSIDL_PRINTERS", 4},
        {L"eCSIDL_PERSONAL", 5},
        {L"eCSIDL_FAVORITES", 6},
        {L"eCSIDL_STARTUP", 7},
        {L"eCSIDL_RECENT", 8},
        {L"eCSIDL_SENDTO", 9},
        {L"eCSIDL_BITBUCKET", 10},
        {L"eCSIDL_STARTMENU", 11},
        {L"eCSIDL_DESKTOPDIRECTORY", 16},
        {L"eCSIDL_DRIVES", 17},
        {L"eCSIDL_NETWORK", 18},
        {L"eCSIDL_NETHOOD", 19},
        {L"eCSIDL_FONTS", 20},
        {L"eCSIDL_TEMPLATES", 21},
        {L"eCSIDL_COMMON_STARTMENU", 22},
        {L"eCSIDL_COMMON_PROGRAMS", 23},
        {L"eCSIDL_COMMON_STARTUP", 24},
        {L"eCSIDL_COMMON_DESKTOPDIRECTORY", 25},
        {L"eCSIDL_APPDATA", 26},
        {L"eCSIDL_PRINTHOOD", 27},
        {L"eCSIDL_ALTSTARTUP", 29},
        {L"eCSIDL_COMMON_ALTSTARTUP", 30},
        {L"eCSIDL_COMMON_FAVORITES", 31},
        {L"eCSIDL_INTERNET_CACHE", 32},
        {L"eCSIDL_COOKIES", 33},
        {L"eCSIDL_HISTORY", 34},
        {L"eCSIDL_PROGRAM_FILES", 38}}},
      {L"ENUM_SHORTGROUPNAME",
       {{L"eSHORTCUT_ON_DESKTOP", 0}, {L"eSHORTCUT_ON_START", 1}, {L"eSHORTCUT_ON_PROGRAM", 2},
        {L"eSHORTCUT_SPECIFY", 3}}},
      {L"ENUM_GradeDirection", {{L"eLeftRight", 0}, {L"eTopBottom", 1}}},
      {L"ENUM_EDGE",
       {{L"BDR_RAISEDOUTER", 1}, {L"BDR_SUNKENOUTER", 2}, {L"BDR_RAISEDINNER", 4},
        {L"EDGE_RAISED", 5}, {L"EDGE_ETCHED", 6}, {L"BDR_SUNKENINNER", 8}, {L"EDGE_BUMP", 9},
        {L"EDGE_SUNKEN", 10}}},
      {L"ENUM_CONTOLPANELKIND",
       {{L"eCPL_HIDUKE_TO_JIKOKU", 0}, {L"eCPL_DENGEN_NO_KANRI", 1},
        {L"eCPL_OPEN_PRINTERFOLDER", 2}}},
      {L"ENUM_CLOSEAPPLICATION", {{L"eBY_HWND", 0}, {L"eBY_CAPTION", 1}}},
      {L"ENUM_WINDOWPRIORITY", {{L"eHWND_TOPMOST", -1}, {L"eHWND_NOTTOPMOST", -2}}},
      {L"ENUM_SW",
       {{L"SW_HIDE", 0}, {L"SW_NORMAL", 1}, {L"SW_SHOWNORMAL", 1}, {L"SW_SHOWMINIMIZED", 2},
        {L"SW_MAXIMIZE", 3}, {L"SW_SHOWMAXIMIZED", 3}, {L"SW_SHOWNOACTIVATE", 4},
        {L"SW_SHOW", 5}, {L"SW_MINIMIZE", 6}, {L"SW_SHOWMINNOACTIVE", 7}, {L"SW_SHOWNA", 8},
        {L"SW_RESTORE", 9}, {L"SW_SHOWDEFAULT", 10}, {L"SW_MAX", 10}}},
      {L"ENUM_NUMLOCKSTATUS", {{L"eNUMLOCK_OFF", 0}, {L"eNUMLOCK_ON", 1}}},
      {L"ENUM_IMEONOFF", {{L"eIME_OFF", 0}, {L"eIME_ON", 1}}},
      {L"ENUM_GETFONT",
       {{L"eFONT_CAPTION", 0}, {L"eFONT_CAPTION_TOOLBAR", 1}, {L"eFONT_MENU", 2},
        {L"eFONT_STATUSBAR", 3}, {L"eFONT_MESSAGEBOX", 4}}},
      {L"ENUM_EWX",
       {{L"ENUM_EWX_LOGOFF", 0}, {L"ENUM_EWX_SHUTDOWN", 1}, {L"ENUM_EWX_REBOOT", 2},
        {L"ENUM_EWX_POWEROFF", 8}}},
      {L"ENUM_PRINTERORIENTATION", {{L"vbPRORPortrait", 1}, {L"vbPRORLandscape", 2}}},
      {L"ENUM_MAPMODE",
       {{L"eMM_TEXT", 1}, {L"eMM_LOMETRIC", 2}, {L"eMM_HIMETRIC", 3}, {L"eMM_LOENGLISH", 4},
        {L"eMM_HIENGLISH", 5}, {L"eMM_TWIPS", 6}, {L"eMM_ISOTROPIC", 7},
        {L"eMM_ANISOTROPIC", 8}}},
      {L"ENUM_PRGSDIRECTION",
       {{L"ePrgsLeftToRight", 0}, {L"ePrgsBottomToTop", 1}, {L"ePrgsRightToLeft", 2},
        {L"ePrgsTopToBottom", 3}}},
      {L"ENUM_lfWeight",
       {{L"eFW_DONTCARE", 0}, {L"eFW_THIN", 100}, {L"eFW_EXTRALIGHT", 200}, {L"eFW_LIGHT", 300},
        {L"eFW_NORMAL", 400}, {L"eFW_MEDIUM", 500}, {L"eFW_SEMIBOLD", 600}, {L"eFW_BOLD", 700},
        {L"eFW_EXTRABOLD", 800}, {L"eFW_HEAVY", 900}}},
      {L"ENUM_lfYesNone", {{L"elfNone", 0}, {L"elfYes", 1}}},
      {L"enumENUM_lfCharSet",
       {{L"eANSI_CHARSET", 0}, {L"eDEFAULT_CHARSET", 1}, {L"eSYMBOL_CHARSET", 2},
        {L"eSHIFTJIS_CHARSET", 128}, {L"eOEM_CHARSET", 255}}},
      {L"ENUM_lfOUtPrecision",
       {{L"eOUT_DEFAULT_PRECIS", 0}, {L"eOUT_STRING_PRECIS", 1}, {L"eOUT_CHARACTER_PRECIS", 2},
        {L"eOUT_STROKE_PRECIS", 3}, {L"eOUT_TT_PRECIS", 4}, {L"eOUT_DEVICE_PRECIS", 5},
        {L"eOUT_RASTER_PRECIS", 6}, {L"eOUT_TT_ONLY_PRECIS", 7}}},
      {L"ENUM_lfQuality",
       {{L"eDEFAULT_QUALITY", 0}, {L"eDRAFT_QUALITY", 1}, {L"ePROOF_QUALITY", 2}}},
      {L"ENUM_lfPitchAndFamily_Pitch",
       {{L"eDEFALUT_PITCH", 0}, {L"eFIXED_PITCH", 1}, {L"eVARIABLE_PITCH", 2}}},
      {L"ENUM_lfPitchAndFamily_Family",
       {{L"eFF_DONTCARE", 0}, {L"eFF_ROMAN", 16}, {L"eFF_SWISS", 32}, {L"eFF_MODERN", 48},
        {L"eFF_SCRIPT", 64}, {L"eFF_DECORATIVE", 80}}},
      {L"ENUM_TIRECT",
       {{L"eTIMarginLeft", 1}, {L"eTIMarginTop", 2}, {L"eTIMarginRight", 3},
        {L"eTIMarginBottom", 4}}},
      {L"ENUM_DLG_METHOD", {{L"eDLG_OPEN", 0}, {L"eDLG_SAVE", 1}}},
      {L"ENUM_DLG_POSITION",
       {{L"eDLGPOS_NONE", 0}, {L"eDLGPOS_CENTER", 1}, {L"eDLGPOS_LEFT_TOP", 2},
        {L"eDLGPOS_LEFT_BOTTOM", 3}, {L"eDLGPOS_RIGHT_TOP", 4}, {L"eDLGPOS_RIGHT_BOTTOM", 5}}},
  };
  return enums;
}

// ---------------------------------------------------------------------------------------------
// Reading the library

struct Build {
  const char* variable;  // environment variable naming the file
  SYSKIND syskind;
  const char* label;
};

const Build kBuilds[] = {{"BRIXEN_DLL64", SYS_WIN64, "Win64"}, {"BRIXEN_DLL32", SYS_WIN32, "Win32"}};

// Names the build in the names and failure lines of parameterized tests.
void PrintTo(const Build& build, std::ostream* os) { *os << build.label; }

std::string HexId(MEMBERID id) {
  char buf[16];
  snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(id));
  return buf;
}

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  return s;
}

std::wstring GuidText(const GUID& g) {
  wchar_t buf[40] = {};
  StringFromGUID2(g, buf, 40);
  return buf;
}

std::wstring TypeName(ITypeInfo* ti, MEMBERID id = MEMBERID_NIL) {
  test::OwnedBstr name;
  if (FAILED(ti->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr))) return L"<no name>";
  return name.text();
}

// Keeps a TYPEATTR, FUNCDESC or VARDESC for the scope that reads it.
struct TypeAttr {
  ITypeInfo* ti;
  TYPEATTR* a = nullptr;
  explicit TypeAttr(ITypeInfo* t) : ti(t) { ti->GetTypeAttr(&a); }
  ~TypeAttr() { if (a) ti->ReleaseTypeAttr(a); }
};
struct FuncDesc {
  ITypeInfo* ti;
  FUNCDESC* f = nullptr;
  FuncDesc(ITypeInfo* t, UINT i) : ti(t) { ti->GetFuncDesc(i, &f); }
  ~FuncDesc() { if (f) ti->ReleaseFuncDesc(f); }
};
struct VarDesc {
  ITypeInfo* ti;
  VARDESC* v = nullptr;
  VarDesc(ITypeInfo* t, UINT i) : ti(t) { ti->GetVarDesc(i, &v); }
  ~VarDesc() { if (v) ti->ReleaseVarDesc(v); }
};

const char* KindText(INVOKEKIND k) {
  switch (k) {
    case INVOKE_FUNC: return "method";
    case INVOKE_PROPERTYGET: return "get";
    case INVOKE_PROPERTYPUT: return "let";
    case INVOKE_PROPERTYPUTREF: return "set";
  }
  return "?";
}

INVOKEKIND InvokeKind(Kind k) {
  switch (k) {
    case Kind::Method: return INVOKE_FUNC;
    case Kind::Get: return INVOKE_PROPERTYGET;
    case Kind::Let: return INVOKE_PROPERTYPUT;
    case Kind::Set: return INVOKE_PROPERTYPUTREF;
  }
  return INVOKE_FUNC;
}

class TypeLibFile {
 public:
  // Loads the file that the build's variable names; skipped is set when it names none.
  explicit TypeLibFile(const Build& build) {
    wchar_t variable[64] = {};
    MultiByteToWideChar(CP_ACP, 0, build.variable, -1, variable, 64);
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableW(variable, path, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2) {
      skipped = true;
      return;
    }
    path_ = path;
    load_result = LoadTypeLibEx(path, REGKIND_NONE, &lib);
  }

  std::wstring path() const { return path_; }

  bool skipped = false;
  HRESULT load_result = E_FAIL;
  ComPtr<ITypeLib> lib;

 private:
  std::wstring path_;
};

// Loads the library for one build; a test that uses it skips or fails through the macros below.
#define BRIXEN_LOAD_OR_SKIP(file, build)                                                  \
  TypeLibFile file(build);                                                                \
  if (file.skipped) GTEST_SKIP() << (build).variable << " is not set";                    \
  ASSERT_EQ(file.load_result, S_OK) << "LoadTypeLibEx(" << Narrow(file.path()) << ")"; \
  ASSERT_NE(file.lib.Get(), nullptr)

// ---------------------------------------------------------------------------------------------
// Library identity and its set of types

class TypeLibrary : public ::testing::TestWithParam<Build> {};

TEST_P(TypeLibrary, IdentityVersionLocaleAndPlatform) {
  BRIXEN_LOAD_OR_SKIP(file, GetParam());

  TLIBATTR* attr = nullptr;
  ASSERT_EQ(file.lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(GuidText(attr->guid), L"{3311AACD-17AA-4E90-BC4B-6999D87ACA7A}");
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0x0409u);
  EXPECT_EQ(attr->syskind, GetParam().syskind);
  file.lib->ReleaseTLibAttr(attr);

  test::OwnedBstr name, help;
  ASSERT_EQ(file.lib->GetDocumentation(MEMBERID_NIL, name.put(), help.put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.text(), L"BRIXEN");
  EXPECT_EQ(help.text(), L"BRIXEN UTILITIES NOT ADO NOT DAO");
}

// Exactly the ten classes, their ten interfaces and the enumerations: nothing extra, nothing
// misnamed (a misnamed type would fail here even when its own checks cannot find it).
TEST_P(TypeLibrary, HoldsExactlyTheClassesInterfacesAndEnumerations) {
  BRIXEN_LOAD_OR_SKIP(file, GetParam());

  std::set<std::wstring> want_classes, want_interfaces, want_enums;
  for (const auto& c : Classes()) {
    want_classes.insert(c.coclass);
    want_interfaces.insert(std::wstring(L"_") + c.coclass);
  }
  for (const auto& e : Enums()) want_enums.insert(e.name);

  std::set<std::wstring> classes, interfaces, enums, others;
  for (UINT i = 0; i < file.lib->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> ti;
    ASSERT_EQ(file.lib->GetTypeInfo(i, &ti), S_OK);
    TypeAttr a(ti.Get());
    ASSERT_NE(a.a, nullptr);
    std::wstring name = TypeName(ti.Get());
    switch (a.a->typekind) {
      case TKIND_COCLASS: classes.insert(name); break;
      case TKIND_DISPATCH: interfaces.insert(name); break;
      case TKIND_ENUM: enums.insert(name); break;
      default: others.insert(name); break;
    }
  }
  auto text = [](const std::set<std::wstring>& s) {
    std::string out;
    for (const auto& n : s) out += Narrow(n) + " ";
    return out;
  };
  EXPECT_EQ(classes, want_classes) << "coclasses: " << text(classes);
  EXPECT_EQ(interfaces, want_interfaces) << "dual interfaces: " << text(interfaces);
  EXPECT_EQ(enums, want_enums) << "enumerations: " << text(enums);
  EXPECT_TRUE(others.empty()) << "unexpected types: " << text(others);
}

INSTANTIATE_TEST_SUITE_P(Builds, TypeLibrary, ::testing::ValuesIn(kBuilds),
                         [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// One class: coclass, default interface, and every member in its slot

class ClassInterface : public ::testing::TestWithParam<std::tuple<Build, size_t>> {
 protected:
  const Build& build() const { return std::get<0>(GetParam()); }
  const ClassSurface& surface() const { return Classes()[std::get<1>(GetParam())]; }
};

TEST_P(ClassInterface, CoclassIsCreatableWithItsDefaultInterface) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();

  CLSID clsid{};
  ASSERT_EQ(IIDFromString(c.clsid, &clsid), S_OK);
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(file.lib->GetTypeInfoOfGuid(clsid, &coclass), S_OK)
      << Narrow(c.coclass) << ": no type with class identifier " << Narrow(c.clsid);
  EXPECT_EQ(TypeName(coclass.Get()), c.coclass);

  TypeAttr a(coclass.Get());
  ASSERT_NE(a.a, nullptr);
  EXPECT_EQ(a.a->typekind, TKIND_COCLASS);
  EXPECT_TRUE(a.a->wTypeFlags & TYPEFLAG_FCANCREATE) << Narrow(c.coclass) << " is not creatable";
  ASSERT_EQ(a.a->cImplTypes, 1) << Narrow(c.coclass) << " should implement one interface";

  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT) << Narrow(c.coclass) << ": interface is not [default]";
  EXPECT_FALSE(flags & IMPLTYPEFLAG_FSOURCE);

  HREFTYPE ref = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
  ComPtr<ITypeInfo> iface;
  ASSERT_EQ(coclass->GetRefTypeInfo(ref, &iface), S_OK);
  EXPECT_EQ(TypeName(iface.Get()), std::wstring(L"_") + c.coclass);
  TypeAttr ia(iface.Get());
  ASSERT_NE(ia.a, nullptr);
  EXPECT_EQ(GuidText(ia.a->guid), c.iid) << Narrow(c.coclass) << ": default interface identifier";
}

TEST_P(ClassInterface, DualHiddenNonextensibleInterfaceDerivedFromIDispatch) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();
  const std::string iname = "_" + Narrow(c.coclass);

  IID iid{};
  ASSERT_EQ(IIDFromString(c.iid, &iid), S_OK);
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(file.lib->GetTypeInfoOfGuid(iid, &disp), S_OK) << iname << " not found by identifier";

  // Both halves are hidden, dual, not extensible and dispatchable; the vtable half is also
  // marked for automation marshaling.
  const WORD wanted = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
  {
    TypeAttr a(disp.Get());
    ASSERT_NE(a.a, nullptr);
    EXPECT_EQ(a.a->typekind, TKIND_DISPATCH) << iname;
    EXPECT_EQ(a.a->wTypeFlags & wanted, wanted) << iname << " flags 0x" << std::hex << a.a->wTypeFlags;
  }

  // The vtable half of the dual interface.
  HREFTYPE ref = 0;
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK) << iname << " is not dual";
  ComPtr<ITypeInfo> vt;
  ASSERT_EQ(disp->GetRefTypeInfo(ref, &vt), S_OK);
  TypeAttr a(vt.Get());
  ASSERT_NE(a.a, nullptr);
  EXPECT_EQ(a.a->typekind, TKIND_INTERFACE) << iname;
  EXPECT_EQ(a.a->wTypeFlags & (wanted | TYPEFLAG_FOLEAUTOMATION), wanted | TYPEFLAG_FOLEAUTOMATION)
      << iname << " flags 0x" << std::hex << a.a->wTypeFlags;

  ASSERT_EQ(a.a->cImplTypes, 1);
  ASSERT_EQ(vt->GetRefTypeOfImplType(0, &ref), S_OK);
  ComPtr<ITypeInfo> base;
  ASSERT_EQ(vt->GetRefTypeInfo(ref, &base), S_OK);
  TypeAttr ba(base.Get());
  ASSERT_NE(ba.a, nullptr);
  EXPECT_EQ(GuidText(ba.a->guid), GuidText(IID_IDispatch)) << iname << " base interface";
}

// Every own member of the interface, in vtable order: name, invoke kind, dispatch id and slot.
// The slot is oVft over the pointer size of this process (the loader lays the vtable out for the
// running platform, whichever platform the file was made for); IDispatch fills slots 0 to 6.
TEST_P(ClassInterface, MembersInSlotOrderWithTheirDispatchIds) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();
  const std::string iname = "_" + Narrow(c.coclass);

  IID iid{};
  ASSERT_EQ(IIDFromString(c.iid, &iid), S_OK);
  ComPtr<ITypeInfo> disp, vt;
  ASSERT_EQ(file.lib->GetTypeInfoOfGuid(iid, &disp), S_OK);
  HREFTYPE ref = 0;
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
  ASSERT_EQ(disp->GetRefTypeInfo(ref, &vt), S_OK);

  TypeAttr a(vt.Get());
  ASSERT_NE(a.a, nullptr);
  const size_t want = c.members.size();
  EXPECT_EQ(static_cast<size_t>(a.a->cFuncs), want) << iname << " member count";

  for (size_t i = 0; i < want && i < a.a->cFuncs; ++i) {
    const Member& m = c.members[i];
    const std::string where = iname + " slot " + std::to_string(7 + i) + " (" + Narrow(m.name) +
                              " " + KindText(InvokeKind(m.kind)) + ")";
    FuncDesc fd(vt.Get(), static_cast<UINT>(i));
    ASSERT_NE(fd.f, nullptr) << where;
    EXPECT_EQ(TypeName(vt.Get(), fd.f->memid), m.name) << where << ": name";
    EXPECT_EQ(KindText(fd.f->invkind), std::string(KindText(InvokeKind(m.kind)))) << where << ": invoke kind";
    EXPECT_EQ(HexId(fd.f->memid), HexId(m.memid())) << where << ": dispatch id";
    EXPECT_EQ(fd.f->oVft / static_cast<SHORT>(sizeof(void*)), static_cast<SHORT>(7 + i)) << where << ": vtable slot";
    EXPECT_EQ(fd.f->callconv, CC_STDCALL) << where;
    EXPECT_EQ(fd.f->elemdescFunc.tdesc.vt, VT_HRESULT) << where << ": returns an HRESULT";
  }
}

// Late binders find each member by name through the dispatch half and get the same id.
TEST_P(ClassInterface, NamesResolveToTheirDispatchIds) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();
  const std::string iname = "_" + Narrow(c.coclass);

  IID iid{};
  ASSERT_EQ(IIDFromString(c.iid, &iid), S_OK);
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(file.lib->GetTypeInfoOfGuid(iid, &disp), S_OK);

  for (const Member& m : c.members) {
    std::wstring name = m.name;
    LPOLESTR names[] = {name.data()};
    MEMBERID id = MEMBERID_NIL;
    EXPECT_EQ(disp->GetIDsOfNames(names, 1, &id), S_OK) << iname << "." << Narrow(m.name);
    EXPECT_EQ(HexId(id), HexId(m.memid())) << iname << "." << Narrow(m.name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Builds, ClassInterface,
    ::testing::Combine(::testing::ValuesIn(kBuilds), ::testing::Range<size_t>(0, Classes().size())),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).label) + "_" +
             Narrow(Classes()[std::get<1>(info.param)].coclass);
    });

// ---------------------------------------------------------------------------------------------
// Enumerations: each member's name and value

class Enumeration : public ::testing::TestWithParam<std::tuple<Build, size_t>> {};

TEST_P(Enumeration, MembersAndValues) {
  BRIXEN_LOAD_OR_SKIP(file, std::get<0>(GetParam()));
  const EnumSurface& e = Enums()[std::get<1>(GetParam())];
  const std::string ename = Narrow(e.name);

  ComPtr<ITypeInfo> ti;
  for (UINT i = 0; i < file.lib->GetTypeInfoCount() && !ti.Get(); ++i) {
    ComPtr<ITypeInfo> candidate;
    ASSERT_EQ(file.lib->GetTypeInfo(i, &candidate), S_OK);
    if (TypeName(candidate.Get()) == e.name) ti = candidate;
  }
  ASSERT_NE(ti.Get(), nullptr) << ename << " is not in the library";

  TypeAttr a(ti.Get());
  ASSERT_NE(a.a, nullptr);
  ASSERT_EQ(a.a->typekind, TKIND_ENUM) << ename;
  EXPECT_EQ(static_cast<size_t>(a.a->cVars), e.members.size()) << ename << " member count";

  std::map<std::wstring, LONG> found;
  for (UINT i = 0; i < a.a->cVars; ++i) {
    VarDesc vd(ti.Get(), i);
    ASSERT_NE(vd.v, nullptr);
    ASSERT_EQ(vd.v->varkind, VAR_CONST) << ename;
    std::wstring name = TypeName(ti.Get(), vd.v->memid);
    VARIANT value;
    VariantInit(&value);
    ASSERT_EQ(VariantChangeType(&value, vd.v->lpvarValue, 0, VT_I4), S_OK) << ename << "." << Narrow(name);
    found[name] = V_I4(&value);
  }
  for (const auto& [name, value] : e.members) {
    auto it = found.find(name);
    if (it == found.end()) {
      ADD_FAILURE() << ename << "." << Narrow(name) << " is missing";
      continue;
    }
    EXPECT_EQ(it->second, value) << ename << "." << Narrow(name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Builds, Enumeration,
    ::testing::Combine(::testing::ValuesIn(kBuilds), ::testing::Range<size_t>(0, Enums().size())),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).label) + "_" +
             Narrow(Enums()[std::get<1>(info.param)].name);
    });

}  // namespace
}  // namespace brixen
