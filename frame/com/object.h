// One COM object around one plain class: reference counting, the interfaces every object
// answers (its default dual interface, IDispatch, ISupportErrorInfo, IProvideClassInfo) and
// the dispatch path through the type library, so late and early binding reach the same slot.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include "frame/com/invoke.h"
#include "frame/com/module.h"
#include "frame/com/names.h"
#include "frame/com/refcount.h"

namespace brixen::com {

// Owns one reference to a type information object.
class TypeInfoRef {
 public:
  explicit TypeInfoRef(ITypeInfo* info) : info_(info) {}
  TypeInfoRef(const TypeInfoRef&) = delete;
  TypeInfoRef& operator=(const TypeInfoRef&) = delete;
  ~TypeInfoRef() {
    if (info_) info_->Release();
  }
  ITypeInfo* get() const { return info_; }

 private:
  ITypeInfo* info_;
};

template <class Impl, class Interface>
class ComObject : public Interface, public ISupportErrorInfo, public IProvideClassInfo, private RefCounted {
 public:
  ComObject(REFIID iid, REFCLSID clsid) : iid_(iid), clsid_(clsid), info_(TypeInfoOf(iid)) { ObjectCreated(); }
  ~ComObject() override { ObjectDestroyed(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
      *out = static_cast<Interface*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else if (riid == IID_IProvideClassInfo) {
      *out = static_cast<IProvideClassInfo*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = info_.get() ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!info_.get()) return E_UNEXPECTED;
    info_.get()->AddRef();
    *out = info_.get();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!info_.get()) return E_UNEXPECTED;
    static const NameTable table(info_.get());  // one per interface
    return table.Lookup(info_.get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* bad_arg) override {
    if (!info_.get()) return E_UNEXPECTED;
    static const DispatchTable table(info_.get());  // one per interface
    return table.Invoke(info_.get(), static_cast<Interface*>(this), id, flags, params, result, exception, bad_arg);
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return riid == iid_ ? S_OK : S_FALSE;
  }

  // IProvideClassInfo
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = TypeInfoOf(clsid_);
    return *out ? S_OK : E_UNEXPECTED;
  }

 protected:
  // Runs one member on the plain object; a run-time error it raises becomes the caller's failure.
  template <class Body>
  HRESULT Run(Body&& body) noexcept {
    SetErrorInfo(0, nullptr);
    try {
      return body(impl_);
    } catch (...) {
      return ReportCurrentException(iid_);
    }
  }

 private:
  const IID& iid_;
  const CLSID& clsid_;
  TypeInfoRef info_;
  Impl impl_;
};

}  // namespace brixen::com
