// The levels CreateAllFolders goes through.
#include "files/folder_levels.h"

#include <gtest/gtest.h>

namespace brixen::file {
namespace {

struct LevelsCase {
  const char16_t* path;
  std::vector<String> levels;
};

TEST(FolderLevels, EveryLevelBelowTheRootInCreationOrder) {
  const LevelsCase cases[] = {
      {u"C:\\a\\b\\c", {u"C:\\a", u"C:\\a\\b", u"C:\\a\\b\\c"}},
      {u"C:\\a\\b\\", {u"C:\\a", u"C:\\a\\b", u"C:\\a\\b\\"}},  // the trailing "\" names b again
      {u"C:\\a\\\\b", {u"C:\\a", u"C:\\a\\", u"C:\\a\\b"}},
      {u"C:", {}},
      {u"folder", {}},
      {u"", {}},
      {u"C:\\", {u"C:\\"}},
      {u"a\\b", {u"a\\b"}},  // the first part is taken to exist, as a drive is
      {u"\\a\\b", {u"\\a", u"\\a\\b"}},
      {u"\\\\server\\share\\x\\y", {u"\\\\server\\share\\x", u"\\\\server\\share\\x\\y"}},
      {u"\\\\server\\share", {}},  // nothing below the share: no folder outside the path
      {u"\\\\server", {}},
  };
  for (const LevelsCase& c : cases) {
    EXPECT_EQ(FolderLevels(c.path), c.levels) << testing::PrintToString(String(c.path));
  }
}

}  // namespace
}  // namespace brixen::file
