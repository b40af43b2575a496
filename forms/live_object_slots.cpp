#include "forms/live_object_slots.h"

#include <mutex>
#include <vector>

#include "runtime/abi/values.h"

namespace forms {
namespace {
// Entries are reused once given back, so the table stays as large as the most objects alive at
// once. Workers reach records through unit commands too, hence the lock.
std::mutex g_lock;
std::vector<void*> g_objects;
std::vector<uint32_t> g_free;
}  // namespace

void* LiveObjectOfSlot(uint32_t word) {
  if constexpr (!kWideAddresses) {
    return AddrFromHalves(word, 0);
  } else {
    if (word == 0) return nullptr;
    std::lock_guard<std::mutex> hold(g_lock);
    return word <= g_objects.size() ? g_objects[word - 1] : nullptr;
  }
}

uint32_t ReplaceSlotObject(uint32_t old, const void* object) {
  if constexpr (!kWideAddresses) {
    return AddrLow(object);
  } else {
    std::lock_guard<std::mutex> hold(g_lock);
    if (old != 0 && old <= g_objects.size() && g_objects[old - 1]) {
      if (g_objects[old - 1] == object) return old;
      g_objects[old - 1] = nullptr;
      g_free.push_back(old);
    }
    if (!object) return 0;
    if (!g_free.empty()) {
      uint32_t word = g_free.back();
      g_free.pop_back();
      g_objects[word - 1] = const_cast<void*>(object);
      return word;
    }
    g_objects.push_back(const_cast<void*>(object));
    return static_cast<uint32_t>(g_objects.size());
  }
}

}  // namespace forms
