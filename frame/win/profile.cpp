#include "frame/win/profile.h"

#include <string>

#include "frame/win/ansi.h"

namespace brixen::win {
namespace {

// Bytes of a section, key or value the platform is given: its ANSI calls widen each text into a
// counted string of at most 32,766 characters.
constexpr size_t kLongestText = 32766;

// A bare file name (no folder) lies in the Windows folder. Wine joins the two in a buffer of
// MAX_PATH characters without a check, so a bare name longer than the room left overruns its
// stack; no file of such a name can be reached anyway.
bool ReachableFile(const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos) return true;
  char windows[MAX_PATH];
  const UINT folder = ::GetWindowsDirectoryA(windows, MAX_PATH);
  return folder + 1 + file.size() < MAX_PATH;
}

// A section, key and file the platform can be given.
struct ProfileName {
  std::string section, key, file;
  ProfileName(StringView s, StringView k, StringView f) : section(ToAnsi(s)), key(ToAnsi(k)), file(ToAnsi(f)) {}
  bool Usable() const { return section.size() <= kLongestText && key.size() <= kLongestText && ReachableFile(file); }
};

}  // namespace

UINT ProfileInt(StringView section, StringView key, UINT absent, StringView file) {
  const ProfileName name(section, key, file);
  if (!name.Usable()) return absent;
  return ::GetPrivateProfileIntA(name.section.c_str(), name.key.c_str(), absent, name.file.c_str());
}

String ProfileText(StringView section, StringView key, StringView absent, DWORD buffer_size, StringView file) {
  const ProfileName name(section, key, file);
  if (!name.Usable()) return String(absent);
  std::string buffer(buffer_size, '\0');
  ::GetPrivateProfileStringA(name.section.c_str(), name.key.c_str(), ToAnsi(absent).c_str(), buffer.data(),
                             buffer_size, name.file.c_str());
  return FromAnsi(buffer.c_str());
}

bool WriteProfileText(StringView section, StringView key, StringView value, StringView file) {
  const ProfileName name(section, key, file);
  const std::string text = ToAnsi(value);
  if (!name.Usable() || text.size() > kLongestText) return false;
  return ::WritePrivateProfileStringA(name.section.c_str(), name.key.c_str(), text.c_str(), name.file.c_str()) != FALSE;
}

}  // namespace brixen::win
