// Helpers for tests that reach the library the way clients do: through COM, by class
// identifier or ProgID, calling the slots (early binding) or IDispatch::Invoke by name.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brixen.h"

namespace brixen::test {

using Microsoft::WRL::ComPtr;

// Creates an object of the registered library.
template <class Interface>
ComPtr<Interface> Create(REFCLSID clsid) {
  ComPtr<Interface> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), &object);
  EXPECT_EQ(hr, S_OK) << "CoCreateInstance";
  return object;
}

ComPtr<IDispatch> CreateByProgId(const wchar_t* progid);

// The outcome of one late-bound call.
struct Call {
  HRESULT hr = E_FAIL;
  VARIANT result{};
  EXCEPINFO exception{};
  Call() { VariantInit(&result); }
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
  ~Call();
  // The run-time error number the caller sees (0 when the call succeeded).
  long ErrorNumber() const;
  std::wstring Description() const { return exception.bstrDescription ? exception.bstrDescription : L""; }
};

// Invokes a member by name; `args` are in the caller's order.
void InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, Call& call);

VARIANT LongArg(long value);
VARIANT TextArg(const wchar_t* text);  // the caller frees it with VariantClear
VARIANT ObjectArg(IUnknown* object);   // not AddRef'd: the test keeps the object alive

// The description of the thread's error information after a failed slot call.
std::wstring LastErrorDescription();

// The Windows path of a built DLL, from BRIXEN_DLL64 / BRIXEN_DLL32.
std::wstring DllPath(const char* variable);

}  // namespace brixen::test
