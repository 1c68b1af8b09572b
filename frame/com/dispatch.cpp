#include "frame/com/object.h"

namespace brixen::com {

HRESULT NamesToIds(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids) {
  if (!info) return E_UNEXPECTED;
  return DispGetIDsOfNames(info, names, count, ids);
}

}  // namespace brixen::com
