// Path texts as the scripting library forms them.
#include "frame/paths.h"

#include <gtest/gtest.h>

namespace brixen {
namespace {

struct JoinCase {
  const char16_t* folder;
  const char16_t* name;
  const char16_t* expected;
};

class BuildPathTest : public testing::TestWithParam<JoinCase> {};

TEST_P(BuildPathTest, JoinsWithExactlyOneSeparator) {
  const JoinCase& c = GetParam();
  EXPECT_EQ(BuildPath(c.folder, c.name), c.expected) << "folder " << testing::PrintToString(String(c.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildPathTest,
    testing::Values(JoinCase{u"C:\\data", u"Err.log", u"C:\\data\\Err.log"},
                    JoinCase{u"C:\\", u"Err.log", u"C:\\Err.log"},            // a root keeps its one backslash
                    JoinCase{u"C:\\data\\", u"\\Err.log", u"C:\\data\\Err.log"},
                    JoinCase{u"C:\\data", u"\\Err.log", u"C:\\data\\Err.log"},
                    JoinCase{u"C:/data/", u"x", u"C:/data/x"},
                    JoinCase{u"\\\\server\\share", u"x", u"\\\\server\\share\\x"},
                    JoinCase{u"C:", u"x", u"C:x"},                            // drive-relative stays so
                    JoinCase{u"C:\\data", u"*.*", u"C:\\data\\*.*"},
                    JoinCase{u"", u"x", u"x"},
                    JoinCase{u"C:\\data", u"", u"C:\\data\\"}));

TEST(GetFileName, TakesTheLastComponent) {
  EXPECT_EQ(GetFileName(u"C:\\Program Files\\VB98\\VB6.EXE"), u"VB6.EXE");
  EXPECT_EQ(GetFileName(u"C:\\data\\sub\\"), u"sub");
  EXPECT_EQ(GetFileName(u"C:/data/file.txt"), u"file.txt");
  EXPECT_EQ(GetFileName(u"file.txt"), u"file.txt");
  EXPECT_EQ(GetFileName(u"C:\\"), u"");
  EXPECT_EQ(GetFileName(u"C:"), u"");
  EXPECT_EQ(GetFileName(u"\\"), u"");
  EXPECT_EQ(GetFileName(u""), u"");
}

}  // namespace
}  // namespace brixen
