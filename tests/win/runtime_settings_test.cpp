#include "frame/win/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "frame/errors.h"
#include "frame/win/handles.h"

namespace brixen::win {
namespace {

constexpr char16_t kApp[] = u"BrixenRuntimeSettingsTest";
constexpr wchar_t kAppKey[] = L"Software\\VB and VBA Program Settings\\BrixenRuntimeSettingsTest";

class RuntimeSettings : public testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }

  static bool AppKeyExists() {
    RegKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, kAppKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
  }
};

Long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

TEST_F(RuntimeSettings, AbsentValuesGiveTheDefault) {
  EXPECT_EQ(GetSetting(kApp, u"Section", u"Key", u"fallback"), u"fallback");
  EXPECT_EQ(GetSetting(kApp, u"Section", u"Key"), u"");
  EXPECT_FALSE(AppKeyExists()) << "reading must not create the key";
}

TEST_F(RuntimeSettings, SavedValuesAreRegSzUnderTheRunTimesKey) {
  SaveSetting(kApp, u"Window", u"Caption", u"\u65E5\u672C\u8A9E text");
  EXPECT_EQ(GetSetting(kApp, u"Window", u"Caption", u"x"), u"\u65E5\u672C\u8A9E text");

  wchar_t data[64] = {};
  DWORD size = sizeof(data);
  DWORD type = 0;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER,
                           L"Software\\VB and VBA Program Settings\\BrixenRuntimeSettingsTest\\Window", L"Caption",
                           RRF_RT_ANY, &type, data, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data, L"\u65E5\u672C\u8A9E text");
}

TEST_F(RuntimeSettings, EmptyValueIsStoredAndOverwritten) {
  SaveSetting(kApp, u"S", u"K", u"first");
  SaveSetting(kApp, u"S", u"K", u"");
  EXPECT_EQ(GetSetting(kApp, u"S", u"K", u"default"), u"");
}

TEST_F(RuntimeSettings, ValuesOfOtherTypesGiveTheDefault) {
  SaveSetting(kApp, u"S", u"K", u"x");
  const DWORD number = 7;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\BrixenRuntimeSettingsTest\\S",
                              L"Number", REG_DWORD, &number, sizeof(number)),
            ERROR_SUCCESS);
  EXPECT_EQ(GetSetting(kApp, u"S", u"Number", u"default"), u"default");
}

TEST_F(RuntimeSettings, DeleteRemovesAValueASectionOrTheApplication) {
  SaveSetting(kApp, u"A", u"K1", u"1");
  SaveSetting(kApp, u"A", u"K2", u"2");
  SaveSetting(kApp, u"B", u"K", u"3");

  DeleteSetting(kApp, u"A", u"K1");
  EXPECT_EQ(GetSetting(kApp, u"A", u"K1", u"gone"), u"gone");
  EXPECT_EQ(GetSetting(kApp, u"A", u"K2"), u"2");

  DeleteSetting(kApp, u"A");
  EXPECT_EQ(GetSetting(kApp, u"A", u"K2", u"gone"), u"gone");
  EXPECT_EQ(GetSetting(kApp, u"B", u"K"), u"3");

  DeleteSetting(kApp);
  EXPECT_FALSE(AppKeyExists());
}

TEST_F(RuntimeSettings, InvalidCallsRaise5) {
  SaveSetting(kApp, u"S", u"K", u"v");
  const std::function<void()> calls[] = {
      [] { GetSetting(u"", u"S", u"K"); },
      [] { GetSetting(kApp, u"", u"K"); },
      [] { GetSetting(kApp, u"S", u""); },
      [] { SaveSetting(u"", u"S", u"K", u"v"); },
      [] { SaveSetting(kApp, u"", u"K", u"v"); },
      [] { DeleteSetting(u""); },
      [] { DeleteSetting(kApp, u""); },
      [] { DeleteSetting(kApp, u"S", u"Missing"); },
      [] { DeleteSetting(kApp, u"Missing", u"K"); },
      [] { DeleteSetting(kApp, u"Missing"); },
      [] { DeleteSetting(u"BrixenNoSuchApplication"); },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(ErrorOf(calls[i]), kErrInvalidCall) << "case " << i;
  EXPECT_EQ(GetSetting(kApp, u"S", u"K"), u"v");
}

}  // namespace
}  // namespace brixen::win
