// clsProperty: packing words, signed bytes and negated Variants.
#include "system/clsProperty.h"
#include "system/conversions.h"

namespace brixen {

Long clsProperty::Create_unsigned32bit(Long lngHi, Long lngLow) { return PackWords(lngHi, lngLow); }

Integer clsProperty::Calcul2Byte(Byte Mae, Byte Ato) { return SignedFromBytes(Mae, Ato); }

Byte clsProperty::MinusOpForBin(Integer intTarget) { return SignMagnitudeByte(intTarget); }

// Negative values come back as they are (a negative numeric text stays a text); everything
// else is multiplied by -1 with the automation arithmetic, so Null stays Null and a numeric
// text becomes a number. A text that holds no number raises 13 in the comparison.
Variant clsProperty::ToMinus(const Variant& Num) {
  if (!Num.IsNull() && Num.ToDouble() < 0) return Num;
  Variant minusOne(Integer{-1});
  Variant product;
  CheckHresult(VarMul(const_cast<VARIANT*>(&minusOne.get()), const_cast<VARIANT*>(&Num.get()), product.put()));
  return product;
}

}  // namespace brixen
