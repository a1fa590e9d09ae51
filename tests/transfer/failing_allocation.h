// Fault injection for the "memory ran out" paths: while a FailingAllocation is alive, the nth
// nothrow allocation (`new (std::nothrow) ...`) made from its start gives null, as it would when
// memory is exhausted. Other allocations are untouched. Works by replacing the global nothrow
// operator new in the test program, which the library's calls resolve to.
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
