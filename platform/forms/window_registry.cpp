#include "window_registry.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace {

std::mutex windows_mutex;
std::map<HWND, fp_FORM*> windows;
std::vector<HWND> activation_order;   // the last element is the active window
std::uintptr_t next_handle = 0x100;

}  // namespace

namespace platform::detail {

HWND add_window(fp_FORM* form) {
  std::lock_guard<std::mutex> lock(windows_mutex);
  HWND window = reinterpret_cast<HWND>(next_handle);
  next_handle += 0x10;
  windows[window] = form;
  activation_order.push_back(window);
  return window;
}

void remove_window(HWND window) {
  std::lock_guard<std::mutex> lock(windows_mutex);
  windows.erase(window);
  activation_order.erase(std::remove(activation_order.begin(), activation_order.end(), window),
                         activation_order.end());
}

void activate_window(HWND window) {
  std::lock_guard<std::mutex> lock(windows_mutex);
  const auto found = std::find(activation_order.begin(), activation_order.end(), window);
  if (found == activation_order.end()) return;
  activation_order.erase(found);
  activation_order.push_back(window);
}

fp_FORM*& form_being_built() {
  thread_local fp_FORM* form = nullptr;
  return form;
}

}  // namespace platform::detail

namespace platform {

fp_FORM* form_of_window(HWND window) {
  std::lock_guard<std::mutex> lock(windows_mutex);
  const auto found = windows.find(window);
  return found == windows.end() ? nullptr : found->second;
}

fp_FORM* active_form() {
  std::lock_guard<std::mutex> lock(windows_mutex);
  if (activation_order.empty()) return nullptr;
  return windows[activation_order.back()];
}

}  // namespace platform
