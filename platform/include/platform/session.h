// File: platform/session.h
//
// The host session block: what the running host program tells the platform about itself. The
// library reads it to learn which product is running ("RUVO" the personal tax program,
// "ZORVBTAX" the business tax program), since some screens show sections to one product only.
//
// The block is 42 bytes; the product code starts at byte 25 and is ended by a 0 byte, or by the
// end of the block when it fills all 17 bytes that remain (a reader never looks past byte 41).
//
// Usage:
//   char block[kSessionBlockLength] = {};
//   GetSessionBlock(block);
//   const std::string product = session_product_code(block);
//
// The host sets the code once at start-up with platform::set_session_product("RUVO").
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/export.h"

constexpr int kSessionBlockLength = 42;
constexpr int kSessionProductOffset = 25;
constexpr int kSessionProductLength = kSessionBlockLength - kSessionProductOffset;  // 17

extern "C" {
// Fills the caller's 42-byte block with the session's data (zeros where nothing is set).
PLATFORM_API void GetSessionBlock(char* block);
}

namespace platform {
// Sets the product code of this process's session: at most 17 bytes are kept, the rest is cut.
PLATFORM_API void set_session_product(const char* code);
}  // namespace platform

// The product code of a filled block, read within the block's bytes only.
inline std::string session_product_code(const char (&block)[kSessionBlockLength]) {
  const char* code = block + kSessionProductOffset;
  const void* end = std::memchr(code, '\0', kSessionProductLength);
  const std::size_t length = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - code)
                                            : static_cast<std::size_t>(kSessionProductLength);
  return std::string(code, length);
}
