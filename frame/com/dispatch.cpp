#include "frame/com/object.h"

namespace brixen::com {

HRESULT NamesToIds(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids) {
  if (!info) return E_UNEXPECTED;
  return DispGetIDsOfNames(info, names, count, ids);
}

HRESULT DispatchThroughTypeInfo(ITypeInfo* info, IDispatch* self, DISPID id, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT* bad_arg) {
  if (!info) return E_UNEXPECTED;
  return info->Invoke(self, id, flags, params, result, exception, bad_arg);
}

}  // namespace brixen::com
