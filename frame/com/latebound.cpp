#include "frame/com/latebound.h"

#include <vector>

namespace brixen {
namespace {

// Raises the error an object reported through its exception information.
[[noreturn]] void RaiseFromException(EXCEPINFO& info) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  const String text = FromBstr(info.bstrDescription);
  const HRESULT code = info.scode ? info.scode : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  if (HRESULT_FACILITY(code) == FACILITY_CONTROL && !text.empty()) throw RuntimeError(HRESULT_CODE(code), text);
  RaiseFromHresult(code);
}

Variant Invoke(IDispatch* object, const char16_t* name, WORD flags, std::initializer_list<Variant> args) {
  if (!object) Raise(kErrObjectNotSet);
  DISPID id = MemberId(object, name);
  // Automation takes the arguments last to first.
  std::vector<VARIANT> reversed;
  for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back(it->get());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO info{};
  UINT bad_arg = 0;
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.put(), &info, &bad_arg);
  if (hr == DISP_E_EXCEPTION) RaiseFromException(info);
  CheckHresult(hr);
  return result;
}

}  // namespace

DISPID MemberId(IDispatch* object, const char16_t* name) {
  if (!object) Raise(kErrObjectNotSet);
  auto* wide = const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(name));
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id))) Raise(kErrNoSuchMember);
  return id;
}

bool HasMember(IDispatch* object, const char16_t* name) {
  auto* wide = const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(name));
  DISPID id = DISPID_UNKNOWN;
  return object && SUCCEEDED(object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id));
}

Variant CallMethod(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args) {
  return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant GetProperty(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args) {
  return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void LetProperty(IDispatch* object, const char16_t* name, const Variant& value) {
  Invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}

}  // namespace brixen
