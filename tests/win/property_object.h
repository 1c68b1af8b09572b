// A caller's object as the library meets it late bound (a form, a control, a picture box):
// named properties, read and written by name in any letter case, and methods whose calls are
// recorded with their arguments. An unknown name is DISP_E_UNKNOWNNAME (error 438 to callers).
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "frame/com/variant.h"

namespace brixen::test {

class PropertyObject : public IDispatch {
 public:
  static Microsoft::WRL::ComPtr<PropertyObject> Make() { return new PropertyObject(); }

  using Body = std::function<Variant(const std::vector<Variant>& args)>;

  PropertyObject& Set(const std::wstring& name, const Variant& value);
  // A method whose calls are recorded; `body` gives its result (Empty without one).
  PropertyObject& AddMethod(const std::wstring& name, Body body = {});
  // The member a call of the object itself reaches (DISPID_VALUE), as a collection's Item.
  PropertyObject& SetDefault(const std::wstring& name);
  Variant Get(const std::wstring& name) const;

  struct MethodCall {
    std::wstring name;
    std::vector<Variant> args;  // in the caller's order
  };
  const std::vector<MethodCall>& Calls() const { return calls_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override;

 private:
  PropertyObject() = default;
  virtual ~PropertyObject() = default;
  struct Member {
    std::wstring name;
    bool is_method;
    Variant value;
    Body body;
  };
  Member* Find(const std::wstring& name);
  const Member* Find(const std::wstring& name) const;

  std::vector<Member> members_;  // dispatch id = index + 1
  std::vector<MethodCall> calls_;
  DISPID default_ = DISPID_UNKNOWN;
  LONG references_ = 1;
};

}  // namespace brixen::test
