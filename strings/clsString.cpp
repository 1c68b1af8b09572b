#include "strings/clsString.h"

#include <optional>
#include <variant>

#include "frame/runtime/val.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/text_case.h"
#include "strings/digit_text.h"
#include "strings/fill_and_trim.h"
#include "strings/key_codes.h"

namespace brixen {
namespace {

Integer AnsiCode(StringView character) { return win::Asc(character); }

// Whether the user's locale reads "4,2" as 4.2 (a number below 5): the comma is then its
// decimal separator. A locale that reads no number there has no use for the comma at all.
bool CommaIsDecimalSeparator() {
  try {
    return Variant(u"4,2").ToDouble() < 5;
  } catch (const RuntimeError&) {
    return false;
  }
}

// The number Format writes for a value: numbers, dates and Booleans as they are, a text when
// the user's locale reads it as a number; nothing for any other text. Null raises 94.
std::optional<Double> NumberToFormat(const Variant& value) {
  if (value.Type() != VT_BSTR) return value.ToDouble();
  try {
    return value.ToDouble();
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace

// ---- binary and hexadecimal text

String clsString::Convert2To16(const String& svalue) {
  return log_.Handle<String>(u"Convert2To16", [&](String& r) { r = str::Convert2To16(svalue); });
}

Boolean clsString::IsHex(const String& svalue) { return str::IsHex(svalue); }

Byte clsString::ParseByteBit(const String& sBit) {
  return log_.Handle<Byte>(u"ParseByteBit", [&](Byte& r) { r = str::ParseByteBit(sBit); });
}

String clsString::Fmt16(Byte tByte) {
  return log_.Handle<String>(u"Fmt16", [&](String& r) { r = str::Fmt16(tByte); });
}

String clsString::Fmt16Ex(Integer ivalue, Long Col) {
  return log_.Handle<String>(u" Fmt16Ex", [&](String& r) { r = str::Fmt16Ex(ivalue, Col); });
}

String clsString::Fmt16Ex2(Long lvalue, Long Col) {
  return log_.Handle<String>(u" Fmt16Ex2", [&](String& r) { r = str::Fmt16Ex2(lvalue, Col); });
}

// ---- null-safe values, trimming and padding

// The leading number of the value's text, as Val reads it, rounded to a Long.
Long clsString::Nz(const Variant& var) {
  return log_.Handle<Long>(u"Nz", [&](Long& r) {
    if (!var.IsNull()) r = rt::CLng(rt::Val(var.ToString()));
  });
}

String clsString::Nzs(const Variant& var) {
  return log_.Handle<String>(u"Nzs", [&](String& r) {
    if (!var.IsNull()) r = var.ToString();
  });
}

String clsString::TrimTabSpace(const String& sTarget) {
  return log_.Handle<String>(u"TrimTabSpace", [&](String& r) { r = str::TrimTabSpace(sTarget); });
}

String clsString::TrimReturn(const String& sTarget) { return str::TrimReturn(sTarget); }

String clsString::TrimSpace(const String& sTarget) {
  return log_.Handle<String>(u"TrimSpace", [&](String& r) { r = str::TrimSpace(sTarget, AnsiCode); });
}

String clsString::GetLYoseStr(const String& sTarget, Byte MOJIKAZU) { return str::GetLYoseStr(sTarget, MOJIKAZU); }

// The value is read only for a width the field supports.
String clsString::GetRYoseStr(const Variant& Char, Long Haba) {
  if (!str::IsRYoseWidth(Haba)) return {};
  return str::GetRYoseStr(Char.ToString(), Haba);
}

String clsString::GetZeroStr(Integer KAISU) { return str::GetZeroStr(KAISU); }

// No numeric test first: a text that is no number comes back as it is.
String clsString::StrFormat(const Variant& tStr, Byte Which) {
  if (Which != str::kStrFormatThousands) return {};
  if (const std::optional<Double> number = NumberToFormat(tStr)) return str::FormatThousands(*number);
  return str::FormatThousands(tStr.ToString());
}

Boolean clsString::CheckShosu(const String& tStr, Integer UNIT) {
  return log_.Handle<Boolean>(u"CheckShosu", [&](Boolean& r) { r = str::CheckShosu(tStr, UNIT); }, true);
}

// ---- key-press filters

Boolean clsString::CheckKeyAscii(Integer KeyAscii, Long Which) {
  return str::CheckKeyAscii(KeyAscii, Which, CommaIsDecimalSeparator());
}

// The character of the key in the system code page, upper-cased by the user's locale.
Integer clsString::CvToBigASC(Integer KeyAscii) { return win::Asc(win::UCase(win::Chr(KeyAscii))); }

// Discards (sets to 0) a printable key outside the class, or one that would make the text
// longer than lenChar. A typed key replaces a selection, so then the length is not checked.
// The text box is only read: its SelText and its default value (the text).
void clsString::Mask(Object& txtObj, Long lenChar, Long maskType, Integer& KeyAscii) {
  log_.Handle<std::monostate>(u"Mask", [&](std::monostate&) {
    if (KeyAscii <= str::kKeySpace) return;
    if (maskType != str::kAnything && !CheckKeyAscii(KeyAscii, maskType)) {
      KeyAscii = str::kKeyDiscarded;
      return;
    }
    if (!GetProperty(txtObj.Get(), u"SelText").ToString().empty()) return;
    const String text = Variant(txtObj.Get()).ToString();
    if (static_cast<Long>(text.size()) >= lenChar) KeyAscii = str::kKeyDiscarded;
  });
}

Boolean clsString::IsABC(Integer KeyAscii) { return str::IsABC(KeyAscii); }

}  // namespace brixen
