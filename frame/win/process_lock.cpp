#include "frame/win/process_lock.h"

#include <cstdint>
#include <cwchar>
#include <string>

#include "frame/win/text_case.h"

namespace brixen::win {
namespace {

// A mutex name for the key: letter case folded (paths), and a hash in place of the text, which
// may hold backslashes and run longer than a name may.
std::wstring MutexName(StringView key) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
  for (char16_t unit : UCase(key)) {
    hash ^= unit;
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  std::swprintf(name, 64, L"BRIXEN-lock-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

ProcessLock::ProcessLock(StringView key, DWORD wait_milliseconds)
    : mutex_(::CreateMutexW(nullptr, FALSE, MutexName(key).c_str())) {
  if (!mutex_) return;
  const DWORD waited = ::WaitForSingleObject(mutex_.get(), wait_milliseconds);
  held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

ProcessLock::~ProcessLock() {
  if (held_) ::ReleaseMutex(mutex_.get());
}

}  // namespace brixen::win
