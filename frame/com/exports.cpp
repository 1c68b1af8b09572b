// The server's entry points.
#include <windows.h>

#include <cwchar>

#include "frame/com/factory.h"
#include "frame/com/module.h"
#include "frame/com/registration.h"

using brixen::com::Scope;

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return brixen::com::GetClassFactory(clsid, iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return brixen::com::CanUnload() ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() { return brixen::com::RegisterServer(Scope::Machine); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return brixen::com::UnregisterServer(Scope::Machine); }

// regsvr32 /n /i:user registers for the current user only, without administrator rights.
HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR command_line) {
  const Scope scope = command_line && _wcsicmp(command_line, L"user") == 0 ? Scope::User : Scope::Machine;
  return install ? brixen::com::RegisterServer(scope) : brixen::com::UnregisterServer(scope);
}

}  // extern "C"
