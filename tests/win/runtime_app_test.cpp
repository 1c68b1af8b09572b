#include "frame/win/app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "frame/win/handles.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

TEST(RuntimeApp, InstanceIsTheModuleHoldingTheCode) {
  // Linked into this test program, the code lives in the executable.
  EXPECT_EQ(AppInstance(), ::GetModuleHandleW(nullptr));
}

TEST(RuntimeApp, PathIsTheFolderOfTheTestProgram) {
  wchar_t exe[MAX_PATH * 4] = {};
  ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH * 4), 0u);
  String expected = FromWide(exe);
  expected.resize(expected.find_last_of(u'\\'));
  if (expected.size() == 2) expected += u'\\';  // the program lies in a drive's root
  EXPECT_EQ(AppPath(), expected);
}

struct FolderCase {
  String fullName;
  String folder;
};

class RuntimeAppFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(RuntimeAppFolder, KeepsTheBackslashOnlyForADriveRoot) { EXPECT_EQ(FolderOf(GetParam().fullName), GetParam().folder); }

INSTANTIATE_TEST_SUITE_P(Table, RuntimeAppFolder,
                         testing::Values(FolderCase{u"C:\\QUENTA01.DLL", u"C:\\"},
                                         FolderCase{u"C:\\Program Files\\Brixen\\QUENTA01.DLL", u"C:\\Program Files\\Brixen"},
                                         FolderCase{u"\\\\server\\share\\QUENTA01.DLL", u"\\\\server\\share"},
                                         FolderCase{u"\\\\?\\C:\\deep\\QUENTA01.DLL", u"\\\\?\\C:\\deep"},
                                         FolderCase{u"QUENTA01.DLL", u""}));

TEST(RuntimeApp, ModuleFileNameIsNotCutAtMaxPath) {
  // A name longer than MAX_PATH: map a copy of this program from a deep folder.
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::vector<String> folders{u"\\\\?\\" + FromWide(temp) + u"brixen_long"};
  while (folders.back().size() < MAX_PATH + 20) folders.push_back(folders.back() + u"\\abcdefghijklmnopqrstuvwxyz");
  for (const String& folder : folders) ::CreateDirectoryW(Wide(folder), nullptr);
  const String copy = folders.back() + u"\\brixen_copy.exe";

  String name;
  if (::CopyFileW(Wide(ModuleFileName(nullptr)), Wide(copy), FALSE)) {
    const Library module(::LoadLibraryExW(Wide(copy), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    if (module) name = ModuleFileName(module.get());
  }
  ::DeleteFileW(Wide(copy));
  std::for_each(folders.rbegin(), folders.rend(), [](const String& f) { ::RemoveDirectoryW(Wide(f)); });

  if (name.empty()) GTEST_SKIP() << "cannot map a program from a long path here";
  EXPECT_GT(name.size(), static_cast<std::size_t>(MAX_PATH));
  EXPECT_EQ(name.substr(name.size() - 15), u"brixen_copy.exe");
}

}  // namespace
}  // namespace brixen::win
