// Fault injection for the "memory ran out" paths: while a FailingAllocation is alive, the nth of
// the library's nothrow allocations made from its start gives null, as it would when memory is
// exhausted. Other allocations are untouched. Works through the library's own seam
// (qarntash/allocation_fault.h), which a library loaded as a DLL sees as well.
#pragma once

namespace test_support {

class FailingAllocation {
 public:
  // nth = 1 fails the next nothrow allocation, 2 the one after, and so on.
  explicit FailingAllocation(int nth);
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Whether the chosen allocation was reached (and so failed).
  bool triggered() const;
};

}  // namespace test_support
