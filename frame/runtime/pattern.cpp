#include "frame/runtime/pattern.h"

namespace brixen::rt {

std::vector<PatternSection> SplitPattern(StringView pattern) {
  std::vector<PatternSection> sections(1);
  bool quoted = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (quoted) {
      sections.back().push_back({c, true});
    } else if (c == u'\\') {
      if (++i < pattern.size()) sections.back().push_back({pattern[i], true});
    } else if (c == u';') {
      sections.emplace_back();
    } else {
      sections.back().push_back({c, false});
    }
  }
  return sections;
}

}  // namespace brixen::rt
