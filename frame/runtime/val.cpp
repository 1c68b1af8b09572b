#include "frame/runtime/val.h"

#include "frame/runtime/number_scan.h"

namespace brixen::rt {

Double Val(StringView text) { return ScanNumber(text, InnerBlanks::kSkip).value; }

}  // namespace brixen::rt
