// The run-time's UCase: upper case by the user's locale rules (letters of every script,
// full-width Latin letters included); characters without an upper-case form stay.
#pragma once
#include "frame/types.h"

namespace brixen::win {

String UCase(StringView text);

}  // namespace brixen::win
