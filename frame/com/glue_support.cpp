#include "frame/com/glue_support.h"

namespace brixen::com {

void WriteVariant(VARIANT* slot, const Variant& value) {
  if (V_VT(slot) == (VT_BYREF | VT_VARIANT)) slot = V_VARIANTREF(slot);
  VariantCopy(slot, const_cast<VARIANT*>(&value.get()));
}

SAFEARRAY* ToSafeArray(const StringArray& value) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(value.items.size()), value.lower};
  SAFEARRAY* array = SafeArrayCreate(VT_BSTR, 1, &bound);
  if (!array) Raise(kErrOutOfMemory);
  for (LONG i = 0; i < static_cast<LONG>(value.items.size()); ++i) {
    LONG index = value.lower + i;
    BSTR text = ToBstr(value.items[i]);
    const HRESULT hr = SafeArrayPutElement(array, &index, text);  // copies the text
    SysFreeString(text);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      RaiseFromHresult(hr);
    }
  }
  return array;
}

StringArray FromSafeArray(SAFEARRAY* value) {
  StringArray result;
  if (!value || SafeArrayGetDim(value) != 1) return result;
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(value, 1, &lower);
  SafeArrayGetUBound(value, 1, &upper);
  result.lower = lower;
  for (LONG index = lower; index <= upper; ++index) {
    BSTR text = nullptr;
    if (SUCCEEDED(SafeArrayGetElement(value, &index, &text))) result.items.push_back(FromBstr(text));
    SysFreeString(text);
  }
  return result;
}

void WriteStrings(SAFEARRAY** slot, const StringArray& value) {
  SAFEARRAY* array = ToSafeArray(value);
  if (*slot) SafeArrayDestroy(*slot);
  *slot = array;
}

}  // namespace brixen::com
