// What the clsFILE tests share: texts and Booleans out of the slots and reading files back.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "com_fixture.h"
#include "err_log_file.h"
#include "msgbox_answerer.h"

namespace brixen::test::file {

inline HRESULT RunTimeError(long number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }

// The text a slot hands back through its BSTR result.
inline std::wstring TextOf(const std::function<HRESULT(BSTR*)>& call, HRESULT expected = S_OK) {
  BSTR out = nullptr;
  EXPECT_EQ(call(&out), expected);
  std::wstring text(out ? out : L"", out ? SysStringLen(out) : 0);
  SysFreeString(out);
  return text;
}

// The Boolean a slot hands back.
inline bool YesOf(const std::function<HRESULT(VARIANT_BOOL*)>& call, HRESULT expected = S_OK) {
  VARIANT_BOOL out = 0x1234;
  EXPECT_EQ(call(&out), expected);
  EXPECT_TRUE(out == VARIANT_TRUE || out == VARIANT_FALSE) << out;
  return out == VARIANT_TRUE;
}

inline std::string BytesOf(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace brixen::test::file
