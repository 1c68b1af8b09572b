#include "frame/com/factory.h"

#include <new>

#include "frame/com/module.h"
#include "frame/com/refcount.h"

namespace brixen::com {
namespace {

class ClassFactory final : public IClassFactory, private RefCounted {
 public:
  explicit ClassFactory(const ClassEntry& entry) : entry_(entry) { ObjectCreated(); }
  ~ClassFactory() override { ObjectDestroyed(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return entry_.create(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    com::LockServer(lock != FALSE);
    return S_OK;
  }

 private:
  const ClassEntry& entry_;
};

}  // namespace

const ClassEntry* FindClass(REFCLSID clsid) {
  for (const ClassEntry& entry : Classes()) {
    if (*entry.clsid == clsid) return &entry;
  }
  return nullptr;
}

HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const ClassEntry* entry = FindClass(clsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory(*entry);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

}  // namespace brixen::com
