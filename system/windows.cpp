// clsProperty: windows of any program found by caption, focused, closed and made topmost, and
// small questions about a window's state. The caption searches share one module-level window
// list that an enumeration of the desktop's child windows fills before each search.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "frame/com/latebound.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/handle_values.h"
#include "frame/win/msgbox.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

constexpr Long kByHandle = 0, kByCaption = 1;  // ENUM_CLOSEAPPLICATION
constexpr Long kNoneFound = -2;
constexpr int kCaptionBuffer = 255;
constexpr WPARAM kCloseCommand = static_cast<WPARAM>(static_cast<LONG_PTR>(-4000));  // SC_CLOSE sign-extended

struct WindowRecord {
  HWND handle;
  String caption;
};

// The module's window list: index 0 is a blank record, the windows follow in enumeration order.
std::vector<WindowRecord> window_list;

// The caption as a 255-character buffer of blanks holds it after GetWindowTextA: the text before
// its first NUL, or the whole buffer when it holds none.
String CaptionOf(HWND window) {
  std::string buffer(kCaptionBuffer, ' ');
  ::GetWindowTextA(window, buffer.data(), kCaptionBuffer);
  const size_t end = buffer.find('\0');
  return win::FromAnsi(end == std::string::npos ? buffer : buffer.substr(0, end));
}

String ChildCallBackPrompt(const RuntimeError& error) {
  const String number = rt::CStr(error.number());
  return u"[ModuleName] \r\n\r\n ChildCallBack\r\n\r\n[Content] \r\n\r\n" + error.text() + u"\r\n\r\n[ErrCode] \r\n\r" +
         number + u"\r\n\r\n";
}

// Appends one window; on a failure (out of memory) says so and ends the enumeration.
BOOL CALLBACK ChildCallBack(HWND window, LPARAM) {
  try {
    window_list.push_back({window, CaptionOf(window)});
    return TRUE;
  } catch (const std::bad_alloc&) {
    win::MsgBox(ChildCallBackPrompt(RuntimeError(kErrOutOfMemory)), MB_ICONHAND);
  } catch (const RuntimeError& error) {
    win::MsgBox(ChildCallBackPrompt(error), MB_ICONHAND);
  }
  return FALSE;
}

// Every window below the desktop, controls included; the list grows by doubling.
void FillWindowList() {
  window_list.assign(1, WindowRecord{nullptr, String()});
  ::EnumChildWindows(::GetDesktopWindow(), ChildCallBack, 0);
}

bool CaptionMatches(const String& caption, const String& wanted, bool included) {
  if (!included) return caption == wanted;
  return !caption.empty() && caption.find(wanted) != String::npos;  // an empty caption contains nothing
}

// The first window of a fresh list whose caption matches and that `passed` does not hold.
HWND FindByCaption(const String& caption, bool included, const std::vector<HWND>& passed = {}) {
  FillWindowList();
  for (size_t i = 1; i < window_list.size(); ++i) {
    const WindowRecord& record = window_list[i];
    if (CaptionMatches(record.caption, caption, included) &&
        std::find(passed.begin(), passed.end(), record.handle) == passed.end())
      return record.handle;
  }
  return nullptr;
}

Long SendClose(HWND window) {
  return static_cast<Long>(::SendMessageA(window, WM_SYSCOMMAND, kCloseCommand, 0));
}

bool HasStyle(Long hwnd, LONG bit) { return (::GetWindowLongA(win::WindowOf(hwnd), GWL_STYLE) & bit) != 0; }

}  // namespace

Long clsProperty::GetWindowHandleByCaptionOnly(const String& AppCaption, Boolean Included) {
  return win::LongOf(FindByCaption(AppCaption, Included));
}

Long clsProperty::SetFocusByCaption(const String& AppCaption, Long nShowCmd) {
  return log_.Handle<Long>(u" SetFocusByCaption", [&](Long& result) {
    const HWND window = FindByCaption(AppCaption, false);
    if (!window) return;
    const bool shown = ::ShowWindow(window, nShowCmd) != FALSE;
    const bool foreground = ::SetForegroundWindow(window) != FALSE;
    const bool shown_again = ::ShowWindow(window, nShowCmd) != FALSE;
    result = shown && foreground && shown_again ? 1 : 0;
  });
}

// By caption with Included, every window whose caption holds the text gets the close command
// once: a window that stays after it (it refused) is passed over, so the call always ends.
Long clsProperty::CloseApp(const Variant& var, Long Which, Boolean Included) {
  if (Which == kByHandle) return SendClose(win::WindowOf(var.ToLong()));
  if (Which != kByCaption) return 0;
  const String caption = var.ToString();
  std::vector<HWND> sent;
  for (;;) {
    const HWND window = FindByCaption(caption, Included, sent);
    if (!window) return kNoneFound;
    const Long result = SendClose(window);
    if (!Included) return result;
    sent.push_back(window);
  }
}

Boolean clsProperty::SetWindowPriority(Long hwnd, Long Which) {
  return log_.Handle<Boolean>(u" SetWindowPriority", [&](Boolean& placed) {
    const HWND window = win::WindowOf(hwnd);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    placed = ::SetWindowPos(window, win::WindowOf(Which), rect.left, rect.top, rt::SubLong(rect.right, rect.left),
                            rt::SubLong(rect.bottom, rect.top), SWP_SHOWWINDOW) != FALSE;
  });
}

Boolean clsProperty::IsLoaded(Variant& frms, const String& frmName) {
  return log_.Handle<Boolean>(u"IsLoaded", [&](Boolean& loaded) {
    const Object forms = ObjectOf(frms);
    const Long last = rt::SubLong(GetProperty(forms.Get(), u"Count").ToLong(), 1);
    for (Long i = 0; i <= last; ++i) {
      const Object form = ObjectOf(GetDefault(forms.Get(), {Variant(i)}));
      if (GetProperty(form.Get(), u"Name").ToString() == frmName) {
        loaded = true;
        return;
      }
    }
  });
}

// The header's column buttons draw flat without HDS_BUTTONS.
Long clsProperty::SetFlatHeader(Long hwnd) {
  const auto header = reinterpret_cast<HWND>(::SendMessageA(win::WindowOf(hwnd), LVM_GETHEADER, 0, 0));
  LONG style = ::GetWindowLongA(header, GWL_STYLE);
  if (style & HDS_BUTTONS) style &= ~HDS_BUTTONS;
  return static_cast<Long>(::SetWindowLongA(header, GWL_STYLE, style));
}

Boolean clsProperty::msgIsComboBoxOpend(Long hwnd) {
  return ::SendMessageA(win::WindowOf(hwnd), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

Boolean clsProperty::ExistsVSCROLL(Long hwnd) { return HasStyle(hwnd, WS_VSCROLL); }
Boolean clsProperty::ExistsHSCROLL(Long hwnd) { return HasStyle(hwnd, WS_HSCROLL); }

}  // namespace brixen
