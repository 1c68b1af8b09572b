// clsProperty: the Num Lock toggle in the thread's key-state table, and the input method.
#include <windows.h>
#include <imm.h>

#include "frame/win/handle_values.h"
#include "system/clsProperty.h"
#include "system/conversions.h"

namespace brixen {
namespace {

// The calling thread's key-state table; the platform's results are not checked.
struct KeyStates {
  BYTE keys[256] = {};
  KeyStates() { ::GetKeyboardState(keys); }
  void Write() { ::SetKeyboardState(keys); }
};

}  // namespace

Long clsProperty::get_NumLockStatus() { return NumLockStateOf(KeyStates().keys[VK_NUMLOCK]); }

void clsProperty::let_NumLockStatus(Long& value) {
  KeyStates states;
  states.keys[VK_NUMLOCK] = WithNumLockState(states.keys[VK_NUMLOCK], value);
  states.Write();
}

// The context is released also when opening or closing fails.
Boolean clsProperty::ChangeIMEMode(Long hwnd, Long lngIMEMode) {
  const HWND window = win::WindowOf(hwnd);
  const HIMC context = ::ImmGetContext(window);
  if (!context) return false;
  const bool changed = ::ImmSetOpenStatus(context, lngIMEMode) != FALSE;
  const bool released = ::ImmReleaseContext(window, context) != FALSE;
  return changed && released;
}

}  // namespace brixen
