// Member names to dispatch ids, read once from an interface's type information. Script hosts
// look a name up again on every call; the type information's own lookup walks the members
// one by one, so a name late in a large interface cost several microseconds per call.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

namespace brixen::com {

class NameTable {
 public:
  explicit NameTable(ITypeInfo* info);

  // One name (case-insensitive) to its id; anything else (parameter names, names outside
  // ASCII, unknown names) goes to the type information as before.
  HRESULT Lookup(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids) const;

 private:
  std::unordered_map<std::wstring, DISPID> ids_;
};

}  // namespace brixen::com
