// What a process holds, counted in ways that work under Wine (whose GetProcessHandleCount and
// GetGuiResources answer 0): its kernel handles (files, registry keys, events, processes, ...)
// from the system's handle list, its windows (top-level, child and message-only), and its GDI
// objects (gdi_count.h). Leak tests compare the counts before and after.
#pragma once
#include <string>

namespace brixen::test {

struct ProcessCounts {
  long handles = 0;
  long windows = 0;
  long gdi_objects = 0;

  static ProcessCounts Now();
  ProcessCounts operator-(const ProcessCounts& before) const;
  bool operator==(const ProcessCounts&) const = default;
  std::string Text() const;  // "handles +1, windows 0, GDI objects 0"
};

long KernelHandleCount();  // -1 when the system's handle list cannot be read
long WindowCount();

}  // namespace brixen::test
