// clsMethod's drawing members on real device contexts: gradients and tiles read back pixel by
// pixel from a 32-bit memory bitmap (and a gradient on a window's own device context), and every
// edge kind of every edge member compared, pixel for pixel, with the platform's own DrawEdge on
// the rectangle the member must use.
#include <windows.h>
#include <olectl.h>

#include <cmath>
#include <functional>
#include <string>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"
#include "picturebox/canvas.h"
#include "property_object.h"

namespace brixen::test {
namespace {

using picbox::Image;

constexpr long kLeftRight = eLeftRight, kTopBottom = eTopBottom;
constexpr COLORREF kBackground = RGB(200, 200, 200);
const long kEdgeKinds[] = {BDR_RAISEDOUTER, BDR_SUNKENOUTER, BDR_RAISEDINNER, EDGE_RAISED,
                           EDGE_ETCHED,     BDR_SUNKENINNER, EDGE_BUMP,       EDGE_SUNKEN};

long DcValue(HDC dc) { return win::LongOf(dc); }

// The pixel as a colour value (red in the low byte).
COLORREF PixelOf(const Image& image, int x, int y) {
  const std::uint32_t rgb = image.Rgb(x, y);
  return RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

void Fill(const Image& image, COLORREF color) {
  const win::Brush brush(CreateSolidBrush(color));
  const RECT all{0, 0, image.width(), image.height()};
  FillRect(image.dc(), &all, brush.get());
}

// The first pixel where two images differ, as text; "" when they are equal.
std::string FirstDifference(const Image& a, const Image& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.Rgb(x, y) != b.Rgb(x, y)) {
        char text[96];
        snprintf(text, sizeof text, "(%d, %d): %06X, expected %06X", x, y, a.Rgb(x, y), b.Rgb(x, y));
        return text;
      }
    }
  }
  return "";
}

// A borderless window whose client area has the given size, on top of the desktop.
class TestWindow {
 public:
  TestWindow(int width, int height, bool visible = false)
      : window_(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0),
                                0, 0, width, height, nullptr, nullptr, nullptr, nullptr)) {
    if (visible) UpdateWindow(window_);
  }
  ~TestWindow() { DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }
  long value() const { return win::LongOf(window_); }

 private:
  HWND window_;
};

class MethodDrawing : public testing::Test {
 protected:
  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
};

// ---- Gradate

struct Rgb {
  int red, green, blue;
};
Rgb Channels(COLORREF color) { return {GetRValue(color), GetGValue(color), GetBValue(color)}; }

// The colour of band k of a gradient over `extent` pixels in bands of `step`: the start colour
// for the first two bands, then the colour for position (k - 1) * step.
COLORREF BandColor(int band, long extent, long step, COLORREF start, COLORREF end) {
  if (band == 0) return start;
  const long position = (band - 1) * step;
  const Rgb from = Channels(start), to = Channels(end);
  auto channel = [&](int c0, int c1) {
    return static_cast<int>(std::nearbyint(static_cast<double>((extent - position) * (c0 - c1)) / extent + c1));
  };
  return RGB(channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue));
}

struct GradientCase {
  int width, height;
  long direction;
  long step;  // the band width the area gives
};

class Gradients : public MethodDrawing, public testing::WithParamInterface<GradientCase> {};

TEST_P(Gradients, BandsOfTheStepWidthRunFromTheStartColourOneBandBehind) {
  const GradientCase& c = GetParam();
  const COLORREF start = RGB(250, 10, 0), end = RGB(0, 120, 255);
  TestWindow window(c.width, c.height);
  Image image(c.width, c.height);
  Fill(image, kBackground);
  ASSERT_EQ(method_->Gradate(window.value(), DcValue(image.dc()), start, end, static_cast<ENUM_GradeDirection>(c.direction)),
            S_OK);
  const bool across = c.direction == kLeftRight;
  const long extent = across ? c.width : c.height;
  EXPECT_EQ(PixelOf(image, 0, 0), start);
  EXPECT_EQ(across ? PixelOf(image, c.step, 0) : PixelOf(image, 0, c.step), start) << "the second band";
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const int band = (across ? x : y) / c.step;
      ASSERT_EQ(PixelOf(image, x, y), BandColor(band, extent, c.step, start, end)) << "pixel " << x << ", " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Areas, Gradients,
                         testing::Values(GradientCase{100, 12, kLeftRight, 1}, GradientCase{1000, 6, kLeftRight, 4},
                                         GradientCase{383, 5, kLeftRight, 2}, GradientCase{12, 100, kTopBottom, 1},
                                         GradientCase{6, 1000, kTopBottom, 4}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) +
                                  (info.param.direction == kLeftRight ? "_LeftRight" : "_TopBottom");
                         });

TEST_F(MethodDrawing, GradateOfEqualColoursIsOneColour) {
  TestWindow window(300, 40);
  Image image(300, 40);
  ASSERT_EQ(method_->Gradate(window.value(), DcValue(image.dc()), RGB(10, 200, 30), RGB(10, 200, 30), eLeftRight), S_OK);
  for (int x = 0; x < 300; ++x) ASSERT_EQ(PixelOf(image, x, 20), RGB(10, 200, 30)) << x;
}

TEST_F(MethodDrawing, ASystemColourIsItsCurrentValue) {
  TestWindow window(120, 20);
  Image by_index(120, 20), by_value(120, 20);
  const long highlight = static_cast<long>(0x80000000u | COLOR_HIGHLIGHT);
  ASSERT_EQ(method_->Gradate(window.value(), DcValue(by_index.dc()), highlight, RGB(255, 255, 255), eLeftRight), S_OK);
  ASSERT_EQ(method_->Gradate(window.value(), DcValue(by_value.dc()), static_cast<long>(GetSysColor(COLOR_HIGHLIGHT)),
                             RGB(255, 255, 255), eLeftRight),
            S_OK);
  EXPECT_EQ(FirstDifference(by_index, by_value), "");
  EXPECT_NE(PixelOf(by_index, 0, 0), PixelOf(by_index, 119, 0));
}

// The band never moves and the colour step divides 0 by 0: the error is logged under
// "DrawGradation", and what was drawn (the start colour everywhere) is still copied.
TEST_F(MethodDrawing, AnUnknownDirectionIsLoggedAndTheStartColourStillCopied) {
  TestWindow window(50, 30);
  Image image(50, 30);
  Fill(image, kBackground);
  ExpectLogged("DrawGradation", [&] {
    EXPECT_EQ(method_->Gradate(window.value(), DcValue(image.dc()), RGB(1, 2, 3), RGB(200, 200, 200),
                               static_cast<ENUM_GradeDirection>(7)),
              S_OK);
  });
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(PixelOf(image, x, y), RGB(1, 2, 3)) << x << ", " << y;
  }
}

TEST_F(MethodDrawing, GradateOnAWindowsOwnDeviceContext) {
  TestWindow window(200, 50, true);
  const win::WindowDC dc(window.get());
  ASSERT_EQ(method_->Gradate(window.value(), DcValue(dc.get()), RGB(255, 0, 0), RGB(0, 0, 255), eLeftRight), S_OK);
  GdiFlush();
  EXPECT_EQ(GetPixel(dc.get(), 0, 25), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.get(), 1, 25), RGB(255, 0, 0)) << "the second band";
  EXPECT_EQ(GetPixel(dc.get(), 150, 10), BandColor(150, 200, 1, RGB(255, 0, 0), RGB(0, 0, 255)));
  EXPECT_EQ(GetPixel(dc.get(), 199, 49), BandColor(199, 200, 1, RGB(255, 0, 0), RGB(0, 0, 255)));
}

// ---- edges

struct EdgeCase {
  const char* member;
  // Draws with the member on dc; window is a 100 x 70 client area.
  std::function<HRESULT(_clsMethod*, HDC, long window, long kind)> draw;
  // The platform's own drawing the member must equal.
  std::function<void(HDC, long kind)> expected;
};

void PlatformEdge(HDC dc, RECT rect, long kind, UINT sides) { DrawEdge(dc, &rect, static_cast<UINT>(kind), sides); }

ComPtr<PropertyObject> Button() {
  ComPtr<PropertyObject> button = PropertyObject::Make();
  button->Set(L"Left", Variant(Single{20.5f})).Set(L"Top", Variant(Long{10}));
  button->Set(L"Width", Variant(Single{40.5f})).Set(L"Height", Variant(Integer{20}));
  return button;
}

const EdgeCase kEdgeCases[] = {
    {"DrawEdgeAPI", [](_clsMethod* m, HDC dc, long, long kind) {
       return m->DrawEdgeAPI(DcValue(dc), 10, 12, 90, 60, static_cast<ENUM_EDGE>(kind));
     },
     [](HDC dc, long kind) { PlatformEdge(dc, {10, 12, 90, 60}, kind, BF_RECT); }},
    {"DrawWaku", [](_clsMethod* m, HDC dc, long, long kind) {
       return m->DrawWaku(DcValue(dc), 10, 12, 90, 60, 3, static_cast<ENUM_EDGE>(kind));
     },
     [](HDC dc, long kind) { PlatformEdge(dc, {7, 9, 93, 63}, kind, BF_RECT); }},
    // Left 20.5 and Width 40.5 are Singles: 18.5 and 63 round to 18 and 63 (halves to even).
    {"DrawButtonEdge", [](_clsMethod* m, HDC dc, long, long kind) {
       return m->DrawButtonEdge(DcValue(dc), Button().Get(), static_cast<ENUM_EDGE>(kind), 2);
     },
     [](HDC dc, long kind) { PlatformEdge(dc, {18, 8, 63, 32}, kind, BF_RECT); }},
    // The client area 100 x 70 shrunk by 2 on every side, then 1 more to the right and bottom.
    {"DrawMyEdge", [](_clsMethod* m, HDC dc, long window, long kind) {
       return m->DrawMyEdge(static_cast<ENUM_EDGE>(kind), DcValue(dc), window, -2, -2, 1, 1);
     },
     [](HDC dc, long kind) {
       PlatformEdge(dc, {2, 2, 99, 69}, kind, BF_LEFT | BF_TOP);
       PlatformEdge(dc, {2, 2, 99, 69}, kind, BF_RIGHT | BF_BOTTOM);
     }},
    // Always etched, on the top side of a one-pixel-high rectangle.
    {"DrawSeparateLine", [](_clsMethod* m, HDC dc, long, long) {
       VARIANT hdc;
       V_VT(&hdc) = VT_I4;
       V_I4(&hdc) = DcValue(dc);
       return m->DrawSeparateLine(hdc, 10, 20, 90);
     },
     [](HDC dc, long) { PlatformEdge(dc, {10, 20, 90, 21}, EDGE_ETCHED, BF_TOP); }},
};

class Edges : public MethodDrawing, public testing::WithParamInterface<EdgeCase> {};

TEST_P(Edges, EachKindEqualsThePlatformsDrawEdgeOnTheMembersRectangle) {
  TestWindow window(100, 70);
  for (long kind : kEdgeKinds) {
    SCOPED_TRACE("edge kind " + std::to_string(kind));
    Image drawn(100, 70), expected(100, 70);
    Fill(drawn, kBackground);
    Fill(expected, kBackground);
    ASSERT_EQ(GetParam().draw(method_.Get(), drawn.dc(), window.value(), kind), S_OK);
    GetParam().expected(expected.dc(), kind);
    EXPECT_EQ(FirstDifference(drawn, expected), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Members, Edges, testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.member); });

// Late bound, as callers that leave the style out: a raised edge. With style 0, nothing.
TEST_F(MethodDrawing, DrawWakuWithoutAStyleIsRaisedAndWithZeroDrawsNothing) {
  Image drawn(100, 70), raised(100, 70), untouched(100, 70);
  for (const Image* image : {&drawn, &raised, &untouched}) Fill(*image, kBackground);
  Call call;
  InvokeByName(method_.Get(), L"DrawWaku", DISPATCH_METHOD,
               {LongArg(DcValue(drawn.dc())), LongArg(10), LongArg(12), LongArg(90), LongArg(60), LongArg(3)}, call);
  ASSERT_EQ(call.hr, S_OK);
  PlatformEdge(raised.dc(), {7, 9, 93, 63}, EDGE_RAISED, BF_RECT);
  EXPECT_EQ(FirstDifference(drawn, raised), "");

  Image none(100, 70);
  Fill(none, kBackground);
  ASSERT_EQ(method_->DrawWaku(DcValue(none.dc()), 10, 12, 90, 60, 3, static_cast<ENUM_EDGE>(0)), S_OK);
  EXPECT_EQ(FirstDifference(none, untouched), "");
}

TEST_F(MethodDrawing, DrawMyEdgeShrunkByTwoLiesInsideTheClientArea) {
  TestWindow window(100, 70);
  Image drawn(100, 70);
  Fill(drawn, kBackground);
  ASSERT_EQ(method_->DrawMyEdge(static_cast<ENUM_EDGE>(EDGE_SUNKEN), DcValue(drawn.dc()), window.value(), -2, -2, 0, 0), S_OK);
  int changed = 0;
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool inside = x >= 2 && x < 98 && y >= 2 && y < 68;
      if (PixelOf(drawn, x, y) == kBackground) continue;
      ++changed;
      EXPECT_TRUE(inside) << "drawn outside at " << x << ", " << y;
    }
  }
  EXPECT_GT(changed, 0);
}

TEST_F(MethodDrawing, ArithmeticBeyondTheLongRangeIsAnOverflow) {
  Image image(10, 10);
  EXPECT_EQ(method_->DrawWaku(DcValue(image.dc()), 0, 0, 2147483647, 5, 1, static_cast<ENUM_EDGE>(EDGE_RAISED)), MAKE_HRESULT(1, FACILITY_CONTROL, 6));
  EXPECT_EQ(method_->DrawSeparateLine(Variant(Long{DcValue(image.dc())}).get(), 0, 2147483647, 5),
            MAKE_HRESULT(1, FACILITY_CONTROL, 6));
}

// ---- TileBitmap

// A 32 x 32 bitmap whose every pixel differs, as a picture object that owns it.
constexpr int kTile = 32;
COLORREF TileColor(int x, int y) { return RGB(x * 8, y * 8, 128); }

ComPtr<IPictureDisp> TilePicture() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kTile, -kTile, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const COLORREF c = TileColor(x, y);
      pixels[y * kTile + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  }
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  ComPtr<IPictureDisp> picture;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture), S_OK);
  return picture;
}

ComPtr<IPictureDisp> IconPicture() {
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = LoadIconW(nullptr, IDI_APPLICATION);
  ComPtr<IPictureDisp> picture;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, &picture), S_OK);
  return picture;
}

// A form or picture box whose scale is pixels, drawing into the image.
ComPtr<PropertyObject> Destination(const Image& image) {
  ComPtr<PropertyObject> destination = PropertyObject::Make();
  destination->Set(L"ScaleWidth", Variant(Single{static_cast<float>(image.width())}));
  destination->Set(L"ScaleHeight", Variant(Single{static_cast<float>(image.height())}));
  destination->Set(L"hdc", Variant(Long{DcValue(image.dc())}));
  return destination;
}

void ExpectTiled(const Image& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(PixelOf(image, x, y), TileColor(x % kTile, y % kTile)) << "pixel " << x << ", " << y;
    }
  }
}

TEST_F(MethodDrawing, TilesCoverTheWholeArea) {
  Image image(100, 70);
  Fill(image, kBackground);
  ComPtr<IPictureDisp> picture = TilePicture();
  IPictureDisp* held = picture.Get();
  ASSERT_EQ(method_->TileBitmap(Destination(image).Get(), &held), S_OK);
  EXPECT_EQ(held, picture.Get()) << "the caller's picture stays";
  ExpectTiled(image);
}

// However a caller holds the picture: by value, in a typed picture variable, or in a script's
// variable (a reference to a Variant).
TEST_F(MethodDrawing, ThePictureReachesTheMemberHoweverItIsPassed) {
  ComPtr<IPictureDisp> picture = TilePicture();
  VARIANT variable;
  V_VT(&variable) = VT_DISPATCH;
  V_DISPATCH(&variable) = picture.Get();
  IDispatch* typed = picture.Get();
  const struct {
    const char* how;
    VARIANT argument;
  } cases[] = {
      {"by value", [&] { VARIANT v; V_VT(&v) = VT_DISPATCH; V_DISPATCH(&v) = picture.Get(); return v; }()},
      {"typed reference", [&] { VARIANT v; V_VT(&v) = VT_BYREF | VT_DISPATCH; V_DISPATCHREF(&v) = &typed; return v; }()},
      {"script variable", [&] { VARIANT v; V_VT(&v) = VT_BYREF | VT_VARIANT; V_VARIANTREF(&v) = &variable; return v; }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Image image(100, 70);
    Fill(image, kBackground);
    ComPtr<PropertyObject> destination = Destination(image);
    Call call;
    InvokeByName(method_.Get(), L"TileBitmap", DISPATCH_METHOD, {ObjectArg(destination.Get()), c.argument}, call);
    ASSERT_EQ(call.hr, S_OK) << std::hex << call.ErrorNumber();
    ExpectTiled(image);
  }
  EXPECT_EQ(V_DISPATCH(&variable), picture.Get());
  EXPECT_EQ(typed, picture.Get());
}

TEST_F(MethodDrawing, APictureThatIsNoBitmapIsTheCallersError) {
  Image image(100, 70);
  ComPtr<IPictureDisp> icon = IconPicture();
  IPictureDisp* held = icon.Get();
  EXPECT_EQ(method_->TileBitmap(Destination(image).Get(), &held), MAKE_HRESULT(1, FACILITY_CONTROL, 11))
      << "the tile's width is 0: division by zero";
}

TEST_F(MethodDrawing, TileBitmapWithoutAPictureOrDestinationIsError91) {
  Image image(10, 10);
  IPictureDisp* none = nullptr;
  EXPECT_EQ(method_->TileBitmap(Destination(image).Get(), &none), MAKE_HRESULT(1, FACILITY_CONTROL, 91));
  ComPtr<IPictureDisp> picture = TilePicture();
  IPictureDisp* held = picture.Get();
  EXPECT_EQ(method_->TileBitmap(nullptr, &held), MAKE_HRESULT(1, FACILITY_CONTROL, 91));
}

}  // namespace
}  // namespace brixen::test
