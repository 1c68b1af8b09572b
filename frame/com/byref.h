// Script callers hold nothing but Variants: they pass a variable to a ByRef parameter as a
// reference to a Variant, which the type library's dispatch refuses for a typed ByRef
// parameter (String, Long, Date, ...). This table, read once from the type information,
// knows those parameters; a call is adapted by converting the referenced value to the
// parameter's type, calling, and writing the member's value back into the caller's variable.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace brixen::com {

class ByRefTable {
 public:
  explicit ByRefTable(ITypeInfo* info);

  // Calls through the type information, adapting references to Variants where needed.
  HRESULT Invoke(ITypeInfo* info, IDispatch* self, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* exception, UINT* bad_arg) const;

 private:
  struct Parameter {
    UINT index;    // position in the declaration
    VARTYPE type;  // the type the parameter points to
    bool is_value_of_property_put;
  };
  struct Member {
    DISPID id;
    WORD invoke_kind;  // INVOKE_FUNC, INVOKE_PROPERTYGET, ... (the same bits as the DISPATCH_ flags)
    std::vector<Parameter> parameters;
  };
  const Member* Find(DISPID id, WORD flags) const;

  std::vector<Member> members_;
};

}  // namespace brixen::com
