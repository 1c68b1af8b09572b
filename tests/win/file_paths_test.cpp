// clsFILE's path and file-name rules through its slots and by name: the split at the last "\"
// and the first ".", the backslash rules, the name check's codes, the free numbered name on a
// real folder, and the errors each handler logs under its literal or passes to the caller.
#include <string>

#include "file_test_support.h"

namespace brixen::test::file {
namespace {

class FilePaths : public testing::Test {
 protected:
  std::wstring What(short which, const std::wstring& path, HRESULT expected = S_OK) {
    return TextOf([&](BSTR* r) { return f_->GetWhatFromFullPath(which, OwnedBstr(path).get(), r); }, expected);
  }
  short NameCode(const std::wstring& name) {
    short code = 0;
    EXPECT_EQ(f_->FNameCheck(OwnedBstr(name).get(), &code), S_OK);
    return code;
  }
  std::wstring MyFName(const std::wstring& folder, const std::wstring& head, const std::wstring& ext) {
    BSTR headRef = SysAllocString(head.c_str());  // [in, out]: the member may hand back a new one
    const std::wstring name =
        TextOf([&](BSTR* r) { return f_->get_MyFName(OwnedBstr(folder).get(), &headRef, OwnedBstr(ext).get(), r); });
    EXPECT_EQ(std::wstring(headRef ? headRef : L""), head) << "HEAD is only read";
    SysFreeString(headRef);
    return name;
  }

  ComPtr<_clsFILE> f_ = Create<_clsFILE>(CLSID_clsFILE);
};

TEST_F(FilePaths, GetWhatFromFullPathSplitsAtTheLastBackslashAndTheFirstDot) {
  EXPECT_EQ(What(1, L"C:\\data\\report.2006.txt"), L"C:\\data\\");
  EXPECT_EQ(What(2, L"C:\\data\\report.2006.txt"), L"report.2006.txt");
  EXPECT_EQ(What(3, L"C:\\data\\report.2006.txt"), L"report");
  EXPECT_EQ(What(4, L"C:\\data\\report.2006.txt"), L"2006.txt");
  EXPECT_EQ(What(1, L"report.txt"), L"");
  EXPECT_EQ(What(4, L"C:\\v1.2\\README"), L"") << "no extension, even after a dotted folder";
  EXPECT_EQ(What(3, L"C:/data/x.txt"), L"C:/data/x") << "the slash separates nothing";
  for (short which : {2, 3, 4}) EXPECT_EQ(What(which, L"C:\\data\\"), L"") << which;
  EXPECT_EQ(What(0, L"C:\\data\\x.txt"), L"");
  What(2, std::wstring(32768, L'a'), RunTimeError(6));  // no handler: the caller sees the overflow
}

TEST_F(FilePaths, YenCheckAndReplaceExt) {
  const auto yen = [&](ENUM_YENCHECK which, const std::wstring& path) {
    return TextOf([&](BSTR* r) { return f_->YenCheck(which, OwnedBstr(path).get(), r); });
  };
  EXPECT_EQ(yen(eAddYen, L"C:\\data"), L"C:\\data\\");
  EXPECT_EQ(yen(eAddYen, L""), L"\\");
  EXPECT_EQ(yen(eRemoveYen, L"C:\\data\\\\"), L"C:\\data\\");
  EXPECT_EQ(yen(eRemoveYen, L"C:/data/"), L"C:/data/");
  EXPECT_EQ(yen(static_cast<ENUM_YENCHECK>(7), L"C:\\data"), L"");
  const auto ext = [&](const std::wstring& path, const std::wstring& extension) {
    return TextOf([&](BSTR* r) { return f_->ReplaceExt(OwnedBstr(path).get(), OwnedBstr(extension).get(), r); });
  };
  EXPECT_EQ(ext(L"C:\\a\\b.txt", L"csv"), L"C:\\a\\b.csv");
  EXPECT_EQ(ext(L"C:\\a\\b.tar.gz", L"zip"), L"C:\\a\\b.tar.zip");
  EXPECT_EQ(ext(L"C:\\a\\b", L"csv"), L"C:\\a\\b.csv");
}

TEST_F(FilePaths, DotAndForbiddenCharacterTests) {
  EXPECT_TRUE(YesOf([&](VARIANT_BOOL* r) { return f_->IsExistDot(OwnedBstr(L"a.b").get(), r); }));
  EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->IsExistDot(OwnedBstr(L"").get(), r); }));
  for (const wchar_t* text : {L"a|b", L"a,b", L"C:", L"\"q\""}) {
    EXPECT_TRUE(YesOf([&](VARIANT_BOOL* r) { return f_->IsExistIhanMoji(OwnedBstr(text).get(), r); })) << text;
  }
  EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->IsExistIhanMoji(OwnedBstr(L"\uFF1A\uFF0A\uFF1F").get(), r); }));
  YesOf([&](VARIANT_BOOL* r) { return f_->IsExistIhanMoji(OwnedBstr(std::wstring(32768, L'a')).get(), r); },
        RunTimeError(6));
}

TEST_F(FilePaths, FNameCheckCodes) {
  const struct {
    const wchar_t* name;
    short code;
  } cases[] = {{L"readme.txt", 1},    {L"", 2},
               {L"   ", 2},           {L"name.", 3},
               {L".profile", 4},      {L"my file.txt", 5},
               {L"abcdefgh.txtx", 7}, {L"verylongname.txt", 9},
               {L"abcdefghijklm", 9}, {L"a:b.txt", 8},
               {L"a.b.c", 12},        {L"abcdefgh.txt", 1}};
  for (const auto& c : cases) EXPECT_EQ(NameCode(c.name), c.code) << c.name;
}

TEST_F(FilePaths, MyFNameSkipsExistingFilesAndCreatesNone) {
  TempFolder folder;
  const std::wstring prefix = folder.path() + L"\\";
  EXPECT_EQ(MyFName(prefix, L"LOG", L"txt"), L"LOG00001.txt");
  folder.Write(L"LOG00001.txt", "x");
  folder.Write(L"LOG00002.txt", "x");
  folder.Write(L"log00003.txt", "x");  // the file system ignores case; so does the test for a file
  EXPECT_EQ(MyFName(prefix, L"LOG", L"txt"), L"LOG00004.txt");
  EXPECT_FALSE(Exists(folder / L"LOG00004.txt"));
  EXPECT_EQ(MyFName(folder.path(), L"LOG", L"txt"), L"LOG00001.txt") << "the folder is joined unchanged";
}

// Every handler of these rules that can fail logs under its literal and returns its default.
TEST_F(FilePaths, HandlersLogUnderTheirLiterals) {
  const std::wstring tooLong(32768, L'a');
  ExpectLogged("IsExistDot", [&] {
    EXPECT_FALSE(YesOf([&](VARIANT_BOOL* r) { return f_->IsExistDot(OwnedBstr(tooLong + L".").get(), r); }));
  });
  ExpectLogged(" ReplaceExt", [&] {
    EXPECT_EQ(
        TextOf([&](BSTR* r) { return f_->ReplaceExt(OwnedBstr(tooLong + L".txt").get(), OwnedBstr(L"csv").get(), r); }),
        L"");
  });
  ExpectLogged("FNameCheck", [&] { EXPECT_EQ(NameCode(tooLong), 1) << "the code found so far"; });
  // Every candidate names, through "..", a file that exists: the 16-bit counter runs out.
  TempFolder folder;
  folder.Write(L"taken.txt", "x");
  ExpectLogged("MyFName", [&] { EXPECT_EQ(MyFName(folder.path() + L"\\", L"LOG", L"x\\..\\taken.txt"), L""); });
}

}  // namespace
}  // namespace brixen::test::file
