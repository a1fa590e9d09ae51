// File: qarntash/allocation_fault.h
//
// A fault seam for tests of the "memory ran out" paths, kept out of the umbrella header: while it
// is armed, the nth of the library's own nothrow allocations gives null, as it would when memory is
// exhausted. It lives inside the library, so it works wherever the library is a DLL of its own
// (replacing operator new in a test program reaches no DLL on Windows). Not for host programs.
#pragma once

#include "qarntash/export.h"

extern "C" {

// nth = 1 fails the library's next nothrow allocation, 2 the one after, and so on; 0 disarms.
QARNTASH_API void qarntash_fail_nth_allocation(int nth);

// 1 when the chosen allocation was reached (and so failed) since the seam was last armed.
QARNTASH_API int qarntash_allocation_failure_triggered(void);

}
