// A Format pattern split into its characters, with those that were quoted ("...")
// or escaped (\x) marked as literal, and into its ";" sections.
#pragma once
#include <vector>

#include "frame/types.h"

namespace brixen::rt {

struct PatternChar {
  char16_t ch;
  bool literal;
  bool Is(char16_t symbol) const { return !literal && ch == symbol; }
};

using PatternSection = std::vector<PatternChar>;

std::vector<PatternSection> SplitPattern(StringView pattern);

}  // namespace brixen::rt
