#include "values.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <limits>
#include <map>

#include "property_object.h"

namespace brixen::bad_input {
namespace {

Variant Typed(VARTYPE type, const auto& store) {
  Variant value;
  VARIANT* v = value.put();
  V_VT(v) = type;
  store(*v);
  return value;
}

Variant Text(const std::wstring& text) { return Variant(StringView(reinterpret_cast<const char16_t*>(text.data()), text.size())); }

Variant NullText() {
  return Typed(VT_BSTR, [](VARIANT& v) { V_BSTR(&v) = nullptr; });
}

// An object with no members at all, where a number, a text or a caller's form is expected.
Variant MemberlessObject() {
  Microsoft::WRL::ComPtr<test::PropertyObject> object = test::PropertyObject::Make();
  return Variant(static_cast<IDispatch*>(object.Get()));
}

// Texts a caller may pass wherever a text is taken: empty, ordinary, too long, with a NUL,
// outside the ANSI code page (English and Japanese), a surrogate pair, and bad paths.
std::vector<NamedValue> Texts() {
  return {
      {L"\"\"", Text(L"")},
      {L"\"abc\"", Text(L"abc")},
      {L"40,000 characters", Text(std::wstring(40000, L'x'))},
      {L"an embedded NUL", Text(std::wstring(L"ab\0cd", 5))},
      {L"outside the code page", Text(L"\x0101\x0E01\x20AC")},
      {L"a surrogate pair", Text(L"a\xD83D\xDE00z")},
      {L"a 300-character path", Text(L"C:\\" + std::wstring(297, L'p'))},
      {L"\"CON\"", Text(L"CON")},
      {L"\"NUL\"", Text(L"NUL")},
      {L"C:\\nonexistent\\x", Text(L"C:\\nonexistent\\x")},
      {L"\":*?\"", Text(L":*?")},
  };
}

std::vector<NamedValue> MakeScriptValues() {
  std::vector<NamedValue> values = {
      {L"Null", Variant::Null()},
      {L"Empty", Variant()},
      {L"missing", Variant::Missing()},
      {L"an object", MemberlessObject()},
      {L"0", Variant(Long{0})},
      {L"-1", Variant(Long{-1})},
      {L"the least Long", Variant(Long{INT32_MIN})},
      {L"the greatest Long", Variant(Long{INT32_MAX})},
      {L"1E308", Variant(Double{1e308})},
  };
  for (NamedValue& text : Texts()) values.push_back(std::move(text));
  return values;
}

template <class T>
std::vector<NamedValue> Numbers(VARTYPE type, T& (*field)(VARIANT&), std::initializer_list<std::pair<const wchar_t*, T>> numbers) {
  std::vector<NamedValue> values;
  for (const auto& [label, number] : numbers) {
    values.push_back({label, Typed(type, [&](VARIANT& v) { field(v) = number; })});
  }
  return values;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::vector<NamedValue> MakeSlotValues(Kind kind) {
  switch (kind) {
    case Kind::Text: {
      std::vector<NamedValue> values = {{L"a null BSTR", NullText()}};
      for (NamedValue& text : Texts()) values.push_back(std::move(text));
      return values;
    }
    case Kind::Integer:
      return Numbers<SHORT>(VT_I2, [](VARIANT& v) -> SHORT& { return V_I2(&v); },
                            {{L"0", 0}, {L"-1", -1}, {L"-32768", SHRT_MIN}, {L"32767", SHRT_MAX}});
    case Kind::Long:
      return Numbers<LONG>(VT_I4, [](VARIANT& v) -> LONG& { return V_I4(&v); },
                           {{L"0", 0}, {L"-1", -1}, {L"the least Long", INT32_MIN}, {L"the greatest Long", INT32_MAX}});
    case Kind::Color:
      return Numbers<ULONG>(VT_UI4, [](VARIANT& v) -> ULONG& { return V_UI4(&v); },
                            {{L"0", 0}, {L"&HFFFFFFFF", 0xFFFFFFFFu}, {L"&H80000000", 0x80000000u}, {L"&H800000FF", 0x800000FFu}});
    case Kind::Byte:
      return Numbers<BYTE>(VT_UI1, [](VARIANT& v) -> BYTE& { return V_UI1(&v); }, {{L"0", 0}, {L"255", 255}});
    case Kind::Boolean:
      return Numbers<VARIANT_BOOL>(VT_BOOL, [](VARIANT& v) -> VARIANT_BOOL& { return V_BOOL(&v); },
                                   {{L"False", VARIANT_FALSE}, {L"True", VARIANT_TRUE}, {L"1", 1}});
    case Kind::Single:
      return Numbers<float>(VT_R4, [](VARIANT& v) -> float& { return V_R4(&v); },
                            {{L"0", 0.0f}, {L"-1", -1.0f}, {L"the greatest Single", FLT_MAX}, {L"the least Single", -FLT_MAX},
                             {L"NaN", static_cast<float>(kNaN)}, {L"infinity", static_cast<float>(kInfinity)}});
    case Kind::Double:
    case Kind::Date:
      return Numbers<double>(SlotType(kind), [](VARIANT& v) -> double& { return V_R8(&v); },
                             {{L"0", 0.0}, {L"-1", -1.0}, {L"1E308", 1e308}, {L"-1E308", -1e308}, {L"NaN", kNaN},
                              {L"infinity", kInfinity}});
    case Kind::Variant: return ScriptValues();
    case Kind::Object: return {{L"Nothing", Variant(static_cast<IDispatch*>(nullptr))}, {L"an object", MemberlessObject()}};
    case Kind::Picture: return {{L"Nothing", Variant(static_cast<IDispatch*>(nullptr))}};
    case Kind::Texts: {
      std::vector<NamedValue> values = {{L"no array", Typed(VT_ARRAY | VT_BSTR, [](VARIANT& v) { V_ARRAY(&v) = nullptr; })},
                                        {L"an empty array", Typed(VT_ARRAY | VT_BSTR, [](VARIANT& v) {
                                           V_ARRAY(&v) = SafeArrayCreateVector(VT_BSTR, 0, 0);
                                         })}};
      return values;
    }
  }
  return {};
}

// The bytes of a VARIANT's union that a simple type uses.
std::size_t SimpleSize(VARTYPE type) {
  switch (type) {
    case VT_UI1: return 1;
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_DATE: case VT_CY: case VT_I8: return 8;
    default: return 0;
  }
}

}  // namespace

const std::vector<NamedValue>& ScriptValues() {
  static const std::vector<NamedValue> values = MakeScriptValues();
  return values;
}

const std::vector<NamedValue>& SlotValues(Kind kind) {
  static std::map<Kind, std::vector<NamedValue>> values;
  auto [entry, made] = values.try_emplace(kind);
  if (made) entry->second = MakeSlotValues(kind);
  return entry->second;
}

VARTYPE SlotType(Kind kind) {
  switch (kind) {
    case Kind::Text: return VT_BSTR;
    case Kind::Integer: return VT_I2;
    case Kind::Long: return VT_I4;
    case Kind::Byte: return VT_UI1;
    case Kind::Single: return VT_R4;
    case Kind::Double: return VT_R8;
    case Kind::Date: return VT_DATE;
    case Kind::Boolean: return VT_BOOL;
    case Kind::Color: return VT_UI4;
    case Kind::Variant: return VT_VARIANT;
    case Kind::Object:
    case Kind::Picture: return VT_DISPATCH;
    case Kind::Texts: return VT_ARRAY | VT_BSTR;
  }
  return VT_EMPTY;
}

Variant Harmless(Kind kind) {
  switch (kind) {
    case Kind::Text: return Text(L"");
    case Kind::Variant: return Variant();
    case Kind::Object:
    case Kind::Picture: return Variant(static_cast<IDispatch*>(nullptr));
    case Kind::Texts: return SlotValues(kind)[1].value;  // an empty array
    default: return Typed(SlotType(kind), [](VARIANT& v) { V_R8(&v) = 0; });  // zero in every number's bytes
  }
}

bool SameValue(const VARIANT& a, const VARIANT& b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  switch (V_VT(&a)) {
    case VT_BSTR: {
      const UINT length = SysStringLen(V_BSTR(&a));
      return length == SysStringLen(V_BSTR(&b)) && (length == 0 || std::wmemcmp(V_BSTR(&a), V_BSTR(&b), length) == 0);
    }
    case VT_DISPATCH: return V_DISPATCH(&a) == V_DISPATCH(&b);
    case VT_ARRAY | VT_BSTR: return V_ARRAY(&a) == V_ARRAY(&b);
    default: return std::memcmp(&V_UI1(&a), &V_UI1(&b), SimpleSize(V_VT(&a))) == 0;
  }
}

bool NumberOf(const VARIANT& value, double& number) {
  VARIANT converted;
  VariantInit(&converted);
  if (V_VT(&value) == VT_BSTR || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_R8))) return false;
  number = V_R8(&converted);
  return true;
}

}  // namespace brixen::bad_input
