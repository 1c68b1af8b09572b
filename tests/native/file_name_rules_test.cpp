// clsFILE's text rules on paths and file names: only "\" separates, the first "." splits a name,
// 16-bit lengths overflow, and the free-name generators stop where they should.
#include <gtest/gtest.h>

#include <set>

#include "files/path_rules.h"
#include "run_time_error.h"

namespace brixen::file {
namespace {

using test::ErrorRaisedBy;

// The name split of clsMethod.SeparateFNAME, as a stand-in: the extension keeps its value
// when the name has no "."; the rules must start it empty themselves.
void SplitAtFirstDot(const String& name, String& base, String& extension) {
  const std::size_t dot = name.find(u'.');
  base = name.substr(0, dot);
  if (dot != String::npos) extension = name.substr(dot + 1);
}

const String kLongest(32767, u'a');
const String kTooLong(32768, u'a');

struct PathCase {
  const char16_t* path;
  const char16_t* folder;
  const char16_t* name;
  const char16_t* base;
  const char16_t* extension;
};

TEST(GetWhatFromFullPath, SplitsAtTheLastBackslashAndTheFirstDot) {
  const PathCase cases[] = {
      {u"C:\\data\\report.2006.txt", u"C:\\data\\", u"report.2006.txt", u"report", u"2006.txt"},
      {u"report.txt", u"", u"report.txt", u"report", u"txt"},
      {u"C:\\data\\", u"C:\\data\\", u"", u"", u""},
      {u"C:/data/x.txt", u"", u"C:/data/x.txt", u"C:/data/x", u"txt"},  // "/" separates nothing
      {u"C:x.txt", u"", u"C:x.txt", u"C:x", u"txt"},                    // nor does ":"
      {u"\\\\srv\\share\\README", u"\\\\srv\\share\\", u"README", u"README", u""},
      {u"C:\\v1.2\\Makefile", u"C:\\v1.2\\", u"Makefile", u"Makefile", u""},
      {u"C:\\a\\.profile", u"C:\\a\\", u".profile", u"", u"profile"},
      {u"", u"", u"", u"", u""},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.path)));
    EXPECT_EQ(GetWhatFromFullPath(kFolderPart, c.path, SplitAtFirstDot), c.folder);
    EXPECT_EQ(GetWhatFromFullPath(kFileNamePart, c.path, SplitAtFirstDot), c.name);
    EXPECT_EQ(GetWhatFromFullPath(kBaseNamePart, c.path, SplitAtFirstDot), c.base);
    EXPECT_EQ(GetWhatFromFullPath(kExtensionPart, c.path, SplitAtFirstDot), c.extension);
    for (Integer other : {0, 5, -1}) EXPECT_EQ(GetWhatFromFullPath(other, c.path, SplitAtFirstDot), u"");
  }
}

TEST(GetWhatFromFullPath, TextBeyondSixteenBitsOverflows) {
  EXPECT_EQ(GetWhatFromFullPath(kFileNamePart, kLongest, SplitAtFirstDot), kLongest);
  EXPECT_EQ(ErrorRaisedBy([&] { GetWhatFromFullPath(kFileNamePart, kTooLong, SplitAtFirstDot); }), kErrOverflow);
}

TEST(YenCheck, LooksOnlyAtTheLastCharacter) {
  struct Case {
    Long which;
    const char16_t* path;
    const char16_t* expected;
  } const cases[] = {
      {eAddYen, u"C:\\data", u"C:\\data\\"},
      {eAddYen, u"C:\\data\\", u"C:\\data\\"},
      {eAddYen, u"", u"\\"},
      {eAddYen, u"C:/data/", u"C:/data/\\"},
      {eRemoveYen, u"C:\\data\\", u"C:\\data"},
      {eRemoveYen, u"C:\\data\\\\", u"C:\\data\\"},
      {eRemoveYen, u"C:\\data", u"C:\\data"},
      {eRemoveYen, u"\\", u""},
      {eRemoveYen, u"", u""},
      {2, u"C:\\data", u""},
      {-1, u"C:\\data\\", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(YenCheck(c.which, c.path), c.expected) << c.which << " " << testing::PrintToString(String(c.path));
  }
}

TEST(ReplaceExt, CutsAtTheLastDotAnywhere) {
  struct Case {
    const char16_t* path;
    const char16_t* extension;
    const char16_t* expected;
  } const cases[] = {
      {u"C:\\a\\b.txt", u"csv", u"C:\\a\\b.csv"},
      {u"C:\\a\\b.tar.gz", u"zip", u"C:\\a\\b.tar.zip"},
      {u"C:\\v1.2\\Makefile", u"bak", u"C:\\v1.bak"},  // the dot of a folder name when the file has none
      {u"C:\\a\\b.", u"txt", u"C:\\a\\b.txt"},
      {u"C:\\a\\b.txt", u"", u"C:\\a\\b."},
      {u"C:\\a\\b", u"txt", u"C:\\a\\b.txt"},  // no dot at all: the extension is appended
      {u"", u"txt", u".txt"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceExt(c.path, c.extension), c.expected) << testing::PrintToString(String(c.path));
  EXPECT_EQ(ErrorRaisedBy([&] { ReplaceExt(kTooLong, u"x"); }), kErrOverflow);
}

TEST(ForbiddenCharacters, ElevenAsciiCharactersAndNoFullWidthForms) {
  for (char16_t c : StringView(u"\\/:;?\"<>|,*")) {
    EXPECT_TRUE(IsExistIhanMoji(String(u"ab") + c + u"cd")) << static_cast<int>(c);
  }
  for (const char16_t* text :
       {u"", u"readme.txt", u"a b", u"\uFF0F\uFF1A\uFF0A\uFF1F\uFF5C\uFFE5", u"\u5831\u544A.txt"}) {
    EXPECT_FALSE(IsExistIhanMoji(text)) << testing::PrintToString(String(text));
  }
  EXPECT_FALSE(IsExistIhanMoji(kLongest));
  EXPECT_EQ(ErrorRaisedBy([&] { IsExistIhanMoji(kTooLong); }), kErrOverflow);
}

TEST(IsExistDot, AnyDotAnywhere) {
  EXPECT_TRUE(IsExistDot(u"a.b"));
  EXPECT_TRUE(IsExistDot(u"."));
  EXPECT_FALSE(IsExistDot(u""));
  EXPECT_FALSE(IsExistDot(u"abc\uFF0E"));  // the full-width stop is no dot
  EXPECT_EQ(ErrorRaisedBy([&] { IsExistDot(kTooLong + u"."); }), kErrOverflow);
}

struct NameCase {
  const char16_t* name;
  Integer code;
};

Integer CheckName(StringView name) {
  Integer code = 0;
  FNameCheck(name, SplitAtFirstDot, code);
  return code;
}

TEST(FNameCheck, CodesInTheirOrder) {
  const NameCase cases[] = {
      {u"readme.txt", 1},
      {u"abcdefgh.txt", 1},
      {u"README", 1},
      {u"a.b", 1},
      {u"", 2},
      {u"   ", 2},
      {u"name.", 3},
      {u".", 3},
      {u" .", 3},
      {u".profile", 4},
      {u"my file.txt", 5},
      {u" a", 5},
      {u"abcdefghi.txt", 9},
      {u"verylongname.txt", 9},
      {u"abcdefghijklm", 9},  // 9 replaces 7
      {u"abcdefgh.txtx", 7},
      {u"a.b.c", 12},
      {u"abcdefghi.b.c", 12},
      {u"abcdefghi.b.cdefg", 12},
      {u"a:b.txt", 8},
      {u"a*.txt", 8},
      {u"abcdefghijkl/.a.b", 8},  // 8 wins and stops
      {u"a\tb.txt", 1},
      {u"\u5831\u544A\u66F8.txt", 1},  // a tab and Japanese are no blanks
      {u"a\u3000b.txt", 1},
  };
  for (const NameCase& c : cases) EXPECT_EQ(CheckName(c.name), c.code) << testing::PrintToString(String(c.name));
}

TEST(FNameCheck, AnOverflowLeavesTheCodeFoundSoFar) {
  Integer code = 0;
  EXPECT_EQ(ErrorRaisedBy([&] { FNameCheck(kTooLong, SplitAtFirstDot, code); }), kErrOverflow);
  EXPECT_EQ(code, kNameAcceptable);
  EXPECT_EQ(CheckName(kLongest), kBaseNameTooLong);
}

// A folder of existing files for the generators.
class FileSet {
 public:
  explicit FileSet(std::set<String> paths) : paths_(std::move(paths)) {}
  FileTest Test() {
    return [this](const String& path) {
      asked_.push_back(path);
      return paths_.count(path) != 0;
    };
  }
  const std::vector<String>& asked() const { return asked_; }

 private:
  std::set<String> paths_;
  std::vector<String> asked_;
};

TEST(FirstFreeNumberedName, FirstNumberWithoutAFile) {
  FileSet empty({});
  EXPECT_EQ(FirstFreeNumberedName(u"C:\\logs\\", u"LOG", u"txt", empty.Test()), u"LOG00001.txt");
  EXPECT_EQ(empty.asked(), std::vector<String>{u"C:\\logs\\LOG00001.txt"});

  FileSet some({u"C:\\logs\\LOG00001.txt", u"C:\\logs\\LOG00002.txt", u"C:\\logs\\LOG00004.txt"});
  EXPECT_EQ(FirstFreeNumberedName(u"C:\\logs\\", u"LOG", u"txt", some.Test()), u"LOG00003.txt");

  FileSet noSeparator({u"C:\\logsLOG00001.txt"});  // the folder is joined unchanged
  EXPECT_EQ(FirstFreeNumberedName(u"C:\\logs", u"LOG", u"txt", noSeparator.Test()), u"LOG00002.txt");
}

TEST(FirstFreeNumberedName, OverflowsOnceEveryNumberIsTaken) {
  Integer tried = 0;
  const auto everything = [&](const String&) { return ++tried, true; };
  EXPECT_EQ(ErrorRaisedBy([&] { FirstFreeNumberedName(u"", u"LOG", u"txt", everything); }), kErrOverflow);
  EXPECT_EQ(tried, 32767);
}

TEST(FirstFreeExtension, NumbersFromFromToMade) {
  struct Case {
    std::set<String> files;
    Integer from;
    Integer made;
    const char16_t* expected;
  } const cases[] = {
      {{}, 1, 3, u"001"},
      {{u"C:\\d\\x.001"}, 1, 3, u"002"},
      {{u"C:\\d\\x.001", u"C:\\d\\x.002", u"C:\\d\\x.003"}, 1, 3, u"XXX"},
      {{u"C:\\d\\x.005"}, 5, 1, u"XXX"},  // from beyond made: only from is tried
      {{}, 5, 1, u"005"},
      {{u"C:\\d\\x.999"}, 999, 1000, u"1000"},
      {{}, 1234, 1234, u"1234"},
      {{u"C:\\d\\x.000"}, 0, 1, u"001"},
  };
  for (const Case& c : cases) {
    FileSet files(c.files);
    EXPECT_EQ(FirstFreeExtension(u"C:\\d\\", u"x", c.from, c.made, files.Test()), c.expected) << c.from;
  }
}

}  // namespace
}  // namespace brixen::file
