// Self-registration: ProgIDs, class identifiers, the in-process server, the interfaces and
// the type library, for the whole machine or for the current user only.
#pragma once
#include <windows.h>

namespace brixen::com {

enum class Scope { Machine, User };

HRESULT RegisterServer(Scope scope);
HRESULT UnregisterServer(Scope scope);

}  // namespace brixen::com
