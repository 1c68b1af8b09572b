// What the clsFILE tests share: texts and Booleans out of the slots, reading files back, and the
// check that a member's handler logged its error under its module-name literal.
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

// Runs a call that should fail inside a member's handler: one ErrReg box (answered) whose text
// starts with the module-name literal, and one Err.log record with the literal at column 43.
inline void ExpectLogged(const std::string& module, const std::function<void()>& call) {
  SCOPED_TRACE("module \"" + module + "\"");
  ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  {
    MsgBoxAnswerer answerer({L"ok"});
    call();
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_EQ(answerer.Boxes()[0].title, L"ERROR");
    EXPECT_EQ(answerer.Boxes()[0].text.substr(0, module.size() + 2),
              std::wstring(module.begin(), module.end()) + L"\r\n");
  }
  const std::string bytes = log.Bytes();
  const std::size_t record = bytes.find("\r\n") + 2;  // after the header
  EXPECT_EQ(bytes.compare(record + 42, module.size() + 1, module + " "), 0) << "the module name at column 43:\n"
                                                                            << bytes;
}

// Runs a call that must neither show a box nor write Err.log.
inline void ExpectQuiet(const std::function<void()>& call) {
  ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer;
  call();
  EXPECT_TRUE(answerer.Boxes().empty()) << answerer.Boxes()[0].text;
  EXPECT_FALSE(log.Exists()) << log.Bytes();
}

}  // namespace brixen::test::file
