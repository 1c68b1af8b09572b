// The automation value types every member takes and returns, under the names the
// class interfaces use. Text is UTF-16 throughout the library.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace brixen {

using String = std::u16string;
using StringView = std::u16string_view;
using Long = std::int32_t;
using Integer = std::int16_t;
using Byte = std::uint8_t;
using Single = float;
using Double = double;
using Boolean = bool;  // becomes -1 / 0 at the automation boundary
using Date = double;   // days since 1899-12-30 00:00:00; the fraction is the time of day

}  // namespace brixen
