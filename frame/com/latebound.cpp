#include "frame/com/latebound.h"

#include <dispex.h>

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

Variant InvokeId(IDispatch* object, DISPID id, WORD flags, std::initializer_list<Variant> args) {
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

// The member's id by name. Script objects that answer names only through IDispatchEx (the
// class objects of Wine's VBScript) are asked there, case-insensitively as script names are.
HRESULT LookUpId(IDispatch* object, const char16_t* name, DISPID* id) {
  auto* wide = const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(name));
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, id);
  Microsoft::WRL::ComPtr<IDispatchEx> script;
  if (SUCCEEDED(hr) || FAILED(object->QueryInterface(IID_PPV_ARGS(&script)))) return hr;
  BSTR text = SysAllocString(wide);
  const HRESULT found = script->GetDispID(text, fdexNameCaseInsensitive, id);
  SysFreeString(text);
  return found;
}

Variant Invoke(IDispatch* object, const char16_t* name, WORD flags, std::initializer_list<Variant> args) {
  return InvokeId(object, MemberId(object, name), flags, args);
}

}  // namespace

DISPID MemberId(IDispatch* object, const char16_t* name) {
  if (!object) Raise(kErrObjectNotSet);
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(LookUpId(object, name, &id))) Raise(kErrNoSuchMember);
  return id;
}

bool HasMember(IDispatch* object, const char16_t* name) {
  DISPID id = DISPID_UNKNOWN;
  return object && SUCCEEDED(LookUpId(object, name, &id));
}

Variant CallMethod(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args) {
  return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant GetProperty(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args) {
  return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

Object ObjectOf(const Variant& value) {
  if (value.Type() != VT_DISPATCH || !V_DISPATCH(&value.get())) Raise(kErrObjectRequired);
  return Object(V_DISPATCH(&value.get()));
}

Variant GetDefault(IDispatch* object, std::initializer_list<Variant> args) {
  return InvokeId(object, DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

void LetProperty(IDispatch* object, const char16_t* name, const Variant& value) {
  Invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}

std::vector<Variant> Items(IDispatch* collection) {
  if (!collection) Raise(kErrObjectNotSet);
  const Variant enumerator = InvokeId(collection, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
  if (!enumerator.IsObject() || !V_UNKNOWN(&enumerator.get())) Raise(kErrNoSuchMember);
  Microsoft::WRL::ComPtr<IEnumVARIANT> items;
  CheckHresult(V_UNKNOWN(&enumerator.get())->QueryInterface(IID_PPV_ARGS(&items)));
  std::vector<Variant> result;
  Variant item;
  while (items->Next(1, item.put(), nullptr) == S_OK) result.push_back(std::move(item));
  return result;
}

}  // namespace brixen
