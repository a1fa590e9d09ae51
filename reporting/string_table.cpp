// The string cache: filled on demand from the library's string table; an id keeps the text it
// was first read with.
#include "qarntash/reporting/string_table.h"

#include <map>
#include <mutex>

#include "qarntash/library.h"

#if defined(_WIN32)
#  include <windows.h>
#endif

namespace {

constexpr int kStringBufferSize = 256;   // at most 255 characters and the terminator

struct StringCache {
  std::mutex mutex;
  std::map<unsigned, cLBW_STRING> texts;
};

StringCache& cache() {
  static StringCache instance;   // made once, safely against concurrent first calls
  return instance;
}

cLBW_STRING load(unsigned id) {
  char buffer[kStringBufferSize] = "";
#if defined(_WIN32)
  LoadStringA(qarntash_instance(), id, buffer, kStringBufferSize);
#else
  platform_load_string(qarntash_instance(), id, buffer, kStringBufferSize);
#endif
  return cLBW_STRING(buffer);
}

}  // namespace

cLBW_STRING CStringTableVori::GetString(unsigned id) {
  cLBW_STRING text = load(id);
  StringCache& strings = cache();
  std::lock_guard<std::mutex> lock(strings.mutex);
  strings.texts.emplace(id, std::move(text));
  const auto found = strings.texts.find(id);
  return found != strings.texts.end() ? found->second : cLBW_STRING("<Could not retrieve String from String Table>");
}
