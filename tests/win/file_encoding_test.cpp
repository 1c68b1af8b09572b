// clsFILE.EnCode and DeCode on real files: every byte shifted by one and back, in place and over
// longer files, across the block size, and failures that log under "EnCode" / "DeCode" while the
// existing destination (or the source converted in place) survives untouched.
#include <string>
#include <vector>

#include "file_test_support.h"

namespace brixen::test::file {
namespace {

std::string AllByteValues() {
  std::string bytes(256, '\0');
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
  return bytes;
}

std::string Shifted(std::string bytes, int by) {
  for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) + by);
  return bytes;
}

// The names in a folder, to see that no half-written file is left behind.
std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().wstring());
  return names;
}

// Holds a file open without sharing, as another program may.
class Holder {
 public:
  explicit Holder(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
  }
  ~Holder() { CloseHandle(handle_); }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;

 private:
  HANDLE handle_;
};

class FileEncoding : public testing::Test {
 protected:
  bool EnCode(const std::wstring& from, const std::wstring& to) {
    return YesOf([&](VARIANT_BOOL* r) { return f_->EnCode(OwnedBstr(from).get(), OwnedBstr(to).get(), r); });
  }
  bool DeCode(const std::wstring& from, const std::wstring& to) {
    return YesOf([&](VARIANT_BOOL* r) { return f_->DeCode(OwnedBstr(from).get(), OwnedBstr(to).get(), r); });
  }

  ComPtr<_clsFILE> f_ = Create<_clsFILE>(CLSID_clsFILE);
  TempFolder folder_;
};

TEST_F(FileEncoding, ShiftsEveryByteUpAndBackDown) {
  const std::wstring plain = folder_.Write(L"plain.bin", AllByteValues());
  ExpectQuiet([&] {
    EXPECT_TRUE(EnCode(plain, folder_ / L"coded.bin"));
    EXPECT_TRUE(DeCode(folder_ / L"coded.bin", folder_ / L"back.bin"));
  });
  EXPECT_EQ(BytesOf(folder_ / L"coded.bin"), Shifted(AllByteValues(), 1)) << "1, 2, ..., 255, 0";
  EXPECT_EQ(BytesOf(folder_ / L"back.bin"), AllByteValues());

  const std::wstring ff = folder_.Write(L"ff.bin", "\xFF");
  EXPECT_TRUE(EnCode(ff, folder_ / L"00.bin"));
  EXPECT_EQ(BytesOf(folder_ / L"00.bin"), std::string(1, '\0'));
  EXPECT_TRUE(DeCode(folder_ / L"00.bin", folder_ / L"ff-again.bin"));
  EXPECT_EQ(BytesOf(folder_ / L"ff-again.bin"), "\xFF");
  EXPECT_TRUE(DeCode(plain, folder_ / L"down.bin")) << "nothing marks a file as encoded";
  EXPECT_EQ(BytesOf(folder_ / L"down.bin"), Shifted(AllByteValues(), -1));
}

TEST_F(FileEncoding, LargeFilesAcrossBlocksInPlace) {
  std::string large(9 * 1024 * 1024 + 12345, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 + i / 4096);
  const std::wstring path = folder_.Write(L"large.bin", large);
  EXPECT_TRUE(EnCode(path, path));
  EXPECT_EQ(BytesOf(path), Shifted(large, 1));
  EXPECT_TRUE(DeCode(path, path));
  EXPECT_EQ(BytesOf(path), large);
  EXPECT_EQ(NamesIn(folder_.path()), std::vector<std::wstring>{L"large.bin"});
}

TEST_F(FileEncoding, AnExistingDestinationEndsExactlyAsLongAsTheSourceAndKeepsItsAttributes) {
  const std::wstring source = folder_.Write(L"short.bin", "abc");
  const std::wstring destination = folder_.Write(L"long.bin", std::string(1000, 'x'));
  SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(EnCode(source, destination));
  EXPECT_EQ(BytesOf(destination), "bcd");
  EXPECT_EQ(GetFileAttributesW(destination.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(FileEncoding, NoSourceOrAnEmptyOneLogsAndCreatesNoDestination) {
  const std::wstring empty = folder_.Write(L"empty.bin", "");
  ExpectLogged("EnCode", [&] { EXPECT_FALSE(EnCode(folder_ / L"missing.bin", folder_ / L"out1.bin")); });
  ExpectLogged("DeCode", [&] { EXPECT_FALSE(DeCode(folder_ / L"missing.bin", folder_ / L"out2.bin")); });
  ExpectLogged("EnCode", [&] { EXPECT_FALSE(EnCode(empty, folder_ / L"out3.bin")); });
  ExpectLogged("DeCode", [&] { EXPECT_FALSE(DeCode(empty, folder_ / L"out4.bin")); });
  EXPECT_EQ(NamesIn(folder_.path()), std::vector<std::wstring>{L"empty.bin"});
}

// A write that cannot finish leaves the user's files as they were and no stray file behind.
TEST_F(FileEncoding, AFailedWriteLeavesEveryFileAsItWas) {
  const std::wstring source = folder_.Write(L"source.bin", "new content");
  const std::wstring destination = folder_.Write(L"destination.bin", "the user's old file");
  const std::wstring readOnly = folder_.Write(L"readonly.bin", "kept in place");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  {
    Holder busy(destination);
    ExpectLogged("EnCode", [&] { EXPECT_FALSE(EnCode(source, destination)); });
  }
  {
    Holder busy(source);
    ExpectLogged("DeCode", [&] { EXPECT_FALSE(DeCode(source, destination)); });
  }
  ExpectLogged("EnCode", [&] { EXPECT_FALSE(EnCode(readOnly, readOnly)); });
  ExpectLogged("DeCode", [&] { EXPECT_FALSE(DeCode(source, folder_ / L"no-such-folder\\out.bin")); });
  ExpectLogged("EnCode", [&] { EXPECT_FALSE(EnCode(source, folder_.path())); });
  EXPECT_EQ(BytesOf(source), "new content");
  EXPECT_EQ(BytesOf(destination), "the user's old file");
  EXPECT_EQ(BytesOf(readOnly), "kept in place");
  EXPECT_EQ(NamesIn(folder_.path()), (std::vector<std::wstring>{L"destination.bin", L"readonly.bin", L"source.bin"}));
}

}  // namespace
}  // namespace brixen::test::file
