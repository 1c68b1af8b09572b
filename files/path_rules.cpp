#include "files/path_rules.h"

#include <algorithm>
#include <limits>

#include "frame/errors.h"
#include "frame/runtime/format.h"
#include "frame/runtime/val.h"
#include "frame/runtime/values.h"

namespace brixen::file {
namespace {

constexpr char16_t kSeparator = u'\\';
constexpr char16_t kDot = u'.';
constexpr StringView kForbidden = u"\\/:;?\"<>|,*";
constexpr std::size_t kLongestName = 12;
constexpr std::size_t kLongestBase = 8;

// The text's length taken as a 16-bit Integer.
void CheckSixteenBitLength(StringView text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<Integer>::max())) Raise(kErrOverflow);
}

bool IsBlank(StringView text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' '; });
}

// The file name after the last "\" (the whole text when there is none).
StringView FileNameOf(StringView path) {
  const std::size_t separator = path.rfind(kSeparator);
  return separator == StringView::npos ? path : path.substr(separator + 1);
}

String ExtensionOf(StringView name, const NameSplit& split) {
  String base, extension;
  split(String(name), base, extension);
  return extension;
}

String BaseNameOf(StringView name, const NameSplit& split) {
  String base, extension;
  split(String(name), base, extension);
  return base;
}

}  // namespace

String GetWhatFromFullPath(Integer which, StringView path, const NameSplit& split) {
  CheckSixteenBitLength(path);
  const StringView name = FileNameOf(path);
  switch (which) {
    case kFolderPart:
      return String(path.substr(0, path.size() - name.size()));
    case kFileNamePart:
      return String(name);
    case kBaseNamePart:
      return BaseNameOf(name, split);
    case kExtensionPart:
      return ExtensionOf(name, split);
    default:
      return {};
  }
}

String YenCheck(Long which, StringView path) {
  const bool endsWithSeparator = !path.empty() && path.back() == kSeparator;
  switch (which) {
    case eAddYen:
      return endsWithSeparator ? String(path) : String(path) + kSeparator;
    case eRemoveYen:
      return String(endsWithSeparator ? path.substr(0, path.size() - 1) : path);
    default:
      return {};
  }
}

String ReplaceExt(StringView path, StringView extension) {
  CheckSixteenBitLength(path);
  const std::size_t dot = path.rfind(kDot);
  const StringView kept = dot == StringView::npos ? path : path.substr(0, dot);
  return String(kept) + kDot + String(extension);
}

bool IsExistDot(StringView text) {
  CheckSixteenBitLength(text);
  return text.find(kDot) != StringView::npos;
}

bool IsExistIhanMoji(StringView text) {
  CheckSixteenBitLength(text);
  return text.find_first_of(kForbidden) != StringView::npos;
}

void FNameCheck(StringView name, const NameSplit& split, Integer& code) {
  code = kNameAcceptable;
  String base, extension;
  split(String(name), base, extension);
  if (IsBlank(name)) {
    code = kNameBlank;
    return;
  }
  if (name.back() == kDot) {
    code = kNameEndsWithDot;
    return;
  }
  if (name.front() == kDot) {
    code = kNameStartsWithDot;
    return;
  }
  CheckSixteenBitLength(name);
  if (name.find(u' ') != StringView::npos) {
    code = kNameHasSpace;
    return;
  }
  if (name.size() > kLongestName) code = kNameTooLong;
  if (IsExistIhanMoji(name)) {
    code = kNameHasForbiddenCharacter;
    return;
  }
  if (base.size() > kLongestBase) code = kBaseNameTooLong;
  if (IsExistDot(extension)) code = kNameHasSecondDot;
}

String FirstFreeNumberedName(StringView folder, StringView head, StringView extension, const FileTest& exists) {
  Integer index = 0;
  String name;
  do {
    index = rt::AddInteger(index, 1);
    name = String(head) + rt::Format(index, u"00000") + kDot + String(extension);
  } while (exists(String(folder) + name));
  return name;
}

String FirstFreeExtension(StringView folder, StringView name, Integer from, Integer made, const FileTest& exists) {
  constexpr StringView kDigits = u"0##";
  const String stem = String(folder) + String(name) + kDot;
  String extension = rt::Format(from, kDigits);
  do {
    if (!exists(stem + extension)) return extension;
    extension = rt::Format(rt::Val(extension) + 1, kDigits);
  } while (rt::Val(extension) <= made);
  return u"XXX";
}

}  // namespace brixen::file
