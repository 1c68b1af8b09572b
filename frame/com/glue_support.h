// Conversions between the slots' automation types and the plain classes' types, used by the
// glue generated from the type library. One function per automation type: the generator picks
// them by the type library's type name (VARIANT_BOOL and short are one C++ type).
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <vector>

#include "frame/com/latebound.h"
#include "frame/com/object.h"
#include "frame/com/variant.h"

namespace brixen {

// A one-dimensional array of texts with its lower bound, as automation passes it.
struct StringArray {
  Long lower = 0;
  std::vector<String> items;
};

namespace com {

// ---- ByVal arguments
inline String InBstr(BSTR value) { return FromBstr(value); }
inline Boolean InBool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }
inline Variant InVariant(const VARIANT& value) { return Variant(value); }
inline Object InObject(IDispatch* value) { return Object(value); }
inline Picture InPicture(IPictureDisp* value) { return Picture(value); }

// ---- results
inline void OutBstr(BSTR* out, StringView value) { *out = ToBstr(value); }
inline void OutBool(VARIANT_BOOL* out, Boolean value) { *out = value ? VARIANT_TRUE : VARIANT_FALSE; }
inline void OutVariant(VARIANT* out, Variant value) { value.Detach(out); }
inline void OutObject(IDispatch** out, Object value) { *out = value.Detach(); }
inline void OutPicture(IPictureDisp** out, Picture value) { *out = value.Detach(); }
template <class Com, class Plain>
void OutNum(Com* out, Plain value) {
  *out = static_cast<Com>(value);
}
SAFEARRAY* ToSafeArray(const StringArray& value);
StringArray FromSafeArray(SAFEARRAY* value);
inline void OutStrings(SAFEARRAY** out, const StringArray& value) { *out = ToSafeArray(value); }

// Clears a result slot before the call, so a failed call hands back nothing to free.
template <class T>
void ClearOut(T* out) {
  *out = T{};
}
inline void ClearOut(VARIANT* out) { VariantInit(out); }

// ---- ByRef arguments: the caller's value in plain form for the call, written back after it,
// also when the member fails, since the member works on the caller's variable.
template <class Plain, class Com, Plain (*Read)(const Com&), void (*Write)(Com*, const Plain&)>
class Ref {
 public:
  // An omitted optional ByRef argument arrives as no slot at all: the member sees the
  // type's default and nothing is written back.
  explicit Ref(Com* slot) : slot_(slot), value_(slot ? Read(*slot) : Plain{}) {}
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  ~Ref() {
    if (slot_) Write(slot_, value_);
  }
  Plain& value() { return value_; }

 private:
  Com* slot_;
  Plain value_;
};

inline String ReadBstr(const BSTR& value) { return FromBstr(value); }
inline void WriteBstr(BSTR* slot, const String& value) {
  if (FromBstr(*slot) == value) return;  // unchanged: the caller keeps its own string
  SysFreeString(*slot);
  *slot = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.data()), static_cast<UINT>(value.size()));
}
inline Boolean ReadBool(const VARIANT_BOOL& value) { return value != VARIANT_FALSE; }
inline void WriteBool(VARIANT_BOOL* slot, const Boolean& value) { OutBool(slot, value); }
inline Variant ReadVariant(const VARIANT& value) { return Variant(value); }
void WriteVariant(VARIANT* slot, const Variant& value);
inline Object ReadObject(IDispatch* const& value) { return Object(value); }
inline void WriteObject(IDispatch** slot, const Object& value) {
  if (value) value->AddRef();
  if (*slot) (*slot)->Release();
  *slot = value.Get();
}
inline Picture ReadPicture(IPictureDisp* const& value) { return Picture(value); }
inline void WritePicture(IPictureDisp** slot, const Picture& value) {
  if (value) value->AddRef();
  if (*slot) (*slot)->Release();
  *slot = value.Get();
}
inline StringArray ReadStrings(SAFEARRAY* const& value) { return FromSafeArray(value); }
void WriteStrings(SAFEARRAY** slot, const StringArray& value);
template <class Plain, class Com>
Plain ReadNum(const Com& value) {
  return static_cast<Plain>(value);
}
template <class Plain, class Com>
void WriteNum(Com* slot, const Plain& value) {
  *slot = static_cast<Com>(value);
}

using RefBstr = Ref<String, BSTR, ReadBstr, WriteBstr>;
using RefBool = Ref<Boolean, VARIANT_BOOL, ReadBool, WriteBool>;
using RefVariant = Ref<Variant, VARIANT, ReadVariant, WriteVariant>;
using RefObject = Ref<Object, IDispatch*, ReadObject, WriteObject>;
using RefPicture = Ref<Picture, IPictureDisp*, ReadPicture, WritePicture>;
using RefStrings = Ref<StringArray, SAFEARRAY*, ReadStrings, WriteStrings>;
template <class Plain, class Com>
using RefNum = Ref<Plain, Com, ReadNum<Plain, Com>, WriteNum<Plain, Com>>;

}  // namespace com
}  // namespace brixen
