// File numbers, Dir, Kill and the attribute services against real files in a
// temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <vector>

#include "com_fixture.h"
#include "frame/errors.h"
#include "frame/win/ansi.h"
#include "frame/win/dir.h"
#include "frame/win/files.h"
#include "frame/win/handles.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

using Bytes = std::vector<Byte>;

Long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

class RuntimeFiles : public testing::Test {
 public:
  String In(StringView name) const { return folder_ + u'\\' + String(name); }

 protected:
  void TearDown() override { CloseAll(); }  // before the folder and its files go

  void Create(StringView name, const std::string& content, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
    const Handle file(::CreateFileW(Wide(In(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::SetFileAttributesW(Wide(In(name)), attributes);
  }

  std::string Content(StringView name) const {
    const Handle file(::CreateFileW(Wide(In(name)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (file && ::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) content.append(buffer, read);
    return content;
  }

  bool ReadOnlyAcceptsWriters() const {
    return static_cast<bool>(Handle(::CreateFileW(Wide(In(u"readonly.txt")), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr)));
  }

  bool Exists(StringView name) const { return ::GetFileAttributesW(Wide(In(name))) != INVALID_FILE_ATTRIBUTES; }

  test::TempFolder temp_;
  String folder_ = FromWide(temp_.path().c_str());
};

// ---------------------------------------------------------------------------------------
// File numbers

TEST_F(RuntimeFiles, FreeFileGivesTheLowestFreeNumberOfItsRange) {
  Create(u"a", "");
  EXPECT_EQ(FreeFile(), 1);
  Open(1, In(u"a"), OpenMode::Binary);
  Open(3, In(u"a"), OpenMode::Binary);
  EXPECT_EQ(FreeFile(), 2);
  EXPECT_EQ(FreeFile(1), 256);
  for (Long n = 2; n <= 255; ++n) {
    if (n != 3) Open(n, In(u"a"), OpenMode::Input);
  }
  EXPECT_EQ(ErrorOf([] { FreeFile(); }), kErrTooManyFiles);
  EXPECT_EQ(FreeFile(1), 256);
  Close(200);
  EXPECT_EQ(FreeFile(), 200);
}

TEST_F(RuntimeFiles, BinaryPutAndGetAtOneBasedPositions) {
  Open(1, In(u"b.bin"), OpenMode::Binary);
  Put(1, 1, Bytes{1, 2, 3, 4, 5});
  Put(1, 3, Bytes{30});
  EXPECT_EQ(Seek(1), 4);
  Put(1, Bytes{40});  // at the current position
  EXPECT_EQ(LOF(1), 5);

  Bytes three(3);
  EXPECT_EQ(Get(1, 2, three), 3u);
  EXPECT_EQ(three, (Bytes{2, 30, 40}));
  EXPECT_EQ(Seek(1), 5);
  EXPECT_FALSE(Eof(1));
  Close(1);
  EXPECT_EQ(Content(u"b.bin"), std::string("\x01\x02\x1E\x28\x05", 5));
}

TEST_F(RuntimeFiles, GetPastTheEndReadsZerosAndSetsEof) {
  Create(u"short", "AB");
  Open(1, In(u"short"), OpenMode::Binary, Access::Read);
  Bytes four(4, 0xEE);
  EXPECT_EQ(Get(1, 1, four), 2u);
  EXPECT_EQ(four, (Bytes{'A', 'B', 0, 0}));
  EXPECT_TRUE(Eof(1));
  EXPECT_EQ(Seek(1), 5);  // advanced by the full size

  Bytes beyond(2, 0xEE);
  EXPECT_EQ(Get(1, 10, beyond), 0u);
  EXPECT_EQ(beyond, (Bytes{0, 0}));
  Seek(1, 1);
  EXPECT_FALSE(Eof(1));
}

TEST_F(RuntimeFiles, PutBeyondTheEndLeavesAZeroGap) {
  Open(1, In(u"gap"), OpenMode::Binary);
  Put(1, 4, Bytes{9});
  Close(1);
  EXPECT_EQ(Content(u"gap"), std::string("\0\0\0\x09", 4));
}

// Random reads and writes of small and large sizes against a model of the file: the
// buffering must never show stale bytes nor lose written ones.
TEST_F(RuntimeFiles, BufferedTransfersMatchAModel) {
  std::mt19937 random(12345);
  std::string model(300000, '\0');
  for (char& c : model) c = static_cast<char>(random());
  Create(u"model", model);

  Open(1, In(u"model"), OpenMode::Binary);
  const std::size_t sizes[] = {1, 2, 7, 512, 4096, 65535, 65536, 200000};
  std::size_t last = 0;
  for (int step = 0; step < 3000; ++step) {
    const std::size_t size = sizes[random() % std::size(sizes)] % (step % 7 == 0 ? SIZE_MAX : 700);
    // Mostly near the last transfer, so that several land in one buffer window.
    const std::size_t jump = random() % (model.size() + 100);
    const std::size_t nearby = std::max<std::size_t>(last + random() % 2001, 1000) - 1000;
    const std::size_t offset = random() % 4 ? nearby : jump;
    last = offset;
    if (random() % 2) {
      Bytes data(std::max<std::size_t>(size, 1));
      for (Byte& b : data) b = static_cast<Byte>(random());
      Put(1, static_cast<std::int64_t>(offset) + 1, data);
      if (model.size() < offset + data.size()) model.resize(offset + data.size(), '\0');
      std::copy(data.begin(), data.end(), model.begin() + static_cast<std::ptrdiff_t>(offset));
    } else {
      Bytes data(std::max<std::size_t>(size, 1));
      const std::size_t got = Get(1, static_cast<std::int64_t>(offset) + 1, data);
      const std::size_t expected = offset < model.size() ? std::min(data.size(), model.size() - offset) : 0;
      ASSERT_EQ(got, expected) << "step " << step;
      for (std::size_t i = 0; i < data.size(); ++i) {
        const Byte want = i < expected ? static_cast<Byte>(model[offset + i]) : 0;
        ASSERT_EQ(data[i], want) << "step " << step << " byte " << i;
      }
    }
    if (step % 97 == 0) ASSERT_EQ(LOF(1), static_cast<std::int64_t>(model.size())) << "step " << step;  // flushes
  }
  Close(1);
  EXPECT_EQ(Content(u"model"), model);
}

TEST_F(RuntimeFiles, ByteByByteWritesOfALargeFile) {
  constexpr std::size_t kSize = 3 * 1024 * 1024 + 17;
  {
    const FileNumber out(In(u"big"), OpenMode::Binary);
    for (std::size_t i = 0; i < kSize; ++i) Put(out, Bytes{static_cast<Byte>(i * 7)});
  }
  const std::string content = Content(u"big");
  ASSERT_EQ(content.size(), kSize);
  for (std::size_t i = 0; i < kSize; i += 4099) ASSERT_EQ(static_cast<Byte>(content[i]), static_cast<Byte>(i * 7));

  const FileNumber in(In(u"big"), OpenMode::Binary, Access::Read);
  Bytes all(kSize);
  EXPECT_EQ(Get(in, 1, all), kSize);
  EXPECT_TRUE(std::equal(all.begin(), all.end(), content.begin(),
                         [](Byte a, char b) { return a == static_cast<Byte>(b); }));
}

TEST_F(RuntimeFiles, OutputTruncatesAndAppendAddsAtTheEnd) {
  Create(u"log.txt", "old content that is long\r\n");
  Open(1, In(u"log.txt"), OpenMode::Output);
  PrintLine(1, u"first");
  Close(1);
  Open(1, In(u"log.txt"), OpenMode::Append);
  EXPECT_EQ(Seek(1), 8);
  Print(1, u"sec");
  PrintLine(1, u"ond");
  PrintLine(1);
  Close(1);
  EXPECT_EQ(Content(u"log.txt"), "first\r\nsecond\r\n\r\n");

  Open(1, In(u"new.txt"), OpenMode::Append);
  PrintLine(1, u"created");
  Close(1);
  EXPECT_EQ(Content(u"new.txt"), "created\r\n");
}

TEST_F(RuntimeFiles, LinesEndAtCrLfCrOrLf) {
  Create(u"lines", "one\r\ntwo\rthree\n\nfour\r\r\nlast");
  Open(1, In(u"lines"), OpenMode::Input);
  std::vector<String> lines;
  while (!Eof(1)) lines.push_back(LineInput(1));
  EXPECT_EQ(lines, (std::vector<String>{u"one", u"two", u"three", u"", u"four", u"", u"last"}));
  EXPECT_EQ(ErrorOf([] { LineInput(1); }), kErrInputPastEnd);
}

TEST_F(RuntimeFiles, LineInputOfAnEmptyFileIsPastTheEnd) {
  Create(u"empty", "");
  Open(1, In(u"empty"), OpenMode::Input);
  EXPECT_TRUE(Eof(1));
  EXPECT_EQ(ErrorOf([] { LineInput(1); }), kErrInputPastEnd);
}

TEST_F(RuntimeFiles, TextIsWrittenAndReadInTheAnsiCodePage) {
  const String text = u"Gr\u00FC\u00DFe \u3042";
  Open(1, In(u"ansi"), OpenMode::Output);
  PrintLine(1, text);
  Close(1);
  EXPECT_EQ(Content(u"ansi"), ToAnsi(text) + "\r\n");
  Open(1, In(u"ansi"), OpenMode::Input);
  EXPECT_EQ(LineInput(1), FromAnsi(ToAnsi(text)));
}

TEST_F(RuntimeFiles, TheSameFileMayBeOpenForReadingUnderSeveralNumbers) {
  Create(u"shared", "data");
  Open(1, In(u"shared"), OpenMode::Input);
  Open(2, In(u"shared"), OpenMode::Binary);
  Open(3, folder_ + u"\\.\\SHARED", OpenMode::Input);
  EXPECT_EQ(LineInput(3), u"data");
}

TEST_F(RuntimeFiles, FileNumberClosesAndFlushesOnScopeExit) {
  Long number = 0;
  {
    const FileNumber file(In(u"raii"), OpenMode::Output);
    number = file.get();
    PrintLine(file, u"kept");
    EXPECT_NE(FreeFile(), number);
  }
  EXPECT_EQ(FreeFile(), number);
  EXPECT_EQ(Content(u"raii"), "kept\r\n");
  EXPECT_EQ(ErrorOf([] { FileNumber(u"Q:\\brixen\\missing\\x", OpenMode::Input); }), kErrPathNotFound);
  EXPECT_EQ(FreeFile(), number);
}

struct ErrorRow {
  const char* what;
  std::function<void(RuntimeFiles&)> call;
  Long number;
  bool needsReadOnlyRefused = false;  // a read-only file must refuse writers
};

class RuntimeFileErrorTable : public RuntimeFiles, public testing::WithParamInterface<ErrorRow> {};

TEST_P(RuntimeFileErrorTable, RaisesTheRunTimeNumber) {
  Create(u"exists.txt", "x\r\n");
  Create(u"readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
  ::CreateDirectoryW(Wide(In(u"folder")), nullptr);
  if (GetParam().needsReadOnlyRefused && ReadOnlyAcceptsWriters()) {
    GTEST_SKIP() << "read-only files accept writers here (Wine run as root)";
  }
  EXPECT_EQ(ErrorOf([&] { GetParam().call(*this); }), GetParam().number) << GetParam().what;
}

Bytes One() { return Bytes(1); }

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeFileErrorTable,
    testing::Values(
        ErrorRow{"number 0", [](RuntimeFiles& t) { Open(0, t.In(u"x"), OpenMode::Binary); }, 52},
        ErrorRow{"number 512", [](RuntimeFiles& t) { Open(512, t.In(u"x"), OpenMode::Binary); }, 52},
        ErrorRow{"LOF not open", [](RuntimeFiles&) { LOF(9); }, 52},
        ErrorRow{"Get not open", [](RuntimeFiles&) { Bytes b = One(); Get(9, b); }, 52},
        ErrorRow{"Eof not open", [](RuntimeFiles&) { Eof(9); }, 52},
        ErrorRow{"Seek not open", [](RuntimeFiles&) { Seek(9); }, 52},
        ErrorRow{"Close not open is fine", [](RuntimeFiles&) { Close(9); }, 0},
        ErrorRow{"FreeFile range 2", [](RuntimeFiles&) { FreeFile(2); }, 5},
        ErrorRow{"number in use",
                 [](RuntimeFiles& t) {
                   Open(1, t.In(u"exists.txt"), OpenMode::Binary);
                   Open(1, t.In(u"other"), OpenMode::Binary);
                 },
                 55},
        ErrorRow{"output twice",
                 [](RuntimeFiles& t) {
                   Open(1, t.In(u"exists.txt"), OpenMode::Output);
                   Open(2, t.In(u"EXISTS.TXT"), OpenMode::Append);
                 },
                 55},
        ErrorRow{"input while open for output",
                 [](RuntimeFiles& t) {
                   Open(1, t.In(u"exists.txt"), OpenMode::Append);
                   Open(2, t.In(u"exists.txt"), OpenMode::Input);
                 },
                 55},
        ErrorRow{"Get on Input",
                 [](RuntimeFiles& t) { Open(1, t.In(u"exists.txt"), OpenMode::Input); Bytes b = One(); Get(1, b); }, 54},
        ErrorRow{"Put on Output", [](RuntimeFiles& t) { Open(1, t.In(u"o"), OpenMode::Output); Put(1, One()); }, 54},
        ErrorRow{"Print on Input",
                 [](RuntimeFiles& t) { Open(1, t.In(u"exists.txt"), OpenMode::Input); PrintLine(1, u"x"); }, 54},
        ErrorRow{"Print on Binary", [](RuntimeFiles& t) { Open(1, t.In(u"b"), OpenMode::Binary); Print(1, u"x"); }, 54},
        ErrorRow{"LineInput on Append",
                 [](RuntimeFiles& t) { Open(1, t.In(u"a"), OpenMode::Append); LineInput(1); }, 54},
        ErrorRow{"LineInput on Binary is allowed",
                 [](RuntimeFiles& t) { Open(1, t.In(u"exists.txt"), OpenMode::Binary); LineInput(1); }, 0},
        ErrorRow{"Seek to 0", [](RuntimeFiles& t) { Open(1, t.In(u"b"), OpenMode::Binary); Seek(1, 0); }, 63},
        ErrorRow{"Get at 0",
                 [](RuntimeFiles& t) { Open(1, t.In(u"b"), OpenMode::Binary); Bytes b = One(); Get(1, 0, b); }, 63},
        ErrorRow{"Put on read access",
                 [](RuntimeFiles& t) { Open(1, t.In(u"exists.txt"), OpenMode::Binary, Access::Read); Put(1, One()); },
                 75},
        ErrorRow{"Get on write access",
                 [](RuntimeFiles& t) {
                   Open(1, t.In(u"exists.txt"), OpenMode::Binary, Access::Write);
                   Bytes b = One();
                   Get(1, b);
                 },
                 75},
        ErrorRow{"Input of a missing file", [](RuntimeFiles& t) { Open(1, t.In(u"missing"), OpenMode::Input); }, 53},
        ErrorRow{"Binary read of a missing file",
                 [](RuntimeFiles& t) { Open(1, t.In(u"missing"), OpenMode::Binary, Access::Read); }, 53},
        ErrorRow{"missing folder", [](RuntimeFiles& t) { Open(1, t.In(u"nofolder\\x"), OpenMode::Output); }, 76},
        ErrorRow{"a folder", [](RuntimeFiles& t) { Open(1, t.In(u"folder"), OpenMode::Binary); }, 75},
        ErrorRow{"read-only for Output",
                 [](RuntimeFiles& t) { Open(1, t.In(u"readonly.txt"), OpenMode::Output); }, 75, true},
        ErrorRow{"read-only Binary falls back to reading",
                 [](RuntimeFiles& t) {
                   Open(1, t.In(u"readonly.txt"), OpenMode::Binary);
                   Bytes b = One();
                   Get(1, b);
                   Put(1, b);
                 },
                 75, true},
        ErrorRow{"wildcard name", [](RuntimeFiles& t) { Open(1, t.In(u"*.txt"), OpenMode::Output); }, 52},
        ErrorRow{"locked by another opener",
                 [](RuntimeFiles& t) {
                   const Handle exclusive(::CreateFileW(Wide(t.In(u"exists.txt")), GENERIC_READ, 0, nullptr,
                                                        OPEN_EXISTING, 0, nullptr));
                   Open(1, t.In(u"exists.txt"), OpenMode::Input);
                 },
                 70}),
    [](const testing::TestParamInfo<ErrorRow>& info) { return "row" + std::to_string(info.index); });

// ---------------------------------------------------------------------------------------
// Dir, Kill and attributes

class RuntimeDir : public RuntimeFiles {
 protected:
  void SetUp() override {
    RuntimeFiles::SetUp();
    Create(u"normal.txt", "n");
    Create(u"readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    Create(u"archive.log", "a", FILE_ATTRIBUTE_ARCHIVE);
    Create(u"hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
    Create(u"system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
    Create(u"hidsys.txt", "hs", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::CreateDirectoryW(Wide(In(u"sub")), nullptr);
    ::CreateDirectoryW(Wide(In(u"hiddensub")), nullptr);
    ::SetFileAttributesW(Wide(In(u"hiddensub")), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    if (!(::GetFileAttributesW(Wide(In(u"hidden.txt"))) & FILE_ATTRIBUTE_HIDDEN)) {
      GTEST_SKIP() << "this file system keeps no hidden attribute";
    }
  }

  static std::set<String> Listing(StringView pattern, Long attributes) {
    std::set<String> names;
    for (String name = Dir(pattern, attributes); !name.empty(); name = Dir()) {
      EXPECT_TRUE(names.insert(name).second) << "listed twice";
    }
    return names;
  }
};

struct DirCase {
  Long attributes;
  std::set<String> extra;  // beyond the ordinary files
};

class RuntimeDirFilter : public RuntimeDir, public testing::WithParamInterface<DirCase> {};

TEST_P(RuntimeDirFilter, OrdinaryFilesAlwaysOthersWhenAskedFor) {
  std::set<String> expected{u"normal.txt", u"readonly.txt", u"archive.log"};
  expected.insert(GetParam().extra.begin(), GetParam().extra.end());
  EXPECT_EQ(Listing(folder_ + u"\\*", GetParam().attributes), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeDirFilter,
    testing::Values(DirCase{vbNormal, {}}, DirCase{vbReadOnly | vbArchive, {}}, DirCase{vbHidden, {u"hidden.txt"}},
                    DirCase{vbSystem, {u"system.txt"}},
                    DirCase{vbHidden | vbSystem, {u"hidden.txt", u"system.txt", u"hidsys.txt"}},
                    DirCase{vbDirectory, {u"sub"}},
                    DirCase{vbDirectory | vbHidden, {u"sub", u"hiddensub", u"hidden.txt"}}));

TEST_F(RuntimeDir, PatternsAndFolderForms) {
  EXPECT_EQ(Listing(folder_ + u"\\*.txt", vbNormal), (std::set<String>{u"normal.txt", u"readonly.txt"}));
  EXPECT_EQ(Listing(folder_ + u"\\", vbNormal), Listing(folder_ + u"\\*", vbNormal));
  EXPECT_EQ(Dir(In(u"normal.txt")), u"normal.txt");
  EXPECT_EQ(Dir(In(u"sub")), u"");
  EXPECT_EQ(Dir(In(u"sub"), vbDirectory), u"sub");
  EXPECT_EQ(Dir(In(u"nothing*")), u"");
  EXPECT_EQ(Dir(In(u"nofolder\\*.*")), u"");
  EXPECT_EQ(Listing(In(u"sub\\*"), vbDirectory), std::set<String>{}) << "no . or ..";
}

TEST_F(RuntimeDir, ContinuingWithoutAListingRaises5) {
  EXPECT_EQ(Dir(In(u"normal.txt")), u"normal.txt");
  EXPECT_EQ(Dir(), u"");
  EXPECT_EQ(ErrorOf([] { Dir(); }), kErrInvalidCall);
  EXPECT_EQ(Dir(In(u"none")), u"");
  EXPECT_EQ(ErrorOf([] { Dir(); }), kErrInvalidCall);
}

TEST_F(RuntimeDir, VolumeLabelEndsTheListing) {
  wchar_t label[MAX_PATH + 1] = {};
  ASSERT_TRUE(::GetVolumeInformationW(Wide(folder_.substr(0, 3)), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                      nullptr, 0));
  Dir(folder_ + u"\\*");
  EXPECT_EQ(Dir(folder_, vbVolume | vbDirectory), FromWide(label));
  EXPECT_EQ(ErrorOf([] { Dir(); }), kErrInvalidCall);
}

TEST_F(RuntimeDir, KillDeletesOrdinaryFilesMatchingThePattern) {
  Create(u"x1.tmp", "");
  Create(u"x2.tmp", "");
  Create(u"xh.tmp", "", FILE_ATTRIBUTE_HIDDEN);
  Kill(In(u"x*.tmp"));
  EXPECT_FALSE(Exists(u"x1.tmp"));
  EXPECT_FALSE(Exists(u"x2.tmp"));
  EXPECT_TRUE(Exists(u"xh.tmp"));
  EXPECT_TRUE(Exists(u"normal.txt"));
  EXPECT_EQ(ErrorOf([this] { Kill(In(u"x*.tmp")); }), kErrFileNotFound);
  EXPECT_EQ(ErrorOf([this] { Kill(In(u"sub")); }), kErrFileNotFound);
  EXPECT_EQ(ErrorOf([this] { Kill(In(u"nofolder\\a")); }), kErrFileNotFound);
  EXPECT_EQ(ErrorOf([this] { Kill(In(u"readonly.txt")); }), kErrPathFileAccess);
  EXPECT_TRUE(Exists(u"readonly.txt"));
}

TEST_F(RuntimeDir, AttributesLengthAndTime) {
  // The file system may add the archive bit to any file.
  EXPECT_EQ(GetAttr(In(u"readonly.txt")) & ~vbArchive, vbReadOnly);
  EXPECT_EQ(GetAttr(In(u"hidsys.txt")) & ~vbArchive, vbHidden | vbSystem);
  EXPECT_EQ(GetAttr(In(u"sub")), vbDirectory);
  SetAttr(In(u"normal.txt"), vbHidden | vbReadOnly | vbArchive);
  EXPECT_EQ(GetAttr(In(u"normal.txt")), vbHidden | vbReadOnly | vbArchive);
  SetAttr(In(u"normal.txt"), vbNormal);
  EXPECT_EQ(GetAttr(In(u"normal.txt")) & ~vbArchive, vbNormal);
  EXPECT_EQ(ErrorOf([this] { SetAttr(In(u"normal.txt"), vbDirectory); }), kErrInvalidCall);
  EXPECT_EQ(ErrorOf([this] { GetAttr(In(u"missing")); }), kErrFileNotFound);

  EXPECT_EQ(FileLen(In(u"hidsys.txt")), 2);
  EXPECT_EQ(ErrorOf([this] { FileLen(In(u"missing")); }), kErrFileNotFound);

  SYSTEMTIME now;
  ::GetLocalTime(&now);
  double today = 0;
  ::SystemTimeToVariantTime(&now, &today);
  EXPECT_NEAR(FileDateTime(In(u"normal.txt")), today, 60.0 / 86400);
}

TEST_F(RuntimeDir, MkDirAndRmDir) {
  MkDir(In(u"made"));
  EXPECT_EQ(GetAttr(In(u"made")), vbDirectory);
  EXPECT_EQ(ErrorOf([this] { MkDir(In(u"made")); }), kErrPathFileAccess);
  EXPECT_EQ(ErrorOf([this] { MkDir(In(u"no\\such")); }), kErrPathNotFound);
  EXPECT_EQ(ErrorOf([this] { RmDir(In(u"missing")); }), kErrPathNotFound);
  Create(u"made\\inside", "");
  EXPECT_EQ(ErrorOf([this] { RmDir(In(u"made")); }), kErrPathFileAccess);
  Kill(In(u"made\\inside"));
  RmDir(In(u"made"));
  EXPECT_FALSE(Exists(u"made"));
}

}  // namespace
}  // namespace brixen::win
