// The automation Variant, owned: an RAII VARIANT with the run-time's conversion rules
// (oleaut32's coercions: banker's rounding, overflow is error 6, a mismatch error 13).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "frame/errors.h"
#include "frame/types.h"

namespace brixen {

// Throws the run-time error that matches an automation failure code.
[[noreturn]] void RaiseFromHresult(HRESULT hr);
inline void CheckHresult(HRESULT hr) {
  if (FAILED(hr)) RaiseFromHresult(hr);
}

// UTF-16 text <-> BSTR, the one place where char16_t meets OLECHAR.
String FromBstr(BSTR s);
BSTR ToBstr(StringView s);

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const VARIANT& v);  // copies
  Variant(const Variant& other) : Variant(other.v_) {}
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variant& operator=(Variant other) noexcept {
    std::swap(v_, other.v_);
    return *this;
  }
  ~Variant() { VariantClear(&v_); }

  Variant(Long value);
  Variant(Integer value);
  Variant(Double value);
  Variant(Single value);
  Variant(Boolean value);
  Variant(StringView value);
  Variant(const char16_t* value) : Variant(StringView(value)) {}
  Variant(IDispatch* object);
  static Variant FromDate(Date value);
  static Variant Null();
  static Variant Missing();

  VARTYPE Type() const { return V_VT(&v_); }
  bool IsEmpty() const { return Type() == VT_EMPTY; }
  bool IsNull() const { return Type() == VT_NULL; }
  bool IsMissing() const { return Type() == VT_ERROR && V_ERROR(&v_) == DISP_E_PARAMNOTFOUND; }
  bool IsObject() const { return Type() == VT_DISPATCH || Type() == VT_UNKNOWN; }

  // Conversions with the run-time's rules; Null raises 94, a mismatch 13, overflow 6.
  String ToString() const;
  Long ToLong() const;
  Integer ToInteger() const;
  Byte ToByte() const;
  Double ToDouble() const;
  Single ToSingle() const;
  Boolean ToBoolean() const;
  Date ToDate() const;

  const VARIANT& get() const { return v_; }
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  // Hands the value to a caller-owned VARIANT (which must be empty or cleared).
  void Detach(VARIANT* out) {
    *out = v_;
    VariantInit(&v_);
  }

 private:
  Variant ChangedTo(VARTYPE type) const;
  VARIANT v_;
};

}  // namespace brixen
