// clsProperty: system, window and profile properties. Members arrive with the issues that
// build them; a member not declared here answers E_NOTIMPL to callers.
#pragma once
#include "frame/types.h"

namespace brixen {

class clsProperty {
 public:
  // Word arithmetic on packed 32-bit values.
  Long GetHiWord(Long LongValue);
  Long GetLoWord(Long LongValue);
  Long CvWithSign(Long lngValue);
};

}  // namespace brixen
