// The library's creatable classes, as the glue generated from the type library lists them.
#pragma once
#include <windows.h>

#include <span>

namespace brixen::com {

struct ClassEntry {
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* name;  // clsFILE, registered as BRIXEN.clsFILE; its interface is _clsFILE
  HRESULT (*create)(REFIID iid, void** out);
};

std::span<const ClassEntry> Classes();
const ClassEntry* FindClass(REFCLSID clsid);

// Creates one object of a glue class and hands out the asked-for interface.
template <class Glue>
HRESULT CreateObject(REFIID iid, void** out) {
  Glue* object = new (std::nothrow) Glue();
  if (!object) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

}  // namespace brixen::com
