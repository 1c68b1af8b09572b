#include "frame/runtime/hex.h"

#include <gtest/gtest.h>

#include <limits>

namespace brixen::rt {
namespace {

TEST(Hex, EachWidthWritesItsOwnTwosComplement) {
  EXPECT_EQ(Hex(Integer{0}), u"0");
  EXPECT_EQ(Hex(Integer{255}), u"FF");
  EXPECT_EQ(Hex(Integer{-1}), u"FFFF");
  EXPECT_EQ(Hex(Integer{-32768}), u"8000");
  EXPECT_EQ(Hex(Long{-1}), u"FFFFFFFF");
  EXPECT_EQ(Hex(Long{65536}), u"10000");
  EXPECT_EQ(Hex(std::numeric_limits<Long>::min()), u"80000000");
  EXPECT_EQ(Hex(Long{0xABCDEF}), u"ABCDEF");
  EXPECT_EQ(Hex(Byte{10}), u"A");
  EXPECT_EQ(Hex(Byte{255}), u"FF");
}

}  // namespace
}  // namespace brixen::rt
