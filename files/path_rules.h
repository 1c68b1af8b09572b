// The text rules clsFILE applies to paths and file names. Only the backslash separates path
// components ("/" and ":" never do); "." separates an extension; every comparison is exact and
// case-sensitive. Nothing here touches the file system.
//
// Lengths and positions are 16-bit Integers, as the run-time keeps them in these rules: a text
// longer than 32,767 characters raises overflow (6) where a rule measures or scans it.
#pragma once
#include <functional>

#include "frame/types.h"

namespace brixen::file {

// Splits a file name at its first "." into base and extension (clsMethod.SeparateFNAME): the
// extension is left as it was when the name has no ".".
using NameSplit = std::function<void(const String& name, String& base, String& extension)>;

// Which part GetWhatFromFullPath returns.
enum PathPart : Integer { kFolderPart = 1, kFileNamePart = 2, kBaseNamePart = 3, kExtensionPart = 4 };

// ENUM_YENCHECK.
enum YenCheckWhich : Long { eAddYen = 0, eRemoveYen = 1 };

// FNameCheck's result codes.
enum FileNameCode : Integer {
  kNameAcceptable = 1,
  kNameBlank = 2,
  kNameEndsWithDot = 3,
  kNameStartsWithDot = 4,
  kNameHasSpace = 5,
  kNameTooLong = 7,
  kNameHasForbiddenCharacter = 8,
  kBaseNameTooLong = 9,
  kNameHasSecondDot = 12,
};

// The folder with its trailing "\" (1), the file name (2), its base name (3) or its extension
// (4) of a full path; "" for any other part.
String GetWhatFromFullPath(Integer which, StringView path, const NameSplit& split);

// Adds (eAddYen) or removes one (eRemoveYen) trailing "\"; "" for any other value.
String YenCheck(Long which, StringView path);

// The text up to and including its last "." (wherever it lies) followed by `extension`; a
// text without any "." gets "." and the extension appended.
String ReplaceExt(StringView path, StringView extension);

bool IsExistDot(StringView text);

// Whether the text holds one of \ / : ; ? " < > | , * (their full-width forms are allowed).
bool IsExistIhanMoji(StringView text);

// Checks a bare file name against the 8.3-style rule. `code` starts at kNameAcceptable and
// holds, at every moment, the finding so far, so a caller that traps an error keeps it.
void FNameCheck(StringView name, const NameSplit& split, Integer& code);

// Whether a file of that full name exists, as the caller counts files.
using FileTest = std::function<bool(const String& path)>;

// MyFName: the first of head00001.ext, head00002.ext, ... with no file in `folder` (joined
// unchanged); the name without the folder. Overflow (6) once the 16-bit counter passes 32,767.
String FirstFreeNumberedName(StringView folder, StringView head, StringView extension, const FileTest& exists);

// GetExcludeEXT: the first of the extensions `from`, from + 1, ... (at least three digits) that
// no file folder & name & "." & extension has, trying on while the number is at most `made`
// (`from` itself always); "XXX" when all are taken.
String FirstFreeExtension(StringView folder, StringView name, Integer from, Integer made, const FileTest& exists);

}  // namespace brixen::file
