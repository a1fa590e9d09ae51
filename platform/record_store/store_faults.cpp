// The fault seam of the record store (platform/store_faults.h). With nothing armed, a store call
// pays one relaxed atomic load.
#include "platform/store_faults.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "store_faults_hook.h"

namespace platform {

namespace {

struct PlannedFault {
  int at_call;    // the call number that fires it, or 0 when it waits for an operation
  int operation;  // for at_call 0
  int status;
};

struct FaultPlan {
  std::mutex mutex;
  int calls = 0;
  std::vector<PlannedFault> faults;
};

std::atomic<bool> g_armed{false};

FaultPlan& plan() {
  static FaultPlan the_plan;
  return the_plan;
}

}  // namespace

int forced_store_status(int operation) {
  if (!g_armed.load(std::memory_order_relaxed)) return kNotForced;
  FaultPlan& faults = plan();
  std::lock_guard<std::mutex> lock(faults.mutex);
  const int call = ++faults.calls;
  for (auto fault = faults.faults.begin(); fault != faults.faults.end(); ++fault) {
    if (fault->at_call == call || (fault->at_call == 0 && fault->operation == operation)) {
      const int status = fault->status;
      faults.faults.erase(fault);
      return status;
    }
  }
  return kNotForced;
}

StoreFaults::StoreFaults() {
  std::lock_guard<std::mutex> lock(plan().mutex);
  plan().calls = 0;
  plan().faults.clear();
  g_armed = true;
}

StoreFaults::~StoreFaults() {
  std::lock_guard<std::mutex> lock(plan().mutex);
  g_armed = false;
  plan().faults.clear();
}

void StoreFaults::fail_call(int nth, int status) {
  if (nth < 1 || status == 0) return;
  std::lock_guard<std::mutex> lock(plan().mutex);
  plan().faults.push_back({plan().calls + nth, 0, status});
}

void StoreFaults::fail_next(int operation, int status) {
  if (status == 0) return;
  std::lock_guard<std::mutex> lock(plan().mutex);
  plan().faults.push_back({0, operation, status});
}

int StoreFaults::calls() const {
  std::lock_guard<std::mutex> lock(plan().mutex);
  return plan().calls;
}

int StoreFaults::pending() const {
  std::lock_guard<std::mutex> lock(plan().mutex);
  return static_cast<int>(plan().faults.size());
}

}  // namespace platform
