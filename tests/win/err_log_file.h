// The Err.log of a folder, as the tests see it: removed before and after each test that
// provokes a logged error, read back byte for byte.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace brixen::test
