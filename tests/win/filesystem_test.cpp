// The file system service on real files, folders and drives under Wine, held against the
// platform's own Scripting.FileSystemObject wherever both answer the same question.
#include "frame/filesystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "frame/errors.h"
#include "frame/win/wide.h"
#include "tests/native/run_time_error.h"

namespace brixen {

void PrintTo(const FolderItem& item, std::ostream* out) {
  *out << testing::PrintToString(item.Name) << " attributes " << item.Attributes;
}

namespace {

Object PlatformFileSystem() {
  CLSID clsid;
  Object fso;
  EXPECT_EQ(CLSIDFromProgID(L"Scripting.FileSystemObject", &clsid), S_OK);
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&fso)), S_OK);
  return fso;
}

Object AsObject(const Variant& value) {
  EXPECT_EQ(value.Type(), VT_DISPATCH);
  return Object(V_DISPATCH(&value.get()));
}

// A fresh folder under %TEMP% with files and sub-folders of several kinds, created in an order
// that is not the alphabetical one.
class FileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* name : {u"b.txt", u"a.txt", u"hidden.txt", u"readonly.txt", u"日本.txt"}) MakeFile(name);
    SetFileAttributesW(win::Wide(In(u"hidden.txt")), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(win::Wide(In(u"readonly.txt")), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    for (const char16_t* name : {u"sub2", u"sub1", u"hsub"}) CreateDirectoryW(win::Wide(In(name)), nullptr);
    SetFileAttributesW(win::Wide(In(u"hsub")), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW(win::Wide(In(u"empty")), nullptr);
  }

  String In(StringView name) const { return root_ + u'\\' + String(name); }
  void MakeFile(StringView name) const {
    const HANDLE file = CreateFileW(win::Wide(In(name)), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }

  // The platform's listing of a folder's files: names and attributes.
  std::vector<FolderItem> PlatformFiles(const String& folder) {
    std::vector<FolderItem> items;
    const Object platformFolder = AsObject(CallMethod(platform_.Get(), u"GetFolder", {Variant(folder)}));
    for (const Variant& item : Items(AsObject(GetProperty(platformFolder.Get(), u"Files")).Get())) {
      const Object object = AsObject(item);
      items.push_back({GetProperty(object.Get(), u"Name").ToString(), GetProperty(object.Get(), u"Attributes").ToLong()});
    }
    return items;
  }

  test::TempFolder temp_;
  String root_ = win::FromWide(temp_.path().c_str());
  FileSystem fs_;
  Object platform_ = PlatformFileSystem();
};

TEST_F(FileSystemTest, ExistenceAnswersAsThePlatformDoes) {
  const struct {
    String path;
    bool file, folder;
  } cases[] = {{In(u"a.txt"), true, false},        {In(u"hidden.txt"), true, false}, {In(u"日本.txt"), true, false},
               {In(u"sub1"), false, true},         {In(u"sub1\\"), false, true},     {In(u"hsub"), false, true},
               {root_, false, true},               {In(u"missing.txt"), false, false}, {In(u"no\\such.txt"), false, false},
               {In(u"*.txt"), false, false},       {u"C:\\", false, true},           {u"", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    EXPECT_EQ(fs_.FileExists(c.path), c.file);
    EXPECT_EQ(fs_.FolderExists(c.path), c.folder);
    EXPECT_EQ(fs_.FileExists(c.path), CallMethod(platform_.Get(), u"FileExists", {Variant(c.path)}).ToBoolean());
    EXPECT_EQ(fs_.FolderExists(c.path), CallMethod(platform_.Get(), u"FolderExists", {Variant(c.path)}).ToBoolean());
  }
}

TEST_F(FileSystemTest, PathTextsAsThePlatformFormsThem) {
  const struct {
    const char16_t* folder;
    const char16_t* name;
  } joins[] = {{u"C:\\data", u"Err.log"}, {u"C:\\", u"Err.log"}, {u"C:\\data\\", u"\\x"}, {u"C:\\data", u"\\x"},
               {u"\\\\server\\share", u"x"}};  // ("C:" with "x": Wine's answer carries a stray NUL)
  for (const auto& j : joins) {
    EXPECT_EQ(fs_.BuildPath(j.folder, j.name),
              CallMethod(platform_.Get(), u"BuildPath", {Variant(j.folder), Variant(j.name)}).ToString());
  }
  for (const char16_t* path : {u"C:\\a\\VB6.EXE", u"C:\\a\\sub\\", u"C:/a/b.txt", u"name", u"C:\\", u"C:"}) {
    EXPECT_EQ(fs_.GetFileName(path), CallMethod(platform_.Get(), u"GetFileName", {Variant(path)}).ToString())
        << testing::PrintToString(String(path));
  }
}

TEST_F(FileSystemTest, CreateFolderMakesOneLevel) {
  fs_.CreateFolder(In(u"new"));
  EXPECT_TRUE(fs_.FolderExists(In(u"new")));
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.CreateFolder(In(u"new")); }), kErrFileExists);
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.CreateFolder(In(u"a.txt")); }), kErrFileExists);
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.CreateFolder(In(u"no\\deeper")); }), kErrPathNotFound);
  EXPECT_FALSE(fs_.FolderExists(In(u"no")));
}

TEST_F(FileSystemTest, GetFolderFailsForWhatIsNoFolder) {
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.GetFolder(In(u"missing")); }), kErrPathNotFound);
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.GetFolder(In(u"a.txt")); }), kErrPathNotFound);
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.GetFolder(u""); }), kErrInvalidCall);
}

// Wine's scripting library has no Folder.Attributes (it answers 445): the bits are checked as such.
TEST_F(FileSystemTest, FolderNameAndAttributes) {
  const Folder folder = fs_.GetFolder(In(u"hsub\\"));
  EXPECT_EQ(folder.Name(), u"hsub");
  EXPECT_EQ(folder.Attributes(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  const Object platformFolder = AsObject(CallMethod(platform_.Get(), u"GetFolder", {Variant(In(u"hsub"))}));
  EXPECT_EQ(folder.Name(), GetProperty(platformFolder.Get(), u"Name").ToString());
  EXPECT_EQ(fs_.GetFolder(In(u"sub1")).Attributes() & ~FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(FileSystemTest, FilesAndSubFoldersInThePlatformsOrder) {
  const Folder folder = fs_.GetFolder(root_);
  const std::vector<FolderItem> files = folder.Files();
  ASSERT_EQ(files.size(), 5u);
  EXPECT_EQ(files, PlatformFiles(root_));
  for (const FolderItem& file : files) {
    if (file.Name == u"hidden.txt") {
      EXPECT_EQ(file.Attributes & ~FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN);
    } else if (file.Name == u"readonly.txt") {
      EXPECT_EQ(file.Attributes, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    }
  }
  const std::vector<FolderItem> folders = folder.SubFolders();
  ASSERT_EQ(folders.size(), 4u);
  std::vector<String> platformFolders;  // names only: Wine's Folder objects have no Attributes
  const Object platformFolder = AsObject(CallMethod(platform_.Get(), u"GetFolder", {Variant(root_)}));
  for (const Variant& item : Items(AsObject(GetProperty(platformFolder.Get(), u"SubFolders")).Get())) {
    platformFolders.push_back(GetProperty(AsObject(item).Get(), u"Name").ToString());
  }
  ASSERT_EQ(platformFolders.size(), folders.size());
  for (std::size_t i = 0; i < folders.size(); ++i) {
    EXPECT_EQ(folders[i].Name, platformFolders[i]);
    EXPECT_NE(folders[i].Attributes & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_EQ((folders[i].Attributes & FILE_ATTRIBUTE_HIDDEN) != 0, folders[i].Name == u"hsub");
  }
}

TEST_F(FileSystemTest, AnEmptyFolderListsNothing) {
  const Folder folder = fs_.GetFolder(In(u"empty"));
  EXPECT_TRUE(folder.Files().empty());
  EXPECT_TRUE(folder.SubFolders().empty());
}

TEST_F(FileSystemTest, ListingAFolderThatWentAwayIsAnError) {
  const Folder folder = fs_.GetFolder(In(u"empty"));
  ASSERT_TRUE(RemoveDirectoryW(win::Wide(In(u"empty"))));
  EXPECT_EQ(test::ErrorRaisedBy([&] { folder.Files(); }), kErrPathNotFound);
}

// Wine's prefix has C: (a fixed disk) and Z: (the Linux root).
TEST_F(FileSystemTest, DrivesInAscendingLetters) {
  const std::vector<Drive> drives = fs_.Drives();
  ASSERT_GE(drives.size(), 2u);
  String letters;
  for (const Drive& drive : drives) {
    ASSERT_EQ(drive.DriveLetter().size(), 1u);
    letters += drive.DriveLetter();
    EXPECT_GE(drive.DriveType(), kDriveUnknown);
    EXPECT_LE(drive.DriveType(), kDriveRamDisk);
  }
  EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << testing::PrintToString(letters);
  EXPECT_NE(letters.find(u'C'), String::npos);
  EXPECT_NE(letters.find(u'Z'), String::npos);
}

TEST_F(FileSystemTest, OneDrive) {
  for (const char16_t* drive : {u"C", u"c:", u"C:\\"}) EXPECT_TRUE(fs_.DriveExists(drive)) << testing::PrintToString(String(drive));
  const Drive c = fs_.GetDrive(u"c:");
  EXPECT_EQ(c.DriveLetter(), u"C");
  EXPECT_EQ(c.DriveType(), kDriveFixed);
  EXPECT_GT(c.FreeSpace(), 0.0);
  EXPECT_TRUE(HasMember(c.object().Get(), u"IsReady")) << "the platform's own Drive object";

  String letters;
  for (const Drive& drive : fs_.Drives()) letters += drive.DriveLetter();
  const char16_t unused = letters.find(u'Q') == String::npos ? u'Q' : u'K';
  ASSERT_EQ(letters.find(unused), String::npos);
  EXPECT_FALSE(fs_.DriveExists(String(1, unused)));
  EXPECT_EQ(test::ErrorRaisedBy([&] { fs_.GetDrive(String(1, unused) + u":"); }), kErrDeviceUnavailable);
}

}  // namespace
}  // namespace brixen
