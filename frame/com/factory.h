// The class factory handed out by DllGetClassObject.
#pragma once
#include "frame/com/classes.h"

namespace brixen::com {

HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** out);

}  // namespace brixen::com
