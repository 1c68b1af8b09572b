#include "files/folder_levels.h"

#include "frame/paths.h"

namespace brixen::file {
namespace {

std::vector<StringView> SplitAtYen(StringView path) {
  std::vector<StringView> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(u'\\', start);
    parts.push_back(path.substr(start, end == StringView::npos ? StringView::npos : end - start));
    if (end == StringView::npos) return parts;
    start = end + 1;
  }
}

bool IsNetworkPath(StringView path) { return path.starts_with(u"\\\\"); }

}  // namespace

std::vector<String> FolderLevels(StringView path) {
  const std::vector<StringView> parts = SplitAtYen(path);
  const std::size_t rootParts = IsNetworkPath(path) ? 4 : 1;  // "", "", server, share
  std::vector<String> levels;
  if (parts.size() <= rootParts) return levels;
  levels.reserve(parts.size() - rootParts);
  String level = String(path.substr(0, parts[rootParts].data() - path.data()));  // the root and its "\"
  for (std::size_t i = rootParts; i < parts.size(); ++i) {
    level = BuildPath(level, parts[i]);
    levels.push_back(level);
  }
  return levels;
}

}  // namespace brixen::file
