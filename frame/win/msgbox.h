// The run-time's message box.
#pragma once
#include "frame/types.h"

namespace brixen::win {

// Button codes MsgBox returns.
enum MsgBoxResult : Long {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7,
};

// The title used when the caller passes none.
inline constexpr char16_t kDefaultMsgBoxTitle[] = u"BRIXEN";

// Shows `prompt` with the buttons and icon of `style` (the MB_ flags), owned by the calling
// thread's active window, and returns the button pressed. An empty title means the
// application's title, which for this library is its project name, "BRIXEN".
// Returns 0 when no box could be shown (a window station without a desktop).
Long MsgBox(StringView prompt, Long style = 0, StringView title = {});

}  // namespace brixen::win
