// File: platform/store_faults.h
//
// A seam for tests: makes record-store calls answer a chosen status instead of running, so a test
// can drive every failure path of the code above the store without damaging a file.
//
// Armed faults apply to every thread of the process. Each fires once: the Nth store call from
// now (counting _btopen as operation 0 and every _bt, and so every _tld, table-class and
// PracticeTable operation, that reaches the store), or the next call of one operation. A
// faulted _btopen leaves the handle null; a faulted operation leaves the table as it was, and is
// kept as the handle's last status (BTError) and reported as a real failure would be. _btclose
// is never faulted, so every handle is still released.
//
// Usage (a test):
//   platform::StoreFaults faults;                         // disarmed again when it goes
//   faults.fail_next(BTR_UPDATE, BTR_RECORD_CONFLICT);    // the next update answers 80
//   faults.fail_call(3, BTR_IO_ERROR);                    // the third store call answers 2
//   EXPECT_FALSE(SetClientStatus(...));
//   EXPECT_EQ(faults.calls(), 4);                         // store calls seen since armed
//
// Only one StoreFaults may live at a time.
#pragma once

#include "platform/export.h"

namespace platform {

// The pseudo-operation number of _btopen for the seam (the record manager's own number for it).
constexpr int kStoreOpenOperation = 0;

class PLATFORM_API StoreFaults {
 public:
  StoreFaults();
  ~StoreFaults();
  StoreFaults(const StoreFaults&) = delete;
  StoreFaults& operator=(const StoreFaults&) = delete;

  // The `nth` store call from now (1: the next) answers `status`. A status of 0 or an `nth`
  // below 1 is ignored: the seam only makes calls fail.
  void fail_call(int nth, int status);
  // The next call of `operation` (kStoreOpenOperation for _btopen) answers `status`.
  void fail_next(int operation, int status);
  // Store calls since this object was made (faulted ones included).
  int calls() const;
  // Faults armed that have not fired yet.
  int pending() const;
};

}  // namespace platform
