// The registry of module resources: which dialog templates and string table each module
// instance carries, and LoadStringA's behaviour over the string table.
#include "platform/resources.h"

#include "platform/config.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

namespace {

std::mutex registry_mutex;

// Registrations linked in at load time, newest first, not applied yet.
std::atomic<platform::LoadTimeRegistration*> pending_registrations{nullptr};

std::map<HINSTANCE, const platform::ResourceTable*>& registry() {
  static std::map<HINSTANCE, const platform::ResourceTable*> tables;
  return tables;
}

const platform::ResourceTable* table_of(HINSTANCE instance) {
  platform::apply_load_time_registrations();
  std::lock_guard<std::mutex> lock(registry_mutex);
  const auto found = registry().find(instance);
  return found == registry().end() ? nullptr : found->second;
}

}  // namespace

namespace platform {

void register_resources(HINSTANCE instance, const ResourceTable* table) {
  std::lock_guard<std::mutex> lock(registry_mutex);
  if (table == nullptr) {
    registry().erase(instance);
  } else {
    registry()[instance] = table;
  }
}

void register_at_load(LoadTimeRegistration* registration) noexcept {
  registration->next = pending_registrations.load(std::memory_order_relaxed);
  while (!pending_registrations.compare_exchange_weak(registration->next, registration, std::memory_order_release,
                                                      std::memory_order_relaxed)) {
  }
}

void apply_load_time_registrations() {
  if (pending_registrations.load(std::memory_order_acquire) == nullptr) return;
  LoadTimeRegistration* newest_first = pending_registrations.exchange(nullptr, std::memory_order_acquire);
  LoadTimeRegistration* oldest_first = nullptr;
  while (newest_first != nullptr) {
    LoadTimeRegistration* next = newest_first->next;
    newest_first->next = oldest_first;
    oldest_first = newest_first;
    newest_first = next;
  }
  for (LoadTimeRegistration* r = oldest_first; r != nullptr; r = r->next) {
    register_resources(r->instance, r->resources);
    if (r->module_path != nullptr) pmco041_register_vers(r->module_path, r->build_date, nullptr, nullptr, nullptr);
  }
}

const DialogTemplate* find_dialog(HINSTANCE instance, unsigned id) {
  const ResourceTable* table = table_of(instance);
  if (table == nullptr) return nullptr;
  for (std::size_t i = 0; i < table->dialog_count; ++i) {
    if (table->dialogs[i].id == id) return &table->dialogs[i];
  }
  return nullptr;
}

}  // namespace platform

extern "C" int platform_load_string(HINSTANCE instance, unsigned id, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  const platform::ResourceTable* table = table_of(instance);
  if (table == nullptr) return 0;
  for (std::size_t i = 0; i < table->string_count; ++i) {
    if (table->strings[i].id != id) continue;
    const std::size_t length = std::min(std::strlen(table->strings[i].text), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, table->strings[i].text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
  }
  return 0;
}
