// clsProperty: facts about the running system: input method and keyboard, the task bar, the
// development environment, system fonts, the country, screen and device metrics, the user, the
// version, the text of an error code, and a time-based name.
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>

#include "frame/filesystem.h"
#include "frame/locale.h"
#include "frame/runtime/format.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/app.h"
#include "frame/win/clock.h"
#include "frame/win/handle_values.h"
#include "frame/win/msgbox.h"
#include "frame/win/text_case.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

constexpr int kImeDescriptionSize = 128;
constexpr DWORD kModuleNameSize = 255;
constexpr DWORD kErrorTextSize = 128;
constexpr DWORD kUserNameSize = 256;
constexpr std::size_t kTickDigits = 5;

// The text of an ANSI platform buffer before its first NUL.
String TextOf(const std::string& buffer) { return win::FromAnsi(buffer.c_str()); }

struct KeyboardText {
  int value;
  const char16_t* text;
};

constexpr KeyboardText kKeyboardTypes[] = {
    {1, u"IBM PC/XT or compatible"}, {2, u"Olivetti M24"},  {3, u"IBM AT or compatible"},
    {4, u"IBM Enhanced or compatible"}, {5, u"Nokia 1050 or compatible"}, {6, u"Nokia 9140 or compatibl"},
    {7, u"Japanese Keyboard"},
};

constexpr KeyboardText kKeyboardSubtypes[] = {
    {0, u"101"},
    {1, u"AX"},
    {2, u"106"},
    {3, u"IBM-5576 002/003"},
    {4, u"IBM-5576 001"},
    {0xD01, u"PC-9800 DeskTop"},
    {0xD02, u"PC9801 VX/UX or PC980 XL(Not High Resolution)"},
    {0xD03, u"PC98XL(High Resolution)"},
    {0xD04, u"PC9800 LapTop"},
};

template <std::size_t N>
String KeyboardName(const KeyboardText (&table)[N], int value) {
  for (const KeyboardText& entry : table) {
    if (entry.value == value) return entry.text;
  }
  return u"UNKNOWN";
}

const LOGFONTA* FontOf(const NONCLIENTMETRICSA& metrics, Long which) {
  switch (which) {
    case 0: return &metrics.lfCaptionFont;
    case 1: return &metrics.lfSmCaptionFont;
    case 2: return &metrics.lfMenuFont;
    case 3: return &metrics.lfStatusFont;
    case 4: return &metrics.lfMessageFont;
    default: return nullptr;  // no such font: ""
  }
}

}  // namespace

String clsProperty::GetIMEName() {
  std::string description(kImeDescriptionSize, '\0');
  ::ImmGetDescriptionA(::GetKeyboardLayout(0), description.data(), kImeDescriptionSize);
  return TextOf(description);
}

// Top, left, width and height of the task bar, in that order.
String clsProperty::GetTaskBarSize() {
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  ::SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
  const RECT& r = bar.rc;
  return rt::CStr(Long{r.top}) + u"*" + rt::CStr(Long{r.left}) + u"*" + rt::CStr(rt::SubLong(r.right, r.left)) + u"*" +
         rt::CStr(rt::SubLong(r.bottom, r.top));
}

Boolean clsProperty::JugeIDE() {
  std::string name(kModuleNameSize, '\0');
  if (::GetModuleFileNameA(win::AppInstance(), name.data(), kModuleNameSize) == 0) {
    win::MsgBox(u"err GetModuleFileName", MB_ICONHAND);
    return false;
  }
  return win::UCase(FileSystem::GetFileName(TextOf(name))) == u"VB6.EXE";
}

String clsProperty::GetFontName(Long eVALUE) {
  // The record as it was before the padded border width joined it: 340 bytes, every version.
  constexpr UINT kMetricsSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kMetricsSize;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0)) return {};
  const LOGFONTA* font = FontOf(metrics, eVALUE);
  if (!font) return {};
  return win::FromAnsi(std::string(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE)));
}

// 2 to the power of planes times bits per pixel (16777216 for 24 bits).
Single clsProperty::get_DeviceColors(Long hdc) {
  const HDC dc = win::DcOf(hdc);
  const Long bits = rt::MulLong(::GetDeviceCaps(dc, PLANES), ::GetDeviceCaps(dc, BITSPIXEL));
  return rt::CSng(std::pow(2.0, bits));
}

String clsProperty::Lang() { return GetSystemCountryName(); }

Long clsProperty::get_CrtResolution() { return ::GetSystemMetrics(SM_CXSCREEN); }
Long clsProperty::GetVScrollWidth() { return ::GetSystemMetrics(SM_CXVSCROLL); }
Long clsProperty::GetHScrollHeight() { return ::GetSystemMetrics(SM_CYHSCROLL); }
Long clsProperty::GetDlgBorderHeight() { return ::GetSystemMetrics(SM_CYDLGFRAME); }
Long clsProperty::get_WindowTitleHeight() { return ::GetSystemMetrics(SM_CYCAPTION); }

// The system's text, with the line break it ends with; "" when it does not fit in 128 bytes.
String clsProperty::GetAPILastError(Long lngLastError) {
  std::string text(kErrorTextSize + 1, '\0');
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, static_cast<DWORD>(lngLastError), 0,
                                        text.data(), kErrorTextSize, nullptr);
  return length > 0 ? TextOf(text) : String();
}

// Not a platform GUID: the date, the time and the last five digits of the tick count.
String clsProperty::GetGUID() {
  return log_.Handle<String>(u" GetGUID", [](String& name) {
    const String day = rt::FormatDate(win::Now(), u"yyyymmdd_");
    const String time = rt::FormatDate(win::Now(), u"hhmmss_");
    const String ticks = rt::CStr(win::TickCount());
    name = day + time + ticks.substr(ticks.size() > kTickDigits ? ticks.size() - kTickDigits : 0);
  });
}

String clsProperty::GetUserName() {
  std::string name(kUserNameSize, '\0');
  DWORD size = kUserNameSize;
  if (!::GetUserNameA(name.data(), &size)) return {};
  return TextOf(name);
}

// The version record's numbers, zeros when the platform's call fails; the call's result.
Long clsProperty::GetWinVer(Long& MajorVer, Long& Minorver, Long& PlatFormID) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const BOOL read = ::GetVersionExA(&version);
  MajorVer = static_cast<Long>(version.dwMajorVersion);
  Minorver = static_cast<Long>(version.dwMinorVersion);
  PlatFormID = static_cast<Long>(version.dwPlatformId);
  return read;
}

String clsProperty::GetKBDInfo(Integer Flag) {
  switch (Flag) {
    case 0: return KeyboardName(kKeyboardTypes, ::GetKeyboardType(0));
    case 1: return KeyboardName(kKeyboardSubtypes, ::GetKeyboardType(1));
    case 2: return rt::CStr(Long{::GetKeyboardType(2)});
    default: return {};
  }
}

}  // namespace brixen
