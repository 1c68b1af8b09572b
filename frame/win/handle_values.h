// Handles as callers pass and keep them: 32-bit Long values. Window, device-context and GDI
// object handles are 32-bit values in both bitnesses; the platform takes them sign-extended.
#pragma once
#include <windows.h>

#include "frame/types.h"

namespace brixen::win {

template <class Handle>
Handle HandleOf(Long value) noexcept {
  return reinterpret_cast<Handle>(static_cast<LONG_PTR>(value));
}
inline HWND WindowOf(Long hwnd) noexcept { return HandleOf<HWND>(hwnd); }
inline HDC DcOf(Long hdc) noexcept { return HandleOf<HDC>(hdc); }

// A handle as the Long a caller keeps.
inline Long LongOf(const void* handle) noexcept { return static_cast<Long>(reinterpret_cast<LONG_PTR>(handle)); }

}  // namespace brixen::win
