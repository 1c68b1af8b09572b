// clsProperty: values of INI files, through the platform's ANSI private-profile calls, and of
// the run-time's per-user settings store.
#include <windows.h>

#include "frame/win/profile.h"
#include "frame/win/settings.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

// What the readers answer for a file, section or key that is not there.
constexpr int kAbsentNumber = 411209;
constexpr char16_t kAbsentText[] = u"????????";
constexpr DWORD kProfileBufferSize = 2560;

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
    result = static_cast<Long>(win::ProfileInt(sSection, sKey, kAbsentNumber, sFullFname));
  });
}

String clsProperty::GetProfileValueString(const String& sSection, const String& sKey, const String& sFullFname) {
  return log_.Handle<String>(u"GetProfileValueString", [&](String& result) {
    result = win::ProfileText(sSection, sKey, kAbsentText, kProfileBufferSize, sFullFname);
  });
}

Boolean clsProperty::WriteProfileValue(const String& sSection, const String& sKey, const Variant& vValue,
                                       const String& sFullFname) {
  return log_.Handle<Boolean>(u"WriteProfileValue", [&](Boolean& result) {
    result = win::WriteProfileText(sSection, sKey, vValue.ToString(), sFullFname);
  });
}

}  // namespace brixen
