#include "com_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace brixen::test {
namespace {

// One apartment for the whole test program, as a client's main thread has.
class ApartmentEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};

const testing::Environment* const apartment = testing::AddGlobalTestEnvironment(new ApartmentEnvironment);

}  // namespace

ComPtr<IDispatch> CreateByProgId(const wchar_t* progid) {
  CLSID clsid{};
  ComPtr<IDispatch> object;
  EXPECT_EQ(CLSIDFromProgID(progid, &clsid), S_OK) << "ProgID " << std::string(progid, progid + wcslen(progid));
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object), S_OK);
  return object;
}

Call::~Call() {
  VariantClear(&result);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
}

long Call::ErrorNumber() const {
  if (SUCCEEDED(hr)) return 0;
  const HRESULT code = hr == DISP_E_EXCEPTION ? exception.scode : hr;
  return HRESULT_FACILITY(code) == FACILITY_CONTROL ? HRESULT_CODE(code) : code;
}

void InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, Call& call) {
  DISPID id = DISPID_UNKNOWN;
  auto* wide = const_cast<LPOLESTR>(name);
  call.hr = object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(call.hr)) return;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  UINT bad = 0;
  call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &call.result, &call.exception, &bad);
  for (VARIANT& arg : args) {
    if (V_VT(&arg) == VT_BSTR) VariantClear(&arg);
  }
}

VARIANT LongArg(long value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT TextArg(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text);
  return v;
}

VARIANT ObjectArg(IUnknown* object) {
  VARIANT v;
  VariantInit(&v);
  ComPtr<IDispatch> dispatch;
  object->QueryInterface(IID_IDispatch, &dispatch);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = dispatch.Get();
  return v;
}

std::wstring LastErrorDescription() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) != S_OK) return L"";
  BSTR text = nullptr;
  info->GetDescription(&text);
  std::wstring result = text ? text : L"";
  SysFreeString(text);
  return result;
}

std::wstring DllPath(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? std::wstring(value, value + strlen(value)) : std::wstring();
}

std::wstring ToolPath(const wchar_t* name) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring path = self;
  for (int level = 0; level < 3; ++level) path = path.substr(0, path.find_last_of(L'\\'));  // tests\win\name.exe
  return path + L"\\tools\\" + name;
}

OwnedBstr::OwnedBstr(const std::wstring& text)
    : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

OwnedBstr::~OwnedBstr() { SysFreeString(value_); }

std::wstring OwnedBstr::text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

TempFolder::TempFolder() {
  static unsigned serial = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ =
      std::wstring(temp) + L"brixen-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);  // left over by an earlier run that stopped
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  const std::wstring full = *this / name;
  std::ofstream(std::filesystem::path(full), std::ios::binary) << bytes;
  return full;
}

}  // namespace brixen::test
