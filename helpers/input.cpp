// clsMethod: helpers for a form's event handlers: Enter turned into Tab, a text box's contents
// selected on focus, a combo box's list sized and opened, an edit control's formatting rectangle,
// the cursor confined and freed and put near the screen's centre, a form centred on the screen.
#include <windows.h>

#include "frame/com/latebound.h"
#include "frame/runtime/values.h"
#include "frame/win/app.h"
#include "frame/win/handle_values.h"
#include "frame/win/sendkeys.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

constexpr Integer kEnter = 13;
constexpr int kCursorBelowCentre = 35;

HWND WindowOfControl(const Object& control) {
  if (!control) Raise(kErrObjectNotSet);
  return win::WindowOf(GetProperty(control.Get(), u"hwnd").ToLong());
}

void SelectAll(IDispatch* text_box) {
  LetProperty(text_box, u"SelStart", Variant(Long{0}));
  LetProperty(text_box, u"SelLength", Variant(static_cast<Long>(GetProperty(text_box, u"Text").ToString().size())));
}

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

// Runs a text-box step; a run-time error (a control without the properties) ends it silently.
template <class Step>
void Quietly(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace

void clsMethod::SendTab(Integer& KeyAscii) {
  if (KeyAscii != kEnter) return;
  win::SendKeys(u"{TAB}");
  KeyAscii = 0;
}

void clsMethod::SetTextRect(Long hwnd, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom) {
  const HWND window = win::WindowOf(hwnd);
  RECT rect{lngLeft, lngTop, lngRight, lngBottom};
  if (lngRight <= 0) {
    RECT client{};
    ::GetClientRect(window, &client);
    rect.right = rt::SubLong(rt::SubLong(client.right, client.left), lngLeft);
    rect.bottom = rt::SubLong(rt::SubLong(client.bottom, client.top), lngTop);
  }
  ::SendMessageA(window, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

// A drop-down combo box's window is as high as its open list.
void clsMethod::SetComboListHeight(const Object& cmbDest, Long lngpixNewHeight) {
  const HWND window = WindowOfControl(cmbDest);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(window, &placement);
  const Long width = GetProperty(cmbDest.Get(), u"Width").ToLong();
  ::MoveWindow(window, placement.rcNormalPosition.left, placement.rcNormalPosition.top, width, lngpixNewHeight, TRUE);
}

void clsMethod::SetComboListWidth(const Object& cmbDest, Long lngpixNewWidth) {
  ::SendMessageA(WindowOfControl(cmbDest), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(lngpixNewWidth), 0);
}

void clsMethod::msgOpenComboBox(Long hwnd) {
  ::SendMessageA(win::WindowOf(hwnd), CB_SHOWDROPDOWN, static_cast<WPARAM>(-1), 0);
}

// Focus that came by keyboard (Tab or Alt held) selects everything; a click keeps the caret.
void clsMethod::TextSelOp(Object& txtCTL) {
  Quietly([&] {
    if (!txtCTL) Raise(kErrObjectNotSet);
    if (KeyDown(VK_TAB) || KeyDown(VK_MENU)) {
      SelectAll(txtCTL.Get());
    } else {
      LetProperty(txtCTL.Get(), u"SelLength", Variant(Long{0}));
    }
  });
}

void clsMethod::TextSelOpABS(Object& txtCTL) {
  Quietly([&] {
    if (!txtCTL) Raise(kErrObjectNotSet);
    SelectAll(txtCTL.Get());
  });
}

void clsMethod::ClipCursor32(Long hwnd, Integer pixelWidth, Integer pixelHeight) {
  POINT origin{0, 0};
  ::ClientToScreen(win::WindowOf(hwnd), &origin);
  const RECT area{origin.x, origin.y, rt::AddLong(origin.x, pixelWidth), rt::AddLong(origin.y, pixelHeight)};
  ::ClipCursor(&area);
}

void clsMethod::ReleaseCursor32() { ::ClipCursor(nullptr); }

void clsMethod::PutCursorToCenter32(Long userHDC) {
  const HDC dc = win::DcOf(userHDC);
  const Long x = rt::CLng(::GetDeviceCaps(dc, HORZRES) / 2.0);
  const Long y = rt::CLng(::GetDeviceCaps(dc, VERTRES) / 2.0 + kCursorBelowCentre);
  ::SetCursorPos(x, y);
}

// Screen and form sizes are twips, the form's own units for Move.
void clsMethod::PutFormAtCenter(const Variant& TForm) {
  const Object form = ObjectOf(TForm);
  const Long screen_width = rt::CLng(win::ScreenWidthTwips());
  const Long screen_height = rt::CLng(win::ScreenHeightTwips());
  const Single form_width = GetProperty(form.Get(), u"Width").ToSingle();
  const Long form_height = GetProperty(form.Get(), u"Height").ToLong();
  const auto left = static_cast<Single>(screen_width / 2.0 - form_width / 2.0);
  const auto top = static_cast<Single>(screen_height / 2.0 - form_height / 2.0);
  CallMethod(form.Get(), u"Move", {Variant(left), Variant(top)});
}

}  // namespace brixen
