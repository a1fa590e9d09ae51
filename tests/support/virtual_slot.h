// The slot of a virtual operation in its class's table of virtual functions, for tests that pin
// the order in which host programs call a class's operations.
#pragma once

#include <cstddef>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && !defined(_MSC_VER)
#define QARNTASH_HAS_VIRTUAL_SLOTS 1

namespace test_support {

// Under the Itanium C++ ABI (GCC and Clang on x86) a pointer to a virtual member function holds
// 1 plus the byte offset of the function's entry in the table of virtual functions. A virtual
// destructor takes two slots there (the complete and the deleting destructor).
template <typename Member>
std::ptrdiff_t slot_of(Member member) {
  struct {
    std::ptrdiff_t pointer;
    std::ptrdiff_t adjustment;
  } representation;
  static_assert(sizeof(Member) == sizeof(representation), "an Itanium pointer to member function");
  std::memcpy(&representation, &member, sizeof representation);
  return (representation.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

}  // namespace test_support

#endif
