// clsPrgsBar through the registered server (early binding, the _clsPrgsBar slots), drawing into
// the in-process test picture box, checked on the pixels of the box's persistent image.
//
// The expected image is built pixel by pixel: where the bar lies (from the direction, the value
// and the box's scale), and where the text's ink lies (the same text printed in black on a
// second, white box of the same size, scale and font at the centred position). With a white
// background the bar shows in the bar colour, ink outside it in the text colour and ink under it
// as NOT(bar XOR text). Pixels within 1.5 px of the bar's edge are not checked: whether a filled
// rectangle includes its far corner is the picture box's rule, not the bar's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "com_fixture.h"
#include "frame/com/latebound.h"
#include "msgbox_answerer.h"
#include "tools/picturebox/picturebox.h"

namespace brixen::test {
namespace {

constexpr int kWidthPx = 200;
constexpr int kHeightPx = 100;
constexpr Long kWhite = 0xFFFFFF;
constexpr Long kBlack = 0;
constexpr Long kRed = 0x0000FF;
constexpr Long kBarColour = 0x00C08040;  // distinct bytes: a wrong raster operation shows
constexpr double kEdgeMargin = 1.5;     // px around the bar's edge left to the box's rule

HRESULT RuntimeErrorCode(int number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }
Long NotXor(Long pen, Long pixel) { return ~(pen ^ pixel) & 0xFFFFFF; }
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

ComPtr<IDispatch> NewBox() {
  ComPtr<IDispatch> box;
  EXPECT_EQ(CreateTestPictureBox(kWidthPx, kHeightPx, box.GetAddressOf()), S_OK);
  return box;
}

// Every pixel of a box, row by row, read through PixelAt (its dispatch id looked up once).
using Image = std::vector<Long>;

Image ReadImage(IDispatch* box) {
  const DISPID pixel_at = MemberId(box, u"PixelAt");
  Image image(kWidthPx * kHeightPx);
  for (int y = 0; y < kHeightPx; ++y) {
    for (int x = 0; x < kWidthPx; ++x) {
      VARIANT args[2] = {LongArg(y), LongArg(x)};  // last argument first
      DISPPARAMS params{args, nullptr, 2, 0};
      VARIANT result;
      VariantInit(&result);
      const HRESULT hr =
          box->Invoke(pixel_at, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
      image[y * kWidthPx + x] = SUCCEEDED(hr) && V_VT(&result) == VT_I4 ? V_I4(&result) : -2;
    }
  }
  return image;
}

// The ink of `text` as the bar places it: centred on max / 2 across, on the rounded scale height
// down, printed on a white box with the given scale.
std::vector<bool> TextInk(const std::wstring& text, double max, Single scale_width, Single scale_height) {
  ComPtr<IDispatch> box = NewBox();
  LetProperty(box.Get(), u"BackColor", Variant(kWhite));
  LetProperty(box.Get(), u"ScaleWidth", Variant(scale_width));
  LetProperty(box.Get(), u"ScaleHeight", Variant(scale_height));
  CallMethod(box.Get(), u"Cls");
  const String text16(text.begin(), text.end());
  const double width = GetProperty(box.Get(), u"TextWidth", {Variant(text16)}).ToDouble();
  const double height = GetProperty(box.Get(), u"TextHeight", {Variant(text16)}).ToDouble();
  const double rounded_scale_height = std::nearbyint(scale_height);  // halves to even
  LetProperty(box.Get(), u"CurrentX", Variant(static_cast<Single>(max / 2 - width / 2)));
  LetProperty(box.Get(), u"CurrentY", Variant(static_cast<Single>((rounded_scale_height - height) / 2)));
  LetProperty(box.Get(), u"ForeColor", Variant(kBlack));
  CallMethod(box.Get(), u"Print", {Variant(text16)});
  std::vector<bool> ink;
  for (Long pixel : ReadImage(box.Get())) ink.push_back(pixel != kWhite);
  return ink;
}

enum class Where { Bar, Outside, Unsure };

// Where pixel (x, y) lies for a bar of `value` on a box of the given scale.
Where Classify(long direction, long value, double scale_width, double scale_height, int x, int y) {
  // The empty bar is a degenerate rectangle on the top edge (its height is 0): whether it marks
  // a pixel there follows the box's far-corner rule.
  if (value == 0 && y <= 1) return Where::Unsure;
  double position = 0, edge = 0;
  bool bar_before_edge = true;
  switch (direction) {
    case 0:  // from the left
      position = x, edge = value * kWidthPx / scale_width;
      break;
    case 1:  // from the bottom
      position = y, edge = kHeightPx - value * kHeightPx / scale_height, bar_before_edge = false;
      break;
    case 2:  // from the right
      position = x, edge = kWidthPx - value * kWidthPx / scale_width, bar_before_edge = false;
      break;
    case 3:  // from the top
      position = y, edge = value * kHeightPx / scale_height;
      break;
    default:  // no bar at all
      return Where::Outside;
  }
  if (std::abs(position - edge) <= kEdgeMargin) return Where::Unsure;
  return (position < edge) == bar_before_edge ? Where::Bar : Where::Outside;
}

// A drawing as it should look on a white background.
struct Look {
  long direction;
  long value;
  std::wstring text;
  Long bar = kBarColour;
  Long text_colour = kBlack;
};

struct InkCount {
  int under_bar = 0;
  int outside = 0;
};

class PrgsBarTest : public testing::Test {
 protected:
  void SetUp() override {
    box_ = NewBox();
    ASSERT_TRUE(box_);
    bar_ = Create<_clsPrgsBar>(CLSID_clsPrgsBar);
    ASSERT_TRUE(bar_);
  }

  // The bar on the box with a white background, the bar colour above and `max` units each way.
  void Attach(long max = 100) {
    ASSERT_EQ(bar_->put_BkClr(kWhite), S_OK);
    ASSERT_EQ(bar_->put_BarClr(kBarColour), S_OK);
    ASSERT_EQ(bar_->putref_Target(box_.Get()), S_OK);
    ASSERT_EQ(bar_->put_MAX(max), S_OK);
  }
  void Show(long value) { ASSERT_EQ(bar_->put_Value(value), S_OK); }
  long Value() {
    long value = -1;
    EXPECT_EQ(bar_->get_Value(&value), S_OK);
    return value;
  }
  long Max() {
    long max = -1;
    EXPECT_EQ(bar_->get_MAX(&max), S_OK);
    return max;
  }
  Single BoxScale(const char16_t* name) { return GetProperty(box_.Get(), name).ToSingle(); }

  // Compares every pixel of the box, outside the edge margin, with the look; counts the ink.
  InkCount ExpectDrawn(const Look& look) {
    const Single scale_width = BoxScale(u"ScaleWidth");
    const Single scale_height = BoxScale(u"ScaleHeight");
    const std::vector<bool> ink = TextInk(look.text, Max(), scale_width, scale_height);
    const Image image = ReadImage(box_.Get());
    InkCount count;
    int wrong = 0;
    for (int y = 0; y < kHeightPx; ++y) {
      for (int x = 0; x < kWidthPx; ++x) {
        const Where where = Classify(look.direction, look.value, scale_width, scale_height, x, y);
        if (where == Where::Unsure) continue;
        const bool is_ink = ink[y * kWidthPx + x];
        Long want = kWhite;
        if (where == Where::Bar) {
          want = is_ink ? NotXor(look.bar, look.text_colour) : look.bar;  // NOT(bar XOR white) is the bar
          count.under_bar += is_ink;
        } else {
          want = is_ink ? look.text_colour : kWhite;
          count.outside += is_ink;
        }
        const Long got = image[y * kWidthPx + x];
        if (got != want && ++wrong <= 5) {
          ADD_FAILURE() << "pixel (" << x << "," << y << ") " << std::hex << got << " expected " << want
                        << (is_ink ? " (text)" : "") << (where == Where::Bar ? " (bar)" : "");
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "wrong pixels";
    EXPECT_GT(count.under_bar + count.outside, 0) << "no text drawn";
    return count;
  }

  ComPtr<IDispatch> box_;
  ComPtr<_clsPrgsBar> bar_;
};

TEST_F(PrgsBarTest, StartsWithTheDefaults) {
  long value = -1;
  VARIANT_BOOL visible = VARIANT_FALSE;
  BSTR unit = nullptr;
  EXPECT_EQ(Max(), 100);
  EXPECT_EQ(Value(), 0);
  ENUM_PRGSDIRECTION direction = ePrgsTopToBottom;
  ASSERT_EQ(bar_->get_Direction(&direction), S_OK);
  EXPECT_EQ(direction, ePrgsLeftToRight);
  ASSERT_EQ(bar_->get_ValueVisible(&visible), S_OK);
  EXPECT_EQ(visible, VARIANT_TRUE);
  ASSERT_EQ(bar_->get_UnitString(&unit), S_OK);
  EXPECT_STREQ(unit, L"%");
  SysFreeString(unit);
  ASSERT_EQ(bar_->get_BkClr(&value), S_OK);
  EXPECT_EQ(static_cast<unsigned long>(value), 0x80000005ul);
  ASSERT_EQ(bar_->get_BarClr(&value), S_OK);
  EXPECT_EQ(static_cast<unsigned long>(value), 0x8000000Dul);
}

// The default colours are system colours, resolved by the box: the highlight colour on the
// window colour.
TEST_F(PrgsBarTest, DefaultColoursDrawTheHighlightOnTheWindowColour) {
  ASSERT_EQ(static_cast<Long>(GetSysColor(COLOR_WINDOW)), kWhite) << "the expectations assume a white window colour";
  ASSERT_EQ(bar_->putref_Target(box_.Get()), S_OK);
  ASSERT_EQ(bar_->put_MAX(100), S_OK);
  Show(30);
  ExpectDrawn({0, 30, L"30%", static_cast<Long>(GetSysColor(COLOR_HIGHLIGHT))});
}

struct DirectionCase {
  long direction;
  long value;
  const wchar_t* text;
};

TEST_F(PrgsBarTest, BarGrowsFromItsEdgeWithTheTextInvertedUnderIt) {
  const DirectionCase cases[] = {
      {0, 0, L"0%"}, {0, 50, L"50%"}, {0, 80, L"80%"}, {0, 100, L"100%"},  // from the left
      {1, 0, L"0%"}, {1, 50, L"50%"}, {1, 20, L"20%"}, {1, 100, L"100%"},  // from the bottom
      {2, 0, L"0%"}, {2, 50, L"50%"}, {2, 80, L"80%"}, {2, 100, L"100%"},  // from the right
      {3, 0, L"0%"}, {3, 50, L"50%"}, {3, 20, L"20%"}, {3, 100, L"100%"},  // from the top
      {7, 60, L"60%"},  // no such direction: no bar, only the text
  };
  Attach();
  for (const DirectionCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "direction " << c.direction << ", value " << c.value);
    ASSERT_EQ(bar_->put_Direction(static_cast<ENUM_PRGSDIRECTION>(c.direction)), S_OK);
    Show(c.value);
    EXPECT_EQ(Value(), c.value);
    const InkCount ink = ExpectDrawn({c.direction, c.value, c.text});
    // A bar that ends in the middle splits the text: both parts are checked.
    if (c.value == 50) {
      EXPECT_GT(ink.under_bar, 0);
      EXPECT_GT(ink.outside, 0);
    }
  }
}

// Text output takes the text colour; the bar over it makes NOT(bar XOR text).
TEST_F(PrgsBarTest, TextColourIsInvertedUnderTheBar) {
  Attach();
  for (const Long text_colour : {kBlack, kRed, Long{0x00336699}}) {
    SCOPED_TRACE(testing::Message() << "text colour " << std::hex << text_colour);
    ASSERT_EQ(bar_->put_ForeClr(text_colour), S_OK);
    Show(50);
    const InkCount ink = ExpectDrawn({0, 50, L"50%", kBarColour, text_colour});
    EXPECT_GT(ink.under_bar, 0);
    EXPECT_GT(ink.outside, 0);
    // The box is left in not-xor mode with the text colour as its pen.
    EXPECT_EQ(GetProperty(box_.Get(), u"DrawMode").ToLong(), 10);
    EXPECT_EQ(GetProperty(box_.Get(), u"ForeColor").ToLong(), text_colour);
  }
}

// Not-xor with a background that is not white: the bar shows NOT(bar XOR background), and the
// rest of the box, under the second rectangle, NOT(background XOR background): white.
TEST_F(PrgsBarTest, ColouredBackgroundCombinesByNotXor) {
  constexpr Long kGreenish = 0x0080FF80;
  Attach();
  ASSERT_EQ(bar_->put_BkClr(kGreenish), S_OK);
  Show(50);
  const Image image = ReadImage(box_.Get());
  for (const auto& [x, y] : {std::pair{20, 10}, std::pair{80, 90}}) {  // in the bar, away from the text
    EXPECT_EQ(image[y * kWidthPx + x], NotXor(kBarColour, kGreenish)) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{120, 10}, std::pair{190, 90}}) {  // beside it
    EXPECT_EQ(image[y * kWidthPx + x], kWhite) << x << "," << y;
  }
}

TEST_F(PrgsBarTest, TextIsValueAndUnitOrTheUnitAlone) {
  struct Case {
    bool visible;
    const wchar_t* unit;
    long value;
    const wchar_t* text;
  };
  const Case cases[] = {
      {true, L"%", 42, L"42%"},
      {false, L"%", 42, L"%"},
      {true, L" files", 7, L"7 files"},
      {true, L"", 0, L"0"},
      {false, L"done", 100, L"done"},
  };
  Attach();
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    ASSERT_EQ(bar_->put_ValueVisible(c.visible ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
    const OwnedBstr unit(c.unit);
    ASSERT_EQ(bar_->put_UnitString(unit.get()), S_OK);
    Show(c.value);
    ExpectDrawn({0, c.value, c.text});
  }
}

// Independent of how the position is computed: the ink of the text sits in the middle of the box.
TEST_F(PrgsBarTest, TextIsCentred) {
  Attach();
  for (const long value : {0L, 100L}) {
    Show(value);
    const Image image = ReadImage(box_.Get());
    const Long paper = value == 0 ? kWhite : kBarColour;
    int left = kWidthPx, right = -1, top = kHeightPx, bottom = -1;
    for (int y = 2; y < kHeightPx - 2; ++y) {
      for (int x = 2; x < kWidthPx - 2; ++x) {
        if (image[y * kWidthPx + x] == paper) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    SCOPED_TRACE(testing::Message() << "value " << value << ", ink (" << left << "," << top << ")-(" << right << ","
                                    << bottom << ")");
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, (kWidthPx - 1) / 2.0, 2.5);
    EXPECT_NEAR((top + bottom) / 2.0, (kHeightPx - 1) / 2.0, 3.5);  // digits sit above the descent
  }
}

TEST_F(PrgsBarTest, ValueIsClampedToTheRange) {
  struct Case {
    long given;
    long stored;
    const wchar_t* text;
  };
  const Case cases[] = {{150, 100, L"100%"}, {-5, 0, L"0%"}, {100, 100, L"100%"}, {1, 1, L"1%"}};
  Attach();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    Show(c.given);
    EXPECT_EQ(Value(), c.stored);
    ExpectDrawn({0, c.stored, c.text});
  }
}

// Direction, colours and texts are stored only; the next Value draws with them.
TEST_F(PrgsBarTest, SettingsShowAtTheNextValue) {
  Attach();
  Show(40);
  const Image before = ReadImage(box_.Get());
  const OwnedBstr unit(L" pct");
  ASSERT_EQ(bar_->put_Direction(ePrgsRightToLeft), S_OK);
  ASSERT_EQ(bar_->put_BarClr(kRed), S_OK);
  ASSERT_EQ(bar_->put_BkClr(static_cast<long>(0x80000005)), S_OK);
  ASSERT_EQ(bar_->put_ForeClr(0x00336699), S_OK);
  ASSERT_EQ(bar_->put_UnitString(unit.get()), S_OK);
  ASSERT_EQ(bar_->put_ValueVisible(VARIANT_FALSE), S_OK);
  EXPECT_TRUE(ReadImage(box_.Get()) == before) << "a setting redrew the box";

  ASSERT_EQ(static_cast<Long>(GetSysColor(COLOR_WINDOW)), kWhite);
  Show(40);
  ExpectDrawn({2, 40, L" pct", kRed, 0x00336699});
}

TEST_F(PrgsBarTest, MaxWithoutTargetSaysSoAndKeepsTheMax) {
  MsgBoxAnswerer answerer;
  EXPECT_EQ(bar_->put_MAX(250), S_OK);
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].title, L"clsPrgsBar");
  EXPECT_EQ(answerer.Boxes()[0].text, L"m_pic is not set!");
  EXPECT_EQ(answerer.Boxes()[0].style, 0);
  EXPECT_EQ(answerer.Boxes()[0].answer, L"ok");
  EXPECT_EQ(Max(), 250);

  // The stored max is the scale width the next Target sets.
  ASSERT_EQ(bar_->putref_Target(box_.Get()), S_OK);
  EXPECT_EQ(BoxScale(u"ScaleWidth"), 250);
  EXPECT_EQ(answerer.Boxes().size(), 1u);
}

TEST_F(PrgsBarTest, ValueWithoutTargetFailsAndKeepsTheClampedValue) {
  struct Case {
    long given;
    long stored;
  };
  for (const Case& c : {Case{150, 100}, Case{-5, 0}, Case{30, 30}}) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(bar_->put_Value(c.given), RuntimeErrorCode(91));
    EXPECT_EQ(Value(), c.stored);
  }
}

// Only a picture box is a target; anything else is a type mismatch and the box stays the target.
TEST_F(PrgsBarTest, OtherObjectsAreNoTarget) {
  struct Case {
    const char* name;
    ComPtr<IDispatch> object;
  };
  auto text_object = Create<_clsString>(CLSID_clsString);
  ComPtr<IDispatch> text_dispatch;
  ASSERT_TRUE(text_object && SUCCEEDED(text_object.As(&text_dispatch)));
  const Case cases[] = {
      {"BRIXEN.clsString", text_dispatch},
      {"Scripting.Dictionary", CreateByProgId(L"Scripting.Dictionary")},
      {"another progress bar", CreateByProgId(L"BRIXEN.clsPrgsBar")},
  };
  Attach();
  Show(30);
  const Image drawn = ReadImage(box_.Get());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.object);
    EXPECT_EQ(bar_->putref_Target(c.object.Get()), RuntimeErrorCode(13));
    EXPECT_TRUE(ReadImage(box_.Get()) == drawn) << "the failed Target touched the box";
  }
  Show(60);
  ExpectDrawn({0, 60, L"60%"});
}

// Target sets only the scale width; until MAX sets the height too, a vertical bar covers v of
// the box's own height units (twips here).
TEST_F(PrgsBarTest, HeightScaleIsTheBoxsOwnUntilMaxSetsIt) {
  const Single twips_high = BoxScale(u"ScaleHeight");
  ASSERT_EQ(twips_high, kHeightPx * 15.0f);
  ASSERT_EQ(bar_->put_BkClr(kWhite), S_OK);
  ASSERT_EQ(bar_->put_BarClr(kBarColour), S_OK);
  ASSERT_EQ(bar_->put_Direction(ePrgsTopToBottom), S_OK);
  ASSERT_EQ(bar_->putref_Target(box_.Get()), S_OK);
  EXPECT_EQ(BoxScale(u"ScaleWidth"), 100);
  EXPECT_EQ(BoxScale(u"ScaleHeight"), twips_high);
  EXPECT_TRUE(GetProperty(box_.Get(), u"AutoRedraw").ToBoolean());
  Show(50);
  ExpectDrawn({3, 50, L"50%"});
  EXPECT_EQ(ReadImage(box_.Get())[0], kBarColour) << "a few rows of bar at the top";

  // MAX sets both scales and draws nothing.
  const Image before = ReadImage(box_.Get());
  ASSERT_EQ(bar_->put_MAX(100), S_OK);
  EXPECT_EQ(BoxScale(u"ScaleWidth"), 100);
  EXPECT_EQ(BoxScale(u"ScaleHeight"), 100);
  EXPECT_TRUE(ReadImage(box_.Get()) == before) << "MAX redrew the box";
  Show(50);
  ExpectDrawn({3, 50, L"50%"});
}

TEST_F(PrgsBarTest, LoweringMaxKeepsTheValueUntilTheNextValue) {
  Attach();
  Show(80);
  ASSERT_EQ(bar_->put_MAX(50), S_OK);
  EXPECT_EQ(Max(), 50);
  EXPECT_EQ(Value(), 80);
  Show(70);
  EXPECT_EQ(Value(), 50);
  ExpectDrawn({0, 50, L"50%"});  // the whole width
}

// A new target is prepared and drawn empty; the old box keeps what it shows.
TEST_F(PrgsBarTest, TargetCanMoveToAnotherBox) {
  Attach();
  Show(70);
  const Image first = ReadImage(box_.Get());
  ComPtr<IDispatch> second = NewBox();
  ASSERT_EQ(bar_->putref_Target(second.Get()), S_OK);
  EXPECT_EQ(Value(), 0);
  ASSERT_EQ(bar_->put_MAX(100), S_OK);
  Show(70);
  EXPECT_TRUE(ReadImage(box_.Get()) == first) << "the old box was drawn into";
  EXPECT_TRUE(ReadImage(second.Get()) == first) << "the new box differs from the first";
}

}  // namespace
}  // namespace brixen::test
