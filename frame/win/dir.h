// The run-time's directory services: Dir listings, Kill, file length, time and
// attributes, MkDir and RmDir. Paths go to the wide file calls.
#pragma once
#include <cstdint>

#include "frame/types.h"

namespace brixen::win {

// File attribute bits as the run-time numbers them.
enum FileAttribute : Long {
  vbNormal = 0,
  vbReadOnly = 1,
  vbHidden = 2,
  vbSystem = 4,
  vbVolume = 8,
  vbDirectory = 16,
  vbArchive = 32,
};

// The first name (no folder) matching `pattern`, or "" when nothing matches or the folder
// does not exist. Ordinary files always match (read-only and archive included); hidden
// files, system files and folders only when `attributes` asks for vbHidden, vbSystem or
// vbDirectory, and an entry with several of those bits needs all of them asked for.
// "." and ".." are never returned. A pattern ending in "\" or ":", or an empty pattern,
// lists everything in that folder. With vbVolume the result is the volume label of the
// pattern's drive (or the current drive) and the listing ends there.
String Dir(StringView pattern, Long attributes = vbNormal);

// The next name of the listing started by Dir(pattern, ...) on this thread; "" once it is
// exhausted. Raises 5 when no listing is under way.
String Dir();

// Deletes the ordinary files matching `pattern` (wildcards allowed). 53 when none matches;
// 75 for a read-only file.
void Kill(StringView pattern);

std::int64_t FileLen(StringView path);  // 53 when absent
Date FileDateTime(StringView path);   // last write, local time
Long GetAttr(StringView path);        // FileAttribute bits; 53 when absent
void SetAttr(StringView path, Long attributes);  // vbReadOnly, vbHidden, vbSystem, vbArchive; else 5

void MkDir(StringView path);  // 75 when it exists, 76 when its parent does not
void RmDir(StringView path);  // 75 when not empty, 76 when absent

}  // namespace brixen::win
