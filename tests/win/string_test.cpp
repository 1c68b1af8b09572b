// clsString as callers meet it through its slots: every member, the errors its handlers log
// under their module names (Err.log beside the DLL, the ErrReg box answered), the run-time
// errors the others pass to the caller, and Mask on a text box of the test's own.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "msgbox_answerer.h"

namespace brixen::test {
namespace {

HRESULT RunTimeError(long number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }

// A Variant argument the test owns.
struct Var {
  VARIANT value;
  Var() { VariantInit(&value); }
  explicit Var(const wchar_t* text) : Var() {
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(text);
  }
  explicit Var(double number) : Var() {
    V_VT(&value) = VT_R8;
    V_R8(&value) = number;
  }
  static Var Of(VARTYPE type) {
    Var v;
    V_VT(&v.value) = type;
    return v;
  }
  static Var Object(IDispatch* object) {
    Var v;
    V_VT(&v.value) = VT_DISPATCH;
    V_DISPATCH(&v.value) = object;
    object->AddRef();
    return v;
  }
  Var(Var&& other) noexcept : value(other.value) { VariantInit(&other.value); }
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
  ~Var() { VariantClear(&value); }
};

// The text a slot hands back through its BSTR result.
std::wstring TextOf(const std::function<HRESULT(BSTR*)>& call, HRESULT expected = S_OK) {
  BSTR out = nullptr;
  EXPECT_EQ(call(&out), expected);
  std::wstring text(out ? out : L"", out ? SysStringLen(out) : 0);
  SysFreeString(out);
  return text;
}

// A text box as Mask meets it late bound: SelText and a default value (the text), either of
// which may be missing. It counts property writes, which Mask must never make.
class TestTextBox : public IDispatch {
 public:
  static constexpr DISPID kSelText = 1;

  TestTextBox(std::wstring text, std::wstring selText) : text_(std::move(text)), selText_(std::move(selText)) {}
  bool hasSelText = true;
  bool hasDefault = true;
  int writes = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return DISP_E_UNKNOWNNAME;
    if (hasSelText && _wcsicmp(names[0], L"SelText") == 0) *ids = kSelText;
    else if (hasDefault && _wcsicmp(names[0], L"Text") == 0) *ids = DISPID_VALUE;
    else return DISP_E_UNKNOWNNAME;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ++writes;
    const std::wstring* value = nullptr;
    if (id == kSelText && hasSelText) value = &selText_;
    if (id == DISPID_VALUE && hasDefault) value = &text_;
    if (!value || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (result) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocStringLen(value->data(), static_cast<UINT>(value->size()));
    }
    return S_OK;
  }
  ULONG references() const { return references_; }

 private:
  std::wstring text_, selText_;
  ULONG references_ = 1;
};

class StringTest : public testing::Test {
 protected:
  // Mask's KeyAscii after one key press.
  short MaskedKey(IDispatch* box, long lenChar, long maskType, short key) {
    IDispatch* txtObj = box;
    EXPECT_EQ(s_->Mask(&txtObj, lenChar, static_cast<ENUM_CheckKeyAscii>(maskType), &key), S_OK);
    EXPECT_EQ(txtObj, box) << "the text box reference comes back unchanged";
    return key;
  }

  ComPtr<_clsString> s_ = Create<_clsString>(CLSID_clsString);
};

// ---- binary and hexadecimal text

TEST_F(StringTest, BinaryAndHexText) {
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Convert2To16(OwnedBstr(L"111100001").get(), r); }), L"F0");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Convert2To16(OwnedBstr(L"0001001").get(), r); }), L"1");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Fmt16(10, r); }), L"0A");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Fmt16Ex(-1, 2, r); }), L"FFFF");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Fmt16Ex(255, 4, r); }), L"00FF");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Fmt16Ex2(-1, 4, r); }), L"FFFFFFFF");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Fmt16Ex2(26, -3, r); }), L"1A");

  VARIANT_BOOL hex = VARIANT_FALSE;
  EXPECT_EQ(s_->IsHex(OwnedBstr(L"00ff").get(), &hex), S_OK);
  EXPECT_EQ(hex, VARIANT_TRUE) << "True is -1";
  EXPECT_EQ(s_->IsHex(OwnedBstr(L" 1").get(), &hex), S_OK);
  EXPECT_EQ(hex, VARIANT_FALSE);

  unsigned char byte = 0;
  EXPECT_EQ(s_->ParseByteBit(OwnedBstr(L"1x1").get(), &byte), S_OK);
  EXPECT_EQ(byte, 5);
}

// ---- null-safe values, trimming and padding

TEST_F(StringTest, NullSafeReaders) {
  const struct {
    const char* name;
    Var value;
    long number;
    const wchar_t* text;
  } cases[] = {
      {"Null", Var::Of(VT_NULL), 0, L""},
      {"Empty", Var::Of(VT_EMPTY), 0, L""},
      {"leading number", Var(L"12abc"), 12, L"12abc"},
      {"half to even down", Var(L"4.5"), 4, L"4.5"},
      {"half to even up", Var(L"3.5"), 4, L"3.5"},
      {"hexadecimal", Var(L"&H1F"), 31, L"&H1F"},
      {"a Double", Var(2.5), 2, L"2.5"},
      {"no number", Var(L"abc"), 0, L"abc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    long number = -1;
    EXPECT_EQ(s_->Nz(c.value.value, &number), S_OK);
    EXPECT_EQ(number, c.number);
    EXPECT_EQ(TextOf([&](BSTR* r) { return s_->Nzs(c.value.value, r); }), c.text);
  }
}

TEST_F(StringTest, TrimmingRemovesCharactersEverywhere) {
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->TrimTabSpace(OwnedBstr(L"\t a b\t c \u3000").get(), r); }), L"abc\u3000");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->TrimReturn(OwnedBstr(L"one\r\ntwo\r\n").get(), r); }), L"onetwo");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->TrimSpace(OwnedBstr(std::wstring(L" a\0b c", 6)).get(), r); }), L"abc");
}

TEST_F(StringTest, Padding) {
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetLYoseStr(OwnedBstr(L"abc").get(), 5, r); }), L"abc  ");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetLYoseStr(OwnedBstr(L"abcdef").get(), 3, r); }), L"abc");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetRYoseStr(Var(42.0).value, 5, r); }), L"   42");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetRYoseStr(Var(42.0).value, 13, r); }), L"");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetRYoseStr(Var::Of(VT_NULL).value, 1, r); }), L"")
      << "the value is not read for a width outside 2..12";
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetZeroStr(3, r); }), L"000");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->GetZeroStr(0, r); }), L"");
}

TEST_F(StringTest, StrFormatWritesThousandsAndOneDecimal) {
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->StrFormat(Var(1234.56).value, 1, r); }), L"1,234.6");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->StrFormat(Var(L"1234.56").value, 1, r); }), L"1,234.6");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->StrFormat(Var(L"abc").value, 1, r); }), L"abc");
  EXPECT_EQ(TextOf([&](BSTR* r) { return s_->StrFormat(Var(1234.56).value, 2, r); }), L"");
}

TEST_F(StringTest, CheckShosuCountsPlacesAfterThePoint) {
  const struct {
    const wchar_t* text;
    short places;
    VARIANT_BOOL expected;
  } cases[] = {{L"1.25", 2, VARIANT_TRUE}, {L"1.25", 1, VARIANT_FALSE}, {L"12", 0, VARIANT_TRUE}, {L"1.", 0, VARIANT_TRUE}};
  for (const auto& c : cases) {
    VARIANT_BOOL ok = 1;
    EXPECT_EQ(s_->CheckShosu(OwnedBstr(c.text).get(), c.places, &ok), S_OK);
    EXPECT_EQ(ok, c.expected) << c.text << " " << c.places;
  }
}

// ---- key-press filters

TEST_F(StringTest, KeyClassesAndLetters) {
  const struct {
    short key;
    long keyClass;
    VARIANT_BOOL expected;
  } cases[] = {
      {8, 1, VARIANT_TRUE},   {31, 1, VARIANT_FALSE}, {32, 4, VARIANT_FALSE}, {13, 5, VARIANT_TRUE},
      {13, 3, VARIANT_FALSE}, {45, 9, VARIANT_FALSE}, {48, 8, VARIANT_FALSE}, {8, 7, VARIANT_FALSE},
      {-32096, 6, VARIANT_TRUE}, {89, 7, VARIANT_TRUE}, {44, 1, VARIANT_FALSE}, {49, 99, VARIANT_FALSE},
  };
  for (const auto& c : cases) {
    VARIANT_BOOL ok = 1;
    EXPECT_EQ(s_->CheckKeyAscii(c.key, static_cast<ENUM_CheckKeyAscii>(c.keyClass), &ok), S_OK);
    EXPECT_EQ(ok, c.expected) << c.key << " in " << c.keyClass;
  }
  VARIANT_BOOL letter = VARIANT_TRUE;
  EXPECT_EQ(s_->IsABC(91, &letter), S_OK);
  EXPECT_EQ(letter, VARIANT_FALSE);
  EXPECT_EQ(s_->IsABC(122, &letter), S_OK);
  EXPECT_EQ(letter, VARIANT_TRUE);
}

TEST_F(StringTest, CvToBigASCUpperCasesInTheCodePage) {
  const struct {
    short key, expected;
  } cases[] = {{97, 65}, {122, 90}, {65, 65}, {49, 49}, {8, 8}, {0, 0}};
  for (const auto& c : cases) {
    short upper = -1;
    EXPECT_EQ(s_->CvToBigASC(c.key, &upper), S_OK);
    EXPECT_EQ(upper, c.expected) << c.key;
  }
}

TEST_F(StringTest, MaskDiscardsKeysOutsideTheClassOrBeyondTheLength) {
  TestTextBox full(L"12345", L"");
  TestTextBox selected(L"12345", L"3");
  TestTextBox room(L"1234", L"");
  const struct {
    const char* name;
    TestTextBox* box;
    long lenChar, maskType;
    short key, expected;
  } cases[] = {
      {"full, anything: a letter is discarded", &full, 5, 99, 'a', 0},
      {"full: a space passes unchecked", &full, 5, 99, ' ', ' '},
      {"full: a backspace passes", &full, 5, 99, 8, 8},
      {"full: a double-byte key passes", &full, 5, 4, -32096, -32096},
      {"a selection is replaced: no length limit", &selected, 5, 99, 'a', 'a'},
      {"room for one more", &room, 5, 4, '7', '7'},
      {"outside the class", &room, 5, 4, 'a', 0},
      {"class 0 refuses every printable key", &room, 5, 0, '7', 0},
      {"comma outside the class", &room, 5, 1, ',', 0},
  };
  for (const auto& c : cases) EXPECT_EQ(MaskedKey(c.box, c.lenChar, c.maskType, c.key), c.expected) << c.name;
  for (const TestTextBox* box : {&full, &selected, &room}) {
    EXPECT_EQ(box->writes, 0) << "Mask only reads the text box";
    EXPECT_EQ(box->references(), 1u) << "and keeps no reference to it";
  }
}

// ---- failures

// A member whose handler logs: the ErrReg box (answered), a record under the module-name
// literal at column 43 of Err.log, and the member's documented result.
struct LoggedFailure {
  const char* member;
  std::function<void(_clsString*)> call;  // checks the result itself
  std::string module;                     // the literal, leading blank included
  long number;
};

class StringErrors : public StringTest {
 protected:
  ErrLogFile log_{FolderOfPath(DllPath("BRIXEN_DLL"))};
};

TEST_F(StringErrors, EachHandlerLogsUnderItsModuleNameAndReturnsItsDefault) {
  TestTextBox noSelText(L"12345", L"");
  noSelText.hasSelText = false;
  TestTextBox noDefault(L"12345", L"");
  noDefault.hasDefault = false;
  const std::wstring tooLong16Bit(32767, L' ');
  const std::wstring pointAt32768 = std::wstring(32767, L'1') + L".5";

  const LoggedFailure failures[] = {
      {"ParseByteBit",
       [](_clsString* s) {
         unsigned char byte = 1;
         EXPECT_EQ(s->ParseByteBit(OwnedBstr(L"100000000").get(), &byte), S_OK);
         EXPECT_EQ(byte, 0);
       },
       "ParseByteBit", 6},
      {"Fmt16Ex", [](_clsString* s) { EXPECT_EQ(TextOf([&](BSTR* r) { return s->Fmt16Ex(1, 0x7FFFFFFF, r); }), L""); },
       " Fmt16Ex", 7},
      {"Fmt16Ex2",
       [](_clsString* s) { EXPECT_EQ(TextOf([&](BSTR* r) { return s->Fmt16Ex2(1, 0x7FFFFFFF, r); }), L""); },
       " Fmt16Ex2", 7},
      {"Nz",
       [](_clsString* s) {
         long number = 1;
         EXPECT_EQ(s->Nz(Var(L"3000000000").value, &number), S_OK);
         EXPECT_EQ(number, 0);
       },
       "Nz", 6},
      {"Nzs",
       [&](_clsString* s) {
         EXPECT_EQ(TextOf([&](BSTR* r) { return s->Nzs(Var::Object(&noDefault).value, r); }), L"");
       },
       "Nzs", 13},  // an object without a default value has no text
      {"TrimSpace",
       [&](_clsString* s) {
         EXPECT_EQ(TextOf([&](BSTR* r) { return s->TrimSpace(OwnedBstr(tooLong16Bit).get(), r); }), L"");
       },
       "TrimSpace", 6},
      {"CheckShosu",
       [&](_clsString* s) {
         VARIANT_BOOL ok = VARIANT_FALSE;
         EXPECT_EQ(s->CheckShosu(OwnedBstr(pointAt32768).get(), 0, &ok), S_OK);
         EXPECT_EQ(ok, VARIANT_TRUE);
       },
       "CheckShosu", 6},
      {"Mask",
       [&](_clsString* s) {
         IDispatch* box = &noSelText;
         short key = 'a';
         EXPECT_EQ(s->Mask(&box, 5, static_cast<ENUM_CheckKeyAscii>(99), &key), S_OK);
         EXPECT_EQ(key, 'a') << "KeyAscii keeps its value";
       },
       "Mask", 438},
  };
  for (const LoggedFailure& f : failures) {
    SCOPED_TRACE(f.member);
    log_.Remove();
    {
      MsgBoxAnswerer answerer({L"ok"});
      f.call(s_.Get());
      ASSERT_EQ(answerer.Boxes().size(), 1u);
      EXPECT_EQ(answerer.Boxes()[0].title, L"ERROR");
      EXPECT_EQ(answerer.Boxes()[0].text.substr(0, f.module.size() + 2),
                std::wstring(f.module.begin(), f.module.end()) + L"\r\n");
    }
    const std::string bytes = log_.Bytes();
    const std::size_t record = bytes.find("\r\n") + 2;  // after the header
    const std::string number = " " + std::to_string(f.number) + " ";
    EXPECT_EQ(bytes.compare(record, number.size(), number), 0) << bytes;
    EXPECT_EQ(bytes.compare(record + 42, f.module.size() + 1, f.module + " "), 0)
        << "the module name at column 43:\n" << bytes;
  }
}

// Members without a handler pass the run-time error to the caller.
TEST_F(StringErrors, MembersWithoutAHandlerFailToTheCaller) {
  const std::wstring tooLong16Bit(32767, L'x');
  short key = 0;
  TextOf([&](BSTR* r) { return s_->TrimReturn(OwnedBstr(tooLong16Bit).get(), r); }, RunTimeError(6));
  TextOf([&](BSTR* r) { return s_->GetZeroStr(32767, r); }, RunTimeError(6));
  TextOf([&](BSTR* r) { return s_->GetRYoseStr(Var::Of(VT_NULL).value, 5, r); }, RunTimeError(94));
  TextOf([&](BSTR* r) { return s_->StrFormat(Var::Of(VT_NULL).value, 1, r); }, RunTimeError(94));
  if (GetACP() == 1252) {
    EXPECT_EQ(s_->CvToBigASC(256, &key), RunTimeError(5)) << "no character of the code page";
    EXPECT_EQ(s_->CvToBigASC(-32096, &key), RunTimeError(5));
  }
  EXPECT_FALSE(log_.Exists()) << "nothing is logged";
}

}  // namespace
}  // namespace brixen::test
