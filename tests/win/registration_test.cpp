// Self-registration of the built DLL: for the machine (regsvr32) and for the current user only
// (regsvr32 /n /i:user), and nothing left behind by either unregistration.
#include <windows.h>

#include <string>
#include <vector>

#include "com_fixture.h"

namespace brixen::test {
namespace {

// The built DLL, loaded directly, with its entry points.
class Server {
 public:
  Server() : module_(LoadLibraryW(DllPath("BRIXEN_DLL").c_str())) {}
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;
  ~Server() {
    if (module_) FreeLibrary(module_);
  }
  explicit operator bool() const { return module_ != nullptr; }

  HRESULT Register() { return Entry<HRESULT(STDAPICALLTYPE*)()>("DllRegisterServer")(); }
  HRESULT Unregister() { return Entry<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer")(); }
  HRESULT Install(bool install, const wchar_t* command) {
    return Entry<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>("DllInstall")(install, command);
  }
  HRESULT CanUnloadNow() { return Entry<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")(); }
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return Entry<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject")(clsid, iid, out);
  }

 private:
  template <class Function>
  Function Entry(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  HMODULE module_;
};

std::wstring Guid(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// Every key registration writes, below Software\Classes.
std::vector<std::wstring> RegisteredKeys() {
  std::vector<std::wstring> keys = {L"TypeLib\\" + Guid(LIBID_BRIXEN)};
  const struct {
    const wchar_t* name;
    const CLSID* clsid;
    const IID* iid;
  } classes[] = {
      {L"clsFILE", &CLSID_clsFILE, &IID__clsFILE},
      {L"clsDATE", &CLSID_clsDATE, &IID__clsDATE},
      {L"clsString", &CLSID_clsString, &IID__clsString},
      {L"clsMethod", &CLSID_clsMethod, &IID__clsMethod},
      {L"clsProperty", &CLSID_clsProperty, &IID__clsProperty},
      {L"clsPrgsBar", &CLSID_clsPrgsBar, &IID__clsPrgsBar},
      {L"clsNewFont", &CLSID_clsNewFont, &IID__clsNewFont},
      {L"clsToolTip", &CLSID_clsToolTip, &IID__clsToolTip},
      {L"clsDialogColor", &CLSID_clsDialogColor, &IID__clsDialogColor},
      {L"clsDialogOpenSave", &CLSID_clsDialogOpenSave, &IID__clsDialogOpenSave},
  };
  for (const auto& c : classes) {
    keys.push_back(std::wstring(L"BRIXEN.") + c.name);
    keys.push_back(L"CLSID\\" + Guid(*c.clsid));
    keys.push_back(L"Interface\\" + Guid(*c.iid));
  }
  return keys;
}

std::wstring ReadText(HKEY root, const std::wstring& key, const wchar_t* value = nullptr) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(root, (L"Software\\Classes\\" + key).c_str(), value, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return L"<absent>";
  return buffer;
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, (L"Software\\Classes\\" + key).c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

// The registry view of this process's bitness, where its server must be registered, and the
// other one, which a 64-bit host reads when this is the 32-bit build and the other way round.
#ifdef _WIN64
constexpr REGSAM kOwnView = KEY_WOW64_64KEY, kOtherView = KEY_WOW64_32KEY;
constexpr const wchar_t* kTypeLibPlatform = L"win64";
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY, kOtherView = KEY_WOW64_64KEY;
constexpr const wchar_t* kTypeLibPlatform = L"win32";
#endif

void ExpectRegisteredUnder(HKEY root) {
  for (const std::wstring& key : RegisteredKeys()) EXPECT_TRUE(KeyExists(root, key)) << "missing: " << key.c_str();
  const std::wstring clsid = L"CLSID\\" + Guid(CLSID_clsFILE);
  EXPECT_EQ(_wcsicmp(ReadText(root, clsid + L"\\InprocServer32").c_str(), DllPath("BRIXEN_DLL").c_str()), 0);
  EXPECT_EQ(ReadText(root, clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(ReadText(root, L"BRIXEN.clsFILE\\Clsid"), Guid(CLSID_clsFILE));
  EXPECT_EQ(ReadText(root, L"Interface\\" + Guid(IID__clsFILE) + L"\\TypeLib"), Guid(LIBID_BRIXEN));
  EXPECT_EQ(ReadText(root, L"TypeLib\\" + Guid(LIBID_BRIXEN) + L"\\1.0"), L"BRIXEN UTILITIES NOT ADO NOT DAO");
  EXPECT_EQ(_wcsicmp(ReadText(root, L"TypeLib\\" + Guid(LIBID_BRIXEN) + L"\\1.0\\0\\" + kTypeLibPlatform).c_str(),
                     DllPath("BRIXEN_DLL").c_str()),
            0);
}

// The class keys lie in this bitness's view of the machine's classes only.
void ExpectClassesInOwnViewOnly() {
  const std::wstring server = L"CLSID\\" + Guid(CLSID_clsFILE) + L"\\InprocServer32";
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, server, kOwnView));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, server, kOtherView)) << "the other bitness's view has the server";
}

void ExpectNothingUnder(HKEY root) {
  for (const std::wstring& key : RegisteredKeys()) EXPECT_FALSE(KeyExists(root, key)) << "left behind: " << key.c_str();
}

// Leaves the machine registration in place for the other tests, whatever a test did.
struct MachineRegistrationRestorer {
  Server& server;
  ~MachineRegistrationRestorer() { server.Register(); }
};

TEST(Registration, MachineRegistrationIsWrittenAndRemovedWhole) {
  Server server;
  ASSERT_TRUE(server);
  MachineRegistrationRestorer restore{server};
  ASSERT_EQ(server.Register(), S_OK);
  ExpectRegisteredUnder(HKEY_LOCAL_MACHINE);
  ExpectClassesInOwnViewOnly();
  ASSERT_EQ(server.Unregister(), S_OK);
  ExpectNothingUnder(HKEY_LOCAL_MACHINE);
}

TEST(Registration, PerUserRegistrationNeedsNoMachineKeys) {
  Server server;
  ASSERT_TRUE(server);
  MachineRegistrationRestorer restore{server};
  ASSERT_EQ(server.Unregister(), S_OK);
  ASSERT_EQ(server.Install(true, L"user"), S_OK);
  ExpectRegisteredUnder(HKEY_CURRENT_USER);
  ExpectNothingUnder(HKEY_LOCAL_MACHINE);

  // Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine's COM reads only the
  // machine's. So the client's lookup is done here as Windows does it: ProgID, class
  // identifier, server path, class factory.
  const std::wstring clsid_text = ReadText(HKEY_CURRENT_USER, L"BRIXEN.clsDATE\\Clsid");
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromString(clsid_text.c_str(), &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_clsDATE));
  const std::wstring path = ReadText(HKEY_CURRENT_USER, L"CLSID\\" + clsid_text + L"\\InprocServer32");
  HMODULE registered = LoadLibraryW(path.c_str());
  ASSERT_NE(registered, nullptr) << "server path: " << path.c_str();
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get_class_object =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(registered, "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object(clsid, IID_IClassFactory, &factory), S_OK);
  ComPtr<IDispatch> object;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, &object), S_OK);
  object.Reset();
  factory.Reset();
  FreeLibrary(registered);

  ASSERT_EQ(server.Install(false, L"user"), S_OK);
  ExpectNothingUnder(HKEY_CURRENT_USER);
}

TEST(Server, CanUnloadOnlyWithoutObjectsAndLocks) {
  Server server;
  ASSERT_TRUE(server);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(server.GetClassObject(CLSID_clsString, IID_IClassFactory, &factory), S_OK);
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE) << "a factory is outstanding";
  ComPtr<IUnknown> object;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE) << "an object and a lock are outstanding";
  object.Reset();
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE) << "a lock is outstanding";
  ComPtr<IClassFactory> again;
  ASSERT_EQ(server.GetClassObject(CLSID_clsString, IID_IClassFactory, &again), S_OK);
  ASSERT_EQ(again->LockServer(FALSE), S_OK);
  again.Reset();
  EXPECT_EQ(server.CanUnloadNow(), S_OK);

  ComPtr<IClassFactory> unknown;
  EXPECT_EQ(server.GetClassObject(GUID_NULL, IID_IClassFactory, &unknown), CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace brixen::test
