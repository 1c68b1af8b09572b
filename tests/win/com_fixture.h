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

// Whether the run has a Japanese system locale (the *Bilingual* tests run again under it).
inline bool JapaneseTestLocale() { return GetSystemDefaultLCID() == 0x0411; }

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

// The Windows path of a built DLL: BRIXEN_DLL names the one this process loads (its own
// bitness), BRIXEN_DLL64 and BRIXEN_DLL32 the two builds.
std::wstring DllPath(const char* variable);

// A test tool built beside this program's build: <build>\tools\<name>.
std::wstring ToolPath(const wchar_t* name);

// Owns one BSTR: get() for a ByVal argument, put() for a ByRef argument or a result (the callee
// frees what it replaces), text() to read it back ("" for a null BSTR).
class OwnedBstr {
 public:
  OwnedBstr() = default;
  explicit OwnedBstr(const std::wstring& text);
  ~OwnedBstr();
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* put() { return &value_; }
  std::wstring text() const;

 private:
  BSTR value_ = nullptr;
};

// A fresh folder of its own under the temporary folder, removed with all it holds (read-only
// and hidden entries too).
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& path() const { return path_; }  // without a trailing "\"
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Writes a file of these bytes under the folder; returns its full path.
  std::wstring Write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

}  // namespace brixen::test
