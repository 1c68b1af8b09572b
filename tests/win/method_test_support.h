// Small owners for the clsMethod tests: a BSTR for slot arguments and a temporary folder.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <filesystem>
#include <string>

namespace brixen::test {

// get() for ByVal, put() for ByRef, text() to read it back.
class OwnedBstr {
 public:
  explicit OwnedBstr(const std::wstring& text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~OwnedBstr() { SysFreeString(value_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* put() { return &value_; }
  std::wstring text() const { return std::wstring(value_, SysStringLen(value_)); }

 private:
  BSTR value_;
};

// A folder of its own under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::filesystem::path(temp) / (L"brixen-method-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::wstring operator/(const wchar_t* name) const { return (path_ / name).wstring(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace brixen::test
