// The word and byte arithmetic behind clsProperty's conversions, with its overflow errors.
#include <gtest/gtest.h>

#include "run_time_error.h"
#include "system/conversions.h"

namespace brixen::test {
namespace {

TEST(PackWords, AddsTheHighWordTimes65536AndWrapsAboveTheLongRange) {
  const struct {
    Long hi, low, packed;
  } cases[] = {
      {0xFFFF, 0xFFFF, -1},          {0x8000, 0, -2147483647 - 1}, {1, -1, 65535},
      {0, 500, 500},                 {0, 70000, 70000},           {65536, 0, 0},
      {0x7FFF, 0xFFFF, 2147483647},  {-1, 0, -65536},             {-32768, 0, -2147483647 - 1},
      {0x1234, 0x5678, 0x12345678},  {0xFFFF, 0x10000, 0},         {0x17FFF, 0xFFFF, 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(PackWords(c.hi, c.low), c.packed) << c.hi << ", " << c.low;
}

TEST(PackWords, RaisesOverflowWhenTheSumStaysOutsideTheLongRange) {
  const struct {
    Long hi, low;
  } cases[] = {{-32769, 0}, {-32768, -1}, {0x18000, 0}, {2147483647, 2147483647}};
  for (const auto& c : cases)
    EXPECT_EQ(ErrorRaisedBy([&] { PackWords(c.hi, c.low); }), kErrOverflow) << c.hi << ", " << c.low;
}

TEST(SignedFromBytes, ReadsTheFirstByteAsLowAndTheSecondAsHigh) {
  const struct {
    Byte low, high;
    Integer value;
  } cases[] = {
      {0, 0, 0},      {255, 255, -1},     {0, 128, -32768}, {52, 18, 4660},
      {255, 127, 32767}, {1, 128, -32767}, {0, 255, -256},   {128, 0, 128},
  };
  for (const auto& c : cases) EXPECT_EQ(SignedFromBytes(c.low, c.high), c.value) << +c.low << ", " << +c.high;
}

TEST(SignMagnitudeByte, SetsBit80ForNegativeValues) {
  const struct {
    Integer value;
    Byte result;
  } cases[] = {{0, 0}, {200, 200}, {255, 255}, {-1, 129}, {-5, 133}, {-127, 255}, {-128, 128}, {-200, 200}, {-255, 255}};
  for (const auto& c : cases) EXPECT_EQ(SignMagnitudeByte(c.value), c.result) << c.value;
}

TEST(SignMagnitudeByte, RaisesOverflowAbove255) {
  for (Integer value : {256, 32767, -256, -1000, -32767, -32768})
    EXPECT_EQ(ErrorRaisedBy([&] { SignMagnitudeByte(value); }), kErrOverflow) << value;
}

TEST(NumLockEntry, ReadsAndChangesOnlyTheToggleBit) {
  EXPECT_EQ(NumLockStateOf(0x00), 0);
  EXPECT_EQ(NumLockStateOf(0x01), 1);
  EXPECT_EQ(NumLockStateOf(0x80), 0);  // held down, not toggled
  EXPECT_EQ(NumLockStateOf(0x81), 1);

  const struct {
    Byte entry;
    Long state;
    Byte changed;
  } cases[] = {{0x00, 1, 0x01}, {0x80, 1, 0x81}, {0x81, 0, 0x80}, {0x01, 0, 0x00},
               {0x81, 2, 0x81}, {0x80, -1, 0x80}, {0x01, 1, 0x01}};
  for (const auto& c : cases) EXPECT_EQ(WithNumLockState(c.entry, c.state), c.changed) << +c.entry << " " << c.state;
}

}  // namespace
}  // namespace brixen::test
