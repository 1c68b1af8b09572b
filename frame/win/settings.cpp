#include "frame/win/settings.h"

#include <windows.h>

#include "frame/errors.h"
#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

constexpr char16_t kRoot[] = u"Software\\VB and VBA Program Settings";

void RequireName(StringView name) {
  if (name.empty()) Raise(kErrInvalidCall);
}

String KeyPath(StringView app, StringView section = {}) {
  RequireName(app);
  String path = String(kRoot) + u'\\' + String(app);
  if (!section.empty()) path += u'\\' + String(section);
  return path;
}

RegKey OpenKey(const String& path, REGSAM access) {
  RegKey key;
  ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, access, key.put());
  return key;
}

void DeleteKeyTree(const String& path) {
  if (::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path)) != ERROR_SUCCESS) Raise(kErrInvalidCall);
}

void Check(LSTATUS status) {
  if (status != ERROR_SUCCESS) RaiseWin32(static_cast<unsigned long>(status));
}

}  // namespace

String GetSetting(StringView app, StringView section, StringView key, StringView defaultValue) {
  RequireName(section);
  RequireName(key);
  const RegKey handle = OpenKey(KeyPath(app, section), KEY_QUERY_VALUE);
  const String name(key);
  DWORD type = 0;
  DWORD size = 0;
  if (!handle ||
      ::RegQueryValueExW(handle.get(), Wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return String(defaultValue);
  }
  // Room for a terminator the stored value may lack; the value may change between calls.
  String value(size / sizeof(char16_t) + 1, u'\0');
  size = static_cast<DWORD>(value.size() * sizeof(char16_t));
  if (::RegQueryValueExW(handle.get(), Wide(name), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS) {
    return String(defaultValue);
  }
  value.resize(size / sizeof(char16_t));
  return value.substr(0, value.find(u'\0'));
}

void SaveSetting(StringView app, StringView section, StringView key, StringView value) {
  RequireName(section);
  RequireName(key);
  RegKey handle;
  Check(::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(KeyPath(app, section)), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, handle.put(), nullptr));
  const String name(key);
  const String text(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
  Check(::RegSetValueExW(handle.get(), Wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes));
}

void DeleteSetting(StringView app, StringView section, StringView key) {
  RequireName(section);
  RequireName(key);
  const RegKey handle = OpenKey(KeyPath(app, section), KEY_SET_VALUE);
  if (!handle || ::RegDeleteValueW(handle.get(), Wide(String(key))) != ERROR_SUCCESS) Raise(kErrInvalidCall);
}

void DeleteSetting(StringView app, StringView section) {
  RequireName(section);
  DeleteKeyTree(KeyPath(app, section));
}

void DeleteSetting(StringView app) {
  DeleteKeyTree(KeyPath(app));
}

}  // namespace brixen::win
