#include "allocation_fault.h"

#include <atomic>

#include "qarntash/allocation_fault.h"

namespace {

std::atomic<int> g_allocations_until_failure{0};  // 0: none fails
std::atomic<bool> g_failure_triggered{false};

}  // namespace

namespace qarntash::detail {

bool allocation_should_fail() noexcept {
  int left = g_allocations_until_failure.load();
  while (left > 0) {
    if (g_allocations_until_failure.compare_exchange_weak(left, left - 1)) {
      if (left != 1) return false;
      g_failure_triggered = true;
      return true;
    }
  }
  return false;
}

}  // namespace qarntash::detail

void qarntash_fail_nth_allocation(int nth) {
  g_failure_triggered = false;
  g_allocations_until_failure = nth > 0 ? nth : 0;
}

int qarntash_allocation_failure_triggered(void) { return g_failure_triggered ? 1 : 0; }
