// The slot of a virtual operation in its class's table of virtual functions, for tests that pin
// the order host programs rely on. Only under the Itanium C++ ABI on x86 (GCC and Clang), where
// QARNTASH_HAS_VIRTUAL_SLOTS is defined.
#pragma once

#if (defined(__x86_64__) || defined(__i386__)) && !defined(_MSC_VER)
#  define QARNTASH_HAS_VIRTUAL_SLOTS 1

#  include <cstddef>
#  include <cstring>

namespace test_support {

// Under this ABI a pointer to a virtual member function holds 1 plus the byte offset of the
// function's entry in the table.
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
