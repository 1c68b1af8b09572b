// Test helper: the run-time error number a call raises, 0 when it returns normally.
#pragma once
#include "frame/errors.h"

namespace brixen::test {

template <typename Call>
Long ErrorRaisedBy(Call&& call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace brixen::test
