#include "frame/runtime/text.h"

#include <gtest/gtest.h>

#include "run_time_error.h"

namespace brixen::rt {
namespace {

using test::ErrorRaisedBy;

TEST(StringOf, RepeatsTheCharacterAndRefusesImpossibleCounts) {
  EXPECT_EQ(StringOf(3, u'0'), u"000");
  EXPECT_EQ(StringOf(0, u'0'), u"");
  EXPECT_EQ(Space(2), u"  ");
  EXPECT_EQ(ErrorRaisedBy([] { StringOf(-1, u'0'); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { Space(kMaxTextLength + 1); }), kErrOutOfMemory);
}

}  // namespace
}  // namespace brixen::rt
