// The test picture box (tools/picturebox) as the library meets it: late bound by name, drawing
// into a real memory image through scale, draw mode, text and read-back members.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "frame/com/latebound.h"
#include "frame/win/handles.h"
#include "tools/picturebox/picturebox.h"

namespace brixen::test {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 40;
constexpr Long kWhite = 0xFFFFFF;
constexpr Long kRed = 0x0000FF;
constexpr Long kBackground = 0x00C08040;  // a colour with distinct bytes: mistakes in a raster op show

struct PixelRect {
  int left, top, right, bottom;  // inclusive
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
  win::Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<unsigned char> bytes(file ? GetFileSize(file.get(), nullptr) : 0);
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    bytes.clear();
  }
  return bytes;
}

class PictureBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateTestPictureBox(kWidth, kHeight, &box_), S_OK);
  }
  void TearDown() override {
    if (box_) box_->Release();
  }

  void Let(const char16_t* name, const Variant& value) { LetProperty(box_, name, value); }
  Variant Get(const char16_t* name, std::initializer_list<Variant> args = {}) {
    return GetProperty(box_, name, args);
  }
  void Method(const char16_t* name, std::initializer_list<Variant> args = {}) { CallMethod(box_, name, args); }

  // A cleared image of one colour, on a scale of the given units.
  void Prepare(Long background, Single scaleWidth, Single scaleHeight) {
    Let(u"BackColor", Variant(background));
    Let(u"ScaleWidth", Variant(scaleWidth));
    Let(u"ScaleHeight", Variant(scaleHeight));
    Method(u"Cls");
  }
  void Box(Single x1, Single y1, Single x2, Single y2, Long colour, const char16_t* style) {
    Method(u"Line", {Variant(x1), Variant(y1), Variant(x2), Variant(y2), Variant(colour), Variant(style)});
  }
  Long Pixel(int x, int y) { return Get(u"PixelAt", {Variant(Long{x}), Variant(Long{y})}).ToLong(); }

  // Every pixel of the image: `inside` within the rectangle, `outside` elsewhere.
  void ExpectOnly(const PixelRect& rect, Long inside, Long outside) {
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const Long want = rect.Contains(x, y) ? inside : outside;
        const Long got = Pixel(x, y);
        if (got != want && ++wrong <= 5) ADD_FAILURE() << "pixel (" << x << "," << y << ") " << std::hex << got
                                                       << " expected " << want;
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  IDispatch* box_ = nullptr;
};

TEST_F(PictureBoxTest, StartsLikeAFreshPictureBox) {
  struct Default {
    const char16_t* name;
    double value;
  };
  const Default defaults[] = {
      {u"Width", kWidth},
      {u"Height", kHeight},
      {u"ScaleWidth", kWidth * 15.0},  // twips
      {u"ScaleHeight", kHeight * 15.0},
      {u"ScaleLeft", 0},
      {u"ScaleTop", 0},
      {u"DrawMode", 13},
      {u"ForeColor", 0},
      {u"BackColor", static_cast<Long>(0x80000005)},
      {u"CurrentX", 0},
      {u"CurrentY", 0},
      {u"AutoRedraw", 0},
      {u"Visible", 0},
  };
  for (const auto& d : defaults) {
    EXPECT_EQ(Get(d.name).ToDouble(), d.value) << std::string(d.name, d.name + std::char_traits<char16_t>::length(d.name));
  }
  const Long window = static_cast<Long>(GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(Pixel(0, 0), window);
  EXPECT_EQ(Pixel(kWidth - 1, kHeight - 1), window);
  EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(Get(u"hWnd").ToLong()))));
  EXPECT_NE(Get(u"hDC").ToLong(), 0);
}

// Scale units map to pixels as round((x - ScaleLeft) * pixels / ScaleWidth); a filled box
// covers both corners, given in any order.
TEST_F(PictureBoxTest, FilledBoxCoversTheScaledRectangleWithBothCorners) {
  struct Case {
    Single scale_left, scale_top, scale_width, scale_height;
    Single x1, y1, x2, y2;
    PixelRect expected;
  };
  const Case cases[] = {
      {0, 0, 100, 100, 0, 0, 50, 100, {0, 0, 100, 39}},        // half the width is 100 px, far corner included
      {0, 0, 100, 100, 50, 50, 10, 0, {20, 0, 100, 20}},       // corners in reverse order
      {0, 0, 3000, 600, 0, 0, 150, 150, {0, 0, 10, 10}},       // twips: 15 to the pixel
      {10, 20, 100, 40, 10, 20, 20, 30, {0, 0, 20, 10}},       // shifted origin
      {0, 0, 100, 100, 25, 50, 25, 50, {50, 20, 50, 20}},      // degenerate: one pixel
      {0, 0, 400, 80, 0.9f, 0, 1.1f, 0, {0, 0, 1, 0}},          // rounding to the nearest pixel
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "box (" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2
                                    << ") on scale " << c.scale_width << "x" << c.scale_height);
    Let(u"ScaleLeft", Variant(c.scale_left));
    Let(u"ScaleTop", Variant(c.scale_top));
    Prepare(kWhite, c.scale_width, c.scale_height);
    Box(c.x1, c.y1, c.x2, c.y2, kRed, u"BF");
    ExpectOnly(c.expected, kRed, kWhite);
    EXPECT_EQ(Get(u"CurrentX").ToSingle(), c.x2);
    EXPECT_EQ(Get(u"CurrentY").ToSingle(), c.y2);
  }
}

// The draw mode is the raster operation of lines and boxes, on 24-bit RGB values.
TEST_F(PictureBoxTest, DrawModeCombinesPenAndPixel) {
  struct Case {
    Integer mode;
    Long pen;
    Long expected;
  };
  const Case cases[] = {
      {13, 0x123456, 0x123456},                              // copy pen
      {10, 0x123456, ~(0x123456 ^ kBackground) & 0xFFFFFF},  // not xor pen
      {10, kBackground, kWhite},                             // not xor with itself: white
      {7, 0x00FF00, 0x00FF00 ^ kBackground},                 // xor pen
      {4, 0x123456, ~0x123456 & 0xFFFFFF},                   // not copy pen
      {9, 0x0F0F0F, 0x0F0F0F & kBackground},                 // mask pen
      {15, 0x0F0F0F, 0x0F0F0F | kBackground},                // merge pen
      {6, 0x123456, ~kBackground & 0xFFFFFF},                // invert ignores the pen
      {11, 0x123456, kBackground},                           // nop
      {1, 0x123456, 0},                                      // blackness
      {16, 0x123456, kWhite},                                // whiteness
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "DrawMode " << c.mode << " pen " << std::hex << c.pen);
    Prepare(kBackground, 200, 40);
    Let(u"DrawMode", Variant(c.mode));
    Box(10, 10, 19, 19, c.pen, u"BF");
    ExpectOnly({10, 10, 19, 19}, c.expected, kBackground);
  }
}

TEST_F(PictureBoxTest, NotXorTwiceRestoresThePicture) {
  Prepare(kBackground, 200, 40);
  Let(u"DrawMode", Variant(Integer{10}));
  Box(0, 0, 50, 20, 0x345678, u"BF");
  Box(0, 0, 50, 20, 0x345678, u"BF");
  ExpectOnly({0, 0, -1, -1}, 0, kBackground);
}

// The outline and the plain line touch each pixel once: under xor, drawn pixels differ from
// the background and the line's end point is left out.
TEST_F(PictureBoxTest, OutlineAndLineDrawEachPixelOnce) {
  constexpr Long kPen = 0x00FF00;
  const Long xored = kPen ^ kBackground;
  Prepare(kBackground, 200, 40);
  Let(u"DrawMode", Variant(Integer{7}));
  Box(10, 5, 30, 15, kPen, u"B");
  for (const auto& corner : {POINT{10, 5}, POINT{30, 5}, POINT{30, 15}, POINT{10, 15}}) {
    EXPECT_EQ(Pixel(corner.x, corner.y), xored) << corner.x << "," << corner.y;
  }
  EXPECT_EQ(Pixel(20, 5), xored);
  EXPECT_EQ(Pixel(20, 10), kBackground);  // the inside stays
  EXPECT_EQ(Pixel(31, 15), kBackground);

  Box(40, 30, 60, 30, kPen, u"");
  EXPECT_EQ(Pixel(40, 30), xored);
  EXPECT_EQ(Pixel(59, 30), xored);
  EXPECT_EQ(Pixel(60, 30), kBackground);
  EXPECT_EQ(Get(u"CurrentX").ToLong(), 60);
}

TEST_F(PictureBoxTest, LineWithoutColourUsesForeColor) {
  Prepare(kWhite, 200, 40);
  Let(u"ForeColor", Variant(Long{0x336699}));
  Method(u"Line", {Variant(Long{5}), Variant(Long{5}), Variant(Long{8}), Variant(Long{8}), Variant::Missing(),
                 Variant(u"bf")});
  ExpectOnly({5, 5, 8, 8}, 0x336699, kWhite);
  Prepare(kWhite, 200, 40);
  Method(u"Line", {Variant(Long{5}), Variant(Long{5}), Variant(Long{8}), Variant(Long{8})});
  EXPECT_EQ(Pixel(5, 5), 0x336699);
  EXPECT_EQ(Pixel(6, 6), 0x336699);
  EXPECT_EQ(Pixel(8, 8), kWhite);
}

// Text is drawn at CurrentX/CurrentY in ForeColor whatever the draw mode, inside the extent
// that TextWidth and TextHeight report; Print then moves to the start of the next line.
TEST_F(PictureBoxTest, PrintDrawsForeColorTextWithinItsMeasuredExtent) {
  constexpr Long kText = 0x0000C0;
  const Single scale_width = 100, scale_height = 100;  // 2 px per unit across, 0.4 px down
  Prepare(kWhite, scale_width, scale_height);
  Let(u"DrawMode", Variant(Integer{10}));
  Let(u"ForeColor", Variant(kText));
  const Variant text(u"Hg 42%");
  const Single tw = Get(u"TextWidth", {text}).ToSingle();
  const Single th = Get(u"TextHeight", {text}).ToSingle();
  ASSERT_GT(tw, 0);
  ASSERT_GT(th, 0);
  const Single x = 10, y = 20;
  Let(u"CurrentX", Variant(x));
  Let(u"CurrentY", Variant(y));
  Method(u"Print", {text});

  const PixelRect extent{static_cast<int>(x * kWidth / scale_width), static_cast<int>(y * kHeight / scale_height),
                         static_cast<int>((x + tw) * kWidth / scale_width) - 1,
                         static_cast<int>((y + th) * kHeight / scale_height) - 1};
  int text_pixels = 0, stray = 0;
  for (int py = 0; py < kHeight; ++py) {
    for (int px = 0; px < kWidth; ++px) {
      const Long p = Pixel(px, py);
      if (p == kWhite) continue;
      if (p == kText && extent.Contains(px, py)) {
        ++text_pixels;
      } else if (++stray <= 5) {
        ADD_FAILURE() << "pixel (" << px << "," << py << ") " << std::hex << p;
      }
    }
  }
  EXPECT_GT(text_pixels, 20);
  EXPECT_EQ(stray, 0);
  EXPECT_EQ(Get(u"CurrentX").ToSingle(), 0);
  EXPECT_FLOAT_EQ(Get(u"CurrentY").ToSingle(), y + th);
}

TEST_F(PictureBoxTest, TextMeasuresFollowTheScaleAndTheLines) {
  Prepare(kWhite, 200, 40);  // pixels
  const Single one_px_w = Get(u"TextWidth", {Variant(u"Progress")}).ToSingle();
  const Single one_px_h = Get(u"TextHeight", {Variant(u"Progress")}).ToSingle();
  EXPECT_EQ(one_px_w, static_cast<int>(one_px_w));  // whole pixels
  EXPECT_GE(one_px_h, 8);
  Prepare(kWhite, 400, 400);
  EXPECT_FLOAT_EQ(Get(u"TextWidth", {Variant(u"Progress")}).ToSingle(), one_px_w * 2);
  EXPECT_FLOAT_EQ(Get(u"TextHeight", {Variant(u"Progress")}).ToSingle(), one_px_h * 10);
  EXPECT_FLOAT_EQ(Get(u"TextHeight", {Variant(u"a\r\nb")}).ToSingle(), one_px_h * 20);
  EXPECT_EQ(Get(u"TextWidth", {Variant(u"")}).ToSingle(), 0);
}

TEST_F(PictureBoxTest, PointReadsTheImageInScaleUnits) {
  Prepare(kWhite, 100, 100);
  Box(50, 50, 60, 60, 0x102030, u"BF");
  EXPECT_EQ(Get(u"Point", {Variant(Single{55}), Variant(Single{55})}).ToLong(), 0x102030);
  EXPECT_EQ(Get(u"Point", {Variant(Single{49}), Variant(Single{55})}).ToLong(), kWhite);
  EXPECT_EQ(Pixel(110, 22), 0x102030);  // 55 units: 110 px across, 22 px down
  EXPECT_EQ(Get(u"Point", {Variant(Single{-1}), Variant(Single{0})}).ToLong(), -1);
  EXPECT_EQ(Pixel(kWidth, 0), -1);
}

TEST_F(PictureBoxTest, SavePictureWritesA24BitBmpOfTheImage) {
  Prepare(kWhite, 200, 40);
  Box(0, 0, 0, 0, 0x0000FF, u"BF");      // top left red
  Box(199, 39, 199, 39, 0xFF0000, u"BF");  // bottom right blue
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"brixen_picturebox_test.bmp";
  Method(u"SavePicture", {Variant(String(path.begin(), path.end()))});

  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  DeleteFileW(path.c_str());
  const std::size_t stride = (kWidth * 3 + 3) & ~3;
  const std::size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  ASSERT_EQ(bytes.size(), offset + stride * kHeight);
  BITMAPFILEHEADER header;
  BITMAPINFOHEADER info;
  std::memcpy(&header, bytes.data(), sizeof header);
  std::memcpy(&info, bytes.data() + sizeof header, sizeof info);
  EXPECT_EQ(header.bfType, 0x4D42);
  EXPECT_EQ(header.bfSize, bytes.size());
  EXPECT_EQ(header.bfOffBits, offset);
  EXPECT_EQ(info.biWidth, kWidth);
  EXPECT_EQ(info.biHeight, kHeight);  // bottom-up
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
  auto bgr = [&](int x, int y) {
    const unsigned char* p = bytes.data() + offset + stride * (kHeight - 1 - y) + 3 * x;
    return Long{p[0]} << 16 | Long{p[1]} << 8 | Long{p[2]};  // back to red in the low byte
  };
  EXPECT_EQ(bgr(0, 0), 0x0000FF);
  EXPECT_EQ(bgr(199, 39), 0xFF0000);
  EXPECT_EQ(bgr(100, 20), kWhite);
}

TEST_F(PictureBoxTest, ResizeKeepsTheImageAndAUserScale) {
  Prepare(kWhite, 100, 100);
  Box(0, 0, 10, 10, kRed, u"BF");
  Let(u"Width", Variant(Long{300}));
  EXPECT_EQ(Get(u"Width").ToLong(), 300);
  EXPECT_EQ(Get(u"ScaleWidth").ToSingle(), 100);  // a user scale stretches with the box
  EXPECT_EQ(Pixel(20, 4), kRed);                   // the old picture stays where it was
  EXPECT_EQ(Pixel(299, 0), kWhite);                // new area in BackColor
  EXPECT_EQ(Get(u"Point", {Variant(Single{100}), Variant(Single{0})}).ToLong(), -1);

  IDispatch* fresh = nullptr;
  ASSERT_EQ(CreateTestPictureBox(10, 10, &fresh), S_OK);
  CallMethod(fresh, u"Resize", {Variant(Long{20}), Variant(Long{30})});
  EXPECT_EQ(GetProperty(fresh, u"ScaleWidth").ToSingle(), 300);  // twips follow the size
  EXPECT_EQ(GetProperty(fresh, u"ScaleHeight").ToSingle(), 450);
  fresh->Release();
}

TEST_F(PictureBoxTest, RefreshShowsTheImageInTheWindow) {
  Let(u"AutoRedraw", Variant(true));
  Let(u"Visible", Variant(true));
  Prepare(kWhite, 200, 40);
  Box(0, 0, 100, 40, 0x00FF00, u"BF");
  Method(u"Refresh");
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(Get(u"hWnd").ToLong()));
  const HDC dc = GetDC(window);
  const COLORREF left = GetPixel(dc, 50, 20), right = GetPixel(dc, 150, 20);
  ReleaseDC(window, dc);
  EXPECT_EQ(left, 0x00FF00u);
  EXPECT_EQ(right, static_cast<COLORREF>(kWhite));
}

TEST_F(PictureBoxTest, NamesAreCaseInsensitiveAndUnknownNamesRefused) {
  auto id_of = [&](const wchar_t* name, DISPID& id) {
    auto* wide = const_cast<LPOLESTR>(name);
    return box_->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id);
  };
  DISPID upper = 0, lower = 0, unknown = 0;
  EXPECT_EQ(id_of(L"ScaleWidth", upper), S_OK);
  EXPECT_EQ(id_of(L"SCALEWIDTH", lower), S_OK);
  EXPECT_EQ(upper, lower);
  EXPECT_EQ(id_of(L"Circle", unknown), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(unknown, DISPID_UNKNOWN);
  EXPECT_EQ(id_of(L"ScaleWidt", unknown), DISP_E_UNKNOWNNAME);
}

// Where a picture box raises a run-time error, the caller gets DISP_E_EXCEPTION with that error.
TEST_F(PictureBoxTest, InvalidValuesRaiseRunTimeErrors) {
  struct Case {
    const wchar_t* name;
    WORD flags;
    std::vector<VARIANT> (*args)();
    long error;
  };
  const Case cases[] = {
      {L"DrawMode", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(0)}; }, 380},
      {L"DrawMode", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(17)}; }, 380},
      {L"DrawMode", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(70000)}; }, 6},
      {L"DrawMode", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{TextArg(L"copy")}; }, 13},
      {L"ScaleWidth", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(0)}; }, 380},
      {L"ForeColor", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(0x01000000)}; }, 380},
      {L"BackColor", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(0x80000100)}; }, 380},
      {L"Width", DISPATCH_PROPERTYPUT, [] { return std::vector<VARIANT>{LongArg(0)}; }, 380},
      {L"Line", DISPATCH_METHOD,
       [] { return std::vector<VARIANT>{LongArg(0), LongArg(0), LongArg(1), LongArg(1), LongArg(0), TextArg(L"X")}; },
       5},
      {L"SavePicture", DISPATCH_METHOD, [] { return std::vector<VARIANT>{TextArg(L"C:\\no\\such\\folder\\p.bmp")}; },
       76},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name);
    Call call;
    InvokeByName(box_, c.name, c.flags, c.args(), call);
    EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(call.ErrorNumber(), c.error);
    EXPECT_EQ(static_cast<unsigned long>(call.exception.scode), 0x800A0000ul + c.error);
    EXPECT_FALSE(call.Description().empty());
  }
  EXPECT_EQ(Get(u"DrawMode").ToLong(), 13);  // a refused value leaves the old one
}

TEST_F(PictureBoxTest, WrongArgumentCountsAndReadOnlyMembersAreRefused) {
  Call too_few, read_only;
  InvokeByName(box_, L"Line", DISPATCH_METHOD, {LongArg(0), LongArg(0)}, too_few);
  EXPECT_EQ(too_few.hr, DISP_E_BADPARAMCOUNT);
  InvokeByName(box_, L"hWnd", DISPATCH_PROPERTYPUT, {LongArg(1)}, read_only);
  EXPECT_EQ(read_only.hr, DISP_E_MEMBERNOTFOUND);
}

TEST_F(PictureBoxTest, ObjectsAreCountedUntilReleased) {
  const long before = TestPictureBoxesAlive();
  IDispatch* other = nullptr;
  ASSERT_EQ(CreateTestPictureBox(5, 5, &other), S_OK);
  EXPECT_EQ(TestPictureBoxesAlive(), before + 1);
  other->Release();
  EXPECT_EQ(TestPictureBoxesAlive(), before);
  EXPECT_EQ(CreateTestPictureBox(0, 5, &other), E_INVALIDARG);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
}  // namespace brixen::test
