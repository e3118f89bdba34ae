// Named conversions between message parameters and the pointers and handles they carry,
// in place of bare casts on WPARAM and LPARAM at every use.
#pragma once

#include <type_traits>

#include "framework/win/WinApi.h"

namespace vx {

// The pointer or handle a parameter carries: ParamAs<HDC>(m.WParam), ParamAs<const char*>(m.LParam).
template <typename T, typename P>
T ParamAs(P param) {
  static_assert(std::is_pointer_v<T>, "a parameter carries a pointer or a handle");
  static_assert(std::is_same_v<P, WPARAM> || std::is_same_v<P, LPARAM>, "WPARAM or LPARAM");
  return reinterpret_cast<T>(param);
}

// A pointer or handle as an lParam or a wParam.
template <typename T>
LPARAM AsLParam(T* p) {
  return reinterpret_cast<LPARAM>(p);
}
template <typename T>
WPARAM AsWParam(T* p) {
  return reinterpret_cast<WPARAM>(p);
}

}  // namespace vx
