// clsProperty's number, word and key conversions through their slots: the packing and sign
// tables with their overflow errors, ToMinus on Variants, the Num Lock toggle of this thread's
// key-state table and the input method of a window the test creates.
#include <windows.h>
#include <imm.h>

#include <cstdint>

#include "com_fixture.h"
#include "frame/com/variant.h"

namespace brixen::test {
namespace {

constexpr HRESULT kOverflow = 0x800A0006;
constexpr HRESULT kTypeMismatch = 0x800A000D;

class PropertyNumbers : public testing::Test {
 protected:
  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PropertyNumbers, Create_unsigned32bitPacksUnmaskedWordsAndOverflows) {
  const struct {
    long hi, low;
    HRESULT hr;
    long packed;
  } cases[] = {
      {0xFFFF, 0xFFFF, S_OK, -1}, {0x8000, 0, S_OK, -2147483647 - 1}, {1, -1, S_OK, 65535},
      {0, 500, S_OK, 500},        {0, 70000, S_OK, 70000},            {65536, 0, S_OK, 0},
      {-32769, 0, kOverflow, 0},  {0x18000, 0, kOverflow, 0},
  };
  for (const auto& c : cases) {
    long packed = 0;
    EXPECT_EQ(property_->Create_unsigned32bit(c.hi, c.low, &packed), c.hr) << c.hi << ", " << c.low;
    EXPECT_EQ(packed, c.packed) << c.hi << ", " << c.low;
  }
}

TEST_F(PropertyNumbers, Calcul2ByteReadsASigned16BitNumberLowByteFirst) {
  const struct {
    unsigned char mae, ato;
    short value;
  } cases[] = {{255, 255, -1}, {0, 128, -32768}, {52, 18, 4660}, {255, 127, 32767}, {0, 0, 0}};
  for (const auto& c : cases) {
    short value = 7;
    ASSERT_EQ(property_->Calcul2Byte(c.mae, c.ato, &value), S_OK);
    EXPECT_EQ(value, c.value) << +c.mae << ", " << +c.ato;
  }
}

TEST_F(PropertyNumbers, MinusOpForBinGivesSignAndMagnitudeAndOverflowsAbove255) {
  const struct {
    short target;
    HRESULT hr;
    unsigned char result;
  } cases[] = {{-1, S_OK, 129},        {-5, S_OK, 133},       {-127, S_OK, 255},     {-128, S_OK, 128},
               {-200, S_OK, 200},      {200, S_OK, 200},      {0, S_OK, 0},          {256, kOverflow, 0},
               {-256, kOverflow, 0},   {-32768, kOverflow, 0}};
  for (const auto& c : cases) {
    unsigned char result = 0;
    EXPECT_EQ(property_->MinusOpForBin(c.target, &result), c.hr) << c.target;
    EXPECT_EQ(result, c.result) << c.target;
  }
}

TEST_F(PropertyNumbers, ToMinusNegatesAllButNegativeValues) {
  const struct {
    const char* name;
    Variant num;
    VARTYPE type;
    double value;  // the result as a number, for the numeric types
  } cases[] = {
      {"5", Variant(Long{5}), VT_I4, -5},
      {"-3", Variant(Long{-3}), VT_I4, -3},
      {"0", Variant(Integer{0}), VT_I2, 0},
      {"2.5", Variant(Double{2.5}), VT_R8, -2.5},
      {"text 7", Variant(u"7"), VT_R8, -7},
      {"true", Variant(true), VT_BOOL, -1},  // True is -1 and comes back unchanged
      {"empty", Variant(), VT_I2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Variant result;
    ASSERT_EQ(property_->ToMinus(c.num.get(), result.put()), S_OK);
    EXPECT_EQ(result.Type(), c.type);
    EXPECT_EQ(result.ToDouble(), c.value);
  }
}

TEST_F(PropertyNumbers, ToMinusKeepsNegativeTextAndNullAndRefusesLetters) {
  Variant result;
  ASSERT_EQ(property_->ToMinus(Variant(u"-3").get(), result.put()), S_OK);
  ASSERT_EQ(result.Type(), VT_BSTR);
  EXPECT_EQ(result.ToString(), u"-3");

  ASSERT_EQ(property_->ToMinus(Variant::Null().get(), result.put()), S_OK);
  EXPECT_TRUE(result.IsNull());

  EXPECT_EQ(property_->ToMinus(Variant(u"abc").get(), result.put()), kTypeMismatch);
}

// ---- the keyboard

bool NumLockToggled() {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  return (keys[VK_NUMLOCK] & 1) != 0;
}

TEST_F(PropertyNumbers, NumLockStatusRoundTripsThroughThisThreadsKeyStates) {
  const bool before = NumLockToggled();
  for (ENUM_NUMLOCKSTATUS wanted : {eNUMLOCK_ON, eNUMLOCK_OFF, eNUMLOCK_ON}) {
    ENUM_NUMLOCKSTATUS value = wanted;
    ASSERT_EQ(property_->put_NumLockStatus(&value), S_OK);
    EXPECT_EQ(value, wanted) << "the ByRef value is not changed";
    EXPECT_EQ(NumLockToggled(), wanted == eNUMLOCK_ON);
    ENUM_NUMLOCKSTATUS read = static_cast<ENUM_NUMLOCKSTATUS>(7);
    ASSERT_EQ(property_->get_NumLockStatus(&read), S_OK);
    EXPECT_EQ(read, wanted);
  }
  // Any other value writes the table back unchanged.
  ENUM_NUMLOCKSTATUS other = static_cast<ENUM_NUMLOCKSTATUS>(2);
  ASSERT_EQ(property_->put_NumLockStatus(&other), S_OK);
  EXPECT_TRUE(NumLockToggled());

  ENUM_NUMLOCKSTATUS restore = before ? eNUMLOCK_ON : eNUMLOCK_OFF;
  ASSERT_EQ(property_->put_NumLockStatus(&restore), S_OK);
}

struct TestWindow {
  HWND hwnd = CreateWindowExW(0, L"EDIT", L"ime", WS_OVERLAPPEDWINDOW, 0, 0, 200, 50, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ~TestWindow() { DestroyWindow(hwnd); }
  long AsLong() const { return static_cast<long>(reinterpret_cast<std::intptr_t>(hwnd)); }
  bool ImeOpen() const {
    const HIMC context = ImmGetContext(hwnd);
    const bool open = ImmGetOpenStatus(context) != FALSE;
    ImmReleaseContext(hwnd, context);
    return open;
  }
};

TEST_F(PropertyNumbers, ChangeIMEModeOpensAndClosesTheInputMethodOfAWindow) {
  TestWindow window;
  ASSERT_NE(window.hwnd, nullptr);
  for (ENUM_IMEONOFF mode : {eIME_ON, eIME_OFF, eIME_ON, eIME_OFF}) {
    VARIANT_BOOL changed = VARIANT_FALSE;
    ASSERT_EQ(property_->ChangeIMEMode(window.AsLong(), mode, &changed), S_OK);
    EXPECT_EQ(changed, VARIANT_TRUE) << mode;
    EXPECT_EQ(window.ImeOpen(), mode == eIME_ON) << mode;
  }
}

TEST_F(PropertyNumbers, ChangeIMEModeWithoutAWindowAnswersFalse) {
  TestWindow gone;
  const long stale = gone.AsLong();
  DestroyWindow(gone.hwnd);
  for (long hwnd : {0L, stale}) {
    VARIANT_BOOL changed = VARIANT_TRUE;
    ASSERT_EQ(property_->ChangeIMEMode(hwnd, eIME_ON, &changed), S_OK);
    EXPECT_EQ(changed, VARIANT_FALSE) << hwnd;
  }
}

}  // namespace
}  // namespace brixen::test
