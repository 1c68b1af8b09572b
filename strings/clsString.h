// clsString: binary, hexadecimal and padded number text, null-safe readers, trimming and
// key-press filters for text boxes. It keeps no state but the error log it reports to.
#pragma once
#include "frame/com/latebound.h"
#include "frame/com/variant.h"
#include "frame/types.h"
#include "helpers/error_log.h"

namespace brixen {

class clsString {
 public:
  // Binary and hexadecimal text.
  String Convert2To16(const String& svalue);
  Boolean IsHex(const String& svalue);
  Byte ParseByteBit(const String& sBit);
  String Fmt16(Byte tByte);
  String Fmt16Ex(Integer ivalue, Long Col);
  String Fmt16Ex2(Long lvalue, Long Col);

  // Null-safe values, trimming and padding.
  Long Nz(const Variant& var);
  String Nzs(const Variant& var);
  String TrimTabSpace(const String& sTarget);
  String TrimReturn(const String& sTarget);
  String TrimSpace(const String& sTarget);
  String GetLYoseStr(const String& sTarget, Byte MOJIKAZU);
  String GetRYoseStr(const Variant& Char, Long Haba);
  String GetZeroStr(Integer KAISU);
  String StrFormat(const Variant& tStr, Byte Which);
  Boolean CheckShosu(const String& tStr, Integer UNIT);

  // Key-press filters (ENUM_CheckKeyAscii for Which and maskType).
  Boolean CheckKeyAscii(Integer KeyAscii, Long Which);
  Integer CvToBigASC(Integer KeyAscii);
  void Mask(Object& txtObj, Long lenChar, Long maskType, Integer& KeyAscii);
  Boolean IsABC(Integer KeyAscii);

 private:
  ErrorLog log_;
};

}  // namespace brixen
