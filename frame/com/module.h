// Process-wide state of the server: the module handle, live objects and locks,
// and the library's type information.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "frame/errors.h"

namespace brixen::com {

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

// The type information of one interface or coclass of the library, loaded once from the
// module that holds this code. Returns null when the library cannot be read.
ITypeInfo* TypeInfoOf(REFGUID guid);

// Turns a run-time error into the failure that automation callers report as that error:
// HRESULT 0x800A0000 + number, with the text in the thread's error information.
HRESULT ReportToCaller(const RuntimeError& error, REFIID iid);
// The same for every other exception a member lets escape.
HRESULT ReportCurrentException(REFIID iid);

}  // namespace brixen::com
