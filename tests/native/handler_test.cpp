// The members' error handler: what it reports, what it keeps quiet, and the result returned.
#include "frame/handler.h"

#include <gtest/gtest.h>

#include <vector>

namespace brixen {
namespace {

struct Reported {
  Long number;
  String text;
  String module;
};

class HandlerTest : public testing::Test {
 protected:
  std::vector<Reported> log_;
  ErrorHandler handler_{[this](Long number, const String& text, const String& module) {
    log_.push_back({number, text, module});
  }};
};

TEST_F(HandlerTest, ReportsUnderTheModuleNameAndKeepsThePartialResult) {
  const String result = handler_.Run<String>(u" Fmt16Ex", [](String& r) {
    r = u"partial";
    Raise(kErrOverflow);
  });
  EXPECT_EQ(result, u"partial");
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0].number, kErrOverflow);
  EXPECT_EQ(log_[0].text, u"Overflow");
  EXPECT_EQ(log_[0].module, u" Fmt16Ex") << "the leading blank is part of the literal";
}

TEST_F(HandlerTest, StartsFromTheGivenDefault) {
  EXPECT_TRUE(handler_.Run<bool>(u"CheckShosu", [](bool&) { Raise(kErrTypeMismatch); }, true));
  EXPECT_EQ(log_.size(), 1u);
}

TEST_F(HandlerTest, ListedNumbersAreAQuietNo) {
  const bool ready = handler_.Run<bool>(
      u"IsDriveReady", [](bool&) { Raise(kErrDiskNotReady); }, false, {kErrDiskNotReady, kErrDeviceUnavailable});
  EXPECT_FALSE(ready);
  EXPECT_TRUE(log_.empty());
}

TEST_F(HandlerTest, OutOfMemoryIsReportedAsTheRunTimeError) {
  handler_.Run<Long>(u"Nz", [](Long&) { throw std::bad_alloc(); });
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0].number, kErrOutOfMemory);
}

TEST_F(HandlerTest, NoErrorNoReport) {
  EXPECT_EQ(handler_.Run<Long>(u"Nz", [](Long& r) { r = 12; }), 12);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace brixen
