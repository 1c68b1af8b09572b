#include "frame/paths.h"

namespace brixen {
namespace {

constexpr bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

constexpr bool IsBareDrive(StringView path) { return path.size() == 2 && path[1] == u':'; }

}  // namespace

String BuildPath(StringView folder, StringView name) {
  if (folder.empty()) return String(name);
  const bool folderEnds = IsSeparator(folder.back());
  const bool nameStarts = !name.empty() && IsSeparator(name.front());
  String path(folder);
  if (folderEnds && nameStarts) {
    path.pop_back();
  } else if (!folderEnds && !nameStarts && !IsBareDrive(folder)) {
    path += u'\\';
  }
  return path + String(name);
}

String GetFileName(StringView path) {
  std::size_t end = path.size();
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  std::size_t start = end;
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  const StringView name = path.substr(start, end - start);
  return start == 0 && IsBareDrive(name) ? String() : String(name);
}

}  // namespace brixen
