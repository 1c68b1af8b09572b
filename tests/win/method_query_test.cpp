// clsMethod's value splitting as callers meet it through COM: SeparateFNAME's split at the first
// full stop, GetBmpSize on bitmap files written here (and on files that are none), and the
// error handlers of both, reported under their module-name literals.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <utility>

#include "allocation_failure.h"
#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handles.h"
#include "helpers/clsMethod.h"
#include "msgbox_answerer.h"

// ---- allocation failure on demand (see allocation_failure.h)

namespace {
thread_local bool failNextAllocation = false;
}

// Allocates with malloc as libstdc++'s own operator new does, so its operator delete (free)
// stays the matching release.
void* operator new(std::size_t size) {
  if (std::exchange(failNextAllocation, false)) throw std::bad_alloc();
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

namespace brixen::test {

void FailNextAllocation() { failNextAllocation = true; }
bool AllocationFailurePending() { return failNextAllocation; }

namespace {

// ---- SeparateFNAME

TEST(MethodSeparateFNAME, SplitsAtTheFirstFullStop) {
  const ComPtr<_clsMethod> method = Create<_clsMethod>(CLSID_clsMethod);
  const struct {
    const wchar_t* name;
    const wchar_t* left;
    const wchar_t* right;  // "kept": the caller's value stays
  } cases[] = {
      {L"readme", L"readme", L"kept"},   // no full stop: tMigi is not assigned
      {L".profile", L"", L"profile"},    // a leading full stop: empty left part
      {L"a.b.c", L"a", L"b.c"},          // later full stops go to the right part
      {L"name.", L"name", L""},
      {L"", L"", L""},                   // empty: both cleared
      {L"日本語.テキスト", L"日本語", L"テキスト"},
  };
  for (const auto& c : cases) {
    const OwnedBstr name(c.name);
    OwnedBstr left(L"old"), right(L"kept");
    ASSERT_EQ(method->SeparateFNAME(name.get(), left.put(), right.put()), S_OK);
    EXPECT_EQ(left.text(), c.left) << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(right.text(), c.right) << testing::PrintToString(std::wstring(c.name));
  }
}

TEST(MethodSeparateFNAME, AFailureIsReportedUnderSeparateFNAME) {
  clsMethod method;
  const String name = u"a-long-file-name.extension";  // longer than the strings kept inline
  String left = u"old", right = u"kept";
  ExpectOutOfMemoryReportedAs("SeparateFNAME", [&] { method.SeparateFNAME(name, left, right); });
  EXPECT_EQ(right, u"kept");
}

// ---- GetBmpSize

// A 24-bit bitmap file as the platform writes one: file header, information header, pixel rows
// of 4-byte multiples. A negative height makes it top-down.
std::string BitmapFile(std::int32_t width, std::int32_t height) {
  const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowSize * static_cast<std::uint32_t>(std::abs(height));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + pixelBytes;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = pixelBytes;
  static_assert(sizeof file == 14 && sizeof info == 40);
  return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
         std::string(reinterpret_cast<const char*>(&info), sizeof info) + std::string(pixelBytes, '\x7F');
}

class MethodGetBmpSize : public testing::Test {
 protected:
  void SetUp() override { VariantInit(&height_); }
  void TearDown() override { VariantClear(&height_); }

  std::wstring Write(const wchar_t* name, const std::string& bytes) {
    const std::wstring path = folder_ / name;
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    return path;
  }

  // Calls through the slot with width 99 and height "old" as the caller's values.
  void GetBmpSize(const std::wstring& path) {
    const OwnedBstr name(path);
    width_ = 99;
    VariantClear(&height_);
    V_VT(&height_) = VT_BSTR;
    V_BSTR(&height_) = SysAllocString(L"old");
    ASSERT_EQ(method_->GetBmpSize(name.get(), &width_, &height_), S_OK);
  }

  void ExpectSize(long width, VARTYPE heightType, long height) {
    EXPECT_EQ(width_, width);
    ASSERT_EQ(V_VT(&height_), heightType);
    EXPECT_EQ(heightType == VT_I2 ? V_I2(&height_) : V_I4(&height_), height);
  }

  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
  TempFolder folder_;
  long width_ = 0;
  VARIANT height_;
};

TEST_F(MethodGetBmpSize, ReadsWidthAndHeightOfBottomUpAndTopDownBitmaps) {
  GetBmpSize(Write(L"bottom-up.bmp", BitmapFile(37, 21)));
  ExpectSize(37, VT_I4, 21);
  GetBmpSize(Write(L"top-down.bmp", BitmapFile(5, -9)));
  ExpectSize(5, VT_I4, -9);
}

TEST_F(MethodGetBmpSize, AMissingFileGivesZeroAndA16BitZero) {
  GetBmpSize(folder_ / L"missing.bmp");
  ExpectSize(0, VT_I2, 0);
  GetBmpSize(folder_.path());  // a folder is no file
  ExpectSize(0, VT_I2, 0);
}

// Not validated: the numbers at offsets 18 and 22, little-endian.
TEST_F(MethodGetBmpSize, AnyOtherFileGivesTheNumbersAtTheSameOffsets) {
  std::string text(64, ' ');
  text.replace(18, 8, "\x01\x02\x03\x04\xFE\xFF\xFF\xFF", 8);
  GetBmpSize(Write(L"notes.txt", text));
  ExpectSize(0x04030201, VT_I4, -2);
}

// A file shorter than the two headers reads as if padded with zero bytes.
TEST_F(MethodGetBmpSize, AShortFileReadsAsIfPaddedWithZeros) {
  GetBmpSize(Write(L"short.bmp", BitmapFile(70000, 1).substr(0, 20)));  // two bytes of the width
  ExpectSize(70000 & 0xFFFF, VT_I4, 0);
  GetBmpSize(Write(L"empty.bmp", ""));
  ExpectSize(0, VT_I4, 0);
}

// A file open elsewhere without sharing: reported under " GetBmpSize"; the caller's values stay.
TEST_F(MethodGetBmpSize, AnUnreadableFileIsReportedUnderItsModuleName) {
  const std::wstring path = Write(L"locked.bmp", BitmapFile(2, 2));
  const ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer;
  {
    const win::Handle lock(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    GetBmpSize(path);
  }
  EXPECT_EQ(width_, 99);
  ASSERT_EQ(V_VT(&height_), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&height_), L"old");
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  const std::wstring message = L" GetBmpSize\r\n\r\nPermission denied\r\n\r\n[ErrCode] 70\r\n";
  EXPECT_EQ(answerer.Boxes()[0].text.substr(0, message.size()), message);
  const std::string bytes = log.Bytes();
  EXPECT_NE(bytes.find("\r\n 70 "), std::string::npos) << bytes;
  EXPECT_NE(bytes.find(" GetBmpSize   Permission denied\r\n"), std::string::npos) << bytes;
}

}  // namespace
}  // namespace brixen::test
