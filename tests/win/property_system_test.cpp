// clsProperty's facts about the running system, each against what the platform itself reports
// in the same run (asked through its wide entry points where it has them), and the time-based
// name on a fixed clock and tick count.
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#include <cmath>
#include <functional>
#include <string>

#include "com_fixture.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"

namespace brixen::test {
namespace {

std::wstring Text(const std::function<HRESULT(BSTR*)>& call) {
  OwnedBstr text;
  EXPECT_EQ(call(text.put()), S_OK);
  return text.text();
}

long Number(const std::function<HRESULT(long*)>& call) {
  long value = -7;
  EXPECT_EQ(call(&value), S_OK);
  return value;
}

// Sets a process environment variable for the life of the object.
class Environment {
 public:
  Environment(const wchar_t* name, const wchar_t* value) : name_(name) { SetEnvironmentVariableW(name, value); }
  ~Environment() { SetEnvironmentVariableW(name_, nullptr); }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

 private:
  const wchar_t* name_;
};

class PropertySystem : public testing::Test {
 protected:
  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PropertySystem, MetricsAsThePlatformGivesThem) {
  EXPECT_EQ(Number([&](long* r) { return property_->get_CrtResolution(r); }), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Number([&](long* r) { return property_->GetVScrollWidth(r); }), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(Number([&](long* r) { return property_->GetHScrollHeight(r); }), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(Number([&](long* r) { return property_->GetDlgBorderHeight(r); }), GetSystemMetrics(SM_CYDLGFRAME));
  EXPECT_EQ(Number([&](long* r) { return property_->get_WindowTitleHeight(r); }), GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(PropertySystem, TheFiveSystemFonts) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  const struct {
    ENUM_GETFONT which;
    const LOGFONTW& font;
  } cases[] = {{eFONT_CAPTION, metrics.lfCaptionFont},
               {eFONT_CAPTION_TOOLBAR, metrics.lfSmCaptionFont},
               {eFONT_MENU, metrics.lfMenuFont},
               {eFONT_STATUSBAR, metrics.lfStatusFont},
               {eFONT_MESSAGEBOX, metrics.lfMessageFont}};
  for (const auto& c : cases) {
    const std::wstring name = Text([&](BSTR* r) { return property_->GetFontName(c.which, r); });
    EXPECT_EQ(name, c.font.lfFaceName) << c.which;
    EXPECT_EQ(name.find(L'\0'), std::wstring::npos);
  }
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetFontName(static_cast<ENUM_GETFONT>(5), r); }), L"");
}

// Wine's device contexts all report 32 bits per pixel (a memory context with a 24-bit bitmap
// too), so 2^32 is the value to see: exact in a Single.
TEST_F(PropertySystem, DeviceColorsFromPlanesAndBitsPerPixel) {
  const HDC screen = GetDC(nullptr);
  const int depth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
  float colors = 0;
  ASSERT_EQ(property_->get_DeviceColors(win::LongOf(screen), &colors), S_OK);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(colors, static_cast<float>(std::pow(2.0, depth)));
  if (depth == 32) EXPECT_EQ(static_cast<double>(colors), 4294967296.0);
  if (depth == 24) EXPECT_EQ(static_cast<double>(colors), 16777216.0);
}

TEST_F(PropertySystem, UserVersionAndInputMethod) {
  wchar_t user[257] = {};
  DWORD size = 257;
  ASSERT_TRUE(GetUserNameW(user, &size));
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetUserName(r); }), user);

  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExW(&version));
  long major = -1, minor = -1, platform = -1, result = 0;
  ASSERT_EQ(property_->GetWinVer(&major, &minor, &platform, &result), S_OK);
  EXPECT_NE(result, 0);
  EXPECT_EQ(major, static_cast<long>(version.dwMajorVersion));
  EXPECT_EQ(minor, static_cast<long>(version.dwMinorVersion));
  EXPECT_EQ(platform, static_cast<long>(version.dwPlatformId));

  wchar_t ime[129] = {};
  ImmGetDescriptionW(GetKeyboardLayout(0), ime, 128);
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetIMEName(r); }), ime);
}

// The task bar's rectangle in the member's order: top, left, width, height.
TEST_F(PropertySystem, TheTaskBarTopLeftWidthHeight) {
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
  const RECT& r = bar.rc;
  EXPECT_EQ(Text([&](BSTR* t) { return property_->GetTaskBarSize(t); }),
            std::to_wstring(r.top) + L"*" + std::to_wstring(r.left) + L"*" + std::to_wstring(r.right - r.left) + L"*" +
                std::to_wstring(r.bottom - r.top));
}

TEST_F(PropertySystem, ErrorTextsWithTheirLineBreak) {
  for (DWORD code : {0u, 2u, 5u}) {
    wchar_t text[256] = {};
    ASSERT_GT(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, 256, nullptr), 0u);
    const std::wstring got = Text([&](BSTR* r) { return property_->GetAPILastError(static_cast<long>(code), r); });
    EXPECT_EQ(got, text) << code;
    EXPECT_EQ(got.substr(got.size() - 2), L"\r\n") << code;
  }
  // A text longer than 128 bytes does not fit: "".
  for (DWORD code = 0; code < 20000; ++code) {
    char text[1024] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, 1024, nullptr);
    if (length <= 128) continue;
    EXPECT_EQ(Text([&](BSTR* r) { return property_->GetAPILastError(static_cast<long>(code), r); }), L"") << code;
    break;
  }
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetAPILastError(-1, r); }), L"") << "no such code";
}

TEST_F(PropertySystem, KeyboardTexts) {
  const wchar_t* types[] = {L"UNKNOWN",
                            L"IBM PC/XT or compatible",
                            L"Olivetti M24",
                            L"IBM AT or compatible",
                            L"IBM Enhanced or compatible",
                            L"Nokia 1050 or compatible",
                            L"Nokia 9140 or compatibl",
                            L"Japanese Keyboard"};
  const int type = GetKeyboardType(0);
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetKBDInfo(0, r); }), type >= 1 && type <= 7 ? types[type] : L"UNKNOWN");
  const int subtype = GetKeyboardType(1);
  const std::wstring subtype_text = Text([&](BSTR* r) { return property_->GetKBDInfo(1, r); });
  if (subtype == 0) EXPECT_EQ(subtype_text, L"101");
  if (subtype == 4) EXPECT_EQ(subtype_text, L"IBM-5576 001");
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetKBDInfo(2, r); }), std::to_wstring(GetKeyboardType(2)));
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetKBDInfo(3, r); }), L"");
  EXPECT_EQ(Text([&](BSTR* r) { return property_->GetKBDInfo(-1, r); }), L"");
}

TEST_F(PropertySystem, TheLibraryIsNotRunInsideItsDevelopmentEnvironment) {
  VARIANT_BOOL ide = VARIANT_TRUE;
  ASSERT_EQ(property_->JugeIDE(&ide), S_OK);
  EXPECT_EQ(ide, VARIANT_FALSE);
}

TEST_F(PropertySystem, TheTimeBasedNameOnAFixedClock) {
  const Environment now(L"BRIXEN_TEST_NOW", L"2006-07-25 14:30:59");
  const struct {
    const wchar_t* ticks;
    const wchar_t* name;
  } cases[] = {
      {L"123448213", L"20060725_143059_48213"},
      {L"483", L"20060725_143059_483"},  // shortly after the start: fewer than five digits
      {L"-1", L"20060725_143059_-1"},   // the count read as a signed Long
  };
  for (const auto& c : cases) {
    const Environment ticks(L"BRIXEN_TEST_TICKS", c.ticks);
    EXPECT_EQ(Text([&](BSTR* r) { return property_->GetGUID(r); }), c.name);
  }
}

TEST_F(PropertySystem, TheCountryNameBilingual) {
  const std::wstring country = Text([&](BSTR* r) { return property_->Lang(r); });
  EXPECT_EQ(country, JapaneseTestLocale() ? L"Japan" : L"United States");
}

}  // namespace
}  // namespace brixen::test
