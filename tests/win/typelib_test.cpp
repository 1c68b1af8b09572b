// The type library BRIXEN as a client sees it: library identity, the ten classes with their
// default interfaces, every member's name, invoke kind, dispatch id and vtable slot, its
// parameters (name, type, ByVal or ByRef, optional with its default value) and its result, and
// every enumeration, and a one-line help string on each class, interface, member and
// enumeration. The expectations are written out here by hand from the published class surface,
// not from brixen.idl, so a slip in the IDL (a swapped get/let, a wrong counter, a missing member,
// a parameter's type, passing or default) shows up as a named failure.
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
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "com_fixture.h"

namespace brixen {
namespace {

using Microsoft::WRL::ComPtr;

// ---------------------------------------------------------------------------------------------
// Expected surface

enum class Kind { Method, Get, Let, Set };

// A default value as the library stores it: its Variant type and its value.
struct Default {
  VARTYPE vt;  // VT_EMPTY: the parameter has no default
  LONG number;
  const wchar_t* text;  // the value of a VT_BSTR default
};

constexpr Default kNoDefault{VT_EMPTY, 0, nullptr};
constexpr Default kEmptyText{VT_BSTR, 0, L""};
constexpr Default DefaultLong(LONG n) { return {VT_I4, n, nullptr}; }
constexpr Default DefaultBool(bool b) { return {VT_BOOL, b ? -1 : 0, nullptr}; }

// One declared parameter. Types are spelled as a C++ client of the library declares them
// ("BSTR", "long", "VARIANT_BOOL", "IDispatch*", "SAFEARRAY(BSTR)", an enumeration's name); a ByRef
// parameter takes one pointer more. Every optional parameter of the library has a default.
struct Param {
  const wchar_t* name;  // nullptr: the assigned value of a property let or set, left unnamed
  const char* type;
  bool byref;
  Default fallback;

  bool optional() const { return fallback.vt != VT_EMPTY; }
};

Param ByVal(const wchar_t* n, const char* t, Default d = kNoDefault) { return {n, t, false, d}; }
Param ByRef(const wchar_t* n, const char* t, Default d = kNoDefault) { return {n, t, true, d}; }
Param Assigned(const char* t) { return {nullptr, t, false, kNoDefault}; }
Param AssignedByRef(const char* t) { return {nullptr, t, true, kNoDefault}; }

struct Member {
  const wchar_t* name;
  Kind kind;
  unsigned counter;  // low half of the dispatch id
  std::vector<Param> params;  // in declaration order, without the result
  const char* result;  // nullptr: none

  MEMBERID memid() const {
    return static_cast<MEMBERID>((kind == Kind::Method ? 0x60030000u : 0x68030000u) | counter);
  }
};

Member Fn(const wchar_t* n, unsigned c, std::vector<Param> p, const char* result = nullptr) {
  return {n, Kind::Method, c, std::move(p), result};
}
Member Get(const wchar_t* n, unsigned c, std::vector<Param> p, const char* result) {
  return {n, Kind::Get, c, std::move(p), result};
}
Member Let(const wchar_t* n, unsigned c, std::vector<Param> p) { return {n, Kind::Let, c, std::move(p), nullptr}; }
Member Set(const wchar_t* n, unsigned c, std::vector<Param> p) { return {n, Kind::Set, c, std::move(p), nullptr}; }

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
       {Get(L"OpenColorDialog", 4, {}, "long"),
        Let(L"Flags", 3, {Assigned("long")}),
        Let(L"InitialColor", 2, {Assigned("long")}),
        Let(L"OwnerInstance", 1, {ByVal(L"Owner", "long"), Assigned("long")}),
        Get(L"Result", 0, {}, "long")}},

      {L"clsDialogOpenSave", L"{A8889DC4-F062-435D-8A29-725194B860FD}",
       L"{09ACDFF1-1028-465C-A329-87D2719E8C87}",
       {Get(L"FilterIndex", 0, {}, "long"),
        Fn(L"OpenDialog", 1,
           {ByVal(L"eVALUE", "ENUM_DLG_METHOD"), ByVal(L"hwnd", "long"), ByVal(L"sDlgTitle", "BSTR"),
            ByVal(L"lFlags", "long"), ByVal(L"sFilter", "BSTR", kEmptyText),
            ByVal(L"sInitialDir", "BSTR", kEmptyText), ByVal(L"sInitialFile", "BSTR", kEmptyText),
            ByVal(L"sDefExt", "BSTR", kEmptyText), ByVal(L"lFilterIndex", "long", DefaultLong(1)),
            ByVal(L"sOKCaption", "BSTR", kEmptyText), ByVal(L"sstc3Caption", "BSTR", kEmptyText),
            ByVal(L"eDlgPosition", "ENUM_DLG_POSITION", DefaultLong(0))},
           "BSTR"),
        Fn(L"GetLong", 2, {ByVal(L"lng", "long")}, "long")}},

      {L"clsProperty", L"{178F7E18-0CC7-4C76-894A-8F324AFBC388}",
       L"{4121D83E-7D16-4E43-83D3-2F1E003D7036}",
       {Fn(L"ping", 0x05, {ByVal(L"sHost", "BSTR"), ByVal(L"lTimeout", "VARIANT")}, "VARIANT_BOOL"),
        Fn(L"GetIMEName", 0x08, {}, "BSTR"),
        Fn(L"GetTaskBarSize", 0x09, {}, "BSTR"),
        Fn(L"JugeIDE", 0x0a, {}, "VARIANT_BOOL"),
        Fn(L"GetFontName", 0x0b, {ByVal(L"eVALUE", "ENUM_GETFONT")}, "BSTR"),
        Fn(L"CloseApp", 0x0c,
           {ByVal(L"var", "VARIANT"), ByVal(L"Which", "ENUM_CLOSEAPPLICATION"),
            ByVal(L"Included", "VARIANT_BOOL", DefaultBool(false))},
           "long"),
        Get(L"DeviceColors", 4, {ByVal(L"hdc", "long")}, "float"),
        Fn(L"Lang", 0x0d, {}, "BSTR"),
        Get(L"CrtResolution", 3, {}, "long"),
        Fn(L"ActivateScreenSaver", 0x0e, {ByVal(L"boo", "VARIANT_BOOL")}, "long"),
        Fn(L"ExitWindowAPI", 0x0f, {ByVal(L"eFlagEWX", "ENUM_EWX")}, "long"),
        Fn(L"Pwd", 0x10, {ByVal(L"dt", "DATE")}, "BSTR"),
        Fn(L"RunFileFindDlg", 0x11, {ByVal(L"hwnd", "long"), ByVal(L"spath", "BSTR")}, "long"),
        Fn(L"SetWindowPriority", 0x12, {ByVal(L"hwnd", "long"), ByVal(L"Which", "ENUM_WINDOWPRIORITY")},
           "VARIANT_BOOL"),
        Fn(L"GetAPILastError", 0x13, {ByVal(L"lngLastError", "long")}, "BSTR"),
        Fn(L"Create_unsigned32bit", 0x14, {ByVal(L"lngHi", "long"), ByVal(L"lngLow", "long")}, "long"),
        Fn(L"IsLoaded", 0x15, {ByRef(L"frms", "VARIANT"), ByVal(L"frmName", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"ChangeIMEMode", 0x16, {ByVal(L"hwnd", "long"), ByVal(L"lngIMEMode", "ENUM_IMEONOFF")},
           "VARIANT_BOOL"),
        Get(L"NumLockStatus", 2, {}, "ENUM_NUMLOCKSTATUS"),
        Let(L"NumLockStatus", 2, {AssignedByRef("ENUM_NUMLOCKSTATUS")}),
        Fn(L"SetFlatHeader", 0x18, {ByVal(L"hwnd", "long")}, "long"),
        Fn(L"SetPrinterOrientation", 0x19, {ByVal(L"intDirection", "ENUM_PRINTERORIENTATION")},
           "VARIANT_BOOL"),
        Fn(L"GetPrinterOrientation", 0x1a, {}, "ENUM_PRINTERORIENTATION"),
        Fn(L"GetGUID", 0x1b, {}, "BSTR"),
        Fn(L"RunAssociatedApp", 0x1c,
           {ByVal(L"hwnd", "long"), ByVal(L"sFullFname", "BSTR"), ByVal(L"nShowCmd", "ENUM_SW")}, "long"),
        Fn(L"ExploreHere", 0x1d,
           {ByVal(L"hwnd", "long"), ByVal(L"sFolder", "BSTR"), ByVal(L"nShowCmd", "ENUM_SW")}, "long"),
        Fn(L"GetAssociatedApp", 0x1e, {ByVal(L"sFileName", "BSTR")}, "BSTR"),
        Fn(L"GetUserName", 0x1f, {}, "BSTR"),
        Fn(L"GetWindowHandleByCaptionOnly", 0x20,
           {ByVal(L"AppCaption", "BSTR"), ByVal(L"Included", "VARIANT_BOOL", DefaultBool(false))}, "long"),
        Fn(L"GetBmpBitCount", 0x21, {ByVal(L"strBmpName", "BSTR")}, "long"),
        Get(L"IconSize", 1, {ByVal(L"sIconFullFname", "BSTR")}, "long"),
        Fn(L"SetFocusByCaption", 0x22, {ByVal(L"AppCaption", "BSTR"), ByVal(L"nShowCmd", "ENUM_SW")}, "long"),
        Fn(L"msgIsComboBoxOpend", 0x23, {ByVal(L"hwnd", "long")}, "VARIANT_BOOL"),
        Fn(L"GetVScrollWidth", 0x24, {}, "long"),
        Fn(L"GetHScrollHeight", 0x25, {}, "long"),
        Fn(L"GetDlgBorderHeight", 0x26, {}, "long"),
        Get(L"WindowTitleHeight", 0, {}, "long"),
        Fn(L"GetWindowWidth", 0x27,
           {ByVal(L"hdc", "long"), ByRef(L"orgx", "long"), ByRef(L"orgy", "long"), ByRef(L"extx", "long"),
            ByRef(L"exty", "long")},
           "VARIANT_BOOL"),
        Fn(L"ExistsRegEntry", 0x28,
           {ByVal(L"AppName", "BSTR"), ByVal(L"SECTION", "BSTR"), ByVal(L"KEY", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"RegDefaultKey", 0x29,
           {ByVal(L"AppName", "BSTR"), ByVal(L"SECTION", "BSTR"), ByRef(L"KEY", "VARIANT"),
            ByVal(L"Value", "VARIANT")},
           "VARIANT_BOOL"),
        Fn(L"GetProfileValueInt", 0x2a,
           {ByVal(L"sSection", "BSTR"), ByVal(L"sKey", "BSTR"), ByVal(L"sFullFname", "BSTR")}, "long"),
        Fn(L"GetProfileValueString", 0x2b,
           {ByVal(L"sSection", "BSTR"), ByVal(L"sKey", "BSTR"), ByVal(L"sFullFname", "BSTR")}, "BSTR"),
        Fn(L"apSel_DelObject", 0x2c,
           {ByVal(L"hdc", "long"), ByVal(L"SelhObject", "long"), ByVal(L"DelhObject", "long")}, "long"),
        Fn(L"SetMapWindow", 0x2d,
           {ByVal(L"hdc", "long"), ByVal(L"MapMode", "ENUM_MAPMODE"), ByVal(L"orgx", "long"),
            ByVal(L"orgy", "long"), ByVal(L"extx", "long"), ByVal(L"exty", "long")},
           "long"),
        Fn(L"SetMapViewPort", 0x2e,
           {ByVal(L"hdc", "long"), ByVal(L"orgx", "long"), ByVal(L"orgy", "long"), ByVal(L"extx", "long"),
            ByVal(L"exty", "long")},
           "long"),
        Fn(L"Calcul2Byte", 0x2f, {ByVal(L"Mae", "unsigned char"), ByVal(L"Ato", "unsigned char")}, "short"),
        Fn(L"MinusOpForBin", 0x30, {ByVal(L"intTarget", "short")}, "unsigned char"),
        Fn(L"ExistsPrinterFont", 0x31, {ByVal(L"FontName", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"GetHiWord", 0x32, {ByVal(L"LongValue", "long")}, "long"),
        Fn(L"ToMinus", 0x33, {ByVal(L"Num", "VARIANT")}, "VARIANT"),
        Fn(L"ExistsVSCROLL", 0x34, {ByVal(L"hwnd", "long")}, "VARIANT_BOOL"),
        Fn(L"ExistsHSCROLL", 0x35, {ByVal(L"hwnd", "long")}, "VARIANT_BOOL"),
        Fn(L"GetWinVer", 0x36,
           {ByRef(L"MajorVer", "long"), ByRef(L"Minorver", "long"), ByRef(L"PlatFormID", "long")}, "long"),
        Fn(L"CvWithSign", 0x37, {ByVal(L"lngValue", "long")}, "long"),
        Fn(L"GetLoWord", 0x38, {ByVal(L"LongValue", "long")}, "long"),
        Fn(L"GetKBDInfo", 0x39, {ByVal(L"Flag", "short")}, "BSTR"),
        Fn(L"WriteProfileValue", 0x3a,
           {ByVal(L"sSection", "BSTR"), ByVal(L"sKey", "BSTR"), ByVal(L"vValue", "VARIANT"),
            ByVal(L"sFullFname", "BSTR")},
           "VARIANT_BOOL")}},

      {L"clsMethod", L"{CCFAB726-8A69-46A0-96C8-8FD094CBA102}",
       L"{730EB31D-C2AB-4C46-89C2-5C9B4AAA5E51}",
       {Fn(L"RunContolPanel", 0x00, {ByVal(L"eKIND", "ENUM_CONTOLPANELKIND")}),
        Fn(L"TileBitmap", 0x01, {ByVal(L"objDest", "IDispatch*"), ByRef(L"BmpDest", "IPictureDisp*")}),
        Fn(L"RegIniDefaultKey", 0x03,
           {ByVal(L"sSection", "BSTR"), ByVal(L"sKey", "BSTR"), ByVal(L"vStdValue", "VARIANT"),
            ByVal(L"sFullFname", "BSTR")}),
        Fn(L"DrawButtonEdge", 0x04,
           {ByVal(L"hdc", "long"), ByVal(L"BTN", "IDispatch*"), ByVal(L"lngStyle", "ENUM_EDGE"),
            ByVal(L"lngSA", "long")}),
        Fn(L"DrawSeparateLine", 0x05,
           {ByVal(L"hdc", "VARIANT"), ByVal(L"LEFT", "long"), ByVal(L"TOP", "long"), ByVal(L"RIGHT", "long")}),
        Fn(L"Gradate", 0x08,
           {ByVal(L"hwnd", "long"), ByVal(L"hdcDest", "long"), ByVal(L"clrStart", "OLE_COLOR"),
            ByVal(L"clrEnd", "OLE_COLOR"), ByVal(L"lngDirection", "ENUM_GradeDirection")}),
        Fn(L"DrawWaku", 0x09,
           {ByVal(L"hdc", "long"), ByVal(L"lngLeft", "long"), ByVal(L"lngTop", "long"), ByVal(L"lngRight", "long"),
            ByVal(L"lngBottom", "long"), ByVal(L"lngSA", "long"), ByVal(L"lngStyle", "ENUM_EDGE", DefaultLong(5))}),
        Fn(L"SendTab", 0x0a, {ByRef(L"KeyAscii", "short")}),
        Fn(L"SetTextRect", 0x0b,
           {ByVal(L"hwnd", "long"), ByVal(L"lngLeft", "long"), ByVal(L"lngTop", "long"),
            ByVal(L"lngRight", "long", DefaultLong(0)), ByVal(L"lngBottom", "long", DefaultLong(0))}),
        Fn(L"SetComboListHeight", 0x0c, {ByVal(L"cmbDest", "IDispatch*"), ByVal(L"lngpixNewHeight", "long")}),
        Fn(L"TextSelOp", 0x0d, {ByRef(L"txtCTL", "IDispatch*")}),
        Fn(L"TextSelOpABS", 0x0e, {ByRef(L"txtCTL", "IDispatch*")}),
        Fn(L"msgOpenComboBox", 0x0f, {ByVal(L"hwnd", "long")}),
        Fn(L"SetComboListWidth", 0x10, {ByVal(L"cmbDest", "IDispatch*"), ByVal(L"lngpixNewWidth", "long")}),
        Fn(L"ErrReg", 0x11,
           {ByVal(L"ERRCode", "long"), ByVal(L"ErrString", "BSTR"), ByVal(L"ModuleName", "BSTR")}),
        Fn(L"CheckWhere", 0x12, {ByRef(L"WhereStr", "BSTR")}),
        Fn(L"MakeWhereStr", 0x13, {ByRef(L"OrgWhere", "BSTR"), ByVal(L"NewWhere", "BSTR")}),
        Fn(L"Separate32WithSign", 0x14,
           {ByVal(L"tLong", "long"), ByRef(L"tx", "short"), ByRef(L"ty", "short")}),
        Fn(L"DrawEdgeAPI", 0x15,
           {ByVal(L"hdc", "long"), ByVal(L"lngLeft", "long"), ByVal(L"lngTop", "long"), ByVal(L"lngRight", "long"),
            ByVal(L"lngBottom", "long"), ByVal(L"lngWTYPE", "ENUM_EDGE")}),
        Fn(L"DrawMyEdge", 0x16,
           {ByVal(L"WTYPE", "ENUM_EDGE"), ByVal(L"hdc", "long"), ByVal(L"hwnd", "long"), ByVal(L"xMINUS", "long"),
            ByVal(L"yMINUS", "long"), ByVal(L"xRIGHTHOSEI", "long"), ByVal(L"yBOTTOMHOSEI", "long")}),
        Fn(L"ClipCursor32", 0x17,
           {ByVal(L"hwnd", "long"), ByVal(L"pixelWidth", "short"), ByVal(L"pixelHeight", "short")}),
        Fn(L"PutCursorToCenter32", 0x18, {ByVal(L"userHDC", "long")}),
        Fn(L"PutFormAtCenter", 0x19, {ByVal(L"TForm", "VARIANT")}),
        Fn(L"ReleaseCursor32", 0x1a, {}),
        Fn(L"RunHelp32", 0x1b, {ByVal(L"hwnd", "long"), ByVal(L"FullHelpName", "BSTR")}),
        Fn(L"WaitChotto", 0x1c, {ByVal(L"PauseTIME", "float")}),
        Fn(L"WaitChottoWithoutEvent", 0x1d, {ByVal(L"PauseTIME", "float")}),
        Fn(L"GetBmpSize", 0x1e,
           {ByVal(L"strBmpName", "BSTR"), ByRef(L"lngWidth", "long"), ByRef(L"lngHeight", "VARIANT")}),
        Fn(L"SeparateFNAME", 0x1f,
           {ByVal(L"FileName", "BSTR"), ByRef(L"tHidari", "BSTR"), ByRef(L"tMigi", "BSTR")})}},

      {L"clsFILE", L"{2ACA6D77-54CD-48B5-9683-916E7182348D}",
       L"{8BE4A89E-DBF8-410D-85D3-A3CAFB337EDA}",
       {Fn(L"ShowPropertiesDialog", 0x08, {ByVal(L"hwnd", "long"), ByVal(L"sFileName", "BSTR")}, "long"),
        Fn(L"OpenFolder", 0x09,
           {ByVal(L"hwnd", "long"), ByVal(L"sTitle", "BSTR"), ByVal(L"pidlRoot", "ENUM_CSIDL"),
            ByVal(L"sInitialPath", "BSTR")},
           "BSTR"),
        Fn(L"GetDesktopFolder", 0x0a, {ByVal(L"hwnd", "long")}, "BSTR"),
        Fn(L"GetSpecialFolder", 0x0b, {ByVal(L"hwnd", "long"), ByVal(L"eFolder", "ENUM_CSIDL")}, "BSTR"),
        Fn(L"SetThisFileTime", 0x0c, {ByVal(L"sFullFname", "BSTR"), ByVal(L"DateToSet", "DATE")}, "VARIANT_BOOL"),
        Fn(L"EnCode", 0x0d, {ByVal(L"sSrcFullFname", "BSTR"), ByVal(L"sDestFullFname", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"DeCode", 0x0e, {ByVal(L"sSrcFullFname", "BSTR"), ByVal(L"sDestFullFname", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"CreateShortCut", 0x0f,
           {ByVal(L"OnWhere", "ENUM_SHORTGROUPNAME"), ByVal(L"sShortCutName", "BSTR"),
            ByVal(L"sProgramName", "BSTR"), ByRef(L"sSpecifiedGroupName", "BSTR", kEmptyText),
            ByVal(L"sArguments", "BSTR", kEmptyText)},
           "long"),
        Fn(L"SHFileCopy", 0x10,
           {ByVal(L"hwnd", "VARIANT"), ByVal(L"pFrom", "BSTR"), ByVal(L"pTo", "BSTR"),
            ByVal(L"lpszProgresTitle", "BSTR", kEmptyText), ByVal(L"booOverWrite", "VARIANT_BOOL", DefaultBool(true)),
            ByVal(L"booRenameOnCollision", "VARIANT_BOOL", DefaultBool(false))},
           "VARIANT_BOOL"),
        Fn(L"SHFileDelete", 0x11, {ByVal(L"hwnd", "long"), ByVal(L"pFrom", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"CloneFolders", 0x12, {ByVal(L"sFromFolder", "BSTR"), ByVal(L"sToFolder", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"CreateAllFolders", 0x13, {ByVal(L"sFolder", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"DriveTypeString", 0x15, {ByVal(L"strPath", "BSTR")}, "BSTR"),
        Fn(L"IsRemainDriveSpace", 0x16, {ByVal(L"strPath", "BSTR"), ByVal(L"lngByte", "float")}, "VARIANT"),
        Fn(L"FirstHDDDrive", 0x17, {}, "BSTR"),
        Get(L"TempPath", 7, {}, "BSTR"),
        Fn(L"GetTempWinFile", 0x18, {ByVal(L"TopPrefix", "BSTR")}, "BSTR"),
        Fn(L"IsDirVacant", 0x19, {ByVal(L"FULLPATH", "BSTR")}, "VARIANT_BOOL"),
        Get(L"CntFilesInFolder", 6, {ByVal(L"TargetPath", "BSTR")}, "long"),
        Get(L"FilesInFolder", 5,
            {ByVal(L"sTargetFolder", "BSTR"), ByRef(L"Which", "ENUM_FilesInFolder"),
             ByRef(L"Attributes", "long", DefaultLong(0))},
            "SAFEARRAY(BSTR)"),
        Get(L"FoldersInFolder", 4, {ByRef(L"arFolders", "SAFEARRAY(BSTR)"), ByVal(L"sBaseFolder", "BSTR")},
            "SAFEARRAY(BSTR)"),
        Fn(L"GetExcludeEXT", 0x1a,
           {ByVal(L"tPath", "BSTR"), ByVal(L"FNAME", "BSTR"), ByRef(L"FROM", "short"), ByVal(L"MADE", "short")},
           "BSTR"),
        Fn(L"IsFileAitaMaMa", 0x1b, {}, "VARIANT_BOOL"),
        Fn(L"IsWritable", 0x1c, {ByVal(L"tPath", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"IsExistFile", 0x1d, {ByVal(L"FullFName", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"IsExistDot", 0x1e, {ByVal(L"tStr", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"GetWhatFromFullPath", 0x1f, {ByVal(L"Which", "short"), ByVal(L"FULLFILENAME", "BSTR")}, "BSTR"),
        Fn(L"FNameCheck", 0x20, {ByVal(L"FNAME", "BSTR")}, "short"),
        Fn(L"ReplaceExt", 0x21, {ByVal(L"FullFName", "BSTR"), ByVal(L"DstExt", "BSTR")}, "BSTR"),
        Fn(L"FileDirCheck", 0x22,
           {ByVal(L"tPath", "BSTR"), ByVal(L"tName", "BSTR"), ByVal(L"OVBOOL", "VARIANT_BOOL")}, "short"),
        Fn(L"YenCheck", 0x23, {ByVal(L"Which", "ENUM_YENCHECK"), ByVal(L"spath", "BSTR")}, "BSTR"),
        Fn(L"IsExistDir", 0x24, {ByVal(L"tPath", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"IsExistIhanMoji", 0x25, {ByVal(L"tStr", "BSTR")}, "VARIANT_BOOL"),
        Get(L"MyFName", 3, {ByVal(L"APPPATH", "BSTR"), ByRef(L"HEAD", "BSTR"), ByVal(L"EXT", "BSTR")}, "BSTR"),
        Fn(L"IsDriveReady", 0x26, {ByVal(L"FullFName", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"IsFDReady", 0x27, {}, "VARIANT_BOOL"),
        Get(L"FDDrive", 2, {}, "IDispatch*"),
        Get(L"WindowsDirectory", 1, {}, "BSTR"),
        Get(L"SystemDirectory", 0, {}, "BSTR")}},

      {L"clsDATE", L"{393FD3CE-BA18-4C1D-A474-607FD31B813D}",
       L"{F3778B54-568F-4C43-91B8-C9E718654658}",
       {Fn(L"GetSevralDate", 0x00, {ByVal(L"Which", "ENUM_DATE"), ByRef(L"dt1", "DATE"), ByRef(L"dt2", "DATE")}),
        Fn(L"GetSecondsByTime", 0x01, {ByVal(L"timDate", "DATE")}, "long"),
        Fn(L"CvtToFunByo", 0x02, {ByVal(L"Keika", "long")}, "BSTR"),
        Fn(L"CvtToDayFunByo", 0x03, {ByVal(L"Keika", "float")}, "BSTR"),
        Fn(L"GetKeika", 0x04, {ByVal(L"Time1", "DATE"), ByVal(L"Time2", "DATE")}, "BSTR"),
        Fn(L"CvDateToSuji", 0x05, {ByVal(L"dtDate", "DATE")}, "long"),
        Fn(L"GetKongetuNissu", 0x06, {ByVal(L"tYear", "short"), ByVal(L"tMonth", "short")}, "short"),
        Fn(L"GetToday", 0x07, {}, "BSTR"),
        Fn(L"IsExactDate", 0x08, {ByVal(L"varDate", "VARIANT")}, "VARIANT_BOOL"),
        Fn(L"GetDateStr", 0x09, {ByVal(L"tStr", "BSTR")}, "BSTR"),
        Fn(L"GetKasanStr", 0x0a, {ByVal(L"DateStr", "BSTR")}, "BSTR"),
        Fn(L"GetEndDate", 0x0b, {ByVal(L"dtTarget", "DATE")}, "DATE")}},

      {L"clsString", L"{87CA57CC-4CB1-47D8-9B32-44A2B7A961DB}",
       L"{463766DA-5EEE-4083-87FB-E7498BA5E72D}",
       {Fn(L"Convert2To16", 0x00, {ByVal(L"svalue", "BSTR")}, "BSTR"),
        Fn(L"IsHex", 0x01, {ByVal(L"svalue", "BSTR")}, "VARIANT_BOOL"),
        Fn(L"ParseByteBit", 0x02, {ByVal(L"sBit", "BSTR")}, "unsigned char"),
        Fn(L"Nz", 0x03, {ByVal(L"var", "VARIANT")}, "long"),
        Fn(L"Nzs", 0x04, {ByVal(L"var", "VARIANT")}, "BSTR"),
        Fn(L"TrimTabSpace", 0x05, {ByVal(L"sTarget", "BSTR")}, "BSTR"),
        Fn(L"CheckKeyAscii", 0x06, {ByVal(L"KeyAscii", "short"), ByVal(L"Which", "ENUM_CheckKeyAscii")},
           "VARIANT_BOOL"),
        Fn(L"CvToBigASC", 0x07, {ByVal(L"KeyAscii", "short")}, "short"),
        Fn(L"Mask", 0x08,
           {ByRef(L"txtObj", "IDispatch*"), ByVal(L"lenChar", "long"), ByVal(L"maskType", "ENUM_CheckKeyAscii"),
            ByRef(L"KeyAscii", "short")}),
        Fn(L"TrimReturn", 0x09, {ByVal(L"sTarget", "BSTR")}, "BSTR"),
        Fn(L"TrimSpace", 0x0a, {ByVal(L"sTarget", "BSTR")}, "BSTR"),
        Fn(L"Fmt16", 0x0b, {ByVal(L"tByte", "unsigned char")}, "BSTR"),
        Fn(L"Fmt16Ex", 0x0c, {ByVal(L"ivalue", "short"), ByVal(L"Col", "long")}, "BSTR"),
        Fn(L"Fmt16Ex2", 0x0d, {ByVal(L"lvalue", "long"), ByVal(L"Col", "long")}, "BSTR"),
        Fn(L"GetLYoseStr", 0x0e, {ByVal(L"sTarget", "BSTR"), ByVal(L"MOJIKAZU", "unsigned char")}, "BSTR"),
        Fn(L"GetRYoseStr", 0x0f, {ByVal(L"Char", "VARIANT"), ByVal(L"Haba", "long")}, "BSTR"),
        Fn(L"GetZeroStr", 0x10, {ByVal(L"KAISU", "short")}, "BSTR"),
        Fn(L"IsABC", 0x11, {ByVal(L"KeyAscii", "short")}, "VARIANT_BOOL"),
        Fn(L"StrFormat", 0x12, {ByVal(L"tStr", "VARIANT"), ByVal(L"Which", "unsigned char")}, "BSTR"),
        Fn(L"CheckShosu", 0x13, {ByVal(L"tStr", "BSTR"), ByVal(L"UNIT", "short")}, "VARIANT_BOOL")}},

      {L"clsNewFont", L"{0E97B48A-6A5A-47E8-B37E-04702004E294}",
       L"{F4FB405C-C16C-413B-932A-4BAC7758B099}",
       {Let(L"lfHeight", 0x0b, {Assigned("long")}),
        Let(L"lfEscapement", 0x0a, {Assigned("long")}),
        Let(L"lfWeight", 0x09, {Assigned("ENUM_lfWeight")}),
        Let(L"lfWidth", 0x08, {Assigned("long")}),
        Let(L"lfItalic", 0x07, {Assigned("ENUM_lfYesNone")}),
        Let(L"lfUnderline", 0x06, {Assigned("ENUM_lfYesNone")}),
        Let(L"lfStrikeOut", 0x05, {Assigned("ENUM_lfYesNone")}),
        Let(L"lfOutPrecision", 0x04, {Assigned("ENUM_lfOUtPrecision")}),
        Let(L"lfQuality", 0x03, {Assigned("ENUM_lfQuality")}),
        Let(L"lfPitchAndFamily", 0x02,
            {ByVal(L"lfPitch", "ENUM_lfPitchAndFamily_Pitch"), Assigned("ENUM_lfPitchAndFamily_Family")}),
        Let(L"lfFaceName", 0x01, {Assigned("BSTR")}),
        Get(L"hNewFont", 0x00, {}, "long")}},

      {L"clsToolTip", L"{D09EBD5B-7F55-4D3D-ABBC-4F71B679CA3D}",
       L"{A846B7D2-9B8B-4020-8FBC-6C1C6DF614AB}",
       {Fn(L"Remove", 0x0a, {ByVal(L"lngKey", "long")}),
        Fn(L"Create", 0x0b, {ByVal(L"hwnd", "long")}, "VARIANT_BOOL"),
        Fn(L"Add", 0x0c,
           {ByVal(L"lngKey", "long"), ByVal(L"sText", "BSTR", kEmptyText), ByVal(L"lngLeft", "long", DefaultLong(0)),
            ByVal(L"lngTop", "long", DefaultLong(0)), ByVal(L"lngRight", "long", DefaultLong(0)),
            ByVal(L"lngBottom", "long", DefaultLong(0))},
           "VARIANT_BOOL"),
        Get(L"BackColor", 9, {}, "long"),
        Let(L"BackColor", 9, {Assigned("long")}),
        Get(L"ForeColor", 8, {}, "long"),
        Let(L"ForeColor", 8, {Assigned("long")}),
        Get(L"InitialTime", 7, {}, "long"),
        Let(L"InitialTime", 7, {Assigned("long")}),
        Fn(L"SetMargin", 0x0d,
           {ByVal(L"lngLeft", "long"), ByVal(L"lngTop", "long"), ByVal(L"lngRight", "long"),
            ByVal(L"lngBottom", "long")}),
        Fn(L"GetMargin", 0x0e, {ByVal(L"Which", "ENUM_TIRECT")}, "long"),
        Let(L"MaxWidth", 6, {Assigned("long")}),
        Get(L"MaxWidth", 6, {}, "long"),
        Fn(L"SetBoundingRect", 0x0f,
           {ByVal(L"lngKey", "long"), ByVal(L"lngLeft", "long"), ByVal(L"lngTop", "long"),
            ByVal(L"lngRight", "long"), ByVal(L"lngBottom", "long")}),
        Fn(L"GetBoundingRect", 0x10, {ByVal(L"lngKey", "long"), ByVal(L"Which", "ENUM_TIRECT")}, "long"),
        Get(L"ToolCount", 5, {}, "long"),
        Let(L"ToolText", 4, {ByVal(L"lngKey", "long"), Assigned("BSTR")}),
        Get(L"AutoPopTime", 3, {}, "long"),
        Let(L"AutoPopTime", 3, {Assigned("long")}),
        Get(L"ReShowTime", 2, {}, "long"),
        Let(L"ReShowTime", 2, {Assigned("long")}),
        Let(L"Activate", 1, {Assigned("VARIANT_BOOL")}),
        Let(L"ToolTrack", 0, {ByVal(L"lngKey", "long"), Assigned("VARIANT_BOOL")}),
        Fn(L"ToolTrackPosition", 0x11, {ByVal(L"lngX", "long"), ByVal(L"lngY", "long")})}},

      {L"clsPrgsBar", L"{B8987306-B322-46B0-A1C7-9AB4FF1C193B}",
       L"{DEBDE6B2-4827-4721-92C0-8E2DAEB794CE}",
       {Set(L"Target", 8, {Assigned("IDispatch*")}),
        Let(L"Value", 7, {Assigned("long")}),
        Get(L"Value", 7, {}, "long"),
        Let(L"MAX", 6, {Assigned("long")}),
        Get(L"MAX", 6, {}, "long"),
        Let(L"Direction", 5, {Assigned("ENUM_PRGSDIRECTION")}),
        Get(L"Direction", 5, {}, "ENUM_PRGSDIRECTION"),
        Let(L"ValueVisible", 4, {Assigned("VARIANT_BOOL")}),
        Get(L"ValueVisible", 4, {}, "VARIANT_BOOL"),
        Let(L"UnitString", 3, {Assigned("BSTR")}),
        Get(L"UnitString", 3, {}, "BSTR"),
        Let(L"BkClr", 2, {Assigned("long")}),
        Get(L"BkClr", 2, {}, "long"),
        Let(L"BarClr", 1, {Assigned("long")}),
        Get(L"BarClr", 1, {}, "long"),
        Let(L"ForeClr", 0, {Assigned("long")})}},
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

// Whether a type (MEMBERID_NIL) or a member has a help string of one line, the line VB's Object
// Browser and IntelliSense show.
bool HasOneLineHelp(ITypeInfo* ti, MEMBERID id = MEMBERID_NIL) {
  test::OwnedBstr help;
  if (FAILED(ti->GetDocumentation(id, nullptr, help.put(), nullptr, nullptr))) return false;
  const std::wstring text = help.text();
  return !text.empty() && text.find_first_of(L"\r\n") == std::wstring::npos;
}

// The library's type of this name; null when there is none.
ComPtr<ITypeInfo> TypeNamed(ITypeLib* lib, const std::wstring& name) {
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> candidate;
    if (SUCCEEDED(lib->GetTypeInfo(i, &candidate)) && TypeName(candidate.Get()) == name) return candidate;
  }
  return nullptr;
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
// Parameters as text, one line each, so that an expected and a found parameter compare as a
// whole: "sSpecifiedGroupName BSTR* in out optional hasdefault = VT_BSTR """

// How the unnamed ones show: the assigned value of a let or set, and the result.
constexpr const char* kAssignedValue = "(value)";
constexpr const char* kResult = "(result)";

std::string VariantTypeName(VARTYPE vt) {
  static const std::map<VARTYPE, const char*> names = {
      {VT_EMPTY, "VT_EMPTY"}, {VT_I2, "VT_I2"},     {VT_I4, "VT_I4"},     {VT_R4, "VT_R4"},
      {VT_R8, "VT_R8"},       {VT_DATE, "VT_DATE"}, {VT_BSTR, "VT_BSTR"}, {VT_BOOL, "VT_BOOL"},
      {VT_UI1, "VT_UI1"},     {VT_UI4, "VT_UI4"},   {VT_PTR, "VT_PTR"},   {VT_ERROR, "VT_ERROR"}};
  auto it = names.find(vt);
  return it != names.end() ? it->second : "VT_" + std::to_string(vt);
}

// The type of a TYPEDESC as a C++ client spells it; a referenced type by its name.
std::string TypeText(ITypeInfo* ti, const TYPEDESC& t) {
  static const std::map<VARTYPE, const char*> names = {
      {VT_BSTR, "BSTR"},          {VT_I4, "long"},          {VT_I2, "short"},
      {VT_UI1, "unsigned char"},  {VT_R4, "float"},         {VT_R8, "double"},
      {VT_DATE, "DATE"},          {VT_BOOL, "VARIANT_BOOL"}, {VT_VARIANT, "VARIANT"},
      {VT_DISPATCH, "IDispatch*"}, {VT_UNKNOWN, "IUnknown*"}, {VT_UI4, "unsigned long"}};
  switch (t.vt) {
    case VT_PTR: return TypeText(ti, *t.lptdesc) + "*";
    case VT_SAFEARRAY: return "SAFEARRAY(" + TypeText(ti, *t.lptdesc) + ")";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> referenced;
      if (FAILED(ti->GetRefTypeInfo(t.hreftype, &referenced))) return "<unresolved type>";
      return Narrow(TypeName(referenced.Get()));
    }
  }
  auto it = names.find(t.vt);
  return it != names.end() ? it->second : VariantTypeName(t.vt);
}

std::string FlagsText(USHORT flags) {
  static const std::pair<USHORT, const char*> names[] = {
      {PARAMFLAG_FIN, "in"},         {PARAMFLAG_FOUT, "out"},      {PARAMFLAG_FLCID, "lcid"},
      {PARAMFLAG_FRETVAL, "retval"}, {PARAMFLAG_FOPT, "optional"}, {PARAMFLAG_FHASDEFAULT, "hasdefault"},
      {PARAMFLAG_FHASCUSTDATA, "custdata"}};
  std::string text;
  for (const auto& [bit, name] : names) {
    if (flags & bit) text += std::string(text.empty() ? "" : " ") + name;
  }
  return text;
}

std::string ValueText(VARTYPE vt, LONG number, const std::wstring& text) {
  return VariantTypeName(vt) + " " + (vt == VT_BSTR ? "\"" + Narrow(text) + "\"" : std::to_string(number));
}

std::string DefaultText(const VARIANT& v) {
  if (V_VT(&v) == VT_BSTR) return ValueText(VT_BSTR, 0, V_BSTR(&v) ? V_BSTR(&v) : L"");
  VARIANT number;
  VariantInit(&number);
  if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&v), 0, VT_I4))) {
    return VariantTypeName(V_VT(&v)) + " <not a number>";
  }
  return ValueText(V_VT(&v), V_I4(&number), L"");
}

// What the table expects of a parameter, in the form Described(found) gives.
std::string Described(const Param& p) {
  USHORT flags = PARAMFLAG_FIN;
  if (p.byref) flags |= PARAMFLAG_FOUT;
  if (p.optional()) flags |= PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
  std::string text = (p.name ? Narrow(p.name) : kAssignedValue) + " " + p.type + (p.byref ? "*" : "") + " " +
                     FlagsText(flags);
  if (p.optional()) {
    text += " = " + ValueText(p.fallback.vt, p.fallback.number, p.fallback.text ? p.fallback.text : L"");
  }
  return text;
}

std::string Described(ITypeInfo* ti, const ELEMDESC& e, const std::string& name) {
  const USHORT flags = e.paramdesc.wParamFlags;
  std::string text = name + " " + TypeText(ti, e.tdesc) + " " + FlagsText(flags);
  if (flags & PARAMFLAG_FHASDEFAULT) {
    text += " = " + (e.paramdesc.pparamdescex ? DefaultText(e.paramdesc.pparamdescex->varDefaultValue)
                                              : std::string("<no value>"));
  }
  return text;
}

// The result as the vtable half declares it: the last parameter, a pointer that receives it.
std::string DescribedResult(const char* type) { return std::string(kResult) + " " + type + "* out retval"; }

// The function of the member's dispatch id and invoke kind among the first `count`; null if none.
std::unique_ptr<FuncDesc> FindFunction(ITypeInfo* ti, UINT count, const Member& m) {
  for (UINT i = 0; i < count; ++i) {
    auto fd = std::make_unique<FuncDesc>(ti, i);
    if (fd->f && fd->f->memid == m.memid() && fd->f->invkind == InvokeKind(m.kind)) return fd;
  }
  return nullptr;
}

// The name under which found parameter `index` is shown: the assigned value of a let or set and
// the result stand unnamed in the table, as the library leaves them; the others by their names.
std::string FoundName(const Member& m, size_t index, const std::vector<std::wstring>& names) {
  if (index == m.params.size() && m.result) return kResult;
  if (index < m.params.size() && !m.params[index].name) return kAssignedValue;
  return index + 1 < names.size() ? Narrow(names[index + 1]) : "<no name>";
}

// The names of the function with this id, its own name first (ITypeInfo::GetNames).
std::vector<std::wstring> Names(ITypeInfo* ti, MEMBERID id) {
  BSTR names[32] = {};
  UINT count = 0;
  if (FAILED(ti->GetNames(id, names, 32, &count))) return {};
  std::vector<std::wstring> out;
  for (UINT i = 0; i < count; ++i) {
    out.emplace_back(names[i] ? names[i] : L"");
    SysFreeString(names[i]);
  }
  return out;
}

// The member's parameters and result as the table declares them, one line each.
std::vector<std::string> Declared(const Member& m) {
  std::vector<std::string> lines;
  for (const Param& p : m.params) lines.push_back(Described(p));
  if (m.result) lines.push_back(DescribedResult(m.result));
  return lines;
}

// The function's parameters as the library holds them, one line each. GetNames answers for the
// first function of a dispatch id; the index parameters that a property's get and let share
// come first in either.
std::vector<std::string> Found(ITypeInfo* ti, const FUNCDESC& f, const Member& m) {
  const std::vector<std::wstring> names = Names(ti, f.memid);
  std::vector<std::string> lines;
  for (SHORT i = 0; i < f.cParams; ++i) {
    lines.push_back(Described(ti, f.lprgelemdescParam[i], FoundName(m, i, names)));
  }
  return lines;
}

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

  // The vtable half of the class's dual interface; null when the library lacks it.
  ComPtr<ITypeInfo> VtableHalf(ITypeLib* lib) const {
    IID iid{};
    ComPtr<ITypeInfo> disp, vt;
    HREFTYPE ref = 0;
    if (FAILED(IIDFromString(surface().iid, &iid)) || FAILED(lib->GetTypeInfoOfGuid(iid, &disp)) ||
        FAILED(disp->GetRefTypeOfImplType(-1, &ref)) || FAILED(disp->GetRefTypeInfo(ref, &vt))) {
      return nullptr;
    }
    return vt;
  }
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

  ComPtr<ITypeInfo> vt = VtableHalf(file.lib.Get());
  ASSERT_NE(vt.Get(), nullptr) << iname << ": no dual interface";

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

// Every member's declared parameters and its result, read from its FUNCDESC: names (GetNames),
// types (a ByRef parameter has one pointer more, a referenced type is named), flags and stored
// default values. A member is found by dispatch id and invoke kind, so that a slip in the slot
// order does not hide its parameters.
TEST_P(ClassInterface, ParametersAndResultOfEveryMember) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();
  ComPtr<ITypeInfo> vt = VtableHalf(file.lib.Get());
  ASSERT_NE(vt.Get(), nullptr) << "_" << Narrow(c.coclass) << ": no dual interface";
  TypeAttr a(vt.Get());
  ASSERT_NE(a.a, nullptr);

  for (const Member& m : c.members) {
    const std::string where = "_" + Narrow(c.coclass) + "." + Narrow(m.name) + " " + KindText(InvokeKind(m.kind));
    const std::unique_ptr<FuncDesc> function = FindFunction(vt.Get(), a.a->cFuncs, m);
    if (!function) {
      ADD_FAILURE() << where << " is not in the interface";
      continue;
    }
    const std::vector<std::string> want = Declared(m);
    const std::vector<std::string> got = Found(vt.Get(), *function->f, m);
    for (size_t i = 0; i < want.size() || i < got.size(); ++i) {
      const std::string found = i < got.size() ? got[i] : "<absent>";
      const std::string declared = i < want.size() ? want[i] : "<not declared>";
      EXPECT_EQ(found, declared) << where << ", parameter " << i + 1;
    }
  }
}

// The class, its interface and every member have a one-line help string, read through the
// dispatch half (what the Object Browser and late binders read) and through the vtable half. A
// property's get and let share their dispatch id, under which the help string is found.
TEST_P(ClassInterface, HelpStringOnClassInterfaceAndEveryMember) {
  BRIXEN_LOAD_OR_SKIP(file, build());
  const ClassSurface& c = surface();
  const std::string iname = "_" + Narrow(c.coclass);

  ComPtr<ITypeInfo> coclass = TypeNamed(file.lib.Get(), c.coclass);
  ASSERT_NE(coclass.Get(), nullptr) << Narrow(c.coclass) << " is not in the library";
  EXPECT_TRUE(HasOneLineHelp(coclass.Get())) << Narrow(c.coclass);

  IID iid{};
  ASSERT_EQ(IIDFromString(c.iid, &iid), S_OK);
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(file.lib->GetTypeInfoOfGuid(iid, &disp), S_OK);
  ComPtr<ITypeInfo> vt = VtableHalf(file.lib.Get());
  ASSERT_NE(vt.Get(), nullptr) << iname << ": no dual interface";

  for (const auto& [half, label] : {std::pair{disp.Get(), "dispatch"}, std::pair{vt.Get(), "vtable"}}) {
    EXPECT_TRUE(HasOneLineHelp(half)) << iname << " (" << label << " half)";
    for (const Member& m : c.members) {
      EXPECT_TRUE(HasOneLineHelp(half, m.memid()))
          << iname << "." << Narrow(m.name) << " " << KindText(InvokeKind(m.kind)) << " (" << label << " half)";
    }
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

  ComPtr<ITypeInfo> ti = TypeNamed(file.lib.Get(), e.name);
  ASSERT_NE(ti.Get(), nullptr) << ename << " is not in the library";
  EXPECT_TRUE(HasOneLineHelp(ti.Get())) << ename << " has no one-line help string";

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
