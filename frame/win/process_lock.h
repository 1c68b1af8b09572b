// A lock that the processes of a session share by name: held for the life of the object. The
// wait is bounded: a process stuck holding it cannot stop the others for ever; after the wait
// they go on without it. A lock its holder left by ending is taken over.
#pragma once
#include <windows.h>

#include "frame/types.h"
#include "frame/win/handles.h"

namespace brixen::win {

class ProcessLock {
 public:
  // `key` names what is locked (a file's path, say); any text will do.
  ProcessLock(StringView key, DWORD wait_milliseconds);
  ~ProcessLock();
  ProcessLock(const ProcessLock&) = delete;
  ProcessLock& operator=(const ProcessLock&) = delete;

  bool held() const { return held_; }

 private:
  Handle mutex_;
  bool held_ = false;
};

}  // namespace brixen::win
