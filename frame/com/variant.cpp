#include "frame/com/variant.h"

#include <utility>

namespace brixen {

void RaiseFromHresult(HRESULT hr) {
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) Raise(HRESULT_CODE(hr));
  switch (hr) {
    case DISP_E_OVERFLOW: Raise(kErrOverflow);
    case DISP_E_TYPEMISMATCH:
    case DISP_E_BADVARTYPE: Raise(kErrTypeMismatch);
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME: Raise(kErrNoSuchMember);
    case DISP_E_PARAMNOTOPTIONAL: Raise(kErrArgumentNotOptional);
    case DISP_E_BADPARAMCOUNT: Raise(450);
    case DISP_E_DIVBYZERO: Raise(kErrDivisionByZero);
    case E_OUTOFMEMORY: Raise(kErrOutOfMemory);
    case E_INVALIDARG: Raise(kErrInvalidCall);
    case E_NOTIMPL: Raise(kErrNotImplemented);
    default: break;
  }
  if (HRESULT_FACILITY(hr) == FACILITY_WIN32) Raise(kErrInvalidCall);
  throw RuntimeError(440, u"Automation error");
}

String FromBstr(BSTR s) {
  if (!s) return {};
  return String(reinterpret_cast<const char16_t*>(s), SysStringLen(s));
}

BSTR ToBstr(StringView s) {
  BSTR b = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
  if (!b && !s.empty()) Raise(kErrOutOfMemory);
  return b;
}

Variant::Variant(const VARIANT& v) {
  VariantInit(&v_);
  CheckHresult(VariantCopyInd(&v_, const_cast<VARIANT*>(&v)));  // a by-reference value is read through
}

Variant::Variant(Long value) : Variant() {
  V_VT(&v_) = VT_I4;
  V_I4(&v_) = value;
}
Variant::Variant(Integer value) : Variant() {
  V_VT(&v_) = VT_I2;
  V_I2(&v_) = value;
}
Variant::Variant(Double value) : Variant() {
  V_VT(&v_) = VT_R8;
  V_R8(&v_) = value;
}
Variant::Variant(Single value) : Variant() {
  V_VT(&v_) = VT_R4;
  V_R4(&v_) = value;
}
Variant::Variant(Boolean value) : Variant() {
  V_VT(&v_) = VT_BOOL;
  V_BOOL(&v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(StringView value) : Variant() {
  V_BSTR(&v_) = ToBstr(value);
  V_VT(&v_) = VT_BSTR;
}
Variant::Variant(IDispatch* object) : Variant() {
  V_VT(&v_) = VT_DISPATCH;
  V_DISPATCH(&v_) = object;
  if (object) object->AddRef();
}
Variant Variant::FromDate(Date value) {
  Variant v;
  V_VT(&v.v_) = VT_DATE;
  V_DATE(&v.v_) = value;
  return v;
}
Variant Variant::Null() {
  Variant v;
  V_VT(&v.v_) = VT_NULL;
  return v;
}
Variant Variant::Missing() {
  Variant v;
  V_VT(&v.v_) = VT_ERROR;
  V_ERROR(&v.v_) = DISP_E_PARAMNOTFOUND;
  return v;
}

Variant Variant::ChangedTo(VARTYPE type) const {
  if (IsNull()) Raise(kErrInvalidUseOfNull);
  Variant out;
  // Booleans become "True"/"False" as the run-time writes them, not "-1"/"0".
  const USHORT flags = type == VT_BSTR ? VARIANT_ALPHABOOL : 0;
  CheckHresult(VariantChangeTypeEx(out.put(), const_cast<VARIANT*>(&v_), LOCALE_USER_DEFAULT, flags, type));
  return out;
}

String Variant::ToString() const {
  if (IsEmpty()) return {};
  const Variant text = ChangedTo(VT_BSTR);
  return FromBstr(V_BSTR(&text.v_));
}
Long Variant::ToLong() const { return ChangedTo(VT_I4).v_.lVal; }
Integer Variant::ToInteger() const { return ChangedTo(VT_I2).v_.iVal; }
Byte Variant::ToByte() const { return ChangedTo(VT_UI1).v_.bVal; }
Double Variant::ToDouble() const { return ChangedTo(VT_R8).v_.dblVal; }
Single Variant::ToSingle() const { return ChangedTo(VT_R4).v_.fltVal; }
Boolean Variant::ToBoolean() const { return ChangedTo(VT_BOOL).v_.boolVal != VARIANT_FALSE; }
Date Variant::ToDate() const { return ChangedTo(VT_DATE).v_.date; }

}  // namespace brixen
