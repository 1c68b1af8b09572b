#include "frame/runtime/text.h"

#include "frame/errors.h"

namespace brixen::rt {

String StringOf(Long count, char16_t character) {
  if (count < 0) Raise(kErrInvalidCall);
  if (count > kMaxTextLength) Raise(kErrOutOfMemory);
  return String(static_cast<std::size_t>(count), character);
}

String Space(Long count) { return StringOf(count, u' '); }

}  // namespace brixen::rt
