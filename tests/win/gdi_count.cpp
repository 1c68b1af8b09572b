#include "gdi_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace brixen::test {
namespace {

// One entry of the handle table; the same 24 bytes in both bitnesses.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint16_t process_id, lock;
  std::uint16_t unique;
  std::uint8_t type, flags;
  std::uint64_t user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kHandleCount = 0x10000;
constexpr std::size_t kPeb64HandleTable = 0xF8;  // GdiSharedHandleTable in the 64-bit block
constexpr std::size_t kTeb64Peb = 0x60;
constexpr std::size_t kTeb32Teb64 = 0xF70;       // GdiBatchCount: the 64-bit block under WoW64
constexpr std::size_t kPeb32HandleTable = 0x94;

// GCC 12 takes the segment read in the header's NtCurrentTeb for an access to an empty array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const GdiHandleEntry* HandleTable() {
  const auto* teb = reinterpret_cast<const char*>(NtCurrentTeb());
#ifdef _WIN64
  const auto* peb = reinterpret_cast<const char*>(reinterpret_cast<const TEB*>(teb)->ProcessEnvironmentBlock);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPeb64HandleTable);
#else
  if (const std::uint32_t teb64 = *reinterpret_cast<const std::uint32_t*>(teb + kTeb32Teb64)) {
    const auto peb64 = *reinterpret_cast<const std::uint64_t*>(static_cast<std::uintptr_t>(teb64) + kTeb64Peb);
    const auto table = *reinterpret_cast<const std::uint64_t*>(static_cast<std::uintptr_t>(peb64) + kPeb64HandleTable);
    return reinterpret_cast<const GdiHandleEntry*>(static_cast<std::uintptr_t>(table));
  }
  const auto* peb = reinterpret_cast<const char*>(reinterpret_cast<const TEB*>(teb)->ProcessEnvironmentBlock);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPeb32HandleTable);
#endif
}
#pragma GCC diagnostic pop

}  // namespace

long GdiObjectCount() {
  const GdiHandleEntry* table = HandleTable();
  if (!table) return -1;
  const auto pid = static_cast<std::uint16_t>(GetCurrentProcessId());
  long count = 0;
  for (std::size_t i = 0; i < kHandleCount; ++i) {
    // Wine records no owner; Windows shares the table between processes and does.
    if (table[i].type != 0 && (table[i].process_id == 0 || table[i].process_id == pid)) ++count;
  }
  return count;
}

}  // namespace brixen::test
