// Walking the functions of an interface's type information.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace brixen::com {

// Calls visit(const FUNCDESC&) for every function the type information describes.
template <class Visit>
void ForEachFunction(ITypeInfo* info, Visit&& visit) {
  TYPEATTR* attr = nullptr;
  if (!info || FAILED(info->GetTypeAttr(&attr))) return;
  const WORD functions = attr->cFuncs;
  info->ReleaseTypeAttr(attr);
  for (UINT index = 0; index < functions; ++index) {
    FUNCDESC* desc = nullptr;
    if (FAILED(info->GetFuncDesc(index, &desc))) continue;
    visit(*desc);
    info->ReleaseFuncDesc(desc);
  }
}

}  // namespace brixen::com
