// Little-endian numbers inside a byte buffer read from a file header.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "frame/types.h"

namespace brixen {

// The integer of T's width at `offset` (low byte first), as T: a signed T takes the sign of its
// top byte.
template <class T>
T LittleEndian(std::span<const Byte> bytes, std::size_t offset) {
  static_assert(std::is_integral_v<T>);
  std::make_unsigned_t<T> value = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) value = static_cast<std::make_unsigned_t<T>>(value << 8 | bytes[offset + i]);
  return static_cast<T>(value);
}

}  // namespace brixen
