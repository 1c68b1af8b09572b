// The Err.log of a folder, as the tests see it: removed before and after each test that
// provokes a logged error, read back byte for byte; and the checks that a member's handler
// logged an error under its module-name literal, or stayed quiet.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "com_fixture.h"
#include "msgbox_answerer.h"

namespace brixen::test {

class ErrLogFile {
 public:
  explicit ErrLogFile(std::wstring folder) : path_(std::move(folder) + L"\\Err.log") { Remove(); }
  ~ErrLogFile() { Remove(); }
  ErrLogFile(const ErrLogFile&) = delete;
  ErrLogFile& operator=(const ErrLogFile&) = delete;

  const std::wstring& path() const { return path_; }
  bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::string Bytes() const {
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void Remove() const {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
    RemoveDirectoryW(path_.c_str());  // left by a test that puts a folder in the file's place
  }

 private:
  std::wstring path_;
};

// The folder of a module's full file name.
inline std::wstring FolderOfPath(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

// Runs a call that should fail inside a member's handler: one ErrReg box (answered) whose text
// starts with the module-name literal, and one Err.log record with the literal at column 43
// (and, when `code` is given, that error number in its first field).
inline void ExpectLogged(const std::string& module, const std::function<void()>& call, long code = 0) {
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
  if (code == 0) return;
  const std::string number = " " + std::to_string(code) + " ";
  EXPECT_EQ(bytes.compare(record, number.size(), number), 0) << "error " << code << " in the record:\n" << bytes;
}

// Runs a call that must neither show a box nor write Err.log.
inline void ExpectQuiet(const std::function<void()>& call) {
  ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer;
  call();
  EXPECT_TRUE(answerer.Boxes().empty()) << answerer.Boxes()[0].text;
  EXPECT_FALSE(log.Exists()) << log.Bytes();
}

}  // namespace brixen::test
