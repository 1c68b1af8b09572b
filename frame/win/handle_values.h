// Window handles as callers pass them: 32-bit values that the platform takes sign-extended.
#pragma once
#include <windows.h>

#include "frame/types.h"

namespace brixen::win {

inline HWND WindowOf(Long hwnd) noexcept { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd)); }

}  // namespace brixen::win
