// clsFILE's drives, temporary files and system folders through its slots, on the drives of the
// test prefix (tools/wine-env.sh): A: removable without a medium (its disk is "inserted" by
// creating the folder named in BRIXEN_FD_MEDIUM), R: removable with a medium, S: CD-ROM, C: and
// Z: fixed disks.
#include <string>

#include "allocation_failure.h"
#include "file_test_support.h"
#include "files/clsFILE.h"
#include "frame/locale.h"

namespace brixen::test::file {
namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  return length < MAX_PATH * 2 ? std::wstring(value, length) : std::wstring();
}

// The disk of drive A: while it lives.
class InsertedDisk {
 public:
  InsertedDisk() : folder_(Environment(L"BRIXEN_FD_MEDIUM")) { Insert(); }
  ~InsertedDisk() { RemoveDirectoryW(folder_.c_str()); }
  InsertedDisk(const InsertedDisk&) = delete;
  InsertedDisk& operator=(const InsertedDisk&) = delete;
  void Insert() const { CreateDirectoryW(folder_.c_str(), nullptr); }

 private:
  std::wstring folder_;
};

// TMP and TEMP point elsewhere while it lives.
class TemporaryFolderSetting {
 public:
  explicit TemporaryFolderSetting(const std::wstring& folder)
      : tmp_(Environment(L"TMP")), temp_(Environment(L"TEMP")) {
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
  }
  ~TemporaryFolderSetting() {
    SetEnvironmentVariableW(L"TMP", tmp_.empty() ? nullptr : tmp_.c_str());
    SetEnvironmentVariableW(L"TEMP", temp_.empty() ? nullptr : temp_.c_str());
  }
  TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
  TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

 private:
  std::wstring tmp_, temp_;
};

std::wstring PlatformText(UINT(WINAPI* call)(wchar_t*, UINT)) {
  wchar_t text[MAX_PATH] = {};
  call(text, MAX_PATH);
  return text;
}

class FileDrives : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(Environment(L"BRIXEN_FD_MEDIUM").empty()) << "run through tools/wine-env.sh"; }

  std::wstring TypeOf(const std::wstring& path) {
    return TextOf([&](BSTR* r) { return f_->DriveTypeString(OwnedBstr(path).get(), r); });
  }
  VARIANT Room(const std::wstring& path, float bytes) {
    VARIANT room;
    VariantInit(&room);
    EXPECT_EQ(f_->IsRemainDriveSpace(OwnedBstr(path).get(), bytes, &room), S_OK);
    return room;
  }
  bool HasRoom(const std::wstring& path, float bytes) {
    const VARIANT room = Room(path, bytes);
    EXPECT_EQ(room.vt, VT_BOOL) << "a Variant holding a Boolean";
    return room.vt == VT_BOOL && room.boolVal == VARIANT_TRUE;
  }
  bool DriveReady(const std::wstring& path) {
    return YesOf([&](VARIANT_BOOL* r) { return f_->IsDriveReady(OwnedBstr(path).get(), r); });
  }
  bool FDReady() {
    return YesOf([&](VARIANT_BOOL* r) { return f_->IsFDReady(r); });
  }
  std::wstring TempFile(const std::wstring& prefix) {
    return TextOf([&](BSTR* r) { return f_->GetTempWinFile(OwnedBstr(prefix).get(), r); });
  }
  std::wstring TempPath() {
    return TextOf([&](BSTR* r) { return f_->get_TempPath(r); });
  }

  ComPtr<_clsFILE> f_ = Create<_clsFILE>(CLSID_clsFILE);
};

TEST_F(FileDrives, DriveTypeStringByTheFirstLetter) {
  const struct {
    const wchar_t* path;
    const wchar_t* type;
  } cases[] = {
      {L"c:\\data", L"2"}, {L"C", L"2"}, {L"a:\\", L"1"}, {L"R:", L"1"},   {L"s", L"4"},
      {L"z:\\tmp", L"2"},  {L"", L"Unknown"}, {L"Q:\\", L"Unknown"}, {L"1", L"Unknown"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeOf(c.path), c.type) << testing::PrintToString(std::wstring(c.path));
}

TEST_F(FileDrives, RoomIsStrictlyMoreFreeBytesThanAsked) {
  EXPECT_TRUE(HasRoom(L"c:\\", 1.0f));
  EXPECT_TRUE(HasRoom(L"R", 0.0f));
  EXPECT_FALSE(HasRoom(L"C", 1e30f));
  EXPECT_FALSE(HasRoom(L"", 0.0f));
  EXPECT_FALSE(HasRoom(L"Q", 0.0f));
  EXPECT_FALSE(HasRoom(L"S", 1e30f));
}

TEST_F(FileDrives, FirstFixedDiskAfterTheRemovableA) { EXPECT_EQ(TextOf([&](BSTR* r) { return f_->FirstHDDDrive(r); }), L"C"); }

TEST_F(FileDrives, FDDriveIsThePlatformsDriveObjectOfTheFirstRemovableDrive) {
  ComPtr<IDispatch> drive;
  ASSERT_EQ(f_->get_FDDrive(&drive), S_OK);
  ASSERT_TRUE(drive);
  for (const auto& [name, expected] : {std::pair{L"DriveLetter", L"A"}, std::pair{L"DriveType", L"1"}}) {
    Call call;
    InvokeByName(drive.Get(), name, DISPATCH_PROPERTYGET, {}, call);
    ASSERT_EQ(call.hr, S_OK) << name;
    ASSERT_EQ(VariantChangeType(&call.result, &call.result, 0, VT_BSTR), S_OK);
    EXPECT_STREQ(call.result.bstrVal, expected) << name;
  }
  Call ready;
  InvokeByName(drive.Get(), L"IsReady", DISPATCH_PROPERTYGET, {}, ready);
  EXPECT_EQ(ready.hr, S_OK) << "the scripting library's own Drive";
  EXPECT_EQ(ready.result.boolVal, VARIANT_FALSE) << "no medium in A:";
}

TEST_F(FileDrives, ADriveWithoutItsMediumIsNotReady) {
  ExpectQuiet([&] {
    EXPECT_FALSE(DriveReady(L"A:\\data\\x.txt"));
    EXPECT_FALSE(DriveReady(L"a"));
    EXPECT_TRUE(DriveReady(L"R"));
    EXPECT_TRUE(DriveReady(L"S:\\"));
  });
  const InsertedDisk disk;
  EXPECT_TRUE(DriveReady(L"A"));
}

TEST_F(FileDrives, TheWindowsAndSystemFoldersAsThePlatformGivesThem) {
  EXPECT_EQ(TextOf([&](BSTR* r) { return f_->get_WindowsDirectory(r); }), PlatformText(GetWindowsDirectoryW));
  EXPECT_EQ(TextOf([&](BSTR* r) { return f_->get_SystemDirectory(r); }), PlatformText(GetSystemDirectoryW));
  EXPECT_NE(PlatformText(GetSystemDirectoryW).back(), L'\\');
}

TEST_F(FileDrives, TemporaryFilesAreNewEmptyAndDistinct) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  EXPECT_EQ(TempPath(), folder);
  EXPECT_EQ(TempPath().back(), L'\\');
  const std::wstring first = TempFile(L"brixen"), second = TempFile(L"brixen");
  EXPECT_NE(first, second);
  for (const std::wstring& name : {first, second}) {
    EXPECT_EQ(name.rfind(std::wstring(folder) + L"bri", 0), 0u) << testing::PrintToString(name);
    EXPECT_EQ(_wcsicmp(name.substr(name.size() - 4).c_str(), L".tmp"), 0) << testing::PrintToString(name);
    EXPECT_TRUE(Exists(name));
    EXPECT_TRUE(BytesOf(name).empty());
    DeleteFileW(name.c_str());
  }
}

// Temporary folders longer than the 50 characters the names were once read into come back
// whole, and so do the files made in them.
TEST_F(FileDrives, ALongTemporaryFolderComesBackWhole) {
  TempFolder scratch;
  std::wstring longFolder = scratch.path();
  while (longFolder.size() < 200) {
    longFolder += L"\\a-rather-long-folder-name";
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
  }
  const TemporaryFolderSetting setting(longFolder);
  EXPECT_EQ(TempPath(), longFolder + L"\\");
  const std::wstring name = TempFile(L"lng");
  // The platform names the file prefix, one to four hexadecimal digits, ".tmp".
  const std::wstring head = longFolder + L"\\lng";
  ASSERT_EQ(name.rfind(head, 0), 0u) << testing::PrintToString(name);
  ASSERT_GE(name.size(), head.size() + 5) << testing::PrintToString(name);
  const std::wstring digits = name.substr(head.size(), name.size() - head.size() - 4);
  EXPECT_LE(digits.size(), 4u) << testing::PrintToString(name);
  EXPECT_EQ(digits.find_first_not_of(L"0123456789abcdefABCDEF"), std::wstring::npos) << testing::PrintToString(name);
  EXPECT_EQ(_wcsicmp(name.substr(name.size() - 4).c_str(), L".tmp"), 0) << testing::PrintToString(name);
  EXPECT_TRUE(Exists(name));
  DeleteFileW(name.c_str());
}

TEST_F(FileDrives, NoTemporaryFileInAMissingFolderAndNoLog) {
  TempFolder scratch;
  const TemporaryFolderSetting setting(scratch / L"missing");
  ExpectQuiet([&] { EXPECT_EQ(TempFile(L"x"), L""); });
}

TEST_F(FileDrives, HandlersLogUnderTheirLiterals) {
  ExpectLogged(" IsRemainDriveSpace", [&] { EXPECT_FALSE(HasRoom(L"a:\\", 0.0f)) << "no medium: no free space to read"; });
}

// The members that fail on nothing the drives do to them: an allocation failure reaches their
// handlers, called in-process.
TEST_F(FileDrives, DriveHandlersLogAnAllocationFailure) {
  clsFILE files;
  ExpectOutOfMemoryReportedAs("DriveTypeString", [&] { EXPECT_EQ(files.DriveTypeString(u"C"), u"Unknown"); });
  ExpectOutOfMemoryReportedAs("FirstHDDDrive", [&] { EXPECT_EQ(files.FirstHDDDrive(), u""); });
  ExpectOutOfMemoryReportedAs("GetFDDrive", [&] { EXPECT_FALSE(files.get_FDDrive()); });
  ExpectOutOfMemoryReportedAs("GetTempWinFile", [&] { EXPECT_EQ(files.GetTempWinFile(u"x"), u""); });
}

// The insert-disk prompt, in the system's language.
class FileDrivesBilingual : public FileDrives {
 protected:
  static void ExpectPrompt(const RecordedBox& box) {
    EXPECT_EQ(box.title, L"FD ERROR");
    EXPECT_EQ(box.text, reinterpret_cast<const wchar_t*>(Bilingual(u"FDを挿入してください！", u"Insert FD!")));
    EXPECT_EQ(box.style, MB_OKCANCEL | MB_ICONEXCLAMATION);
  }
};

TEST_F(FileDrivesBilingual, OkAsksAgainAndCancelGivesUp) {
  MsgBoxAnswerer answerer({L"ok", L"cancel"});
  EXPECT_FALSE(FDReady());
  ASSERT_EQ(answerer.Boxes().size(), 2u);
  for (const RecordedBox& box : answerer.Boxes()) ExpectPrompt(box);
}

TEST_F(FileDrivesBilingual, ReadyOnceTheDiskIsInserted) {
  {
    const InsertedDisk disk;
    MsgBoxAnswerer answerer;
    EXPECT_TRUE(FDReady());
    EXPECT_TRUE(answerer.Boxes().empty()) << "a disk in the drive: no prompt";
  }
  // The disk goes in while the prompt is up; OK then finds the drive ready. (The cross
  // compiler's thread model has no std::thread.)
  const HANDLE user = CreateThread(
      nullptr, 0,
      [](void*) CALLBACK -> DWORD {
        for (int i = 0; i < 2000 && !FindWindowW(nullptr, L"FD ERROR"); ++i) Sleep(5);
        CreateDirectoryW(Environment(L"BRIXEN_FD_MEDIUM").c_str(), nullptr);
        return 0;
      },
      nullptr, 0, nullptr);
  ASSERT_TRUE(user);
  {
    MsgBoxAnswerer answerer({L"ok"});  // then OK by default while the disk is on its way
    EXPECT_TRUE(FDReady());
    ASSERT_GE(answerer.Boxes().size(), 1u);
    for (const RecordedBox& box : answerer.Boxes()) ExpectPrompt(box);
  }
  WaitForSingleObject(user, INFINITE);
  CloseHandle(user);
  RemoveDirectoryW(Environment(L"BRIXEN_FD_MEDIUM").c_str());
}

// Without a removable drive to be found (here: the search fails), IsFDReady has no drive letter
// to read and logs that under its own literal.
TEST_F(FileDrivesBilingual, IsFDReadyLogsWhenThereIsNoDriveToAsk) {
  const ErrLogFile log(win::Wide(win::AppPath()));
  clsFILE files;
  MsgBoxAnswerer answerer;
  FailNextAllocation();
  EXPECT_FALSE(files.IsFDReady());
  ASSERT_EQ(answerer.Boxes().size(), 2u);
  EXPECT_EQ(answerer.Boxes()[0].text.rfind(L"GetFDDrive\r\n", 0), 0u) << "the failed search";
  EXPECT_EQ(answerer.Boxes()[1].text.rfind(L"IsFDReady\r\n", 0), 0u);
  EXPECT_NE(answerer.Boxes()[1].text.find(L"[ErrCode] 91"), std::wstring::npos);
  EXPECT_NE(log.Bytes().find("IsFDReady"), std::string::npos);
}

}  // namespace
}  // namespace brixen::test::file
