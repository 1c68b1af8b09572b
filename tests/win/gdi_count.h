// The number of GDI objects the process holds, read from its GDI handle table (the table the
// process environment block points to; in a 32-bit process of a 64-bit system, the 64-bit
// block's). Wine gives no count through GetGuiResources (it answers 0), but keeps this table
// per process. Leak tests compare the count before and after.
#pragma once
#include <cstddef>

namespace brixen::test {

// -1 when the table cannot be found.
long GdiObjectCount();

}  // namespace brixen::test
