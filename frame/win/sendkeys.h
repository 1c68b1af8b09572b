// The run-time's send-keys service: keystrokes typed into the active window, as if from the
// keyboard. Plain characters stand for themselves; a key name in braces names a key ({TAB},
// {ENTER}, {ESC}, {BACKSPACE}, {DELETE}, {HOME}, {END}, {LEFT}, {RIGHT}, {UP}, {DOWN}, {F1} to
// {F12}); "{{}" and "{}}" are the braces themselves. An unknown name is error 5.
#pragma once
#include "frame/types.h"

namespace brixen::win {

// Queues the keystrokes and returns without waiting for them to be processed.
void SendKeys(StringView keys);

}  // namespace brixen::win
