#include "files/shell_lists.h"

namespace brixen {

String ShellFileList(StringView commaSeparatedNames) {
  String list;
  list.reserve(commaSeparatedNames.size() + 2);
  for (const char16_t c : commaSeparatedNames) list.push_back(c == u',' ? u'\0' : c);
  list.append(2, u'\0');
  return list;
}

String ShellDestination(StringView path) {
  String destination(path);
  destination.append(2, u'\0');
  return destination;
}

}  // namespace brixen
