// clsFILE's existence checks on real files, folders and drives, the overwrite prompt answered
// both ways in the system's language, file times to the second, the free extension, and the
// errors each handler logs or keeps quiet.
#include <string>

#include "file_test_support.h"

namespace brixen::test::file {
namespace {

// A drive letter with no drive behind it.
std::wstring MissingDrive() {
  for (wchar_t letter = L'Y'; letter > L'D'; --letter) {
    const std::wstring root = std::wstring(1, letter) + L":\\";
    if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) return std::wstring(1, letter);
  }
  ADD_FAILURE() << "every drive letter is taken";
  return L"A";
}

class FileExistence : public testing::Test {
 protected:
  bool Ask(HRESULT (STDMETHODCALLTYPE _clsFILE::*member)(BSTR, VARIANT_BOOL*), const std::wstring& path) {
    return YesOf([&](VARIANT_BOOL* r) { return (f_.Get()->*member)(OwnedBstr(path).get(), r); });
  }
  bool ExistFile(const std::wstring& path) { return Ask(&_clsFILE::IsExistFile, path); }
  bool ExistDir(const std::wstring& path) { return Ask(&_clsFILE::IsExistDir, path); }
  bool DriveReady(const std::wstring& path) { return Ask(&_clsFILE::IsDriveReady, path); }
  bool Vacant(const std::wstring& path) { return Ask(&_clsFILE::IsDirVacant, path); }
  bool Writable(const std::wstring& path) { return Ask(&_clsFILE::IsWritable, path); }

  ComPtr<_clsFILE> f_ = Create<_clsFILE>(CLSID_clsFILE);
  TempFolder folder_;
};

TEST_F(FileExistence, IsExistFileCountsOrdinaryFilesAndHonoursWildcards) {
  const std::wstring plain = folder_.Write(L"plain.txt", "x");
  const std::wstring readOnly = folder_.Write(L"locked.txt", "x");
  const std::wstring hidden = folder_.Write(L"hidden.txt", "x");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryW((folder_ / L"sub").c_str(), nullptr);
  ExpectQuiet([&] {
    EXPECT_TRUE(ExistFile(plain));
    EXPECT_TRUE(ExistFile(readOnly));
    EXPECT_TRUE(ExistFile(folder_ / L"pl*.t?t"));
    EXPECT_FALSE(ExistFile(hidden));
    EXPECT_FALSE(ExistFile(folder_ / L"sub"));
    EXPECT_FALSE(ExistFile(folder_ / L"missing.txt"));
    EXPECT_FALSE(ExistFile(folder_ / L"no-such-folder\\x.txt"));
    EXPECT_FALSE(ExistFile(L""));
  });
}

TEST_F(FileExistence, IsExistDirListsFoldersAndTestsBareDrives) {
  folder_.Write(L"file", "x");
  ExpectQuiet([&] {
    EXPECT_TRUE(ExistDir(folder_.path()));
    EXPECT_TRUE(ExistDir(folder_.path() + L"\\"));
    EXPECT_TRUE(ExistDir(folder_ / L"file")) << "the listing finds files too";
    EXPECT_FALSE(ExistDir(folder_ / L"missing"));
    EXPECT_TRUE(ExistDir(L"C:\\"));
    EXPECT_TRUE(ExistDir(L"C:"));
    EXPECT_FALSE(ExistDir(MissingDrive() + L":\\"));
    EXPECT_FALSE(ExistDir(L""));
  });
}

TEST_F(FileExistence, IsDriveReadyUsesTheFirstCharacterOnly) {
  const std::wstring missing = MissingDrive();
  ExpectQuiet([&] {
    EXPECT_TRUE(DriveReady(L"C"));
    EXPECT_TRUE(DriveReady(L"C:\\no\\such\\file.txt"));
    EXPECT_TRUE(DriveReady(folder_.path()));
    EXPECT_FALSE(DriveReady(missing));
    EXPECT_FALSE(DriveReady(missing + L":\\data\\x.txt"));
    EXPECT_FALSE(DriveReady(L"|"));
    EXPECT_FALSE(DriveReady(L""));
  });
}

TEST_F(FileExistence, IsWritableWritesAProbeAndLeavesNothing) {
  const auto probes = [] {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"C:\\tmp*.000", &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
  };
  const auto before = probes();
  ExpectQuiet([&] {
    EXPECT_TRUE(Writable(folder_.path()));
    EXPECT_TRUE(Writable(L"C:"));
    EXPECT_FALSE(Writable(MissingDrive() + L":\\"));
  });
  EXPECT_EQ(probes(), before) << "the probe is gone";
}

TEST_F(FileExistence, IsDirVacantAndIsFileAitaMaMa) {
  const std::wstring empty = folder_ / L"empty";
  const std::wstring withFile = folder_ / L"with-file";
  const std::wstring withFolder = folder_ / L"with-folder";
  for (const auto& path : {empty, withFile, withFolder}) CreateDirectoryW(path.c_str(), nullptr);
  CreateDirectoryW((withFolder + L"\\inner").c_str(), nullptr);
  folder_.Write(L"with-file\\a.txt", "x");
  EXPECT_TRUE(Vacant(empty));
  EXPECT_FALSE(Vacant(withFile));
  EXPECT_FALSE(Vacant(withFolder));
  EXPECT_FALSE(Vacant(folder_ / L"missing"));
  EXPECT_FALSE(Vacant(withFile + L"\\a.txt")) << "a file is no folder";
  EXPECT_FALSE(Vacant(L"C:\\")) << "a root with files in it";
  EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->IsFileAitaMaMa(r); })) << "no member leaves a file open";
}

TEST_F(FileExistence, SetThisFileTimeSetsAllThreeStampsToTheSecond) {
  const std::wstring path = folder_.Write(L"stamped.txt", "x");
  const DATE local = 38923.0 + (13 * 3600 + 45 * 60 + 17) / 86400.0;  // 2006-07-25 13:45:17
  EXPECT_TRUE(YesOf([&](VARIANT_BOOL* r) { return f_->SetThisFileTime(OwnedBstr(path).get(), local, r); }));

  const SYSTEMTIME fields = {2006, 7, 0, 25, 13, 45, 17, 0};
  FILETIME localTime, expected;
  ASSERT_TRUE(SystemTimeToFileTime(&fields, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &expected));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME created, accessed, written;
  ASSERT_TRUE(GetFileTime(file, &created, &accessed, &written));
  CloseHandle(file);
  for (const FILETIME& stamp : {created, accessed, written}) {
    EXPECT_EQ(CompareFileTime(&stamp, &expected), 0) << stamp.dwHighDateTime << ":" << stamp.dwLowDateTime;
  }
}

TEST_F(FileExistence, SetThisFileTimeFailsQuietlyOnAMissingOrBusyFile) {
  const std::wstring path = folder_.Write(L"busy.txt", "x");
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ExpectQuiet([&] {
    EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->SetThisFileTime(OwnedBstr(path).get(), 38923.5, r); }));
    EXPECT_FALSE(YesOf(
        [&](VARIANT_BOOL* r) { return f_->SetThisFileTime(OwnedBstr(folder_ / L"none.txt").get(), 38923.5, r); }));
  });
  CloseHandle(holder);
}

TEST_F(FileExistence, GetExcludeEXTFindsTheFirstFreeNumber) {
  const std::wstring prefix = folder_.path() + L"\\";
  const auto exclude = [&](short from, short made) {
    short fromRef = from;
    const std::wstring ext = TextOf(
        [&](BSTR* r) { return f_->GetExcludeEXT(OwnedBstr(prefix).get(), OwnedBstr(L"x").get(), &fromRef, made, r); });
    EXPECT_EQ(fromRef, from) << "FROM is only read";
    return ext;
  };
  EXPECT_EQ(exclude(1, 3), L"001");
  folder_.Write(L"x.001", "");
  EXPECT_EQ(exclude(1, 3), L"002");
  folder_.Write(L"x.002", "");
  folder_.Write(L"x.003", "");
  EXPECT_EQ(exclude(1, 3), L"XXX");
  EXPECT_EQ(exclude(3, 1), L"XXX") << "FROM is tried even beyond MADE";
  EXPECT_EQ(exclude(1, 4), L"004");
  EXPECT_EQ(exclude(1234, 1234), L"1234");
}

TEST_F(FileExistence, HandlersLogUnderTheirLiterals) {
  ExpectLogged("IsExistFile", [&] { EXPECT_FALSE(ExistFile(folder_ / L"*\\x.txt")); });
  ExpectLogged("IsExistDir", [&] { EXPECT_FALSE(ExistDir(folder_ / L"*\\x")); });
  ExpectLogged("IsWritable", [&] { EXPECT_FALSE(Writable(L"<>")); });
  ExpectLogged("SetThisFileTime", [&] {
    const std::wstring path = folder_.Write(L"far.txt", "x");
    EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->SetThisFileTime(OwnedBstr(path).get(), 1e10, r); }));
  });
}

// ---- the prompts, in the language of the system

class FileDirCheckBilingual : public FileExistence {
 protected:
  short Check(const std::wstring& path, const std::wstring& name, bool overwrite) {
    short code = 0;
    EXPECT_EQ(
        f_->FileDirCheck(OwnedBstr(path).get(), OwnedBstr(name).get(), overwrite ? VARIANT_TRUE : VARIANT_FALSE, &code),
        S_OK);
    return code;
  }
  static std::wstring Text(const wchar_t* japanese, const wchar_t* english) {
    return JapaneseTestLocale() ? japanese : english;
  }
  static void ExpectBox(const RecordedBox& box, const std::wstring& title, const std::wstring& text, long style) {
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.style, style);
  }
  const std::wstring inputError_ = Text(L"入力エラー", L"ERROR");
};

TEST_F(FileDirCheckBilingual, ABadNameIsReportedBeforeTheFolderIsLookedAt) {
  MsgBoxAnswerer answerer({L"ok", L"ok"});
  EXPECT_EQ(Check(folder_ / L"missing", L"my file.txt", true), 2);
  EXPECT_EQ(Check(folder_ / L"missing", L"ok.txt", true), 3);
  ASSERT_EQ(answerer.Boxes().size(), 2u);
  ExpectBox(answerer.Boxes()[0], inputError_, Text(L"ファイル名が正しくありません！", L"File name is not correct!"),
            MB_OK | MB_ICONEXCLAMATION);
  ExpectBox(answerer.Boxes()[1], inputError_,
            Text(L"指定されたディレクトリは見つかりません！", L"Directory is not correct!"),
            MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(FileDirCheckBilingual, TheOverwriteQuestionAnsweredBothWays) {
  const std::wstring existing = folder_.Write(L"data.txt", "old");
  const std::wstring question = Text(L"上書きしますか？", L"Do you overwrite?");
  const std::wstring title = Text(L"確認", L"MESSAGE");
  {
    MsgBoxAnswerer answerer;
    EXPECT_EQ(Check(folder_.path(), L"data.txt", false), 1) << "not asked to test overwriting";
    EXPECT_EQ(Check(folder_.path(), L"new.txt", true), 1) << "nothing in the way";
    EXPECT_TRUE(answerer.Boxes().empty());
  }
  {
    MsgBoxAnswerer answerer({L"no"});
    EXPECT_EQ(Check(folder_.path() + L"\\", L"data.txt", true), 4);
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    ExpectBox(answerer.Boxes()[0], title, question, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(BytesOf(existing), "old");
  }
  {
    MsgBoxAnswerer answerer({L"yes"});
    EXPECT_EQ(Check(folder_.path(), L"data.txt", true), 1) << "the folder without its trailing backslash";
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_FALSE(Exists(existing)) << "Yes deletes the file at once";
  }
}

TEST_F(FileDirCheckBilingual, AFileThatCannotBeDeletedIsLoggedAndStaysInTheWay) {
  const std::wstring existing = folder_.Write(L"keep.txt", "old");
  SetFileAttributesW(existing.c_str(), FILE_ATTRIBUTE_READONLY);
  ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer({L"yes", L"ok"});
  EXPECT_EQ(Check(folder_.path(), L"keep.txt", true), 4);
  ASSERT_EQ(answerer.Boxes().size(), 2u);
  EXPECT_EQ(answerer.Boxes()[1].text.substr(0, 14), L"FileDirCheck\r\n");
  EXPECT_NE(log.Bytes().find(" FileDirCheck "), std::string::npos) << log.Bytes();
  EXPECT_EQ(BytesOf(existing), "old");
}

}  // namespace
}  // namespace brixen::test::file
