// clsFILE's folder listings, walks, counts, path creation and tree cloning through its slots, on
// real folders. Listing orders are the file system's own, read with a plain find loop.
#include <string>
#include <vector>

#include "allocation_failure.h"
#include "file_test_support.h"
#include "files/clsFILE.h"
#include "frame/com/glue_support.h"

namespace brixen::test::file {
namespace {

using Names = std::vector<std::wstring>;

// A BSTR array with its lower bound, built from and read back into plain texts.
struct Texts {
  long lower = 0;
  Names items;
  friend bool operator==(const Texts&, const Texts&) = default;
};

void PrintTo(const Texts& texts, std::ostream* out) {
  *out << "lower " << texts.lower << " " << testing::PrintToString(texts.items);
}

SAFEARRAY* ToArray(const Texts& texts) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(texts.items.size()), texts.lower};
  SAFEARRAY* array = SafeArrayCreate(VT_BSTR, 1, &bound);
  for (LONG i = 0; i < static_cast<LONG>(texts.items.size()); ++i) {
    LONG index = texts.lower + i;
    OwnedBstr text(texts.items[i]);
    SafeArrayPutElement(array, &index, text.get());
  }
  return array;
}

Texts FromArray(SAFEARRAY* array) {
  Texts texts;
  if (!array) return texts;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &texts.lower);
  SafeArrayGetUBound(array, 1, &upper);
  for (LONG index = texts.lower; index <= upper; ++index) {
    BSTR text = nullptr;
    SafeArrayGetElement(array, &index, &text);
    texts.items.emplace_back(text ? text : L"", text ? SysStringLen(text) : 0);
    SysFreeString(text);
  }
  SafeArrayDestroy(array);
  return texts;
}

// The names a plain find loop lists in `folder`, files or folders that have every bit of `mask`,
// as the platform orders them.
Names PlatformOrder(const std::wstring& folder, bool folders, DWORD mask = 0) {
  Names names;
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && (entry.dwFileAttributes & mask) == mask) names.push_back(name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

void MakeFolder(const std::wstring& path, DWORD attributes = 0) {
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << testing::PrintToString(path);
  if (attributes) SetFileAttributesW(path.c_str(), attributes);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class FileFolders : public testing::Test {
 protected:
  Texts Files(const std::wstring& folder, long which, const long* attributes) {
    long mask = attributes ? *attributes : 0;
    const long whichBefore = which;
    SAFEARRAY* out = nullptr;
    EXPECT_EQ(f_->get_FilesInFolder(OwnedBstr(folder).get(), reinterpret_cast<ENUM_FilesInFolder*>(&which),
                                    attributes ? &mask : nullptr, &out),
              S_OK);
    EXPECT_EQ(which, whichBefore) << "Which is only read";
    if (attributes) EXPECT_EQ(mask, *attributes) << "Attributes is only read";
    return FromArray(out);
  }
  Texts Files(const std::wstring& folder, long which, long attributes) { return Files(folder, which, &attributes); }

  // The result and the caller's array afterwards.
  std::pair<Texts, Texts> Folders(const Texts& seed, const std::wstring& base) {
    SAFEARRAY* array = ToArray(seed);
    SAFEARRAY* out = nullptr;
    EXPECT_EQ(f_->get_FoldersInFolder(&array, OwnedBstr(base).get(), &out), S_OK);
    return {FromArray(out), FromArray(array)};
  }

  long Count(const std::wstring& folder) {
    long count = -1;
    EXPECT_EQ(f_->get_CntFilesInFolder(OwnedBstr(folder).get(), &count), S_OK);
    return count;
  }
  bool CreateAll(const std::wstring& path) {
    return YesOf([&](VARIANT_BOOL* r) { return f_->CreateAllFolders(OwnedBstr(path).get(), r); });
  }
  bool Clone(const std::wstring& from, const std::wstring& to) {
    return YesOf([&](VARIANT_BOOL* r) { return f_->CloneFolders(OwnedBstr(from).get(), OwnedBstr(to).get(), r); });
  }

  TempFolder scratch_;
  ComPtr<_clsFILE> f_ = Create<_clsFILE>(CLSID_clsFILE);
};

// A folder of files and sub-folders of every kind the filters tell apart, made in an order that
// is not the alphabetical one.
class FileFoldersListing : public FileFolders {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"b.txt", L"a.txt", L"noext"}) scratch_.Write(name, "x");
    SetFileAttributesW(scratch_.Write(L"hidden.txt", "x").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(scratch_.Write(L"readonly.txt", "x").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(scratch_ / L"sub2");
    MakeFolder(scratch_ / L"sub1", FILE_ATTRIBUTE_READONLY);
    MakeFolder(scratch_ / L"hsub", FILE_ATTRIBUTE_HIDDEN);
  }

  // "" at index 0, then the platform's files or folders that have every bit of `mask`, in its
  // order (Wine keeps no read-only bit on folders).
  Texts Expected(bool folders, long mask) const {
    Texts expected{0, {L""}};
    const Names names = PlatformOrder(scratch_.path(), folders, static_cast<DWORD>(mask));
    expected.items.insert(expected.items.end(), names.begin(), names.end());
    return expected;
  }
};

TEST_F(FileFoldersListing, FilesByAttributeMaskInThePlatformsOrder) {
  EXPECT_EQ(Files(scratch_.path(), 0, 0L), Expected(false, 0)) << "every file, hidden ones too";
  EXPECT_EQ(Files(scratch_.path(), 0, nullptr), Expected(false, 0)) << "Attributes omitted counts as 0";
  EXPECT_EQ(Files(scratch_.path(), 0, FILE_ATTRIBUTE_READONLY), (Texts{0, {L"", L"readonly.txt"}}));
  EXPECT_EQ(Files(scratch_.path(), 0, FILE_ATTRIBUTE_HIDDEN), (Texts{0, {L"", L"hidden.txt"}}));
  // With the directory bit, the sub-folders that have every other bit asked for as well.
  for (const long mask : {FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY,
                          FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN}) {
    EXPECT_EQ(Files(scratch_.path(), 0, mask), Expected(true, mask)) << mask;
  }
  EXPECT_EQ(Files(scratch_.path(), 0, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN), (Texts{0, {L"", L"hsub"}}));
}

TEST_F(FileFoldersListing, EntriesAreNamesFullPathsOrEmptyByWhich) {
  const Texts names = Files(scratch_.path(), 0, 0L);
  ASSERT_EQ(names.items.size(), 6u);
  Texts full = names;
  for (size_t i = 1; i < full.items.size(); ++i) full.items[i] = scratch_ / full.items[i];
  EXPECT_EQ(Files(scratch_.path(), 1, 0L), full);
  EXPECT_EQ(Files(scratch_.path() + L"\\", 1, 0L), full) << "joined with exactly one separator";
  EXPECT_EQ(Files(scratch_.path(), 7, 0L), (Texts{0, Names(6)})) << "any other Which keeps the places, empty";
}

TEST_F(FileFolders, NothingFoundIsTheEmptyEntryAlone) {
  MakeFolder(scratch_ / L"empty");
  for (const std::wstring& folder : {scratch_ / L"empty", scratch_ / L"missing", std::wstring()}) {
    EXPECT_EQ(Files(folder, 0, 0L), (Texts{0, {L""}})) << testing::PrintToString(folder);
  }
}

TEST_F(FileFolders, FolderWalkIsDepthFirstAfterTheCallersEntries) {
  const std::wstring x = scratch_ / L"X";
  for (const std::wstring& folder : {x, x + L"\\C", x + L"\\A", x + L"\\A\\B", x + L"\\A\\B\\D", x + L"\\A\\E"}) {
    MakeFolder(folder);
  }
  scratch_.Write(L"X\\A\\file.txt", "not a folder");
  // Siblings in the platform's order, each folder before its own sub-folders.
  Names walk;
  std::function<void(std::wstring)> visit = [&](std::wstring folder) {
    for (const std::wstring& name : PlatformOrder(folder, true)) {
      walk.push_back(folder + L"\\" + name);
      visit(walk.back());
    }
  };
  visit(x);
  ASSERT_EQ(walk.size(), 5u);

  Texts expected{1, {L"first", L"second"}};  // the caller's lower bound and entries stay
  expected.items.insert(expected.items.end(), walk.begin(), walk.end());
  const auto [result, array] = Folders(Texts{1, {L"first", L"second"}}, x);
  EXPECT_EQ(result, expected);
  EXPECT_EQ(array, expected) << "the caller's array is extended too";

  const auto [fromNothing, _] = Folders(Texts{0, {}}, x);
  EXPECT_EQ(fromNothing.items, walk) << "an array without elements takes the folders alone";
}

TEST_F(FileFolders, FolderWalkOfAMissingOrEmptyFolderChangesNothing) {
  MakeFolder(scratch_ / L"empty");
  for (const std::wstring& base : {scratch_ / L"missing", scratch_ / L"empty"}) {
    const auto [result, array] = Folders(Texts{0, {L"seed"}}, base);
    EXPECT_EQ(result, (Texts{0, {L"seed"}}));
    EXPECT_EQ(array, (Texts{0, {L"seed"}}));
  }
}

TEST_F(FileFolders, CountsOrdinaryFilesOnly) {
  EXPECT_EQ(Count(scratch_.path()), 0);
  EXPECT_EQ(Count(scratch_ / L"missing"), 0);
  scratch_.Write(L"a.txt", "x");
  scratch_.Write(L"noext", "x");
  SetFileAttributesW(scratch_.Write(L"readonly.txt", "x").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesW(scratch_.Write(L"hidden.txt", "x").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(scratch_.Write(L"system.txt", "x").c_str(), FILE_ATTRIBUTE_SYSTEM);
  MakeFolder(scratch_ / L"sub");
  EXPECT_EQ(Count(scratch_.path()), 3);
  EXPECT_EQ(Count(scratch_.path() + L"\\"), 3);
}

TEST_F(FileFolders, CreateAllFoldersMakesEveryMissingLevel) {
  const std::wstring top = scratch_ / L"a";
  EXPECT_TRUE(CreateAll(top + L"\\b\\c"));
  EXPECT_TRUE(IsFolder(top + L"\\b\\c"));
  EXPECT_TRUE(CreateAll(top + L"\\b\\c")) << "nothing left to make";
  EXPECT_TRUE(CreateAll(top + L"\\b\\d\\")) << "a trailing separator";
  EXPECT_TRUE(IsFolder(top + L"\\b\\d"));
  EXPECT_TRUE(CreateAll(L"nofolderseparator"));
  EXPECT_FALSE(IsFolder(L"nofolderseparator"));
}

TEST_F(FileFolders, CloneFoldersCopiesTheTreeWithoutFiles) {
  const std::wstring from = scratch_ / L"from";
  for (const std::wstring& folder : {from, from + L"\\one", from + L"\\one\\two", from + L"\\three"}) MakeFolder(folder);
  scratch_.Write(L"from\\one\\file.txt", "x");
  scratch_.Write(L"from\\top.txt", "x");
  const std::wstring to = scratch_ / L"to";
  EXPECT_TRUE(Clone(from, to));
  for (const wchar_t* folder : {L"", L"\\one", L"\\one\\two", L"\\three"}) EXPECT_TRUE(IsFolder(to + folder)) << folder;
  EXPECT_FALSE(Exists(to + L"\\one\\file.txt"));
  EXPECT_FALSE(Exists(to + L"\\top.txt"));
  EXPECT_TRUE(Clone(from + L"\\", to + L"\\")) << "again, into what exists, separators given";
  ExpectQuiet([&] { EXPECT_FALSE(Clone(scratch_ / L"missing", scratch_ / L"to2")); });
  EXPECT_FALSE(Exists(scratch_ / L"to2"));
}

TEST_F(FileFolders, HandlersLogUnderTheirLiterals) {
  scratch_.Write(L"file", "a file where a folder should be");
  ExpectLogged("CreateAllFolders", [&] { EXPECT_FALSE(CreateAll(scratch_ / L"file\\sub")); });
  MakeFolder(scratch_ / L"from");
  MakeFolder(scratch_ / L"from\\sub");
  ExpectLogged("CloneFolders", [&] { EXPECT_FALSE(Clone(scratch_ / L"from", scratch_ / L"missing\\to")); });
  EXPECT_FALSE(Exists(scratch_ / L"missing"));
}

// The listing members fail on nothing a folder can do to them: an allocation failure reaches
// their handlers, called in-process.
TEST_F(FileFolders, ListingHandlersLogAnAllocationFailure) {
  scratch_.Write(L"a.txt", "x");
  MakeFolder(scratch_ / L"sub");
  const String folder(scratch_.path().begin(), scratch_.path().end());
  clsFILE files;
  Long which = 0, attributes = 0;
  ExpectOutOfMemoryReportedAs("FilesInFolder", [&] {
    const StringArray list = files.get_FilesInFolder(folder, which, attributes);
    EXPECT_EQ(list.items, std::vector<String>{u""});
  });
  StringArray seed{0, {u"seed"}};
  ExpectOutOfMemoryReportedAs("FoldersInFolder", [&] {
    EXPECT_TRUE(files.get_FoldersInFolder(seed, folder).items.empty());
  });
  EXPECT_EQ(seed.items, std::vector<String>{u"seed"}) << "the caller's array is left as it was";
}

}  // namespace
}  // namespace brixen::test::file
