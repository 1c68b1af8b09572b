#include "frame/com/invoke.h"

#include <algorithm>

#include "frame/com/typeinfo.h"

namespace brixen::com {
namespace {

// The kind of a user-defined type: enumerations travel as 32-bit integers, interfaces (a
// picture's, say) as dispatch pointers; an alias (IPictureDisp names the Picture interface) is
// followed. VT_EMPTY for the rest.
VARTYPE UserDefinedType(ITypeInfo* info, HREFTYPE type) {
  ITypeInfo* referenced = nullptr;
  if (FAILED(info->GetRefTypeInfo(type, &referenced))) return VT_EMPTY;
  TYPEATTR* attr = nullptr;
  VARTYPE kind = VT_EMPTY;
  if (SUCCEEDED(referenced->GetTypeAttr(&attr))) {
    if (attr->typekind == TKIND_ENUM) kind = VT_I4;
    if (attr->typekind == TKIND_DISPATCH || attr->typekind == TKIND_INTERFACE) kind = VT_DISPATCH;
    if (attr->typekind == TKIND_ALIAS && attr->tdescAlias.vt == VT_USERDEFINED)
      kind = UserDefinedType(referenced, attr->tdescAlias.hreftype);
    referenced->ReleaseTypeAttr(attr);
  }
  referenced->Release();
  return kind;
}

// The automation type of what a ByRef parameter points to, for the kinds the dispatch path
// converts; VT_EMPTY for the rest.
VARTYPE AutomationType(ITypeInfo* info, const TYPEDESC& desc) {
  switch (desc.vt) {
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
    case VT_VARIANT:
      return desc.vt;
    case VT_USERDEFINED: {
      const VARTYPE kind = UserDefinedType(info, desc.hreftype);
      return kind == VT_I4 ? kind : VT_EMPTY;
    }
    case VT_PTR:  // an interface pointer: IPictureDisp** points to one
      if (desc.lptdesc->vt != VT_USERDEFINED) return VT_EMPTY;
      return UserDefinedType(info, desc.lptdesc->hreftype) == VT_DISPATCH ? VT_DISPATCH : VT_EMPTY;
    default:
      return VT_EMPTY;
  }
}

bool IsByReference(const ELEMDESC& element) {
  const USHORT flags = element.paramdesc.wParamFlags;
  return (flags & PARAMFLAG_FOUT) && !(flags & PARAMFLAG_FRETVAL) && element.tdesc.vt == VT_PTR;
}

// The declared default of a parameter in the parameter's type; Empty when it has none (or one
// that cannot take that type).
Variant DefaultOf(const ELEMDESC& element, VARTYPE type) {
  Variant fallback;
  const PARAMDESC& desc = element.paramdesc;
  if (!(desc.wParamFlags & PARAMFLAG_FHASDEFAULT) || !desc.pparamdescex || type == VT_EMPTY) return fallback;
  VARIANT& declared = desc.pparamdescex->varDefaultValue;
  if (type == VT_VARIANT) {
    VariantCopy(fallback.put(), &declared);
  } else if (FAILED(VariantChangeType(fallback.put(), &declared, 0, type))) {
    fallback.put();
  }
  return fallback;
}

DispatchTable::Member Describe(ITypeInfo* info, const FUNCDESC& desc) {
  DispatchTable::Member member{desc.memid, static_cast<WORD>(desc.invkind), 0, 0, {}};
  const bool is_put = desc.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
  bool optional_seen = false;
  for (SHORT p = 0; p < desc.cParams; ++p) {
    const ELEMDESC& element = desc.lprgelemdescParam[p];
    const USHORT flags = element.paramdesc.wParamFlags;
    if (flags & PARAMFLAG_FRETVAL) continue;
    ++member.parameter_count;
    optional_seen = optional_seen || (flags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT));
    if (!optional_seen) ++member.required_count;
    if (!IsByReference(element)) continue;
    const VARTYPE type = AutomationType(info, *element.tdesc.lptdesc);
    member.by_reference.push_back(
        {static_cast<UINT>(p), type, is_put && p == desc.cParams - 1, DefaultOf(element, type)});
  }
  return member;
}

bool IsMissing(const VARIANT& argument) {
  return V_VT(&argument) == VT_ERROR && V_ERROR(&argument) == DISP_E_PARAMNOTFOUND;
}

// The argument list a call is made with: the caller's entries (shallow copies: the caller's own
// array is never written), positional ones added as "missing" where an omitted optional ByRef
// parameter needs a slot for its default. Named arguments come first, positional ones follow
// in reverse order, as in DISPPARAMS.
class CallArguments {
 public:
  CallArguments(const DISPPARAMS& caller, UINT positional) : named_(caller.cNamedArgs) {
    const UINT given = caller.cArgs - caller.cNamedArgs;
    positional = std::max(positional, given);
    added_ = positional - given;
    entries_.resize(named_ + positional);
    std::copy(caller.rgvarg, caller.rgvarg + named_, entries_.begin());
    for (UINT k = 0; k < positional; ++k) {
      VARIANT& entry = entries_[named_ + positional - 1 - k];
      if (k < given) {
        entry = caller.rgvarg[caller.cArgs - 1 - k];
      } else {
        V_VT(&entry) = VT_ERROR;
        V_ERROR(&entry) = DISP_E_PARAMNOTFOUND;
      }
    }
    params_ = {entries_.data(), caller.rgdispidNamedArgs, static_cast<UINT>(entries_.size()), named_};
  }

  DISPPARAMS* params() { return &params_; }

  // The entry for a declared parameter, or null when the call has none.
  VARIANT* Find(UINT index, bool is_value_of_property_put) {
    for (UINT i = 0; i < named_; ++i) {
      const DISPID name = params_.rgdispidNamedArgs[i];
      if (is_value_of_property_put ? name == DISPID_PROPERTYPUT : name == static_cast<DISPID>(index))
        return &entries_[i];
    }
    if (is_value_of_property_put) return nullptr;
    const UINT positional = params_.cArgs - named_;
    return index < positional ? &entries_[params_.cArgs - 1 - index] : nullptr;
  }

  // The position in the caller's array of an entry of this list (an added one maps to the
  // caller's last positional argument).
  UINT CallerIndex(UINT entry) const {
    if (entry < named_) return entry;
    return entry >= named_ + added_ ? entry - added_ : named_;
  }
  UINT IndexOf(const VARIANT* entry) const { return static_cast<UINT>(entry - entries_.data()); }

 private:
  std::vector<VARIANT> entries_;
  DISPPARAMS params_{};
  UINT named_;
  UINT added_ = 0;
};

// A value a ByRef parameter points to during the call, and the caller's variable it goes back
// to afterwards (none for a by-value argument or a default).
struct PrivateValue {
  VARIANT value;
  VARIANT* write_back;
};

// Points an argument at a private value, as a reference of the value's type.
void PointAt(VARIANT& argument, VARIANT& value, VARTYPE parameter_type) {
  if (parameter_type == VT_VARIANT) {
    V_VT(&argument) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&argument) = &value;
  } else {
    V_VT(&argument) = static_cast<VARTYPE>(VT_BYREF | V_VT(&value));
    V_BYREF(&argument) = &value.llVal;  // every member of the value union starts here
  }
}

// A copy of `source` as the parameter's type (as it is for a Variant or a type not converted).
HRESULT CopyAs(VARIANT& copy, VARIANT* source, VARTYPE parameter_type) {
  VariantInit(&copy);
  if (parameter_type == VT_VARIANT || parameter_type == VT_EMPTY) return VariantCopy(&copy, source);
  const HRESULT hr = VariantChangeType(&copy, source, 0, parameter_type);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
  return S_OK;
}

// How many positional entries the call needs so that every omitted ByRef parameter with a
// default gets a slot; only where the caller gave all the required parameters.
UINT PositionalNeeded(const DispatchTable::Member& member, const DISPPARAMS& params) {
  const UINT given = params.cArgs - params.cNamedArgs;
  UINT needed = given;
  if (given < member.required_count) return needed;
  for (const DispatchTable::Parameter& parameter : member.by_reference) {
    if (parameter.fallback.IsEmpty() || parameter.is_value_of_property_put || parameter.index < given) continue;
    needed = std::max(needed, parameter.index + 1);
  }
  return needed;
}

// A value of a type no conversion reaches (a Null or Empty where the member takes an array, say)
// is a type mismatch to the caller.
HRESULT AsCallerSees(HRESULT hr) { return hr == DISP_E_BADVARTYPE ? DISP_E_TYPEMISMATCH : hr; }

}  // namespace

DispatchTable::DispatchTable(ITypeInfo* info) {
  ForEachFunction(info, [&](const FUNCDESC& desc) { members_.push_back(Describe(info, desc)); });
}

HRESULT DispatchTable::Invoke(ITypeInfo* info, IDispatch* self, DISPID id, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* exception, UINT* bad_arg) const {
  const Member* member = nullptr;
  UINT most_parameters = 0;
  for (const Member& candidate : members_) {
    if (candidate.id != id || !(candidate.invoke_kind & flags)) continue;
    if (!member) member = &candidate;
    most_parameters = std::max(most_parameters, candidate.parameter_count);
  }
  if (!member || !params) return AsCallerSees(info->Invoke(self, id, flags, params, result, exception, bad_arg));
  if (params->cArgs > most_parameters) return DISP_E_BADPARAMCOUNT;
  if (member->by_reference.empty()) return AsCallerSees(info->Invoke(self, id, flags, params, result, exception, bad_arg));
  return AsCallerSees(InvokeAdapted(*member, info, self, id, flags, *params, result, exception, bad_arg));
}

HRESULT DispatchTable::InvokeAdapted(const Member& member, ITypeInfo* info, IDispatch* self, DISPID id, WORD flags,
                                     const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* bad_arg) const {
  CallArguments call(params, PositionalNeeded(member, params));
  std::vector<PrivateValue> values;
  values.reserve(member.by_reference.size());  // arguments point into it: it must not move
  HRESULT hr = S_OK;
  for (const Parameter& parameter : member.by_reference) {
    VARIANT* argument = call.Find(parameter.index, parameter.is_value_of_property_put);
    if (!argument) continue;
    VARIANT* source = nullptr;
    VARIANT* write_back = nullptr;
    if (IsMissing(*argument)) {
      if (parameter.fallback.IsEmpty()) continue;
      source = const_cast<VARIANT*>(&parameter.fallback.get());
    } else if (V_VT(argument) == (VT_BYREF | VT_VARIANT)) {
      if (parameter.type == VT_VARIANT || parameter.type == VT_EMPTY) continue;  // the member works on it
      source = write_back = V_VARIANTREF(argument);
    } else if (V_VT(argument) & VT_BYREF) {
      continue;  // the caller's own typed storage
    } else {
      source = argument;
    }
    PrivateValue& value = values.emplace_back(PrivateValue{{}, write_back});
    hr = CopyAs(value.value, source, parameter.type);
    if (FAILED(hr)) {
      if (bad_arg) *bad_arg = call.CallerIndex(call.IndexOf(argument));
      break;
    }
    PointAt(*argument, value.value, parameter.type);
  }
  if (SUCCEEDED(hr)) {
    hr = info->Invoke(self, id, flags, call.params(), result, exception, bad_arg);
    if (bad_arg && (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)) *bad_arg = call.CallerIndex(*bad_arg);
  }
  // The member's values go back into the caller's variables, as the parameters' types.
  for (PrivateValue& value : values) {
    if (value.write_back && (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION)) VariantCopy(value.write_back, &value.value);
    VariantClear(&value.value);
  }
  return hr;
}

}  // namespace brixen::com
