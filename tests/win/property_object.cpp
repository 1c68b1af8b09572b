#include "property_object.h"

namespace brixen::test {

PropertyObject::Member* PropertyObject::Find(const std::wstring& name) {
  for (Member& member : members_) {
    if (_wcsicmp(member.name.c_str(), name.c_str()) == 0) return &member;
  }
  return nullptr;
}

const PropertyObject::Member* PropertyObject::Find(const std::wstring& name) const {
  return const_cast<PropertyObject*>(this)->Find(name);
}

PropertyObject& PropertyObject::Set(const std::wstring& name, const Variant& value) {
  if (Member* member = Find(name)) {
    member->value = value;
  } else {
    members_.push_back({name, false, value, {}});
  }
  return *this;
}

PropertyObject& PropertyObject::AddMethod(const std::wstring& name, Body body) {
  members_.push_back({name, true, Variant(), std::move(body)});
  return *this;
}

PropertyObject& PropertyObject::SetDefault(const std::wstring& name) {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (_wcsicmp(members_[i].name.c_str(), name.c_str()) == 0) default_ = static_cast<DISPID>(i + 1);
  }
  return *this;
}

Variant PropertyObject::Get(const std::wstring& name) const {
  const Member* member = Find(name);
  return member ? member->value : Variant();
}

HRESULT PropertyObject::QueryInterface(REFIID iid, void** out) {
  if (iid != IID_IUnknown && iid != IID_IDispatch) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG PropertyObject::Release() {
  const ULONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT PropertyObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT PropertyObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1) return DISP_E_UNKNOWNNAME;
  for (size_t i = 0; i < members_.size(); ++i) {
    if (_wcsicmp(members_[i].name.c_str(), names[0]) == 0) {
      *ids = static_cast<DISPID>(i + 1);
      return S_OK;
    }
  }
  *ids = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT PropertyObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*) {
  if (id == DISPID_VALUE) id = default_;
  if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
  Member& member = members_[id - 1];
  if (member.is_method) {
    MethodCall call{member.name, {}};
    for (UINT i = params->cArgs; i-- > 0;) call.args.emplace_back(params->rgvarg[i]);
    Variant value = member.body ? member.body(call.args) : Variant();
    calls_.push_back(std::move(call));
    if (result) value.Detach(result);
    return S_OK;
  }
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    member.value = Variant(params->rgvarg[0]);
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (result) VariantCopy(result, const_cast<VARIANT*>(&member.value.get()));
  return S_OK;
}

}  // namespace brixen::test
