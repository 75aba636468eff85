#include <cstring>

#include "platform/memory.h"
#include "platform/win32.h"

namespace veltrax {

void* take_system_block(std::size_t size) {
  return VirtualAlloc(nullptr, size == 0 ? 1 : size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void give_back_system_block(void* block, std::size_t /*size*/) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

void* resize_system_block(void* block, std::size_t old_size, std::size_t new_size) {
  void* fresh = take_system_block(new_size);
  if (fresh == nullptr || block == nullptr) return fresh;
  std::memcpy(fresh, block, old_size < new_size ? old_size : new_size);
  give_back_system_block(block, old_size);
  return fresh;
}

}  // namespace veltrax
