#include "frame/com/names.h"

#include <optional>

#include "frame/com/typeinfo.h"

namespace brixen::com {
namespace {

// ASCII letters folded to lower case; no key for a name with any other character.
std::optional<std::wstring> FoldedKey(const wchar_t* name) {
  std::wstring key;
  for (; *name; ++name) {
    if (*name > 0x7F) return std::nullopt;
    key += (*name >= L'A' && *name <= L'Z') ? static_cast<wchar_t>(*name + 32) : *name;
  }
  return key;
}

}  // namespace

NameTable::NameTable(ITypeInfo* info) {
  ForEachFunction(info, [&](const FUNCDESC& desc) {
    BSTR name = nullptr;
    UINT got = 0;
    if (SUCCEEDED(info->GetNames(desc.memid, &name, 1, &got)) && got == 1) {
      if (auto key = FoldedKey(name)) ids_.emplace(std::move(*key), desc.memid);
    }
    SysFreeString(name);
  });
}

HRESULT NameTable::Lookup(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids) const {
  if (!info) return E_UNEXPECTED;
  if (count == 1 && names && names[0] && ids) {
    if (auto key = FoldedKey(names[0])) {
      if (auto found = ids_.find(*key); found != ids_.end()) {
        ids[0] = found->second;
        return S_OK;
      }
    }
  }
  return DispGetIDsOfNames(info, names, count, ids);
}

}  // namespace brixen::com
