// clsToolTip: tooltips on a caller's window through the platform's tooltip control. Every
// member is one or two messages to the control; the control is the only store of tools, each
// found by the owner window and the caller's key. Before a successful Create the messages go to
// no window: gets give 0 and Add gives False. The tooltip window goes with its owner window.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "frame/types.h"
#include "system/clsProperty.h"

namespace brixen {

class clsToolTip {
 public:
  clsToolTip();  // registers the common controls' bar classes, the tooltip class among them

  // A new tooltip window for `hwnd`; it replaces the one held (which stays with its owner).
  Boolean Create(Long hwnd);
  // A tool over the rectangle in the owner's client coordinates; all four 0 means the whole
  // client area. The key is not checked for use: the control then holds two tools with it.
  Boolean Add(Long lngKey, const String& sText, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom);
  void Remove(Long lngKey);
  Long get_ToolCount() const;
  void let_ToolText(Long lngKey, const String& sNewText);

  // Colours are the platform's colour values; delays in milliseconds; sizes in pixels.
  Long get_BackColor() const;
  void let_BackColor(Long lngNewClr);
  Long get_ForeColor() const;
  void let_ForeColor(Long lngNewClr);
  Long get_InitialTime() const;
  void let_InitialTime(Long lngTime);
  Long get_AutoPopTime() const;
  void let_AutoPopTime(Long lngTime);
  Long get_ReShowTime() const;
  void let_ReShowTime(Long lngTime);
  void let_MaxWidth(Long lngMaxWidth);
  Long get_MaxWidth() const;

  // Which is ENUM_TIRECT (1 left, 2 top, 3 right, 4 bottom); any other side gives 0, and so
  // does a key the control does not know.
  void SetMargin(Long lngLeft, Long lngTop, Long lngRight, Long lngBottom);
  Long GetMargin(Long Which) const;
  void SetBoundingRect(Long lngKey, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom);
  Long GetBoundingRect(Long lngKey, Long Which) const;

  void let_Activate(Boolean boo);
  void let_ToolTrack(Long lngKey, Boolean booTrack);
  // The position packed as y * 65536 + x in its signed 32-bit form; a value beyond that
  // range is error 6.
  void ToolTrackPosition(Long lngX, Long lngY);

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendTool(UINT message, TTTOOLINFOA& tool, WPARAM wParam = 0) const;
  TTTOOLINFOA ToolRecord(Long key) const;
  Long Delay(WPARAM which) const;
  void SetDelay(WPARAM which, Long time);
  clsProperty& Packer();

  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
  std::unique_ptr<clsProperty> packer_;  // created on first use
};

}  // namespace brixen
