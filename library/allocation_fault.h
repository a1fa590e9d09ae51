// The library's nothrow allocations go through new_or_null, so the fault seam of
// qarntash/allocation_fault.h can make any one of them fail.
#pragma once

#include <new>
#include <utility>

namespace qarntash::detail {

// True when the seam chose this allocation to fail.
bool allocation_should_fail() noexcept;

// new (std::nothrow) T(args...), or null when memory ran out or the seam fails it.
template <class T, class... Args>
T* new_or_null(Args&&... args) {
  if (allocation_should_fail()) return nullptr;
  return new (std::nothrow) T(std::forward<Args>(args)...);
}

}  // namespace qarntash::detail
