// clsProperty: values of INI files, through the platform's ANSI private-profile calls, and of
// the run-time's per-user settings store.
#include <windows.h>

#include <string>

#include "frame/win/ansi.h"
#include "frame/win/settings.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

// What the readers answer for a file, section or key that is not there.
constexpr int kAbsentNumber = 411209;
constexpr char16_t kAbsentText[] = u"????????";
constexpr DWORD kProfileBufferSize = 2560;

// The text of a platform buffer before its first NUL.
std::string BeforeNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

}  // namespace

Boolean clsProperty::ExistsRegEntry(const String& AppName, const String& SECTION, const String& KEY) {
  return !win::GetSetting(AppName, SECTION, KEY, u"").empty();
}

// Writes the default only where the setting is absent or empty; KEY is read, never changed.
Boolean clsProperty::RegDefaultKey(const String& AppName, const String& SECTION, Variant& KEY, const Variant& Value) {
  return log_.Handle<Boolean>(u"RegDefaultKey", [&](Boolean& result) {
    const String key = KEY.ToString();
    if (!ExistsRegEntry(AppName, SECTION, key)) win::SaveSetting(AppName, SECTION, key, Value.ToString());
    result = true;
  });
}

Long clsProperty::GetProfileValueInt(const String& sSection, const String& sKey, const String& sFullFname) {
  return log_.Handle<Long>(u"GetProfileValueIni", [&](Long& result) {
    result = static_cast<Long>(::GetPrivateProfileIntA(win::ToAnsi(sSection).c_str(), win::ToAnsi(sKey).c_str(),
                                                       kAbsentNumber, win::ToAnsi(sFullFname).c_str()));
  });
}

String clsProperty::GetProfileValueString(const String& sSection, const String& sKey, const String& sFullFname) {
  return log_.Handle<String>(u"GetProfileValueString", [&](String& result) {
    std::string buffer(kProfileBufferSize, '\0');
    ::GetPrivateProfileStringA(win::ToAnsi(sSection).c_str(), win::ToAnsi(sKey).c_str(),
                               win::ToAnsi(kAbsentText).c_str(), buffer.data(), kProfileBufferSize,
                               win::ToAnsi(sFullFname).c_str());
    result = win::FromAnsi(BeforeNul(buffer));
  });
}

Boolean clsProperty::WriteProfileValue(const String& sSection, const String& sKey, const Variant& vValue,
                                       const String& sFullFname) {
  return log_.Handle<Boolean>(u"WriteProfileValue", [&](Boolean& result) {
    const std::string value = win::ToAnsi(vValue.ToString());
    result = ::WritePrivateProfileStringA(win::ToAnsi(sSection).c_str(), win::ToAnsi(sKey).c_str(), value.c_str(),
                                          win::ToAnsi(sFullFname).c_str()) != FALSE;
  });
}

}  // namespace brixen
