#include "process_counts.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

#include "gdi_count.h"

namespace brixen::test {
namespace {

constexpr auto kSystemExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);

// One handle of the system's list, in the layout of the calling process's bitness.
struct HandleEntry {
  void* object;
  ULONG_PTR process_id;
  ULONG_PTR handle;
  ULONG granted_access;
  USHORT creator_back_trace_index, object_type_index;
  ULONG attributes, reserved;
};

struct HandleList {
  ULONG_PTR count, reserved;
  HandleEntry handles[1];
};

// The input method's own window, which the system gives a thread with its first window, is not
// the program's.
bool IsInputMethodWindow(HWND window) {
  wchar_t kind[16] = {};
  return GetClassNameW(window, kind, 16) && wcscmp(kind, L"IME") == 0;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || IsInputMethodWindow(window)) return TRUE;
  ++*reinterpret_cast<long*>(counter);
  EnumChildWindows(window, CountWindow, counter);
  return TRUE;
}

// Message-only windows are not among the desktop's windows.
long MessageOnlyWindows() {
  long count = 0;
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && !IsInputMethodWindow(window)) ++count;
  }
  return count;
}

}  // namespace

long KernelHandleCount() {
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemExtendedHandleInformation, buffer.data(),
                                            static_cast<ULONG>(buffer.size()), &length)) == static_cast<NTSTATUS>(0xC0000004L)) {
    buffer.resize(buffer.size() * 2);  // STATUS_INFO_LENGTH_MISMATCH
  }
  if (status != 0) return -1;
  const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
  long count = 0;
  for (ULONG_PTR i = 0; i < list->count; ++i) {
    if (list->handles[i].process_id == GetCurrentProcessId()) ++count;
  }
  return count;
}

long WindowCount() {
  long count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count + MessageOnlyWindows();
}

ProcessCounts ProcessCounts::Now() { return {KernelHandleCount(), WindowCount(), GdiObjectCount()}; }

ProcessCounts ProcessCounts::operator-(const ProcessCounts& before) const {
  return {handles - before.handles, windows - before.windows, gdi_objects - before.gdi_objects};
}

std::string ProcessCounts::Text() const {
  return "handles " + std::to_string(handles) + ", windows " + std::to_string(windows) + ", GDI objects " +
         std::to_string(gdi_objects);
}

}  // namespace brixen::test
