#include "transfer/failing_allocation.h"

#include <cstddef>
#include <new>

namespace {

int allocations_until_failure = 0;  // 0: none fails
bool failure_triggered = false;

}  // namespace

// Ordinary allocations go through the throwing form, so that a sanitizer's own operator new and
// delete still pair up.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (allocations_until_failure > 0 && --allocations_until_failure == 0) {
    failure_triggered = true;
    return nullptr;
  }
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

void operator delete(void* pointer, const std::nothrow_t&) noexcept { ::operator delete(pointer); }

namespace test_support {

FailingAllocation::FailingAllocation(int nth) {
  allocations_until_failure = nth;
  failure_triggered = false;
}

FailingAllocation::~FailingAllocation() { allocations_until_failure = 0; }

bool FailingAllocation::triggered() const { return failure_triggered; }

}  // namespace test_support
