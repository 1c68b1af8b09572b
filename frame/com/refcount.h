// Reference counting of the server's objects: the count starts at one for the creator, and the
// object deletes itself when the last reference goes.
#pragma once
#include <windows.h>

namespace brixen::com {

class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

 protected:
  virtual ~RefCounted() = default;
  ULONG AddReference() { return InterlockedIncrement(&refs_); }
  ULONG ReleaseReference() {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

 private:
  LONG refs_ = 1;
};

}  // namespace brixen::com
