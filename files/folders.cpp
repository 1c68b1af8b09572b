// clsFILE: folder listings, folder walks, file counts, creating a folder path level by level
// and cloning a folder tree without its files. Lists grow by appending to vectors, so a folder
// of n entries costs one listing and n appends.
#include <utility>
#include <vector>

#include "files/clsFILE.h"
#include "files/folder_levels.h"
#include "files/path_rules.h"
#include "frame/win/dir.h"

namespace brixen {
namespace {

constexpr Long kOnlyFileName = 0;  // ENUM_FilesInFolder
constexpr Long kFullFname = 1;

bool HasEveryBit(Long attributes, Long mask) { return (attributes & mask) == mask; }

// Appends the full paths of every folder below `base` to `list`, depth-first, each folder
// before its own sub-folders, siblings in the order the file system lists them. A path is the
// folder above it joined with the name, so it keeps the caller's form of `base`.
void AppendFoldersBelow(const FileSystem& fs, const String& base, std::vector<String>& list) {
  std::vector<String> pending;  // found and not yet listed, the next one last
  const auto pushSubFolders = [&](const String& folder) {
    if (!fs.FolderExists(folder)) return;
    const std::vector<FolderItem> subFolders = fs.GetFolder(folder).SubFolders();
    for (auto sub = subFolders.rbegin(); sub != subFolders.rend(); ++sub) {
      pending.push_back(FileSystem::BuildPath(folder, sub->Name));
    }
  };
  pushSubFolders(base);
  while (!pending.empty()) {
    list.push_back(std::move(pending.back()));
    pending.pop_back();
    pushSubFolders(list.back());
  }
}

}  // namespace

StringArray clsFILE::get_FilesInFolder(const String& sTargetFolder, Long& Which, Long& Attributes) {
  StringArray list = log_.Handle<StringArray>(u"FilesInFolder", [&](StringArray& result) {
    if (!fs_.FolderExists(sTargetFolder)) return;
    const Folder folder = fs_.GetFolder(sTargetFolder);
    const std::vector<FolderItem> items = HasEveryBit(Attributes, win::vbDirectory) ? folder.SubFolders() : folder.Files();
    std::vector<String> names(1);
    names.reserve(items.size() + 1);
    for (const FolderItem& item : items) {
      if (!HasEveryBit(item.Attributes, Attributes)) continue;
      if (Which == kOnlyFileName) {
        names.push_back(item.Name);
      } else if (Which == kFullFname) {
        names.push_back(FileSystem::BuildPath(sTargetFolder, item.Name));
      } else {
        names.emplace_back();
      }
    }
    result.items = std::move(names);
  });
  if (list.items.empty()) list.items.emplace_back();  // index 0 holds "" in every outcome
  return list;
}

StringArray clsFILE::get_FoldersInFolder(StringArray& arFolders, const String& sBaseFolder) {
  // The caller's array changes only when the whole walk succeeded.
  return log_.Handle<StringArray>(u"FoldersInFolder", [&](StringArray& result) {
    StringArray extended = arFolders;
    AppendFoldersBelow(fs_, sBaseFolder, extended.items);
    arFolders = extended;
    result = std::move(extended);
  });
}

Long clsFILE::get_CntFilesInFolder(const String& TargetPath) {
  if (!fs_.FolderExists(TargetPath)) return 0;
  Long count = 0;
  for (String name = win::Dir(FileSystem::BuildPath(TargetPath, u"*.*")); !name.empty(); name = win::Dir()) ++count;
  return count;
}

Boolean clsFILE::CreateAllFolders(const String& sFolder) {
  return log_.Handle<Boolean>(u"CreateAllFolders", [&](Boolean& result) {
    for (const String& level : file::FolderLevels(sFolder)) {
      if (!fs_.FolderExists(level)) fs_.CreateFolder(level);
    }
    result = true;
  });
}

Boolean clsFILE::CloneFolders(const String& sFromFolder, const String& sToFolder) {
  return log_.Handle<Boolean>(u"CloneFolders", [&](Boolean& result) {
    if (!fs_.FolderExists(sFromFolder)) return;
    const String from = file::YenCheck(file::eAddYen, sFromFolder);
    const String to = file::YenCheck(file::eAddYen, sToFolder);
    std::vector<String> folders{from};
    AppendFoldersBelow(fs_, from, folders);
    for (const String& folder : folders) {
      const String target = to + folder.substr(from.size());
      if (!fs_.FolderExists(target)) fs_.CreateFolder(target);
    }
    result = true;
  });
}

}  // namespace brixen
