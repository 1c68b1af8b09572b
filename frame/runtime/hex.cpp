#include "frame/runtime/hex.h"

#include <cstdint>

namespace brixen::rt {
namespace {

String HexDigits(std::uint32_t value) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  String text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return text;
}

}  // namespace

String Hex(Integer value) { return HexDigits(static_cast<std::uint16_t>(value)); }
String Hex(Long value) { return HexDigits(static_cast<std::uint32_t>(value)); }
String Hex(Byte value) { return HexDigits(value); }

}  // namespace brixen::rt
