#include "dialogs/dialog_hook.h"

#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "frame/win/ansi.h"

namespace brixen::dialogs {
namespace {

struct Slots {
  String ok_caption;
  String label_caption;
  Long placement = kNone;
};

Slots slots;

void SetControlText(HWND dialog, int control, const String& text) {
  if (text.empty()) return;
  const std::string ansi = win::ToAnsi(text);
  ::SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(ansi.c_str()));
}

// The new top-left corner, within the work area, for a dialog of width w and height h in a work
// area of ww by wh.
POINT Corner(Long placement, LONG w, LONG h, LONG ww, LONG wh) {
  switch (placement) {
    case kCenter: return {(ww - w) / 2, (wh - h) / 2};
    case kLeftBottom: return {0, wh - h};
    case kRightTop: return {ww - w, 0};
    case kRightBottom: return {ww - w, wh - h};
    default: return {0, 0};
  }
}

// The corner is taken from the work area's own left and top, so a task bar at the top or on
// the left of the screen does not cover the dialog.
void Place(HWND dialog) {
  RECT window{}, work{};
  ::GetWindowRect(dialog, &window);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const POINT corner = Corner(slots.placement, window.right - window.left, window.bottom - window.top,
                              work.right - work.left, work.bottom - work.top);
  ::SetWindowPos(dialog, nullptr, work.left + corner.x, work.top + corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The Explorer-style dialog runs the hook in a child dialog of its own; the old-style dialog
// runs it in the dialog itself, whose parent is the caller's window, which must not get the
// dialog's messages.
bool IsExplorerStyle(HWND hook_window) { return (::GetWindowLongW(hook_window, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace

void SetSlots(const String& ok_caption, const String& label_caption, Long placement) {
  if (!ok_caption.empty()) slots.ok_caption = ok_caption;
  if (!label_caption.empty()) slots.label_caption = label_caption;
  slots.placement = placement;
}

// The hook's window is a child of the Explorer-style dialog, which is its parent.
UINT_PTR CALLBACK DialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (!IsExplorerStyle(dialog)) return 0;
  if (message == WM_INITDIALOG) {
    SetControlText(::GetParent(dialog), IDOK, slots.ok_caption);
    SetControlText(::GetParent(dialog), stc3, slots.label_caption);
    return 0;
  }
  if (message == WM_NOTIFY) {
    if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(CDN_INITDONE) && slots.placement != kNone)
      Place(::GetParent(dialog));
    return static_cast<UINT_PTR>(-1);
  }
  return 0;
}

}  // namespace brixen::dialogs
