#include "frame/com/byref.h"

#include "frame/com/typeinfo.h"

namespace brixen::com {
namespace {

// The automation type a ByRef parameter points to, when it is one the dispatch cannot take a
// reference to a Variant for; VT_EMPTY for every other parameter.
VARTYPE TypedReferenceTarget(ITypeInfo* info, const ELEMDESC& element) {
  const USHORT flags = element.paramdesc.wParamFlags;
  if (!(flags & PARAMFLAG_FOUT) || (flags & PARAMFLAG_FRETVAL)) return VT_EMPTY;
  const TYPEDESC& desc = element.tdesc;
  if (desc.vt != VT_PTR) return VT_EMPTY;
  const TYPEDESC& target = *desc.lptdesc;
  switch (target.vt) {
    case VT_BSTR:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_BOOL:
    case VT_CY:
    case VT_DISPATCH:
      return target.vt;
    case VT_USERDEFINED: {
      // Enumerations travel as 32-bit integers.
      ITypeInfo* referenced = nullptr;
      if (FAILED(info->GetRefTypeInfo(target.hreftype, &referenced))) return VT_EMPTY;
      TYPEATTR* attr = nullptr;
      VARTYPE type = VT_EMPTY;
      if (SUCCEEDED(referenced->GetTypeAttr(&attr))) {
        if (attr->typekind == TKIND_ENUM) type = VT_I4;
        referenced->ReleaseTypeAttr(attr);
      }
      referenced->Release();
      return type;
    }
    default:
      return VT_EMPTY;
  }
}

// The caller's argument for a declared parameter, or null when the caller left it out.
VARIANT* ArgumentFor(DISPPARAMS* params, UINT index, bool is_value_of_property_put) {
  if (is_value_of_property_put) {
    for (UINT i = 0; i < params->cNamedArgs; ++i) {
      if (params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) return &params->rgvarg[i];
    }
    return nullptr;
  }
  const UINT positional = params->cArgs - params->cNamedArgs;
  return index < positional ? &params->rgvarg[params->cArgs - 1 - index] : nullptr;
}

// One adapted argument: the typed value the member works on, and the caller's Variant to
// write it back into.
struct Adapted {
  VARIANT value;
  VARIANT* caller;
};

HRESULT Adapt(VARIANT& argument, VARTYPE type, Adapted& adapted) {
  VariantInit(&adapted.value);
  adapted.caller = V_VARIANTREF(&argument);
  HRESULT hr = VariantChangeType(&adapted.value, adapted.caller, 0, type);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
  V_VT(&argument) = static_cast<VARTYPE>(VT_BYREF | type);
  V_BYREF(&argument) = &adapted.value.llVal;  // every member of the value union starts here
  return S_OK;
}

}  // namespace

ByRefTable::ByRefTable(ITypeInfo* info) {
  ForEachFunction(info, [&](const FUNCDESC& desc) {
    Member member{desc.memid, static_cast<WORD>(desc.invkind), {}};
    const bool is_put = desc.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
    for (SHORT p = 0; p < desc.cParams; ++p) {
      const VARTYPE type = TypedReferenceTarget(info, desc.lprgelemdescParam[p]);
      if (type != VT_EMPTY) member.parameters.push_back({static_cast<UINT>(p), type, is_put && p == desc.cParams - 1});
    }
    if (!member.parameters.empty()) members_.push_back(std::move(member));
  });
}

const ByRefTable::Member* ByRefTable::Find(DISPID id, WORD flags) const {
  for (const Member& member : members_) {
    if (member.id == id && (member.invoke_kind & flags)) return &member;
  }
  return nullptr;
}

HRESULT ByRefTable::Invoke(ITypeInfo* info, IDispatch* self, DISPID id, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT* bad_arg) const {
  const Member* member = params ? Find(id, flags) : nullptr;
  if (!member) return info->Invoke(self, id, flags, params, result, exception, bad_arg);

  // The caller's argument list stays as it is; the call gets a copy with adapted entries.
  std::vector<VARIANT> arguments(params->rgvarg, params->rgvarg + params->cArgs);
  DISPPARAMS adapted_params{arguments.data(), params->rgdispidNamedArgs, params->cArgs, params->cNamedArgs};
  std::vector<Adapted> adapted(member->parameters.size());
  size_t count = 0;
  HRESULT hr = S_OK;
  for (const Parameter& parameter : member->parameters) {
    VARIANT* argument = ArgumentFor(&adapted_params, parameter.index, parameter.is_value_of_property_put);
    if (!argument || V_VT(argument) != (VT_BYREF | VT_VARIANT)) continue;
    hr = Adapt(*argument, parameter.type, adapted[count]);
    if (FAILED(hr)) {
      if (bad_arg) *bad_arg = static_cast<UINT>(argument - arguments.data());
      VariantClear(&adapted[count].value);
      break;
    }
    ++count;
  }
  if (SUCCEEDED(hr)) hr = info->Invoke(self, id, flags, &adapted_params, result, exception, bad_arg);
  // The member's values go back into the caller's variables, as the parameters' types.
  for (size_t i = 0; i < count; ++i) {
    if (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION) VariantCopy(adapted[i].caller, &adapted[i].value);
    VariantClear(&adapted[i].value);
  }
  return hr;
}

}  // namespace brixen::com
