#include "frame/com/registration.h"

#include <olectl.h>

#include <string>

#include "brixen.h"
#include "frame/com/classes.h"
#include "frame/com/module.h"
#include "frame/win/app.h"
#include "frame/win/wide.h"
#include "frame/win/handles.h"

namespace brixen::com {
namespace {

using std::wstring;

constexpr wchar_t kAutomationProxy[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kLibraryHelp[] = L"BRIXEN UTILITIES NOT ADO NOT DAO";
#ifdef _WIN64
constexpr wchar_t kPlatform[] = L"win64";
#else
constexpr wchar_t kPlatform[] = L"win32";
#endif

wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

String ModulePath() { return win::ModuleFileName(win::AppInstance()); }

class ClassesKey {
 public:
  explicit ClassesKey(Scope scope) : root_(scope == Scope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE) {}

  // Creates the key and sets its default value (and one named value when given).
  bool Write(const wstring& key, const wstring& value, const wchar_t* name = nullptr) const {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(root_, (kBase + key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
      return false;
    win::RegKey owned(raw);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(owned.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
  }
  bool Exists(const wstring& key) const {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root_, (kBase + key).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    win::RegKey owned(raw);
    return true;
  }
  void DeleteTree(const wstring& key) const { RegDeleteTreeW(root_, (kBase + key).c_str()); }
  // Removes a key only when nothing is left below it.
  void DeleteIfEmpty(const wstring& key) const {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root_, (kBase + key).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
    win::RegKey owned(raw);
    DWORD subkeys = 0;
    DWORD values = 0;
    RegQueryInfoKeyW(owned.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    if (subkeys == 0 && values == 0) RegDeleteKeyW(root_, (kBase + key).c_str());
  }

 private:
  static inline const wstring kBase = L"Software\\Classes\\";
  HKEY root_;
};

wstring ProgId(const ClassEntry& entry) { return wstring(L"BRIXEN.") + entry.name; }

bool RegisterClass(const ClassesKey& keys, const ClassEntry& entry, const wstring& path, const wstring& library) {
  const wstring clsid = L"CLSID\\" + GuidText(*entry.clsid);
  const wstring iface = L"Interface\\" + GuidText(*entry.iid);
  const wstring progid = ProgId(entry);
  return keys.Write(progid, progid) && keys.Write(progid + L"\\Clsid", GuidText(*entry.clsid)) &&
         keys.Write(clsid, progid) && keys.Write(clsid + L"\\InprocServer32", path) &&
         keys.Write(clsid + L"\\InprocServer32", L"Apartment", L"ThreadingModel") &&
         keys.Write(clsid + L"\\ProgID", progid) && keys.Write(clsid + L"\\VERSION", L"1.0") &&
         keys.Write(clsid + L"\\TypeLib", library) && keys.Write(clsid + L"\\Programmable", L"") &&
         keys.Write(iface, wstring(L"_") + entry.name) && keys.Write(iface + L"\\ProxyStubClsid", kAutomationProxy) &&
         keys.Write(iface + L"\\ProxyStubClsid32", kAutomationProxy) && keys.Write(iface + L"\\TypeLib", library) &&
         keys.Write(iface + L"\\TypeLib", L"1.0", L"Version");
}

bool RegisterLibrary(const ClassesKey& keys, const String& module, const wstring& library) {
  const wstring path = win::Wide(module);
  const wstring version = L"TypeLib\\" + library + L"\\1.0";
  return keys.Write(version, kLibraryHelp) && keys.Write(version + L"\\0\\" + kPlatform, path) &&
         keys.Write(version + L"\\FLAGS", L"0") && keys.Write(version + L"\\HELPDIR", win::Wide(win::FolderOf(module)));
}

void UnregisterLibrary(const ClassesKey& keys, const wstring& library) {
  const wstring version = L"TypeLib\\" + library + L"\\1.0";
  keys.DeleteTree(version + L"\\0\\" + kPlatform);
  keys.DeleteIfEmpty(version + L"\\0");
  // The other bitness may still be registered under the same version: keep it then.
  if (!keys.Exists(version + L"\\0")) keys.DeleteTree(version);
  keys.DeleteIfEmpty(L"TypeLib\\" + library);
}

}  // namespace

HRESULT RegisterServer(Scope scope) {
  const ClassesKey keys(scope);
  const String module = ModulePath();
  const wstring path = win::Wide(module);
  const wstring library = GuidText(LIBID_BRIXEN);
  bool ok = RegisterLibrary(keys, module, library);
  for (const ClassEntry& entry : Classes()) ok = ok && RegisterClass(keys, entry, path, library);
  if (ok) return S_OK;
  UnregisterServer(scope);
  return SELFREG_E_CLASS;
}

HRESULT UnregisterServer(Scope scope) {
  const ClassesKey keys(scope);
  for (const ClassEntry& entry : Classes()) {
    keys.DeleteTree(ProgId(entry));
    keys.DeleteTree(L"CLSID\\" + GuidText(*entry.clsid));
    keys.DeleteTree(L"Interface\\" + GuidText(*entry.iid));
  }
  UnregisterLibrary(keys, GuidText(LIBID_BRIXEN));
  return S_OK;
}

}  // namespace brixen::com
