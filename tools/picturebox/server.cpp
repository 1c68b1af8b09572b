// BXPICBOX.DLL entry points: the class factory and self-registration of BrixenTest.PictureBox.
#include <windows.h>
#include <olectl.h>

#include <atomic>
#include <string>
#include <vector>

#include "canvas.h"
#include "frame/win/handles.h"
#include "picturebox.h"

namespace {

using brixen::win::RegKey;

constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 40;
constexpr wchar_t kDescription[] = L"Brixen test picture box";

std::atomic<long> g_locks{0};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One static factory: its lifetime is the module's, tracked through LockServer.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IDispatch* box = nullptr;
    const HRESULT hr = CreateTestPictureBox(kDefaultWidth, kDefaultHeight, &box);
    if (FAILED(hr)) return hr;
    const HRESULT cast = box->QueryInterface(iid, out);
    box->Release();
    return cast;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++g_locks : --g_locks;
    return S_OK;
  }
};

Factory g_factory;

std::wstring ClsidText() {
  wchar_t text[40] = {};
  StringFromGUID2(kTestPictureBoxClsid, text, 40);
  return text;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(brixen::picbox::ThisModule(), path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

struct RegistryValue {
  std::wstring key;   // below Software\Classes
  const wchar_t* name;  // null for the key's default value
  std::wstring data;
};

std::vector<RegistryValue> RegistryValues() {
  const std::wstring clsid_key = L"CLSID\\" + ClsidText();
  return {
      {kTestPictureBoxProgId, nullptr, kDescription},
      {std::wstring(kTestPictureBoxProgId) + L"\\CLSID", nullptr, ClsidText()},
      {clsid_key, nullptr, kDescription},
      {clsid_key + L"\\ProgID", nullptr, kTestPictureBoxProgId},
      {clsid_key + L"\\InprocServer32", nullptr, ModulePath()},
      {clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
  };
}

LSTATUS WriteValue(HKEY root, const RegistryValue& value) {
  RegKey key;
  const std::wstring path = L"Software\\Classes\\" + value.key;
  LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  const auto bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
}

LSTATUS WriteAll(HKEY root) {
  for (const auto& value : RegistryValues()) {
    if (const LSTATUS status = WriteValue(root, value); status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

void RemoveAll(HKEY root) {
  for (const std::wstring& key : {std::wstring(kTestPictureBoxProgId), L"CLSID\\" + ClsidText()}) {
    RegDeleteTreeW(root, (L"Software\\Classes\\" + key).c_str());
  }
}

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != kTestPictureBoxClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return (TestPictureBoxesAlive() == 0 && g_locks == 0) ? S_OK : S_FALSE;
}

// For every user when allowed, else for the current user.
HRESULT STDAPICALLTYPE DllRegisterServer() {
  LSTATUS status = WriteAll(HKEY_LOCAL_MACHINE);
  if (status == ERROR_ACCESS_DENIED) {
    RemoveAll(HKEY_LOCAL_MACHINE);
    status = WriteAll(HKEY_CURRENT_USER);
  }
  return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  RemoveAll(HKEY_LOCAL_MACHINE);
  RemoveAll(HKEY_CURRENT_USER);
  return S_OK;
}

}  // extern "C"
