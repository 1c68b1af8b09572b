// The double-NUL name lists handed to the shell's file operations.
#include "files/shell_lists.h"

#include <gtest/gtest.h>

namespace brixen {
namespace {

using namespace std::string_literals;

struct ListCase {
  String names;
  String expected;
};

class ShellFileListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ShellFileListTest, EndsEachNameWithNulAndTheListWithOneMore) {
  EXPECT_EQ(ShellFileList(GetParam().names), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShellFileListTest,
    testing::Values(ListCase{u"C:\\a.txt"s, u"C:\\a.txt\0\0"s},
                    ListCase{u"C:\\a.txt,C:\\b.txt"s, u"C:\\a.txt\0C:\\b.txt\0\0"s},
                    ListCase{u"C:\\*.txt,D:\\b c"s, u"C:\\*.txt\0D:\\b c\0\0"s},  // wildcards, blanks kept
                    ListCase{u"a,,b"s, u"a\0\0b\0\0"s},   // an empty name ends the list early for the shell
                    ListCase{u""s, u"\0\0"s}));

TEST(ShellDestinationTest, KeepsThePathAndEndsItWithADoubleNul) {
  EXPECT_EQ(ShellDestination(u"C:\\to,with comma"), u"C:\\to,with comma\0\0"s);
  EXPECT_EQ(ShellDestination(u""), u"\0\0"s);
}

}  // namespace
}  // namespace brixen
