// clsMethod: application helpers. Members arrive with the issues that build them; a member
// not declared here answers E_NOTIMPL to callers.
#pragma once
#include <windows.h>

#include <memory>

#include "frame/com/latebound.h"
#include "frame/com/variant.h"
#include "frame/filesystem.h"
#include "frame/handler.h"
#include "frame/types.h"
#include "system/clsProperty.h"

namespace brixen {

class clsMethod {
 public:
  clsMethod();
  clsMethod(const clsMethod&) = delete;  // the error handler is bound to this instance
  clsMethod& operator=(const clsMethod&) = delete;

  // The error sink: a message box, then a record in Err.log beside the library. A failure to
  // write the log comes out of ErrReg as a run-time error, after the box.
  void ErrReg(Long ERRCode, const String& ErrString, const String& ModuleName);

  // Query conditions and value splitting.
  void CheckWhere(String& WhereStr);
  void MakeWhereStr(String& OrgWhere, const String& NewWhere);
  void Separate32WithSign(Long tLong, Integer& tx, Integer& ty);
  // Width and height from a bitmap file's header; a top-down bitmap has a negative height.
  // A missing file gives 0 and a 16-bit 0; a file shorter than the header reads as if padded
  // with zero bytes. lngHeight comes back as a 32-bit integer.
  void GetBmpSize(const String& strBmpName, Long& lngWidth, Variant& lngHeight);
  // Splits at the first full stop; without one tMigi keeps the caller's value.
  void SeparateFNAME(const String& FileName, String& tHidari, String& tMigi);

  // Gradients, tiles and edges in callers' device contexts (pixels). Colours are RGB values or
  // system colours (top bit set); edge kinds and directions are ENUM_EDGE, ENUM_GradeDirection.
  void Gradate(Long hwnd, Long hdcDest, Long clrStart, Long clrEnd, Long lngDirection);
  void TileBitmap(const Object& objDest, Picture& BmpDest);
  void DrawButtonEdge(Long hdc, const Object& BTN, Long lngStyle, Long lngSA);
  void DrawSeparateLine(const Variant& hdc, Long LEFT, Long TOP, Long RIGHT);
  void DrawWaku(Long hdc, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom, Long lngSA, Long lngStyle);
  void DrawEdgeAPI(Long hdc, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom, Long lngWTYPE);
  void DrawMyEdge(Long WTYPE, Long hdc, Long hwnd, Long xMINUS, Long yMINUS, Long xRIGHTHOSEI, Long yBOTTOMHOSEI);

  // Keyboard entry, text selection, combo-box lists, edit rectangles, the cursor and centring.
  void SendTab(Integer& KeyAscii);  // Enter becomes a Tab sent to the active window, the key 0
  void SetTextRect(Long hwnd, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom);
  void SetComboListHeight(const Object& cmbDest, Long lngpixNewHeight);
  void SetComboListWidth(const Object& cmbDest, Long lngpixNewWidth);
  void msgOpenComboBox(Long hwnd);
  void TextSelOp(Object& txtCTL);     // run-time errors end these two silently
  void TextSelOpABS(Object& txtCTL);
  void ClipCursor32(Long hwnd, Integer pixelWidth, Integer pixelHeight);
  void ReleaseCursor32();
  void PutCursorToCenter32(Long userHDC);
  void PutFormAtCenter(const Variant& TForm);

  // Help, control panel, INI defaults and waiting.
  void RunContolPanel(Long eKIND);  // ENUM_CONTOLPANELKIND; started without waiting
  // Writes vStdValue only where the key is absent (numbers and texts only).
  void RegIniDefaultKey(const String& sSection, const String& sKey, const Variant& vStdValue,
                        const String& sFullFname);
  void RunHelp32(Long hwnd, const String& FullHelpName);
  // Pauses for PauseTIME seconds, letting the caller's window messages run meanwhile (or not).
  void WaitChotto(Single PauseTIME);
  void WaitChottoWithoutEvent(Single PauseTIME);

 private:
  // The bands of a gradient; an error is logged under "DrawGradation" and ends the drawing.
  void DrawGradation(const RECT& area, HDC dc, Long clrStart, Long clrEnd, Long lngDirection);
  clsProperty& Property();
  void AppendToErrLog(Long code, const String& text, const String& module);

  std::unique_ptr<clsProperty> property_;  // created on first use
  FileSystem fileSystem_;
  // The handler of this class's own members: it reports through this instance's ErrReg.
  ErrorHandler log_;
};

}  // namespace brixen
