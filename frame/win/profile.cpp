#include "frame/win/profile.h"

#include <string>

#include "frame/win/ansi.h"

namespace brixen::win {
namespace {

constexpr size_t kLongestName = 32766;  // bytes of a section or key name the platform is given

// A section and key the platform can be given.
struct ProfileName {
  std::string section, key;
  ProfileName(StringView s, StringView k) : section(ToAnsi(s)), key(ToAnsi(k)) {}
  bool Usable() const { return section.size() <= kLongestName && key.size() <= kLongestName; }
};

}  // namespace

UINT ProfileInt(StringView section, StringView key, UINT absent, StringView file) {
  const ProfileName name(section, key);
  if (!name.Usable()) return absent;
  return ::GetPrivateProfileIntA(name.section.c_str(), name.key.c_str(), absent, ToAnsi(file).c_str());
}

String ProfileText(StringView section, StringView key, StringView absent, DWORD buffer_size, StringView file) {
  const ProfileName name(section, key);
  if (!name.Usable()) return String(absent);
  std::string buffer(buffer_size, '\0');
  ::GetPrivateProfileStringA(name.section.c_str(), name.key.c_str(), ToAnsi(absent).c_str(), buffer.data(),
                             buffer_size, ToAnsi(file).c_str());
  return FromAnsi(buffer.c_str());
}

bool WriteProfileText(StringView section, StringView key, StringView value, StringView file) {
  const ProfileName name(section, key);
  if (!name.Usable()) return false;
  return ::WritePrivateProfileStringA(name.section.c_str(), name.key.c_str(), ToAnsi(value).c_str(),
                                      ToAnsi(file).c_str()) != FALSE;
}

}  // namespace brixen::win
