// The dispatch path's own rules, in front of the type information's Invoke; what they need is
// read once per interface from its type information.
//
//  - A call with more arguments than the member has parameters is refused with
//    DISP_E_BADPARAMCOUNT before it reaches the platform's dispatch (which would otherwise
//    hand the surplus to the member's result as an index).
//  - Every ByRef parameter points to storage of the dispatch path's own:
//      a script variable (a reference to a Variant) for a typed parameter is converted to the
//        parameter's type, and the member's value is written back into the variable afterwards;
//      a by-value argument (a literal, an expression, a C++ caller's own value) is copied, so
//        neither the member nor the platform's dispatch writing back can change or free it;
//      an omitted optional parameter with a declared default gets that default (the platform
//        would pass the default by value where the slot expects a pointer).
//    A typed reference (VT_BYREF of the parameter's type) is the caller's own storage and is
//    passed on as it is.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "frame/com/variant.h"

namespace brixen::com {

class DispatchTable {
 public:
  explicit DispatchTable(ITypeInfo* info);

  HRESULT Invoke(ITypeInfo* info, IDispatch* self, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* exception, UINT* bad_arg) const;

  struct Parameter {
    UINT index;    // position in the declaration
    VARTYPE type;  // the type it points to: VT_VARIANT for a Variant, VT_EMPTY for one not converted
    bool is_value_of_property_put;
    Variant fallback;  // the declared default, in the parameter's type; Empty when none
  };
  struct Member {
    DISPID id;
    WORD invoke_kind;     // INVOKE_FUNC, INVOKE_PROPERTYGET, ... (the same bits as the DISPATCH_ flags)
    UINT parameter_count;  // declared parameters, the result not counted
    UINT required_count;   // the leading parameters that are not optional
    std::vector<Parameter> by_reference;
  };

 private:
  HRESULT InvokeAdapted(const Member& member, ITypeInfo* info, IDispatch* self, DISPID id, WORD flags,
                        const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception, UINT* bad_arg) const;

  std::vector<Member> members_;
};

}  // namespace brixen::com
