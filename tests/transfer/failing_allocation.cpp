#include "transfer/failing_allocation.h"

#include "qarntash/allocation_fault.h"

namespace test_support {

FailingAllocation::FailingAllocation(int nth) { qarntash_fail_nth_allocation(nth); }

FailingAllocation::~FailingAllocation() { qarntash_fail_nth_allocation(0); }

bool FailingAllocation::triggered() const { return qarntash_allocation_failure_triggered() != 0; }

}  // namespace test_support
