#include "frame/win/msgbox.h"

#include <windows.h>

#include "frame/win/wide.h"

namespace brixen::win {

Long MsgBox(StringView prompt, Long style, StringView title) {
  const String text(prompt);
  const String caption(title.empty() ? StringView(kDefaultMsgBoxTitle) : title);
  return ::MessageBoxW(::GetActiveWindow(), Wide(text), Wide(caption), static_cast<UINT>(style));
}

}  // namespace brixen::win
