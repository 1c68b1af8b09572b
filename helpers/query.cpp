// clsMethod: joining query conditions and splitting packed values.
#include <cstdint>

#include "frame/runtime/values.h"
#include "helpers/clsMethod.h"

namespace brixen {

// A condition of two or more characters gets " AND " for the next one; nothing is trimmed.
void clsMethod::CheckWhere(String& WhereStr) {
  if (WhereStr.size() >= 2) WhereStr += u" AND ";
}

void clsMethod::MakeWhereStr(String& OrgWhere, const String& NewWhere) {
  CheckWhere(OrgWhere);
  OrgWhere += NewWhere;
}

// x in the low word, y in the high word, each a signed 16-bit number. The high word is taken
// from the unsigned bits: GetHiWord answers one too many for negative values whose low word
// is not 0, which would split -65535 (&HFFFF0001) into 1 and 0 instead of 1 and -1.
void clsMethod::Separate32WithSign(Long tLong, Integer& tx, Integer& ty) {
  clsProperty& words = Property();
  const auto high = static_cast<Long>(static_cast<std::uint32_t>(tLong) >> 16);
  tx = rt::CInt(words.CvWithSign(words.GetLoWord(tLong)));
  ty = rt::CInt(words.CvWithSign(high));
}

}  // namespace brixen
