// clsProperty's bitmap, icon and mapping-mode members: bit counts of real bitmap files of every
// depth (the files are checked to load as bitmaps), widths of real icon files, an object swapped
// into a device context, and mapping mode, window and viewport read back from the context.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"

namespace brixen::test {
namespace {

template <class T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A bitmap file of the given depth (bottom-up, or top-down for a negative height): headers,
// a grey palette for the depths that have one, and zero pixels.
std::string BitmapFile(int bits, int width, int height) {
  const int palette = bits <= 8 ? 1 << bits : 0;
  const int stride = ((width * bits + 31) / 32) * 4;
  const int image = stride * std::abs(height);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + palette * sizeof(RGBQUAD);
  std::string bytes;
  Append(bytes, BITMAPFILEHEADER{0x4D42, offset + image, 0, 0, offset});
  Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB,
                                 static_cast<DWORD>(image), 2835, 2835, static_cast<DWORD>(palette), 0});
  for (int i = 0; i < palette; ++i) {
    const auto level = static_cast<BYTE>(i * 255 / (palette - 1));
    Append(bytes, RGBQUAD{level, level, level, 0});
  }
  bytes.append(image, '\0');
  return bytes;
}

// A single-image icon file of size x size pixels, 32 bits per pixel, with its AND mask.
std::string IconFile(int size) {
  const int pixels = size * size * 4, mask = ((size + 31) / 32) * 4 * size;
  const DWORD image = sizeof(BITMAPINFOHEADER) + pixels + mask;
  std::string bytes;
  const WORD header[] = {0, 1, 1};  // reserved, type icon, one image
  Append(bytes, header);
  const BYTE entry_size[] = {static_cast<BYTE>(size), static_cast<BYTE>(size), 0, 0};
  Append(bytes, entry_size);
  const WORD planes_bits[] = {1, 32};
  Append(bytes, planes_bits);
  Append(bytes, image);
  Append(bytes, static_cast<DWORD>(6 + 16));
  Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, size * 2, 1, 32, BI_RGB,
                                 static_cast<DWORD>(pixels + mask), 0, 0, 0, 0});
  bytes.append(pixels, '\x7f');
  bytes.append(mask, '\0');
  return bytes;
}

class PropertyGraphics : public testing::Test {
 protected:
  long BitCount(const std::wstring& path) {
    long bits = -7;
    EXPECT_EQ(property_->GetBmpBitCount(OwnedBstr(path).get(), &bits), S_OK);
    return bits;
  }
  long IconWidth(const std::wstring& path) {
    long width = -7;
    EXPECT_EQ(property_->get_IconSize(OwnedBstr(path).get(), &width), S_OK);
    return width;
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
  TempFolder folder_;
};

TEST_F(PropertyGraphics, BitCountOfBitmapFilesOfEveryDepth) {
  const struct {
    int bits, height;
  } cases[] = {{1, 8}, {4, 8}, {8, 8}, {24, 8}, {32, 8}, {24, -8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.bits) + " bits, height " + std::to_string(c.height));
    const std::wstring path = folder_ / (L"depth" + std::to_wstring(c.bits) + (c.height < 0 ? L"td" : L"") + L".bmp");
    WriteFile(path, BitmapFile(c.bits, 8, c.height));
    const win::Bitmap loaded(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(loaded) << "the platform reads the file as a bitmap";
    EXPECT_EQ(BitCount(path), c.bits);
  }
}

TEST_F(PropertyGraphics, AShortFileReadsZerosAndAMissingOneIsLoggedAsError53) {
  const std::wstring short_file = folder_ / L"short.bmp";
  WriteFile(short_file, "BM\x10");
  ExpectQuiet([&] { EXPECT_EQ(BitCount(short_file), 0); });
  ExpectLogged("GetBmpBitCount", [&] { EXPECT_EQ(BitCount(folder_ / L"missing.bmp"), 0); });
  const ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer;
  BitCount(folder_ / L"missing.bmp");
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_NE(answerer.Boxes()[0].text.find(L"[ErrCode] 53"), std::wstring::npos) << "file not found";
  EXPECT_TRUE(DeleteFileW(short_file.c_str())) << "the file was closed";
}

TEST_F(PropertyGraphics, IconWidthOfRealIconFiles) {
  for (int size : {32, 48}) {
    SCOPED_TRACE(size);
    const std::wstring path = folder_ / (L"icon" + std::to_wstring(size) + L".ico");
    WriteFile(path, IconFile(size));
    const HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr) << "the platform reads the file as an icon";
    DestroyIcon(icon);
    EXPECT_EQ(IconWidth(path), size);
    EXPECT_TRUE(DeleteFileW(path.c_str())) << "the file was closed";
  }
}

TEST_F(PropertyGraphics, AMissingIconIsZeroWithoutALog) {
  ExpectQuiet([&] { EXPECT_EQ(IconWidth(folder_ / L"missing.ico"), 0); });
}

TEST_F(PropertyGraphics, SelectOneObjectAndDeleteAnother) {
  const win::MemoryDC dc(CreateCompatibleDC(nullptr));
  HBITMAP bitmap = CreateCompatibleBitmap(dc.get(), 4, 4);
  const HGDIOBJ original = SelectObject(dc.get(), bitmap);
  long result = -7;
  ASSERT_EQ(property_->apSel_DelObject(win::LongOf(dc.get()), win::LongOf(original), win::LongOf(bitmap), &result), S_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the bitmap was deleted";
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);

  // A deletion that fails (nothing to delete; Wine, unlike Windows, also deletes an object still
  // selected elsewhere, later) gives 0, and the selection is still made.
  const win::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
  ASSERT_EQ(property_->apSel_DelObject(win::LongOf(dc.get()), win::LongOf(brush.get()), 0, &result), S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
  SelectObject(dc.get(), GetStockObject(WHITE_BRUSH));
}

TEST_F(PropertyGraphics, MappingModeWindowAndViewportReadBackFromTheContext) {
  const win::MemoryDC dc(CreateCompatibleDC(nullptr));
  const long hdc = win::LongOf(dc.get());
  long result = -7;
  ASSERT_EQ(property_->SetMapWindow(hdc, eMM_ANISOTROPIC, 10, 20, 300, 400, &result), S_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(GetMapMode(dc.get()), MM_ANISOTROPIC);
  POINT origin{};
  SIZE extent{};
  GetWindowOrgEx(dc.get(), &origin);
  GetWindowExtEx(dc.get(), &extent);
  EXPECT_EQ(origin.x, 10);
  EXPECT_EQ(origin.y, 20);
  EXPECT_EQ(extent.cx, 300);
  EXPECT_EQ(extent.cy, 400);

  ASSERT_EQ(property_->SetMapViewPort(hdc, 5, 6, 150, 200, &result), S_OK);
  EXPECT_EQ(result, 1);
  GetViewportOrgEx(dc.get(), &origin);
  GetViewportExtEx(dc.get(), &extent);
  EXPECT_EQ(origin.x, 5);
  EXPECT_EQ(origin.y, 6);
  EXPECT_EQ(extent.cx, 150);
  EXPECT_EQ(extent.cy, 200);

  long x = 0, y = 0, cx = 0, cy = 0;
  VARIANT_BOOL read = VARIANT_FALSE;
  ASSERT_EQ(property_->GetWindowWidth(hdc, &x, &y, &cx, &cy, &read), S_OK);
  EXPECT_EQ(read, VARIANT_TRUE);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(cx, 300);
  EXPECT_EQ(cy, 400);
}

TEST_F(PropertyGraphics, AnInvalidContextGivesZeroAndFalseAndLeavesTheArguments) {
  const long invalid = 0x12345;
  long result = -7;
  ASSERT_EQ(property_->SetMapWindow(invalid, eMM_TEXT, 0, 0, 1, 1, &result), S_OK);
  EXPECT_EQ(result, 0);
  ASSERT_EQ(property_->SetMapViewPort(invalid, 0, 0, 1, 1, &result), S_OK);
  EXPECT_EQ(result, 0);
  long x = 1, y = 2, cx = 3, cy = 4;
  VARIANT_BOOL read = VARIANT_TRUE;
  ASSERT_EQ(property_->GetWindowWidth(invalid, &x, &y, &cx, &cy, &read), S_OK);
  EXPECT_EQ(read, VARIANT_FALSE);
  EXPECT_EQ(x + y + cx + cy, 10) << "the arguments keep their values";
}

}  // namespace
}  // namespace brixen::test
