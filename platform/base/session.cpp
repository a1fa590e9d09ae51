// The host session block, as much of it as this platform keeps: the running product's code.
#include "platform/session.h"

#include <algorithm>
#include <cstring>

namespace {

char g_session_block[kSessionBlockLength] = {};

}  // namespace

extern "C" void GetSessionBlock(char* block) {
  if (block != nullptr) std::memcpy(block, g_session_block, sizeof g_session_block);
}

namespace platform {

void set_session_product(const char* code) {
  char* product = g_session_block + kSessionProductOffset;
  std::memset(product, 0, kSessionProductLength);
  if (code == nullptr) return;
  std::memcpy(product, code, std::min(std::strlen(code), static_cast<std::size_t>(kSessionProductLength)));
}

}  // namespace platform
