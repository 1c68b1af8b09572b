// The language rule of the messages: the system's country as Wine reports it under each test
// locale, the rule applied to any country name, and a failing read logged under "Language".
#include "frame/locale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "err_log_file.h"
#include "frame/errors.h"
#include "frame/win/app.h"
#include "frame/win/wide.h"
#include "msgbox_answerer.h"

namespace brixen {
namespace {

using test::JapaneseTestLocale;

// Runs in English and again under the Japanese locale.
TEST(LocaleBilingual, CountryOfTheSystemLocale) {
  if (JapaneseTestLocale()) {
    EXPECT_EQ(GetSystemCountryName(), u"Japan");
    EXPECT_TRUE(IsJapaneseSystem());
    EXPECT_EQ(String(Bilingual(u"日本語", u"English")), u"日本語");
  } else {
    EXPECT_EQ(GetSystemCountryName(), u"United States");
    EXPECT_FALSE(IsJapaneseSystem());
    EXPECT_EQ(String(Bilingual(u"日本語", u"English")), u"English");
  }
}

// The rule for countries the test machines cannot be switched to, through the test seam.
class LocaleRule : public testing::Test {
 protected:
  void TearDown() override { ResetCountryNameSourceForTests(); }
  void Country(String name) {
    SetCountryNameSourceForTests([name] { return name; });
  }
};

TEST_F(LocaleRule, OnlyJapanInAnyLetterCaseIsJapanese) {
  const struct {
    const char16_t* country;
    bool japanese;
  } cases[] = {{u"JAPAN", true}, {u"Japan", true}, {u"jApAn", true},         {u"", false},
               {u"Japan ", false}, {u"United States", false}, {u"日本", false}};
  for (const auto& c : cases) {
    Country(c.country);
    EXPECT_EQ(GetSystemCountryName(), c.country);
    EXPECT_EQ(IsJapaneseSystem(), c.japanese) << testing::PrintToString(String(c.country));
  }
}

TEST_F(LocaleRule, EachMessageFollowsTheLocaleAtThatMoment) {
  Country(u"Japan");
  EXPECT_EQ(String(Bilingual(u"ja", u"en")), u"ja");
  Country(u"Germany");
  EXPECT_EQ(String(Bilingual(u"ja", u"en")), u"en");
  Country(u"Japan");
  EXPECT_EQ(String(Bilingual(u"ja", u"en")), u"ja");
}

// A run-time error while reading goes to ErrReg under "Language" (a box and a record beside
// this program) and the name is empty, so the message is English. ErrReg asks for the language
// of its own box: the read failing again there is not reported a second time.
TEST_F(LocaleRule, AFailedReadIsLoggedUnderLanguageOnceAndGivesEnglish) {
  const test::ErrLogFile log(win::Wide(win::AppPath()));
  SetCountryNameSourceForTests([]() -> String { Raise(kErrOutOfMemory); });
  test::MsgBoxAnswerer answerer;
  EXPECT_EQ(GetSystemCountryName(), u"");
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].title, L"ERROR");
  EXPECT_EQ(answerer.Boxes()[0].text,
            L"Language\r\n\r\nOut of memory\r\n\r\n[ErrCode] 7\r\n\r\nPlease note this message and report.");
  const std::string bytes = log.Bytes();
  EXPECT_NE(bytes.find("\r\n 7 "), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("Language      Out of memory\r\n"), std::string::npos) << bytes;

  EXPECT_FALSE(IsJapaneseSystem());
  EXPECT_EQ(answerer.Boxes().size(), 2u);
}

}  // namespace
}  // namespace brixen
