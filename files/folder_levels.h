// The folders that creating a whole folder path goes through, level by level.
#pragma once
#include <vector>

#include "frame/types.h"

namespace brixen::file {

// Every level of `path` below its root, in creation order: "C:\a\b" gives "C:\a", "C:\a\b".
// The root is the first part (a drive such as "C:", taken to exist) or, for a network path,
// "\\server\share", so no level lies outside the path. A path without "\" gives no level; a
// trailing "\" gives the last level once more with its separator.
std::vector<String> FolderLevels(StringView path);

}  // namespace brixen::file
